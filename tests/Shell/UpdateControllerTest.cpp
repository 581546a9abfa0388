#include "Tavro/Shell/UpdateController.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Shell/Alert.h"
#include "Tavro/Shell/UpdateCheckMigration.h"
#include "Tavro/Simulation/UpdaterHost.h"
#include "tests/Support/TempHome.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavro;
using namespace tavro::test;
using namespace std::chrono_literals;

namespace {

const QString kMigrated = QStringLiteral("tavro.updateChecksOptInMigrated");
const QString kAutomaticChecks = QStringLiteral("SUEnableAutomaticChecks");

class UpdateControllerTest : public ::testing::Test
{
protected:
    UserDefaults& defaults()
    {
        if (!m_defaults)
            m_defaults = std::make_unique<UserDefaults>(home.filePath("Library/Preferences/tavro.plist"));
        return *m_defaults;
    }
    // The defaults as the next launch reads them from the file.
    void relaunch() { m_defaults.reset(); }

    TempHome home;
    std::unique_ptr<UserDefaults> m_defaults;
};

// The opt-in migration, run by starting the controller as the launch does.
TEST_F(UpdateControllerTest, MigrationTurnsChecksOnOnlyForAnExistingUserWithoutAChoice)
{
    // A new user: no settings record yet; onboarding asks later.
    {
        UpdateController controller(true, defaults());
    }
    EXPECT_EQ(defaults().value(kMigrated), QVariant(true));
    EXPECT_FALSE(defaults().contains(kAutomaticChecks));

    // An existing user whose record was saved before.
    TempHome existingHome;
    UserDefaults existing(existingHome.filePath("defaults.plist"));
    EXPECT_TRUE(existing.setData(SettingsStore::defaultsKey, "{}"));
    UpdateController controller(true, existing);
    EXPECT_EQ(existing.value(kAutomaticChecks), QVariant(true));
    EXPECT_TRUE(controller.updaterController().automaticallyChecksForUpdates());
    EXPECT_TRUE(controller.updaterController().isStarted());
}

TEST_F(UpdateControllerTest, MigrationKeepsAStoredChoiceAndNeverRunsTwice)
{
    EXPECT_TRUE(defaults().setData(SettingsStore::defaultsKey, "{}"));
    EXPECT_TRUE(defaults().setValue(kAutomaticChecks, false));
    UpdateCheckMigration::run(defaults());
    EXPECT_EQ(defaults().value(kAutomaticChecks), QVariant(false));
    EXPECT_EQ(defaults().value(kMigrated), QVariant(true));

    // Removed between launches: the migration has had its turn and does not come back.
    EXPECT_TRUE(defaults().remove(kAutomaticChecks));
    relaunch();
    UpdateCheckMigration::run(defaults());
    EXPECT_FALSE(defaults().contains(kAutomaticChecks));
}

TEST_F(UpdateControllerTest, NotStartingNeitherMigratesNorStartsTheUpdater)
{
    EXPECT_TRUE(defaults().setData(SettingsStore::defaultsKey, "{}"));
    UpdateController controller(false, defaults());
    EXPECT_FALSE(defaults().contains(kMigrated));
    EXPECT_FALSE(defaults().contains(kAutomaticChecks));
    EXPECT_FALSE(controller.updaterController().isStarted());
}

TEST_F(UpdateControllerTest, PreferencesPersistAndAnnounceEachChangeLater)
{
    UpdateController controller(true, defaults());
    Updater& updater = controller.updaterController();
    QSignalSpy changes(&controller, &UpdateController::preferencesChanged);
    updater.setAutomaticallyDownloadsUpdates(true);
    updater.setAutomaticallyChecksForUpdates(false);
    // Queued, as the framework's observations hop to the main queue.
    EXPECT_EQ(changes.count(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return changes.count() == 2; }, 2000));

    relaunch();
    UpdateController later(true, defaults());
    EXPECT_TRUE(later.updaterController().automaticallyDownloadsUpdates());
    EXPECT_FALSE(later.updaterController().automaticallyChecksForUpdates());
    EXPECT_EQ(defaults().value(kAutomaticChecks), QVariant(false));
}

