#include "Tavro/Controls/BrowserDataHintBanner.h"
#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Onboarding/ScanStepView.h"
#include "Tavro/Onboarding/StepDots.h"
#include "Tavro/Platform/DefaultBrowser.h"
#include "Tavro/Platform/SerialQueue.h"
#include "Tavro/Platform/Updater.h"
#include "Tavro/Shell/DefaultBrowserService.h"
#include "tests/Onboarding/OnboardingFixture.h"
#include "tests/Support/QueueHold.h"
#include "tests/Support/ScanCounter.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tavro;
using namespace tavro::test;
using namespace std::chrono_literals;

namespace {

class OnboardingViewTest : public OnboardingFixture
{
protected:
    QStringList texts(QWidget* root) const
    {
        QStringList found;
        for (QLabel* label : root->findChildren<QLabel*>())
            found.append(label->text());
        return found;
    }

    // Lets timers that fire before `delay` run out, ordered by Qt's timer list rather than by a sleep.
    static void runTimersFor(std::chrono::milliseconds delay)
    {
        QTimer probe;
        probe.setSingleShot(true);
        QSignalSpy fired(&probe, &QTimer::timeout);
        probe.start(delay);
        ASSERT_TRUE(fired.wait(int(delay.count()) + 5000));
    }

    QJsonObject storedRecord() const
    {
        return QJsonDocument::fromJson(defaults.data(SettingsStore::defaultsKey).value_or(QByteArray())).object();
    }

    // The welcome step says Tavro is the default browser instead of offering to make it so.
    bool showsDefaultBrowser() const
    {
        QWidget* step = shownStep();
        return step && step->objectName() == "welcome" && texts(step).contains("Tavro is your default browser.");
    }

    QComboBox* menu(const char* name) const { return shownStep()->findChild<QComboBox*>(name); }

    // Through the scan step, whose scan lands before this returns.
    void goToLastStep()
    {
        while (dots()->active() < dots()->count() - 1)
            pressPrimary();
        finishScans();
    }
};

TEST_F(OnboardingViewTest, WithoutSafariThreeStepsEndingInTheBypassStep)
{
    build();
    EXPECT_EQ(shownStepName(), "welcome");
    EXPECT_EQ(dots()->count(), 3);
    EXPECT_EQ(dots()->accessibleName(), "Step 1 of 3");
    EXPECT_FALSE(backButton()->isVisible());
    EXPECT_EQ(primaryButton(*view)->text(), "Continue");
    EXPECT_EQ(view->size(), QSize(560, 620));

    pressPrimary();
    EXPECT_EQ(dots()->active(), 1);
    EXPECT_EQ(shownStepName(), "scan");
    EXPECT_TRUE(backButton()->isVisible());
    EXPECT_EQ(dots()->accessibleName(), "Step 2 of 3");
    backButton()->click();
    EXPECT_EQ(dots()->active(), 0);

    goToLastStep();
    EXPECT_EQ(dots()->active(), 2);
    EXPECT_EQ(shownStepName(), "bypass");
    EXPECT_EQ(primaryButton(*view)->text(), "Finish");
    EXPECT_EQ(view->size(), QSize(560, 620));
}

TEST_F(OnboardingViewTest, SafariInstalledAddsItsStepOnceForTheLifeOfTheView)
{
    const QString safari = installSafari();
    build();
    EXPECT_EQ(dots()->count(), 4);
    EXPECT_EQ(dots()->accessibleName(), "Step 1 of 4");
    // One element for screen readers: the dots have no children of their own.
    EXPECT_TRUE(dots()->children().isEmpty());
    QDir(safari).removeRecursively();
    pressPrimary();
    pressPrimary();
    EXPECT_EQ(shownStepName(), "safari");
    EXPECT_EQ(primaryButton(*view)->text(), "Continue");
    EXPECT_EQ(dots()->count(), 4);
}

TEST_F(OnboardingViewTest, FinishStoresTheFlagOnceAndThenHandsBack)
{
    QSignalSpy writes(store.get(), &SettingsStore::settingsChanged);
    bool storedWhenCalled = false;
    view = std::make_unique<OnboardingView>(*store, updates);
    QObject::connect(view.get(), &OnboardingView::finished, [&] {
        ++finished;
        storedWhenCalled = storedRecord().value("hasCompletedOnboarding").toBool();
    });
    goToLastStep();
    pressPrimary();
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(storedWhenCalled);
    EXPECT_EQ(writes.count(), 1);

    SettingsStore nextLaunch(defaults);
    EXPECT_TRUE(nextLaunch.settings().hasCompletedOnboarding);
}

TEST_F(OnboardingViewTest, ConfirmedDefaultAdvancesOnceAfterTheDelay)
{
    const OnboardingView::Timing timing{25, 5ms, 150ms};
    build(timing);
    ASSERT_FALSE(showsDefaultBrowser());
    auto* button = shownStep()->findChild<QPushButton*>("makeDefault");
    ASSERT_TRUE(button);
    button->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return showsDefaultBrowser(); }, 5000));
    EXPECT_EQ(dots()->active(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dots()->active() == 1; }, 5000));
    runTimersFor(timing.advanceDelay * 2);
    EXPECT_EQ(dots()->active(), 1);
}

