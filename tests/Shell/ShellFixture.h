#pragma once

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Model/ProfileDiscoveryDestinations.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Shell/Alert.h"
#include "tests/Support/CleanSlate.h"
#include "tests/Support/TempHome.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tavro::test {

// A destination of the browser `bundle`, named `browserName`, for profile `profile`.
inline BrowserDestination shellDestination(
    const QString& bundle, const QString& browserName, const std::optional<QString>& profile = std::nullopt)
{
    BrowserDestination d = ProfileDiscoveryService::makeDestination();
    d.browserID = browserName.toLower();
    d.browserDisplayName = browserName;
    d.browserBundleIdentifier = bundle;
    d.profileID = profile;
    d.profileDisplayName = profile.value_or(QStringLiteral("Current Profile"));
    d.launchStrategy
        = profile ? LaunchStrategy::chromiumProfileDirectory(*profile) : LaunchStrategy::browserCurrentProfile();
    return d;
}

// A settings store in a temporary HOME with a notification centre of its own; alerts answered
// by the test.
class ShellFixture : public ::testing::Test
{
protected:
    ShellFixture() : defaults(home.filePath(QStringLiteral("defaults.ini")))
    {
        QObject::connect(
            &center, &NotificationCenter::posted, [this](const QString& name, const QVariant&) { posts.append(name); });
    }
    ~ShellFixture() override { finishScans(); }

    // Lets scans started by the code under test land in their store before it goes away.
    static void finishScans()
    {
        EXPECT_TRUE(finishQueued(DiscoveryCoordinator::scanQueue()));
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }

    SettingsStore& open(const AppSettings& settings)
    {
        finishScans();
        EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, settings.toJsonBytes()));
        store = std::make_unique<SettingsStore>(defaults);
        // Decoding gives way on equal bypass and private keys; a record set while running keeps
        // them, and the routing must cope with that too.
        store->setSettings(settings);
        posts.clear();
        return *store;
    }

    TempHome home;
    UserDefaults defaults;
    NotificationCenter center;
    std::unique_ptr<SettingsStore> store;
    QStringList posts;
};

} // namespace tavro::test
