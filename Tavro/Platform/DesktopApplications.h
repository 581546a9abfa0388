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
    // The id of its snap's entry ("<snap>_<app>.desktop", after desktopIds), and the folders under
    // the home that the snap's program takes for its home and for $XDG_CONFIG_HOME.
    QString snapDesktopId{};
    QString snapHome{};
    QString snapConfigHome{};
};

// How an application came onto the system: from a package (the distribution's, the vendor's), or as
// a snap or a Flatpak, each of which keeps its data in a sandbox of its own.
enum class Install { package, snap, flatpak };

// How the application of this desktop entry was installed: a snap's entry has the snap's id, a
// Flatpak's lies in a Flatpak installation's exports. An application bundle is a package.
Install installOf(const QString& applicationPath);

// The identifier under which one install of an application is known: a package keeps the
// application's own ("org.mozilla.firefox"), a snap or a Flatpak has one of its own
// ("org.mozilla.firefox@flatpak"), so that the profiles of two installs are told apart.
QString installIdentifier(const QString& bundleIdentifier, Install install);
// The application's own identifier within an install's ("org.mozilla.firefox@flatpak" ->
// "org.mozilla.firefox"); any other identifier as it is.
QString applicationIdentifier(const QString& identifier);
// What tells an install's identifier apart: "Snap", "Flatpak"; empty for an application's own.
QString installName(const QString& identifier);

// The row of this bundle identifier (any case; an install's identifier stands for its application);
// nullptr for one the table does not know.
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
