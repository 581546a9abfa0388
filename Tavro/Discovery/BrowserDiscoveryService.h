#pragma once

#include "Tavro/Discovery/InstalledBrowser.h"

#include <QList>

namespace tavro::BrowserDiscoveryService {

// The known browsers that are installed, in table order, at most one per row: the first of a
// row's bundle identifiers that the workspace finds wins. Safe from any thread.
QList<InstalledBrowser> discoverInstalled();

} // namespace tavro::BrowserDiscoveryService