TEST_F(OnboardingViewTest, ConfirmationAfterTheUserReachedTheLastStepMovesNoFurther)
{
    const OnboardingView::Timing timing{25, 5ms, 150ms};
    build(timing);
    shownStep()->findChild<QPushButton*>("makeDefault")->click();
    goToLastStep();
    // The window's checks see the answer within their interval, long before the timers run out.
    ASSERT_TRUE(QTest::qWaitFor([&] { return DefaultBrowserService::isDefault(); }, 5000));
    runTimersFor(timing.advanceDelay * 2);
    EXPECT_EQ(dots()->active(), dots()->count() - 1);
}

TEST_F(OnboardingViewTest, TwoPressesBeforeTheAnswerAdvanceOnce)
{
    const OnboardingView::Timing timing{25, 5ms, 150ms};
    build(timing);
    auto* button = shownStep()->findChild<QPushButton*>("makeDefault");
    ASSERT_TRUE(button);
    button->click();
    button->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dots()->active() == 1; }, 5000));
    runTimersFor(timing.advanceDelay * 3);
    EXPECT_EQ(dots()->active(), 1);
}

TEST_F(OnboardingViewTest, AnAnswerToTheSecondPressAfterTheFirstWaitRanOutStillAdvances)
{
    // Launch Services' table cannot be written until the user answers the second prompt.
    QDir().mkpath(DefaultBrowser::storePath());
    build({6, 50ms, 10ms});
    auto* button = shownStep()->findChild<QPushButton*>("makeDefault");
    button->click();
    runTimersFor(150ms);
    button->click();
    runTimersFor(250ms); // the first wait's checks have run out, the second's still run
    QDir().rmdir(DefaultBrowser::storePath());
    EXPECT_TRUE(DefaultBrowserService::makeDefault());
    ASSERT_TRUE(QTest::qWaitFor([&] { return dots()->active() == 1; }, 5000));
    runTimersFor(300ms);
    EXPECT_EQ(dots()->active(), 1);
}

TEST_F(OnboardingViewTest, DeclinedDefaultLeavesTheButtonOnceTheChecksRunOut)
{
    // Launch Services' table cannot be written (a folder stands in its place, which stops root
    // too): the request fails, says why below the button, and is then checked as a declined prompt
    // would be.
    QDir().mkpath(DefaultBrowser::storePath());
    build({3, 5ms, 10ms});
    const auto failure = [this] { return shownStep()->findChild<QLabel*>("defaultBrowserFailure"); };
    ASSERT_TRUE(failure());
    EXPECT_FALSE(failure()->isVisible());
    shownStep()->findChild<QPushButton*>("makeDefault")->click();
    EXPECT_TRUE(failure()->isVisible());
    runTimersFor(200ms);
    EXPECT_FALSE(showsDefaultBrowser());
    EXPECT_EQ(dots()->active(), 0);
    EXPECT_TRUE(shownStep()->findChild<QPushButton*>("makeDefault"));
    EXPECT_TRUE(failure()->isVisible());
    EXPECT_EQ(failure()->text(),
        "Tavro couldn’t become your default browser: the MIME-applications file exists but could not be read.");
}

