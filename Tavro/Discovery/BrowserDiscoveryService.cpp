#include "Tavro/Discovery/BrowserDiscoveryService.h"

#include "Tavro/Platform/Workspace.h"

#include <QFileInfo>

namespace tavro::BrowserDiscoveryService {

QList<InstalledBrowser> discoverInstalled()
{
    QList<InstalledBrowser> installed;
    const Workspace& workspace = Workspace::shared();
    for (const BrowserDefinition& row : BrowserDefinition::registry()) {
        for (const QString& bundleIdentifier : row.bundleIdentifiers) {
            const std::optional<QString> url = workspace.urlForApplication(bundleIdentifier);
            if (!url)
                continue;
            std::optional<QString> executablePath;
            if (const std::optional<AppBundle> bundle = Workspace::bundle(*url)) {
                const QString path = bundle->executablePath();
                if (!path.isEmpty() && QFileInfo(path).isFile())
                    executablePath = path;
            }
            installed.append(InstalledBrowser{row, bundleIdentifier, *url, executablePath});
            break;
        }
    }
    return installed;
}

} // namespace tavro::BrowserDiscoveryService
