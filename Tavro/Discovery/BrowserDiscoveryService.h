#pragma once

#include "Tavro/Discovery/InstalledBrowser.h"

#include <QList>

namespace tavro::BrowserDiscoveryService {

// The known browsers that are installed, in table order, at most one per row: the first of a
// row's bundle identifiers that the workspace finds wins. Safe from any thread.
QList<InstalledBrowser> discoverInstalled();

// Where the browser keeps its profiles under `home` (the platform's data-folder table decides, by
// how the browser was found); nullopt for a browser whose profiles are not read from a folder.
std::optional<QString> dataFolder(const InstalledBrowser& browser, const QString& home);

} // namespace tavro::BrowserDiscoveryService