// Named in the desktop's files but not started by it: the step says why at the first check and
// stays, with its button.
TEST_F(OnboardingViewTest, ADefaultTheDesktopCannotStartSaysWhyAndStays)
{
    home.writeFile(".local/share/applications/tavro.desktop", "[Desktop Entry]\nType=Application\nExec=\"tavro %U\n");
    build({25, 1h, 10ms});
    const auto failure = [this] { return shownStep()->findChild<QLabel*>("defaultBrowserFailure"); };
    shownStep()->findChild<QPushButton*>("makeDefault")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return failure() && failure()->isVisible(); }, 5000));
    EXPECT_EQ(failure()->text(),
        "Tavro is named your default browser, but your desktop can’t start it: its desktop "
        "entry has no command that can be read.");
    EXPECT_FALSE(showsDefaultBrowser());
    EXPECT_EQ(dots()->active(), 0);
    // Shown again, the step still says it.
    pressPrimary();
    backButton()->click();
    ASSERT_TRUE(failure());
    EXPECT_TRUE(failure()->isVisible());
    EXPECT_TRUE(shownStep()->findChild<QPushButton*>("makeDefault"));
}

TEST_F(OnboardingViewTest, WelcomeRereadsTheDefaultEachTimeItShows)
{
    const OnboardingView::Timing timing{0, 5ms, 10ms};
    build(timing);
    EXPECT_FALSE(showsDefaultBrowser());
    pressPrimary();
    EXPECT_TRUE(DefaultBrowserService::makeDefault());
    backButton()->click();
    EXPECT_TRUE(showsDefaultBrowser());
    EXPECT_TRUE(DefaultBrowser::setDefaultHandlerForURLScheme("https", "org.chromium.Chromium"));
    pressPrimary();
    backButton()->click();
    ASSERT_FALSE(showsDefaultBrowser());

    // The check after a press reads "default", and its answer is held back until the step, shown
    // again, has read "not default": the older answer lands last and changes nothing.
    {
        QueueHold hold(DefaultBrowserService::queryQueue());
        shownStep()->findChild<QPushButton*>("makeDefault")->click();
    }
    DefaultBrowserService::queryQueue().run([] {}).waitForFinished();
    EXPECT_TRUE(DefaultBrowser::setDefaultHandlerForURLScheme("https", "org.chromium.Chromium"));
    pressPrimary();
    backButton()->click();
    runTimersFor(timing.advanceDelay * 3);
    EXPECT_FALSE(showsDefaultBrowser());
    EXPECT_EQ(dots()->active(), 0);
}

TEST_F(OnboardingViewTest, FirstVisitToTheScanStepStartsOneScan)
{
    installApp(home, "Chromium", "org.chromium.Chromium");
    writeLocalState(home, "Chromium", {{"Default", "Person 1"}, {"Profile 1", "Work"}});
    const ScanCounter scans;
    QueueHold hold(DiscoveryCoordinator::scanQueue());
    build();
    pressPrimary();
    EXPECT_TRUE(isScanning());
    auto* button = shownStep()->findChild<QPushButton*>("scanButton");
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(button->text().endsWith("Scan"));
    EXPECT_TRUE(texts(shownStep()).contains("Scanning browsers…"));
    hold.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !isScanning(); }, 10000));
    EXPECT_EQ(scans.count(), 1);
    EXPECT_EQ(shownStep()->findChild<QPushButton*>("scanButton")->text(), "Rescan");

    // Later visits do not scan again.
    backButton()->click();
    pressPrimary();
    EXPECT_FALSE(isScanning());
    finishScans();
    EXPECT_EQ(scans.count(), 1);
    photograph(*view, QStringLiteral("scan"));
}

TEST_F(OnboardingViewTest, NothingFoundLeavesThePlaceholder)
{
    build();
    pressPrimary();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !isScanning(); }, 10000));
    EXPECT_TRUE(texts(shownStep()).contains("No browsers detected yet."));
}

// The title shares its row with the scan button and has room to spare: it must not wrap.
TEST_F(OnboardingViewTest, ScanStepTitleStaysOnOneLineBesideTheButton)
{
    build();
    pressPrimary();
    finishScans();
    QLabel* title = nullptr;
    for (QLabel* label : shownStep()->findChildren<QLabel*>()) {
        if (label->text() == "Detected destinations")
            title = label;
    }
    ASSERT_TRUE(title);
    QCoreApplication::processEvents();
    EXPECT_LT(title->height(), 2 * title->fontMetrics().lineSpacing());
}

