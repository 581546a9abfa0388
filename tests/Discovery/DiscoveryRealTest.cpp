// Checks against the real browsers of the machine: Debian's Chromium under Xvfb and firefox-esr
// write their own profile files, which the scan and the watcher then read.

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Discovery/ProfileWatcher.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Discovery/RealBrowserProfiles.h"
#include "tests/Support/Xvfb.h"

#include <QCoro/QCoroTask>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavro;
using namespace std::chrono_literals;

namespace {

const QString chromiumId = QStringLiteral("org.chromium.Chromium");

class RealBrowsersTest : public ::testing::Test
{
protected:
    RealBrowsersTest() : defaults(home.filePath(QStringLiteral("Library/Preferences/test.ini"))), store(defaults) { }

    void makeTwoChromiumProfiles()
    {
        test::installApp(home, "Chromium", chromiumId);
        chromium.makeTwo();
    }

    QList<BrowserDestination> scanChromium()
    {
        const DiscoveryCoordinator::ScanOutcome outcome
            = DiscoveryCoordinator::fullScan(false, DiscoveryCoordinator::SafariScanMode::passive, fs);
        EXPECT_TRUE(outcome.unreliable.isEmpty());
        return outcome.destinations;
    }

    test::TempHome home;
    test::Xvfb xvfb;
    test::RealChromiumProfiles chromium{xvfb, home.path(), home.filePath(test::chromiumSupport + "Chromium")};
    RealFileSystem fs;
    UserDefaults defaults;
    SettingsStore store;
};

TEST_F(RealBrowsersTest, ChromiumProfilesBecomeDestinationsWithTheirOwnNames)
{
    makeTwoChromiumProfiles();
    const QHash<QString, QString> names = chromium.names();
    const QList<BrowserDestination> destinations = scanChromium();
    ASSERT_EQ(destinations.size(), 2);
    QStringList folders;
    for (const BrowserDestination& d : destinations) {
        ASSERT_TRUE(d.profileID.has_value());
        folders.append(*d.profileID);
        EXPECT_EQ(d.browserBundleIdentifier, chromiumId);
        EXPECT_EQ(d.launchStrategy, LaunchStrategy::chromiumProfileDirectory(*d.profileID));
        EXPECT_EQ(d.profileDisplayName, names.value(*d.profileID));
        EXPECT_FALSE(d.profileDisplayName.isEmpty());
        EXPECT_NE(d.profileDisplayName, *d.profileID); // the browser's name, not the folder's
    }
    EXPECT_EQ(folders, (QStringList{"Default", "Profile 1"}));
}

TEST_F(RealBrowsersTest, WatcherSeesChromiumRewriteLocalState)
{
    makeTwoChromiumProfiles();
    QCoro::waitFor(DiscoveryCoordinator::refresh(store, DiscoveryCoordinator::SafariScanMode::passive));
    ASSERT_EQ(store.settings().destinations.size(), 2);
    const QUuid id = store.settings().destinations.at(1).id;

    // The user renames the profile; Chromium keeps the name and saves it in its next rewrite.
    QFile file(chromium.userDataDir() + QStringLiteral("/Local State"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    QJsonObject profile = root.value("profile").toObject();
    QJsonObject cache = profile.value("info_cache").toObject();
    QJsonObject entry = cache.value("Profile 1").toObject();
    entry.insert("name", "Renamed by the user");
    cache.insert("Profile 1", entry);
    profile.insert("info_cache", cache);
    root.insert("profile", profile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(root).toJson());
    file.close();

    ProfileWatcher watcher(store, 100ms, 300ms);
    QSignalSpy refreshes(&watcher, &ProfileWatcher::refreshed);
    watcher.start();
    ASSERT_TRUE(watcher.isWatching());
    EXPECT_FALSE(refreshes.wait(500)); // the edit came before the watch

    QProcess& browser = chromium.start(QStringLiteral("Default"));
    ASSERT_TRUE(chromium.waitForWindow(browser));
    test::RealChromiumProfiles::stop(browser);
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshes.count() > 0; }, 15000));
    const auto& destinations = store.settings().destinations;
    ASSERT_EQ(destinations.size(), 2);
    EXPECT_EQ(destinations.at(1).id, id);
    EXPECT_EQ(destinations.at(1).profileDisplayName, "Renamed by the user");
}

TEST_F(RealBrowsersTest, FirefoxProfileBecomesADestination)
{
    test::installApp(home, "Firefox", "org.mozilla.firefox");
    const QString root = test::createFirefoxProfile(home.path(), QStringLiteral("Work"));
    ASSERT_FALSE(root.isEmpty());
    QDir().mkpath(home.filePath(test::chromiumSupport));
    ASSERT_TRUE(QFile::link(root, home.filePath(test::chromiumSupport + QStringLiteral("Firefox"))));

    const QList<BrowserDestination> destinations = scanChromium();
    ASSERT_EQ(destinations.size(), 1);
    const BrowserDestination& work = destinations.first();
    EXPECT_EQ(work.browserID, "firefox");
    EXPECT_EQ(work.profileDisplayName, "Work");
    EXPECT_EQ(work.launchStrategy, LaunchStrategy::firefoxProfile("Work"));
    ASSERT_TRUE(work.profileID.has_value());
    EXPECT_TRUE(QFileInfo(root + QLatin1Char('/') + *work.profileID).isDir()) << work.profileID->toStdString();
}

} // namespace
