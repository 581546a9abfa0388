#include "Tavro/Discovery/BrowserDataPermission.h"

#include "Tavro/Discovery/BrowserDiscoveryService.h"
#include "Tavro/Platform/RealFileSystem.h"

namespace tavro::BrowserDataPermission {

void probe()
{
    probe(RealFileSystem::shared());
}

void probe(const FileSystemReading& fileSystem)
{
    for (const InstalledBrowser& browser : BrowserDiscoveryService::discoverInstalled()) {
        if (browser.definition.profileFamily != ProfileFamily::chromium)
            continue;
        if (const auto dataDir = BrowserDiscoveryService::dataFolder(browser, fileSystem.homeDirectory()))
            fileSystem.read(*dataDir + QStringLiteral("/Local State"));
    }
}

} // namespace tavro::BrowserDataPermission
