#include "Tavro/Discovery/InstalledBrowser.h"

#include "Tavro/Platform/DesktopApplications.h"

namespace tavro {

QString InstalledBrowser::displayName() const
{
    const QString install = DesktopApplications::installName(bundleIdentifier);
    if (install.isEmpty())
        return definition.displayName;
    return definition.displayName + QStringLiteral(" (") + install + QLatin1Char(')');
}

} // namespace tavro
