#pragma once

#include "Tavro/Discovery/InstalledBrowser.h"

#include <QList>
#include <QSet>

namespace tavro::BrowserDiscoveryService {

// The known browsers that are installed, in table order: for each row, the first of its bundle
// identifiers that the workspace finds, and of that application each install (a package, a snap, a
// Flatpak) once. `storedIdentifiers` are the identifiers of stored destinations: an install whose
// own identifier is among them is found under it. Safe from any thread.
QList<InstalledBrowser> discoverInstalled(const QSet<QString>& storedIdentifiers = {});

// Where the browser keeps its profiles under `home` (the platform's data-folder table decides, by
// how the browser was found); nullopt for a browser whose profiles are not read from a folder.
std::optional<QString> dataFolder(const InstalledBrowser& browser, const QString& home);

} // namespace tavro::BrowserDiscoveryService
