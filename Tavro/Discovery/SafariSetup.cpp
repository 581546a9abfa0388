#include "Tavro/Discovery/SafariSetup.h"

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/Workspace.h"

#include <QCoro/QCoroTimer>
#include <QPointer>

namespace tavro::SafariSetup {

bool isSafariInstalled()
{
    return Workspace::shared().urlForApplication(safariBundleIdentifier).has_value();
}

QStringList safariProfiles(const SettingsStore& store)
{
    QStringList names;
    for (const BrowserDestination& destination : store.settings().destinations) {
        if (destination.browserBundleIdentifier == safariBundleIdentifier && destination.profileID)
            names.append(destination.profileDisplayName);
    }
    return names;
}

QCoro::Task<void> launchSafari(Timing timing)
{
    const std::optional<QString> url = Workspace::shared().urlForApplication(safariBundleIdentifier);
    if (!url)
        co_return;
    OpenConfiguration configuration;
    configuration.activates = false;
    // A failed start is not reported: the scans that follow find Safari not running.
    co_await Workspace::shared().openApplication(*url, configuration);
    co_await QCoro::sleepFor(timing.afterLaunch);
}

QCoro::Task<void> detect(SettingsStore& store, std::function<void()> openAccessibilitySettings, Timing timing)
{
    AccessibilityPermission::registerInList();
    if (!Accessibility::isProcessTrusted()) {
        if (openAccessibilitySettings)
            openAccessibilitySettings();
        co_return;
    }
    QPointer<SettingsStore> guard(&store);
    if (Workspace::shared().runningApplications(safariBundleIdentifier).isEmpty())
        co_await launchSafari(timing);
    if (!guard)
        co_return;

    int retries = 0;
    co_await DiscoveryCoordinator::refresh(store, DiscoveryCoordinator::SafariScanMode::interactive);
    while (guard && safariProfiles(store).isEmpty() && store.safariHint() != SafariHint::none
        && retries != timing.maxRetries) {
        co_await QCoro::sleepFor(timing.betweenScans);
        ++retries;
        if (!guard)
            co_return;
        co_await DiscoveryCoordinator::refresh(store, DiscoveryCoordinator::SafariScanMode::interactive);
    }
}

} // namespace tavro::SafariSetup
