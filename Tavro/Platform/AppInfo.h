#pragma once
// Stands for the main bundle's information dictionary: identifier, name and version.

#include <QString>

namespace tavro::AppInfo {

// "com.vaskhaldor.Tavro", or what the build was configured with (TAVRO_BUNDLE_IDENTIFIER).
QString bundleIdentifier();
QString displayName();
QString version();

} // namespace tavro::AppInfo
