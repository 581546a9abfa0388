#pragma once
// Stands for "~/Library/Application Support/<browser>": the folder where a browser keeps its
// profiles, which on a Linux desktop each browser chooses for itself.

#include <QString>

#include <optional>

namespace tavro::BrowserDataFolder {

// The folder of the browser with this bundle identifier found at `applicationPath`, under `home`.
// A browser found through its desktop entry keeps its data where it does on Linux (Chromium
// "$XDG_CONFIG_HOME/chromium"; Firefox "~/.mozilla/firefox" where that exists, else
// "$XDG_CONFIG_HOME/mozilla/firefox"), a snap or a Flatpak by the same rule inside its sandbox's
// folders ("~/snap/chromium/common/chromium", "~/.var/app/<id>/.mozilla/firefox", else
// "~/.var/app/<id>/config/mozilla/firefox", ...); one found as an application bundle, or one the
// table does not know, "<home>/Library/Application Support/<supportSubpath>".
QString locate(const QString& applicationPath, const QString& bundleIdentifier, const QString& supportSubpath,
    const QString& home);

// The Linux folder of the browser with this bundle identifier; nullopt for one the table lacks.
std::optional<QString> linuxFolder(const QString& bundleIdentifier, const QString& home);

} // namespace tavro::BrowserDataFolder
