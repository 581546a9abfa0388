#include "Tavro/Discovery/SafariSetup.h"
#include "Tavro/Model/ProfileDiscoveryDestinations.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/SimulatedBrowser.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Support/ScanCounter.h"

#include <QCoro/QCoroTask>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace tavro;
using namespace std::chrono_literals;

namespace {

const QString safari = QStringLiteral("com.apple.Safari");

class SafariSetupTest : public ::testing::Test
{
protected:
    SafariSetupTest() : defaults(home.filePath(QStringLiteral("Library/Preferences/test.ini"))), store(defaults) { }

    void detect()
    {
        QCoro::waitFor(SafariSetup::detect(
            store, [this] { ++settingsOpened; }, timing));
    }

    QString installSafari() { return test::installApp(home, "Safari", safari); }

    void startSafari(const QString& bundle)
    {
        safariApp = std::make_unique<SimulatedBrowser>(safari, bundle);
        safariApp->setMenus({SimulatedBrowser::Menu{QStringLiteral("File"),
            {SimulatedBrowser::item("newWindow", "New Window"),
                SimulatedBrowser::item("NewPersonalWindow?isDefaultProfile=true", "New Personal Window"),
                SimulatedBrowser::item("NewWorkWindow?isDefaultProfile=false", "New Work Window")}}});
    }

    test::TempHome home;
    UserDefaults defaults;
    SettingsStore store;
    test::ScanCounter scans;
    std::unique_ptr<SimulatedBrowser> safariApp;
    int settingsOpened = 0;
    SafariSetup::Timing timing{10ms, 10ms, 5};
};

TEST_F(SafariSetupTest, InstalledMeansTheWorkspaceFindsIt)
{
    EXPECT_FALSE(SafariSetup::isSafariInstalled());
    installSafari();
    EXPECT_TRUE(SafariSetup::isSafariInstalled());
}

TEST_F(SafariSetupTest, StoredProfilesAreThoseWithAProfileId)
{
    store.edit([](AppSettings& s) {
        s.destinations = {ProfileDiscoveryService::makeSafariDestination(std::nullopt, 0),
            ProfileDiscoveryService::makeSafariDestination(DiscoveredProfile{"Work", "Work", {}}, 1),
            ProfileDiscoveryService::makeSafariDestination(DiscoveredProfile{"Home", "Home", {}}, 2)};
        s.destinations[2].browserBundleIdentifier = QStringLiteral("com.example.Other");
    });
    EXPECT_EQ(SafariSetup::safariProfiles(store), QStringList{"Work"});
}

TEST_F(SafariSetupTest, WithoutTrustItOpensTheSettingsAndScansNothing)
{
    startSafari(installSafari());
    detect();
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(AccessibilityHost::systemWideReads(), 1); // the request that lists the app
    EXPECT_EQ(scans.count(), 0);
}

TEST_F(SafariSetupTest, RunningSafariIsReadInOneScan)
{
    startSafari(installSafari());
    AccessibilityHost::setTrusted(true);
    detect();
    EXPECT_EQ(scans.count(), 1);
    EXPECT_EQ(SafariSetup::safariProfiles(store), (QStringList{"Personal", "Work"}));
    EXPECT_EQ(store.safariHint(), SafariHint::none);
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
    EXPECT_EQ(settingsOpened, 0);
}

TEST_F(SafariSetupTest, SafariThatDoesNotRunIsStartedQuietlyFirst)
{
    const QString bundle = installSafari();
    AccessibilityHost::setTrusted(true);
    WorkspaceHost::setLauncher(safari, [&] { startSafari(bundle); });
    detect();
    ASSERT_EQ(WorkspaceHost::launches().size(), 1);
    EXPECT_EQ(WorkspaceHost::launches().first().bundleIdentifier, safari);
    EXPECT_EQ(SafariSetup::safariProfiles(store), (QStringList{"Personal", "Work"}));
}

TEST_F(SafariSetupTest, UnreadableMenuIsRetriedFiveTimes)
{
    startSafari(installSafari());
    safariApp->removeMenuBar();
    AccessibilityHost::setTrusted(true);
    detect();
    EXPECT_EQ(scans.count(), 6);
    EXPECT_EQ(store.safariHint(), SafariHint::accessibilityNeeded);
    EXPECT_TRUE(SafariSetup::safariProfiles(store).isEmpty());
}

// A scan that read Safari's profiles and found none ends the run at once.
TEST_F(SafariSetupTest, ResolvedScanWithoutProfilesEndsTheRun)
{
    startSafari(installSafari());
    test::writeSafariTabs(home, {});
    AccessibilityHost::setTrusted(true);
    detect();
    EXPECT_EQ(scans.count(), 1);
    EXPECT_TRUE(SafariSetup::safariProfiles(store).isEmpty());
    ASSERT_EQ(store.settings().destinations.size(), 1);
    EXPECT_FALSE(store.settings().destinations.first().profileID.has_value());
}

TEST_F(SafariSetupTest, WithoutSafariOneScanAndNoLaunch)
{
    AccessibilityHost::setTrusted(true);
    detect();
    EXPECT_EQ(scans.count(), 1);
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
}

} // namespace
