#pragma once
// Homes the real `tavro` checks and benchmarks start in: stored settings and browsers' profiles.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/ProfileDiscoveryDestinations.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Support/TempHome.h"

#include <gtest/gtest.h>

namespace tavro::test {

// Settings of a finished onboarding with `destinations`, stored where Tavro reads them.
inline void storeFinishedOnboarding(const QList<BrowserDestination>& destinations)
{
    AppSettings settings;
    settings.destinations = destinations;
    settings.hasCompletedOnboarding = true;
    UserDefaults defaults(UserDefaults::standardPath());
    EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, settings.toJsonBytes()));
    EXPECT_TRUE(defaults.synchronize());
}

// Chromium's "Default" profile, "Person 1", as discovery finds it.
inline BrowserDestination chromiumPersonOne()
{
    BrowserDestination chromium = ProfileDiscoveryService::makeDestination();
    chromium.browserID = QStringLiteral("chromium");
    chromium.browserDisplayName = QStringLiteral("Chromium");
    chromium.browserBundleIdentifier = QStringLiteral("org.chromium.Chromium");
    chromium.profileID = QStringLiteral("Default");
    chromium.profileDisplayName = QStringLiteral("Person 1");
    chromium.launchStrategy = LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default"));
    return chromium;
}

// A Chromium with two profiles, known by its desktop entry, so that every link needs the picker.
inline void writeTwoChromiumProfiles(const TempHome& home)
{
    home.writeFile(".local/share/applications/chromium.desktop",
        "[Desktop Entry]\nType=Application\nName=Chromium\nExec=/bin/true %U\n");
    home.writeFile(".config/chromium/Local State",
        R"({"profile":{"info_cache":{"Default":{"name":"Home"},"Profile 1":{"name":"Work"}},)"
        R"("profiles_order":["Default","Profile 1"]}})");
    // A profile counts only where its folder exists.
    for (const char* profile : {"Default", "Profile 1"})
        home.writeFile(QStringLiteral(".config/chromium/%1/Preferences").arg(QLatin1String(profile)), "{}");
}

} // namespace tavro::test