TEST_F(OnboardingViewTest, DestinationsAreGroupedByBrowserInCodePointOrder)
{
    AppSettings settings;
    auto unavailable = shellDestination("com.example.gone", "Gone", QStringLiteral("P"));
    unavailable.isAvailable = false;
    settings.destinations = {shellDestination("org.chromium.Chromium", "chromium", QStringLiteral("B")),
        shellDestination("com.google.Chrome", "Chrome", QStringLiteral("Work")), unavailable,
        shellDestination("com.google.Chrome", "Chrome", QStringLiteral("Home")),
        shellDestination("org.chromium.Chromium", "chromium")};
    const auto groups = ScanStepView::groupedByBrowser(settings.destinations);
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups.at(0).first, "Chrome");
    EXPECT_EQ(groups.at(1).first, "chromium");
    // Code points, not the locale's order: an upper-case initial sorts before any lower-case one.
    const auto mixed = ScanStepView::groupedByBrowser({shellDestination("com.example.arc", "arc"),
        shellDestination("app.zen-browser.zen", "Zen"), shellDestination("com.example.Brave", "Brave")});
    ASSERT_EQ(mixed.size(), 3);
    EXPECT_EQ(mixed.at(0).first, "Brave");
    EXPECT_EQ(mixed.at(1).first, "Zen");
    EXPECT_EQ(mixed.at(2).first, "arc");
    ASSERT_EQ(groups.at(0).second.size(), 2);
    EXPECT_EQ(groups.at(0).second.at(0).profileDisplayName, "Work");
    EXPECT_EQ(groups.at(0).second.at(1).profileDisplayName, "Home");
}

TEST_F(OnboardingViewTest, CurrentProfileTagOnlyForBrowsersWithProfiles)
{
    AppSettings settings;
    settings.destinations = {shellDestination("org.chromium.Chromium", "Chromium"),
        shellDestination("org.chromium.Chromium", "Chromium", QStringLiteral("Work")),
        shellDestination("com.apple.Safari", "Safari"), shellDestination("company.thebrowser.Browser", "Arc")};
    settings.destinations[2].launchStrategy = LaunchStrategy::browserCurrentProfile();
    settings.destinations[3].launchStrategy = LaunchStrategy::browserCurrentProfile();
    build();
    pressPrimary();
    finishScans();
    store->setSettings(settings);
    auto* scroll = shownStep()->findChild<QScrollArea*>("destinations");
    ASSERT_TRUE(scroll);
    auto tagged = [&](const BrowserDestination& d) {
        QWidget* row = scroll->findChild<QWidget*>(d.id.toString(QUuid::WithoutBraces));
        EXPECT_TRUE(row);
        return row && row->findChild<QLabel*>("currentProfileTag") != nullptr;
    };
    EXPECT_TRUE(tagged(settings.destinations[0]));
    EXPECT_FALSE(tagged(settings.destinations[1]));
    // Safari keeps profiles too; only a browser without any (a "no profiles" label) goes untagged.
    const std::optional<BrowserDefinition> safari = BrowserDefinition::definition("com.apple.Safari");
    EXPECT_EQ(tagged(settings.destinations[2]), !safari || !safari->noProfilesLabel());
    // Arc has no profiles at all: its single destination carries no tag.
    ASSERT_TRUE(BrowserDefinition::definition("company.thebrowser.Browser")->noProfilesLabel());
    EXPECT_FALSE(tagged(settings.destinations[3]));
}

TEST_F(OnboardingViewTest, BlockedDataShowsTheBannerWhoseRecheckScansEvenDuringAScan)
{
    // Two scans surely in flight.
    QueueHold hold(DiscoveryCoordinator::scanQueue());
    build();
    store->setBrowserDataHint(BrowserDataHint::blocked({"Chrome"}));
    pressPrimary();
    ASSERT_TRUE(isScanning());
    auto* banner = shownStep()->findChild<BrowserDataHintBanner*>();
    ASSERT_TRUE(banner);
    banner->recheckButton()->click();

    // When the second scan lands, the first has ended and the second still runs.
    int landed = 0;
    std::optional<bool> scanningAtSecond;
    const ScanCounter counted([&] {
        if (++landed == 2)
            scanningAtSecond = isScanning();
    });
    hold.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !isScanning(); }, 10000));
    EXPECT_EQ(landed, 2);
    EXPECT_EQ(scanningAtSecond, true);
}

