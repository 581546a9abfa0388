#include "Tavro/Discovery/BrowserDataPermission.h"

#include "Tavro/Discovery/BrowserDiscoveryService.h"
#include "Tavro/Discovery/ChromiumProfileDiscovery.h"
#include "Tavro/Platform/RealFileSystem.h"

namespace tavro::BrowserDataPermission {

void probe()
{
    const RealFileSystem& fs = RealFileSystem::shared();
    for (const InstalledBrowser& browser : BrowserDiscoveryService::discoverInstalled()) {
        const auto& subpath = browser.definition.chromiumSupportSubpath;
        if (browser.definition.profileFamily != ProfileFamily::chromium || !subpath)
            continue;
        fs.read(ChromiumProfileDiscovery::userDataDir(*subpath, fs) + QStringLiteral("/Local State"));
    }
}

} // namespace tavro::BrowserDataPermission
