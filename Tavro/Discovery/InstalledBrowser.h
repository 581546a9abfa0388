#pragma once

#include "Tavro/Model/BrowserDefinition.h"

#include <QString>

#include <optional>

namespace tavro {

// A row of the known-browser table whose application was found on this machine.
struct InstalledBrowser
{
    BrowserDefinition definition;
    QString bundleIdentifier; // the row's identifier under which the application was found
    QString url;              // the application bundle's location
    std::optional<QString> executablePath;

    bool operator==(const InstalledBrowser&) const = default;
};

} // namespace tavro