TEST_F(OnboardingViewTest, BypassMenusListEveryKeyAndTheAvailableDestinationsInStoredOrder)
{
    AppSettings settings;
    auto gone = shellDestination("com.example.gone", "Gone");
    gone.isAvailable = false;
    settings.destinations = {shellDestination("org.chromium.Chromium", "Chromium", QStringLiteral("Work")), gone,
        shellDestination("com.apple.Safari", "Safari")};
    settings.destinations[2].sortOrder = -1;
    build();
    goToLastStep();
    store->setSettings(settings);
    QComboBox* modifiers = menu("bypassModifier");
    ASSERT_TRUE(modifiers);
    ASSERT_EQ(modifiers->count(), 4);
    EXPECT_EQ(modifiers->itemText(0), QString::fromUtf8("\u2325  Option"));
    EXPECT_EQ(modifiers->itemText(1), QString::fromUtf8("\u2318  Command"));
    EXPECT_EQ(modifiers->itemText(2), QString::fromUtf8("\u21E7  Shift"));
    EXPECT_EQ(modifiers->itemText(3), QString::fromUtf8("\u2303  Control"));
    EXPECT_EQ(modifiers->currentIndex(), 0);
    EXPECT_EQ(modifiers->accessibleName(), "Bypass with");

    QComboBox* targets = menu("bypassDestination");
    ASSERT_EQ(targets->count(), 3);
    EXPECT_EQ(targets->itemText(0), "Last Used");
    EXPECT_EQ(targets->itemText(1), settings.destinations[0].menuLabel());
    EXPECT_EQ(targets->itemText(2), settings.destinations[2].menuLabel());
    EXPECT_EQ(targets->currentIndex(), 0);
    EXPECT_EQ(targets->accessibleName(), "What to open");
    photograph(*view, QStringLiteral("bypass"));
}

TEST_F(OnboardingViewTest, AnOpenBypassMenuStaysOpenThroughChangesItDoesNotShow)
{
    build();
    view->show();
    goToLastStep();
    AppSettings settings;
    settings.destinations = {shellDestination("org.chromium.Chromium", "Chromium", QStringLiteral("Work"))};
    store->setSettings(settings);
    QComboBox* targets = menu("bypassDestination");
    targets->showPopup();
    ASSERT_TRUE(targets->view()->isVisible());

    store->setBrowserDataHint(BrowserDataHint::blocked({"Chrome"}));
    store->edit([](AppSettings& s) { s.appearance = AppAppearance::dark; });
    QCoreApplication::processEvents();
    EXPECT_EQ(menu("bypassDestination"), targets);
    EXPECT_TRUE(targets->view()->isVisible());

    // A destination it lists changes: the step is built again.
    store->edit([](AppSettings& s) { s.destinations[0].profileDisplayName = QStringLiteral("Renamed"); });
    EXPECT_NE(menu("bypassDestination"), targets);
}

TEST_F(OnboardingViewTest, WhatToOpenStoresAMatchKeyOrNoKeyAtAll)
{
    AppSettings settings;
    settings.destinations = {shellDestination("com.apple.Safari", "Safari")};
    build();
    goToLastStep();
    store->setSettings(settings);
    menu("bypassDestination")->activated(1);
    EXPECT_EQ(storedRecord().value("bypassDestinationKey").toString(), "com.apple.Safari#_current");
    EXPECT_EQ(store->settings().bypassDestinationKey, "com.apple.Safari#_current");
    QCoreApplication::processEvents();
    EXPECT_EQ(menu("bypassDestination")->currentIndex(), 1);

    menu("bypassDestination")->activated(0);
    EXPECT_FALSE(storedRecord().contains("bypassDestinationKey"));
    EXPECT_FALSE(store->settings().bypassDestinationKey.has_value());
}

TEST_F(OnboardingViewTest, AKeyMatchingNoRowSelectsNothingAndStays)
{
    build();
    goToLastStep();
    store->edit([](AppSettings& s) { s.bypassDestinationKey = QStringLiteral("com.example.gone#_current"); });
    EXPECT_EQ(menu("bypassDestination")->currentIndex(), -1);
    EXPECT_EQ(store->settings().bypassDestinationKey, "com.example.gone#_current");
}

