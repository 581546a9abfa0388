#pragma once
// Stands for the main bundle's information dictionary: identifier, name and version.

#include <QString>

namespace tavro::AppInfo {

// "com.vaskhaldor.Tavro"
QString bundleIdentifier();
QString displayName();
QString version();

} // namespace tavro::AppInfo
