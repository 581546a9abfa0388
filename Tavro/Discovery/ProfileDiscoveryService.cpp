#include "Tavro/Discovery/ProfileDiscoveryService.h"

namespace tavro::ProfileDiscoveryService {

namespace {

BrowserDestination browserDestination(const InstalledBrowser& browser)
{
    BrowserDestination destination = makeDestination();
    destination.browserID = browser.definition.id;
    destination.browserDisplayName = browser.displayName();
    destination.browserBundleIdentifier = browser.bundleIdentifier;
    destination.browserExecutablePath = browser.executablePath;
    return destination;
}

} // namespace

BrowserDestination currentProfileDestination(const InstalledBrowser& browser)
{
    BrowserDestination destination = browserDestination(browser);
    destination.profileDisplayName = browser.definition.noProfilesLabel().value_or(currentProfileName());
    destination.launchStrategy = LaunchStrategy::browserCurrentProfile();
    destination.sortOrder = 0;
    return destination;
}

BrowserDestination profileDestination(const InstalledBrowser& browser, const QString& profileID,
    const QString& profileName, const LaunchStrategy& launch, qint64 sortOrder, const std::optional<QString>& photoPath)
{
    BrowserDestination destination = browserDestination(browser);
    destination.profileID = profileID;
    destination.profileDisplayName = profileName;
    destination.launchStrategy = launch;
    destination.sortOrder = sortOrder;
    destination.profilePhotoPath = photoPath;
    return destination;
}

} // namespace tavro::ProfileDiscoveryService
