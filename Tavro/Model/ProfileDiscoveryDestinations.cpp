#include "Tavro/Model/ProfileDiscoveryDestinations.h"
#include "Tavro/Model/BrowserDefinition.h"

#include <QCoreApplication>

namespace tavro::ProfileDiscoveryService {

BrowserDestination makeDestination()
{
    BrowserDestination destination;
    destination.id = QUuid::createUuid();
    return destination;
}

QString currentProfileName()
{
    //: Profile name shown for a browser with no separately detected profiles: opens the browser in whatever profile is
    //: active. Appears on picker petals and in menus; keep short (about 16 characters).
    return QCoreApplication::translate("Tavro", "Current Profile");
}

BrowserDestination makeSafariDestination(const std::optional<DiscoveredProfile>& profile, qint64 sortOrder)
{
    BrowserDestination destination = makeDestination();
    destination.browserID = QStringLiteral("safari");
    destination.browserDisplayName = QStringLiteral("Safari");
    destination.browserBundleIdentifier = safariBundleIdentifier;
    destination.sortOrder = sortOrder;
    if (profile) {
        destination.profileID = profile->id;
        destination.profileDisplayName = profile->displayName;
        destination.launchStrategy = LaunchStrategy::safariProfile(profile->id);
    } else {
        destination.profileDisplayName = currentProfileName();
        destination.launchStrategy = LaunchStrategy::browserCurrentProfile();
    }
    return destination;
}

} // namespace tavro::ProfileDiscoveryService
