#pragma once
// The applications installed: the app bundles of Workspace::applicationFolders() and the desktop
// entries of the XDG application folders, as Workspace finds them by their identifier.

#include "Tavro/Platform/Workspace.h"

namespace tavro::Linux {

// The bundles of the application folders, parsed once and read again only when a folder changed:
// each of a scan's browsers looks itself up, and every link looks up its browser.
QList<AppBundle> installedBundles();

// The identifier of the installed bundles that answer to `identifier`: their own, and for an
// application with no package installed, the first snap or Flatpak of it, which a destination made
// before installs had identifiers of their own still names by the application's identifier.
QString answeringIdentifier(const QString& identifier, const QList<AppBundle>& bundles);

} // namespace tavro::Linux