// Choosing the private key as bypass key changes the private key now, as the next launch would.
TEST_F(OnboardingViewTest, BypassKeyEqualToThePrivateKeyMovesThePrivateKeyInTheSameWrite)
{
    build();
    goToLastStep();
    ASSERT_EQ(store->settings().privateModifier, BypassModifier::shift);
    QSignalSpy writes(store.get(), &SettingsStore::settingsChanged);
    menu("bypassModifier")->activated(2);
    EXPECT_EQ(writes.count(), 1);
    EXPECT_EQ(store->settings().bypassModifier, BypassModifier::shift);
    EXPECT_EQ(store->settings().privateModifier, BypassModifier::option);
    SettingsStore nextLaunch(defaults);
    EXPECT_EQ(nextLaunch.settings().bypassModifier, BypassModifier::shift);
    EXPECT_EQ(nextLaunch.settings().privateModifier, BypassModifier::option);

    QCoreApplication::processEvents();
    menu("bypassModifier")->activated(1);
    EXPECT_EQ(store->settings().bypassModifier, BypassModifier::command);
    EXPECT_EQ(store->settings().privateModifier, BypassModifier::option);
}

TEST_F(OnboardingViewTest, UpdateCheckboxWritesTheFrameworkPreferenceAtOnce)
{
    updates.updaterController().setAutomaticallyChecksForUpdates(true);
    build();
    goToLastStep();
    auto* box = shownStep()->findChild<QCheckBox*>("automaticChecks");
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(box->accessibleName(), "Notify me when there is an update");
    box->click();
    EXPECT_FALSE(defaults.value(Updater::automaticChecksKey).toBool());
    EXPECT_EQ(Updater::automaticChecksKey, "SUEnableAutomaticChecks");
    // A change made elsewhere shows here too.
    updates.updaterController().setAutomaticallyChecksForUpdates(true);
    const bool shown
        = QTest::qWaitFor([&] { return shownStep()->findChild<QCheckBox*>("automaticChecks")->isChecked(); }, 5000);
    EXPECT_TRUE(shown);
    EXPECT_EQ(store->settings().hasCompletedOnboarding, false);
}

// The check box used from the keyboard stays, with the keyboard, as the updater takes the change;
// the step built again for new rows in its menus gives the keyboard to the new check box.
TEST_F(OnboardingViewTest, TheKeyboardStaysOnTheControlItUsedWhenTheStepIsBuiltAgain)
{
    build();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    goToLastStep();
    QPointer<QCheckBox> box = shownStep()->findChild<QCheckBox*>("automaticChecks");
    ASSERT_TRUE(box);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_Space);
    ASSERT_TRUE(updates.updaterController().automaticallyChecksForUpdates());
    // The updater's announcement comes queued.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(box);
    EXPECT_EQ(shownStep()->findChild<QCheckBox*>("automaticChecks"), box.data());
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(box->hasFocus());

    AppSettings settings = store->settings();
    settings.destinations = {shellDestination("org.chromium.Chromium", "Chromium", QStringLiteral("Work"))};
    store->setSettings(settings);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(box) << "new rows build the step again";
    auto* rebuilt = shownStep()->findChild<QCheckBox*>("automaticChecks");
    ASSERT_TRUE(rebuilt);
    EXPECT_TRUE(rebuilt->isChecked());
    EXPECT_TRUE(rebuilt->hasFocus());
}

// Scan pressed from the keyboard is disabled while its scan runs; the step holds the keyboard
// meanwhile instead of Back, and the button has it again once the scan ends.
TEST_F(OnboardingViewTest, TheKeyboardComesBackToScanWhenItsScanEnds)
{
    build();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    pressPrimary();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !isScanning(); }, 10000));
    auto* rescan = shownStep()->findChild<QPushButton*>("scanButton");
    ASSERT_TRUE(rescan && rescan->isEnabled());
    rescan->setFocus(Qt::TabFocusReason);
    QueueHold hold(DiscoveryCoordinator::scanQueue());
    QTest::keyClick(rescan, Qt::Key_Space);
    ASSERT_TRUE(isScanning());
    EXPECT_EQ(QApplication::focusWidget(), shownStep());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(shownStep())->text(QAccessible::Name), "Rescan");
    hold.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !isScanning(); }, 10000));
    EXPECT_EQ(QApplication::focusWidget(), shownStep()->findChild<QPushButton*>("scanButton"));
}

