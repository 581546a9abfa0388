#include "Tavro/Discovery/BrowserDataPermission.h"

#include "Tavro/Discovery/BrowserDiscoveryService.h"
#include "Tavro/Discovery/ChromiumProfileDiscovery.h"
#include "Tavro/Platform/RealFileSystem.h"

namespace tavro::BrowserDataPermission {

void probe()
{
    probe(RealFileSystem::shared());
}

void probe(const FileSystemReading& fileSystem)
{
    for (const InstalledBrowser& browser : BrowserDiscoveryService::discoverInstalled()) {
        const auto& subpath = browser.definition.chromiumSupportSubpath;
        if (browser.definition.profileFamily != ProfileFamily::chromium || !subpath)
            continue;
        fileSystem.read(ChromiumProfileDiscovery::userDataDir(*subpath, fileSystem) + QStringLiteral("/Local State"));
    }
}

} // namespace tavro::BrowserDataPermission
