#include "Tavro/Platform/AppInfo.h"

namespace tavro::AppInfo {

QString bundleIdentifier()
{
    return QStringLiteral(TAVRO_BUNDLE_IDENTIFIER);
}

QString displayName()
{
    return QStringLiteral("Tavro");
}

QString version()
{
    return QStringLiteral(TAVRO_VERSION);
}

} // namespace tavro::AppInfo