// A choice made from the keyboard keeps the menu it was made with, and the keyboard on it.
TEST_F(OnboardingViewTest, TheKeyboardStaysOnTheMenuItChoseWith)
{
    build();
    view->show();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    goToLastStep();
    AppSettings settings;
    settings.destinations = {shellDestination("org.chromium.Chromium", "Chromium", QStringLiteral("Work"))};
    store->setSettings(settings);
    for (const char* name : {"bypassModifier", "bypassDestination", "bypassModifier"}) {
        SCOPED_TRACE(name);
        QComboBox* used = menu(name);
        used->setFocus(Qt::TabFocusReason);
        const int before = used->currentIndex();
        QTest::keyClick(used, Qt::Key_Down);
        ASSERT_TRUE(QTest::qWaitFor([&] { return used->view()->isVisible(); }, 5000));
        QTest::keyClick(used->view(), before + 1 < used->count() ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(used->view(), Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(menu(name), used);
        EXPECT_NE(used->currentIndex(), before);
        EXPECT_EQ(QApplication::focusWidget(), used);
    }
}

// A profile named with 500 characters: the scan step's card and the bypass step's menu keep
// within the window.
TEST_F(OnboardingViewTest, AFiveHundredCharacterNameKeepsTheStepsWithinTheWindow)
{
    build();
    view->show();
    AppSettings settings = store->settings();
    settings.destinations = {shellDestination("org.chromium.Chromium", "Chromium", QString(500, QLatin1Char('W')))};
    pressPrimary();
    finishScans();
    store->setSettings(settings);
    ASSERT_EQ(shownStepName(), "scan");
    QLabel* name = nullptr;
    for (QLabel* label : shownStep()->findChildren<QLabel*>()) {
        if (label->text().startsWith(QStringLiteral("WWWW")))
            name = label;
    }
    ASSERT_TRUE(name) << "the card shows the name";
    EXPECT_LE(name->sizeHint().width(), OnboardingView::kSize.width());
    goToLastStep();
    store->setSettings(settings);
    QComboBox* destinations = menu("bypassDestination");
    ASSERT_TRUE(destinations);
    ASSERT_GE(destinations->findData(settings.destinations.first().matchKey()), 0) << "the name is a row";
    destinations->showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return destinations->view()->isVisible(); }, 5000));
    EXPECT_LE(destinations->view()->window()->width(), OnboardingView::kSize.width());
    destinations->hidePopup();
}

TEST_F(OnboardingViewTest, WelcomeStepInLightAndDark)
{
    build();
    photograph(*view, QStringLiteral("welcome"));
    EXPECT_TRUE(DefaultBrowserService::makeDefault());
    pressPrimary();
    backButton()->click();
    photograph(*view, QStringLiteral("welcome-default"));
}

} // namespace

// A window switched from one appearance to the other draws each step exactly as a window built in
// the new one does, the scan step's banner included.
TEST_F(OnboardingViewTest, ALiveSwitchRepaintsEveryStepInTheNewColoursBothWays)
{
    for (const auto& [from, to] :
        {std::pair{Appearance::light, Appearance::dark}, {Appearance::dark, Appearance::light}}) {
        OnboardingView switched(*store, updates);
        OnboardingView built(*store, updates);
        setExplicitAppearance(&built, to);
        switched.show();
        built.show();
        const int steps = switched.findChild<StepDots*>(QStringLiteral("stepDots"))->count();
        for (int step = 0; step < steps; ++step) {
            setExplicitAppearance(&switched, from);
            finishScans();
            // After the scan, which reads no blocked data here.
            store->setBrowserDataHint(BrowserDataHint::blocked({"Chrome"}));
            QCoreApplication::processEvents();
            setExplicitAppearance(&switched, to);
            EXPECT_EQ(switched.grab().toImage(), built.grab().toImage()) << "step " << step << " keeps a colour";
            primaryButton(switched)->click();
            primaryButton(built)->click();
        }
    }
}
