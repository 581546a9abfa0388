#include "Tavro/AppWindows.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Shell/AppDelegate.h"
#include "Tavro/Shell/AppVersion.h"
#include "Tavro/Simulation/ApplicationHost.h"
#include "Tavro/Simulation/ScreensHost.h"
#include "Tavro/Simulation/StatusItemHost.h"
#include "Tavro/Simulation/UpdaterHost.h"
#include "tests/Shell/ShellFixture.h"

#include <QTest>

using namespace tavro;
using namespace tavro::test;
using namespace std::chrono_literals;

namespace {

// The launch's hooks between the delegate, the update controller and the support-policy check.
class AppDelegateUpdatesTest : public ShellFixture
{
protected:
    AppDelegateUpdatesTest()
    {
        ScreensHost::setScreens({{QRect(0, 0, 1440, 900), QRect(0, 25, 1440, 875)}});
        AppSettings settings;
        settings.hasCompletedOnboarding = true;
        settings.destinations = {shellDestination("com.google.Chrome", "Google Chrome", QStringLiteral("Default"))};
        open(settings);
        menusBefore = StatusItemHost::menusGiven();
        delegate = std::make_unique<AppDelegate>(*store, center, defaults, AppWindows::factory());
        delegate->applicationDidFinishLaunching();
    }
    ~AppDelegateUpdatesTest() override { delegate.reset(); }

    void showPicker() { delegate->applicationOpenUrls({QUrl("https://a.test/")}); }
    void closePicker() { delegate->picker().dismiss(false); }
    Updater& updater() { return delegate->updates().updaterController(); }

    // The status item's rebuilds since the delegate was made: each gives the item a new menu.
    int statusItemBuilds() const { return StatusItemHost::menusGiven() - menusBefore; }

    std::unique_ptr<AppDelegate> delegate;
    int menusBefore = 0;
};

TEST_F(AppDelegateUpdatesTest, StatusItemFollowsTheUpdateOnOffer)
{
    // Once when the launch builds it with the value on offer at launch, then once a change.
    EXPECT_EQ(statusItemBuilds(), 1);
    UpdaterHost::findUpdate(updater(), "2.0");
    EXPECT_EQ(statusItemBuilds(), 2);
    UpdaterHost::finishSession(updater());
    EXPECT_EQ(statusItemBuilds(), 3);
}

TEST_F(AppDelegateUpdatesTest, AnUpdateRelaunchLetsTheAppQuit)
{
    EXPECT_FALSE(delegate->isQuitting());
    UpdaterHost::willRelaunch(updater());
    EXPECT_TRUE(delegate->isQuitting());
}

TEST_F(AppDelegateUpdatesTest, AnAutomaticInstallWaitsWhileThePickerIsShown)
{
    updater().setAutomaticallyDownloadsUpdates(true);
    int installs = 0;
    showPicker();
    ASSERT_NE(delegate->picker().panel(), nullptr);
    EXPECT_TRUE(UpdaterHost::willInstallOnQuit(updater(), "2.0", [&] { ++installs; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(installs, 0);

    closePicker();
    EXPECT_TRUE(UpdaterHost::willInstallOnQuit(updater(), "2.0", [&] { ++installs; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return installs == 1; }, 2000));
}

TEST_F(AppDelegateUpdatesTest, TheLaunchSchedulesTheSupportPolicyCheck)
{
    EXPECT_TRUE(delegate->supportPolicy().isScheduled());
    EXPECT_FALSE(delegate->supportPolicy().hasPromptedThisRun());
}

TEST_F(AppDelegateUpdatesTest, TheUnsupportedVersionAlertWaitsForThePickerAndOffersTheUpdate)
{
    showPicker();
    // "Update Now", then the check's own answer.
    Alert::answerNextWith(Alert::kFirstButtonReturn);
    Alert::answerNextWith(Alert::kFirstButtonReturn);
    Q_EMIT delegate->supportPolicy().updateRequired(QStringLiteral("9.1"));
    // The picker is still up.
    EXPECT_FALSE(QTest::qWaitFor([] { return !Alert::answeredAlerts().isEmpty(); }, 200));

    const int activations = ApplicationHost::activationCount();
    closePicker();
    ASSERT_TRUE(QTest::qWaitFor([] { return !Alert::answeredAlerts().isEmpty(); }, 2000));
    const Alert alert = Alert::answeredAlerts().first();
    EXPECT_EQ(alert.style, Alert::Style::warning);
    EXPECT_EQ(alert.messageText, QStringLiteral("Please update Tavro"));
    EXPECT_EQ(alert.informativeText,
        QStringLiteral("Tavro %1 is no longer supported. Update to version 9.1 or later to keep getting fixes.")
            .arg(AppVersion::current()));
    EXPECT_EQ(alert.buttonTitles, (QStringList{"Update Now", "Later"}));
    // Brought forward for the alert, then again for the update.
    EXPECT_EQ(ApplicationHost::activationCount(), activations + 2);
    ASSERT_EQ(Alert::answeredAlerts().size(), 2);
    EXPECT_EQ(Alert::answeredAlerts().last().messageText, QStringLiteral("Tavro can’t check for updates"));
}

} // namespace
