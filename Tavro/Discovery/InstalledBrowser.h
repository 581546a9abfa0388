#pragma once

#include "Tavro/Model/BrowserDefinition.h"

#include <QString>

#include <optional>

namespace tavro {

// One install of a row of the known-browser table found on this machine.
struct InstalledBrowser
{
    BrowserDefinition definition;
    // The identifier under which its destinations are kept and it is launched: the row's, or its
    // install's own ("org.mozilla.firefox@flatpak") beside another install of the browser.
    QString bundleIdentifier;
    QString url; // the application bundle's location
    std::optional<QString> executablePath;

    // The browser's name, with its install's where that tells it apart: "Firefox (Flatpak)".
    QString displayName() const;

    bool operator==(const InstalledBrowser&) const = default;
};

} // namespace tavro
