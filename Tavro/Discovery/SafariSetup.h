#pragma once

#include <QCoro/QCoroTask>
#include <QStringList>

#include <chrono>
#include <functional>

namespace tavro {

class SettingsStore;

// The logic behind onboarding's Safari step: whether Safari is installed, which Safari profiles
// the settings hold, starting Safari quietly, and one detection run that scans interactively
// until Safari's profiles have been read or there is nothing more to wait for.
namespace SafariSetup {

struct Timing
{
    // The pause after Safari was asked to start, so that its menus exist.
    std::chrono::milliseconds afterLaunch{600};
    // Between two interactive scans while Safari's menu cannot be read yet.
    std::chrono::milliseconds betweenScans{400};
    int maxRetries = 5;
};

bool isSafariInstalled();

// The names of the stored Safari destinations that have a profile, in stored order.
QStringList safariProfiles(const SettingsStore& store);

// Opens Safari in the background and waits a moment; returns at once without Safari.
QCoro::Task<void> launchSafari(Timing timing = {});

// Asks for Accessibility (opening its settings through `openAccessibilitySettings` when the
// process is not trusted, and stopping there), starts Safari when it does not run, then scans
// interactively, again after a pause while no Safari profile is stored, the scan still reports a
// Safari hint and retries are left. GUI thread.
QCoro::Task<void> detect(SettingsStore& store, std::function<void()> openAccessibilitySettings, Timing timing = {});

} // namespace SafariSetup

} // namespace tavro
