#pragma once
// Stands for the bundle identifiers by which the system knows applications, for the applications a
// Linux desktop knows by desktop-entry id instead ("chromium.desktop"), for the folders where
// those entries live, and for where the browsers among them keep their data on Linux.

#include "Tavro/Platform/HomeFolder.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tavro::DesktopApplications {

// An application the table knows: the Linux facts of a browser, and of Tavro itself.
struct KnownApplication
{
    QString bundleIdentifier;
    // The ids its packages install, preferred first: Debian's, the vendor's, Flathub's (named after
    // the application, "org.chromium.Chromium.desktop").
    QStringList desktopIds;
    // Where it keeps its data: a folder of $XDG_CONFIG_HOME ("chromium"), and a folder of the home
    // it keeps using where that exists (Firefox's ".mozilla/firefox"); both empty for none.
    QString configFolder{};
    QString homeFolder{};
    // The id of its snap's entry ("<snap>_<app>.desktop", after desktopIds) and the folder under
    // the home where that snap keeps the data.
    QString snapDesktopId{};
    QString snapFolder{};
};

// The row of this bundle identifier (any case); nullptr for one the table does not know.
const KnownApplication* knownApplication(const QString& bundleIdentifier);
// The row that lists this desktop-entry id; nullptr for an id the table does not know.
const KnownApplication* knownApplicationWithDesktopId(const QString& desktopId);

// The bundle identifier of the application with this desktop-entry id ("firefox-esr.desktop" ->
// "org.mozilla.firefox"); nullopt for an id the table does not know.
std::optional<QString> bundleIdentifier(const QString& desktopId);
// The desktop-entry ids that stand for this bundle identifier, preferred one first; empty for an
// identifier the table does not know.
QStringList desktopIds(const QString& bundleIdentifier);

// The id under which this bundle identifier is written into the desktop's standard files: the
// table's first id, else the reverse-DNS id the standard recommends ("<identifier>.desktop").
QString preferredDesktopId(const QString& bundleIdentifier);
// The bundle identifier for an id read from those files: the table's, else the id without
// ".desktop".
QString identifierForDesktopId(const QString& desktopId);

// The folders searched for desktop entries, first one winning: "$XDG_DATA_HOME/applications"
// (default "~/.local/share"), then "<dir>/applications" for each of $XDG_DATA_DIRS (default
// "/usr/local/share:/usr/share"). Systems with snaps or Flatpaks add their folders of exported
// entries to XDG_DATA_DIRS ("/var/lib/snapd/desktop", "/var/lib/flatpak/exports/share",
// "~/.local/share/flatpak/exports/share").
QStringList entryFolders();
// "$XDG_CONFIG_HOME", default "<home>/.config" (a relative value is ignored, as the standard says,
// and so is one that is not valid UTF-8).
QString configHome(const QString& home = HomeFolder::path());

} // namespace tavro::DesktopApplications
