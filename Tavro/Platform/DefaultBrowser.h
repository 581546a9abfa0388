#pragma once
// Stands for Launch Services' table of default handlers: which application opens the links of a
// URL scheme. Kept where a Linux desktop keeps it: the "[Default Applications]" of the
// freedesktop MIME-applications files, naming desktop entries ("tavro.desktop").

#include "Tavro/Platform/DesktopEntry.h"

#include <QString>
#include <QStringList>

#include <expected>
#include <optional>

namespace tavro {

// Why the default handler of a scheme was not changed.
enum class DefaultBrowserError {
    missingArgument, // no scheme or no application was named
    unreadable,      // the user's MIME-applications file exists and could not be read
    unwritable,      // the user's MIME-applications file could not be written
};

QString description(DefaultBrowserError error);

} // namespace tavro

namespace tavro::DefaultBrowser {

// The desktop-entry id that the files name for links of `scheme` ("tavro.desktop"), if one is set.
std::optional<QString> handlerEntryForURLScheme(const QString& scheme);
// The bundle identifier of the application that opens links of `scheme`, if one is set.
std::optional<QString> handlerForURLScheme(const QString& scheme);

// Whether the desktop can start the application that `desktopId` names: the first entry of that id
// in the entry folders is the one a desktop opens links with, and it must be launchable
// (`DesktopEntry::checkLaunchable`). A default that fails this sends links nowhere.
std::expected<void, EntryLaunchError> checkLaunchable(const QString& desktopId);

// Makes the application `bundleIdentifier` the handler of `scheme`. There is no confirmation
// prompt here: the change takes effect at once. For http or https the application becomes the web
// browser, as on a Mac and as `xdg-settings set default-web-browser` does: it takes http, https and
// text/html. Other lines of the file are kept as they were; a file that cannot be read is left
// alone.
[[nodiscard]] std::expected<void, DefaultBrowserError> setDefaultHandlerForURLScheme(
    const QString& scheme, const QString& bundleIdentifier);

// The user's MIME-applications file, "$XDG_CONFIG_HOME/mimeapps.list", which the setting goes to.
QString storePath();
// The files read for an answer, first one winning: the user's, then the system's.
QStringList lookupPaths();

} // namespace tavro::DefaultBrowser
