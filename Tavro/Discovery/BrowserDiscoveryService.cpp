#include "Tavro/Discovery/BrowserDiscoveryService.h"

#include "Tavro/Platform/BrowserDataFolder.h"
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

std::optional<QString> dataFolder(const InstalledBrowser& browser, const QString& home)
{
    switch (browser.definition.profileFamily) {
    case ProfileFamily::chromium:
        if (!browser.definition.chromiumSupportSubpath)
            return std::nullopt;
        return BrowserDataFolder::locate(
            browser.url, browser.bundleIdentifier, *browser.definition.chromiumSupportSubpath, home);
    case ProfileFamily::firefox:
        // Every Firefox-family browser on a Mac shares Firefox's folder.
        return BrowserDataFolder::locate(browser.url, browser.bundleIdentifier, QStringLiteral("Firefox"), home);
    case ProfileFamily::safari:
    case ProfileFamily::unsupported:
        break;
    }
    return std::nullopt;
}

} // namespace tavro::BrowserDiscoveryService