// Without a feed a check the user starts changes nothing and does not claim to have checked.
TEST_F(UpdateControllerTest, AUserCheckFindsNoFeedAndRecordsNoCheck)
{
    UpdateController controller(true, defaults());
    const QVariantMap before = [&] {
        QVariantMap values;
        for (const QString& key : {kMigrated, kAutomaticChecks})
            values[key] = defaults().value(key);
        return values;
    }();
    EXPECT_FALSE(controller.updaterController().checkForUpdates());
    // The user who asked hears why nothing was checked.
    Alert::answerNextWith(Alert::kFirstButtonReturn);
    controller.checkForUpdates();
    ASSERT_EQ(Alert::answeredAlerts().size(), 1);
    EXPECT_EQ(Alert::answeredAlerts().first().messageText, QStringLiteral("Tavro can’t check for updates"));
    EXPECT_EQ(Alert::answeredAlerts().first().informativeText,
        QStringLiteral("This build of Tavro has no update feed to check."));
    EXPECT_EQ(controller.updaterController().lastUpdateCheckDate(), std::nullopt);
    EXPECT_EQ(defaults().value(kMigrated), before[kMigrated]);
    EXPECT_EQ(defaults().value(kAutomaticChecks), before[kAutomaticChecks]);

    QAction check;
    check.setObjectName(UpdateController::checkForUpdatesAction);
    QAction other;
    EXPECT_TRUE(controller.validateMenuItem(check));
    EXPECT_TRUE(controller.validateMenuItem(other));

    // The check item follows the updater; every other item stays enabled.
    UpdateController notStarted(false, defaults());
    EXPECT_FALSE(notStarted.validateMenuItem(check));
    EXPECT_TRUE(notStarted.validateMenuItem(other));
}

TEST_F(UpdateControllerTest, AvailableVersionFollowsTheFrameworksCallbacks)
{
    UpdateController controller(true, defaults());
    Updater& updater = controller.updaterController();
    QSignalSpy changes(&controller, &UpdateController::availableVersionChanged);

    // A check the user started is shown by the framework itself: nothing for the status item.
    UpdaterHost::findUpdate(updater, "2.0", UpdaterHost::CheckKind::userStarted);
    EXPECT_EQ(controller.availableVersion(), std::nullopt);

    // A scheduled one is left to Tavro: the controller supports gentle reminders and keeps the
    // showing to itself.
    UpdaterHost::findUpdate(updater, "2.0");
    EXPECT_EQ(controller.availableVersion(), QStringLiteral("2.0"));
    UpdaterHost::userAttention(updater, "2.0");
    EXPECT_EQ(controller.availableVersion(), std::nullopt);

    UpdaterHost::findUpdate(updater, "2.1");
    EXPECT_EQ(controller.availableVersion(), QStringLiteral("2.1"));
    UpdaterHost::finishSession(updater);
    EXPECT_EQ(controller.availableVersion(), std::nullopt);
    EXPECT_EQ(changes.count(), 4);

    QSignalSpy relaunches(&controller, &UpdateController::willRelaunch);
    UpdaterHost::willRelaunch(updater);
    EXPECT_EQ(relaunches.count(), 1);
}

TEST_F(UpdateControllerTest, InstallOnQuitIsLeftToTheFrameworkWithoutAutomaticDownloads)
{
    UpdateController controller(true, defaults());
    int installs = 0;
    EXPECT_FALSE(UpdaterHost::willInstallOnQuit(controller.updaterController(), "2.0", [&] { ++installs; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(installs, 0);
}

// An install found while the picker is up waits for the first retry tick after it closed, not for
// the moment it closes.
TEST_F(UpdateControllerTest, DeferredInstallRunsAtTheFirstTickAfterThePickerClosed)
{
    UpdateController controller(true, defaults(), 200ms);
    controller.updaterController().setAutomaticallyDownloadsUpdates(true);
    bool pickerShown = true;
    int checks = 0;
    controller.setCanInstallNow([&] {
        ++checks;
        return !pickerShown;
    });
    int installs = 0;
    EXPECT_TRUE(UpdaterHost::willInstallOnQuit(controller.updaterController(), "2.0", [&] { ++installs; }));
    EXPECT_EQ(checks, 0); // asked on the main queue, after the callback returned
    ASSERT_TRUE(QTest::qWaitFor([&] { return checks == 2; }, 2000)); // at once, then one retry
    EXPECT_EQ(installs, 0);

    pickerShown = false;
    QCoreApplication::processEvents();
    EXPECT_EQ(installs, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return installs == 1; }, 2000));
    EXPECT_EQ(checks, 3);
}

} // namespace
