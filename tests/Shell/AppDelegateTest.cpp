#include "Tavro/Shell/AppDelegate.h"
#include "Tavro/AppWindows.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Onboarding/OnboardingView.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/LaunchEvent.h"
#include "Tavro/Platform/ModifierFlags.h"
#include "Tavro/Platform/ProcessActivity.h"
#include "Tavro/Platform/StatusItem.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/Router.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/ApplicationHost.h"
#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Simulation/ScreensHost.h"
#include "Tavro/Simulation/SimulatedBrowser.h"
#include "Tavro/Simulation/StatusItemHost.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Platform/RecordingApp.h"
#include "tests/Settings/ShownSection.h"
#include "tests/Shell/ShellFixture.h"
#include "tests/Support/ScanCounter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace tavro;
using namespace tavro::test;
using namespace std::chrono_literals;

namespace {

SettingsView* settingsView(const AppDelegate& delegate)
{
    return qobject_cast<SettingsView*>(delegate.settingsWindow());
}

OnboardingView* onboardingView(const AppDelegate& delegate)
{
    return qobject_cast<OnboardingView*>(delegate.onboardingWindow());
}

bool isPickerShown(const AppDelegate& delegate)
{
    return delegate.picker().panel() != nullptr;
}

// Calls `painted` at the first paint of the widgets it filters.
class WhenPainted : public QObject
{
public:
    explicit WhenPainted(std::function<void()> painted) : m_painted(std::move(painted)) { }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_painted)
            std::exchange(m_painted, nullptr)();
        return false;
    }

private:
    std::function<void()> m_painted;
};

// Counts the pickers shown while it lives.
class PickersShown : public QObject
{
public:
    PickersShown() { qApp->installEventFilter(this); }
    int count() const { return m_count; }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<FloatingPickerPanel*>(watched))
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

// The system telling the application it became the active one.
void becomeActive()
{
    Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive);
}

// The delegate's waits, short enough for a test: an alert looks for the picker again within a
// fraction of a second, and a refresh comes that soon after a change.
AppDelegateTiming shortTiming()
{
    return {.profileStreamLatency = 10ms, .profileDebounce = 400ms};
}

// The launch sequence and its observers, judged by what they leave behind: the destinations a
// scan found in the temporary HOME, a refresh after a browser's files change, a closed window.
class AppDelegateTest : public ShellFixture
{
protected:
    AppDelegateTest() { LaunchEvent::setCurrent(LaunchEvent::Kind::openApplication); }
    ~AppDelegateTest() override
    {
        delegate.reset();
        finishScans();
        safari.reset();
    }

    void launch(const AppSettings& settings, const QList<QUrl>& links = {})
    {
        open(settings);
        delegate = std::make_unique<AppDelegate>(*store, center, defaults, AppWindows::factory(), shortTiming());
        scans = std::make_unique<test::ScanCounter>();
        // As the entry point does: the links of the launch are held until the launch sequence runs.
        if (!links.isEmpty())
            delegate->applicationOpenUrls(links);
        delegate->applicationDidFinishLaunching();
    }

    static AppSettings laterLaunch()
    {
        AppSettings settings;
        settings.hasCompletedOnboarding = true;
        return settings;
    }

    // Whether `count` scans since the launch have landed in the store, waiting for them.
    bool scansLanded(int count) const
    {
        return QTest::qWaitFor([&] { return scans->count() >= count; }, 10000);
    }

    // Chromium with one profile, and Safari running, trusted for Accessibility, with two profiles
    // in its File menu and no tabs database to read them from.
    void installBrowsers()
    {
        installApp(home, "Chromium", "org.chromium.Chromium");
        writeLocalState(home, "Chromium", {{"Default", "Person 1"}});
        safari = std::make_unique<SimulatedBrowser>(
            QStringLiteral("com.apple.Safari"), installApp(home, "Safari", "com.apple.Safari"));
        safari->setMenus({SimulatedBrowser::Menu{QStringLiteral("File"),
            {SimulatedBrowser::item("newWindow", "New Window"),
                SimulatedBrowser::item("NewPersonalWindow?isDefaultProfile=true", "New Personal Window"),
                SimulatedBrowser::item("NewWorkWindow?isDefaultProfile=false", "New Work Window")}}});
        AccessibilityHost::setTrusted(true);
    }

    // "browser:profile" for each stored destination, in order.
    QStringList destinations() const
    {
        QStringList found;
        for (const BrowserDestination& d : store->settings().destinations)
            found.append(d.browserID + QLatin1Char(':') + d.profileDisplayName);
        return found;
    }

    std::unique_ptr<AppDelegate> delegate;
    std::unique_ptr<test::ScanCounter> scans;
    std::unique_ptr<SimulatedBrowser> safari;
};

const QStringList kPassiveScan{"chromium:Person 1", "safari:Current Profile"};
const QStringList kInteractiveScan{"chromium:Person 1", "safari:Personal", "safari:Work"};

TEST_F(AppDelegateTest, LaunchStaysAnAccessoryAndHoldsTheActivityForTheRun)
{
    Application::setActivationPolicy(Application::ActivationPolicy::regular);
    launch(laterLaunch());
    EXPECT_EQ(ApplicationHost::activationPolicy(), Application::ActivationPolicy::accessory);

    const auto activities = ProcessActivity::active();
    ASSERT_FALSE(activities.isEmpty());
    EXPECT_EQ(activities.last().options, AppDelegate::kActivityOptions);
    EXPECT_EQ(activities.last().reason, QStringLiteral("Tavro stays responsive so the first link click is instant"));
    const quint64 token = activities.last().token;
    delegate.reset();
    for (const auto& activity : ProcessActivity::active())
        EXPECT_NE(activity.token, token);
}

// A link that started Tavro is shown first; the scan and the status item wait for the picker's
// first frame.
TEST_F(AppDelegateTest, ALinkAtLaunchGetsItsPickerBeforeTheRestOfTheLaunch)
{
    installBrowsers();
    launch(laterLaunch(), {QUrl("https://example.com/first")});
    ASSERT_TRUE(isPickerShown(*delegate));
    EXPECT_TRUE(StatusItemHost::items().isEmpty());
    EXPECT_EQ(scans->count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !StatusItemHost::items().isEmpty(); }, 5000));
    EXPECT_TRUE(isPickerShown(*delegate));
    EXPECT_TRUE(scansLanded(1));

    // Without a link the launch runs whole at once.
    delegate.reset();
    launch(laterLaunch());
    EXPECT_FALSE(StatusItemHost::items().isEmpty());
}

// A first start shows the Welcome window first; the status item and the rest of the launch wait
// for its first frame, or for the window to go if it closes before it drew one.
TEST_F(AppDelegateTest, TheWelcomeWindowComesBeforeTheRestOfAFirstLaunch)
{
    launch({});
    QWidget* welcome = delegate->onboardingWindow();
    ASSERT_TRUE(welcome && welcome->isVisible());
    EXPECT_TRUE(StatusItemHost::items().isEmpty());
    std::optional<bool> itemAtFirstPaint;
    WhenPainted firstPaint([&] { itemAtFirstPaint = !StatusItemHost::items().isEmpty(); });
    welcome->installEventFilter(&firstPaint);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !StatusItemHost::items().isEmpty(); }, 5000));
    EXPECT_EQ(itemAtFirstPaint, false);

    delegate.reset();
    launch({});
    delegate->onboardingWindow()->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !StatusItemHost::items().isEmpty(); }, 5000));
}

// A later launch must not drive another application's menus: Safari stays one destination
// until something interactive reads its profiles.
TEST_F(AppDelegateTest, LaterLaunchScansWithoutReadingSafarisMenus)
{
    installBrowsers();
    launch(laterLaunch());
    ASSERT_TRUE(scansLanded(1));
    EXPECT_EQ(destinations(), kPassiveScan);
    EXPECT_EQ(store->safariHint(), SafariHint::none);
}

// The first launch shows onboarding, whose scan step reads Safari's profiles from its menu.
TEST_F(AppDelegateTest, FirstLaunchReadsSafarisProfilesFromItsMenu)
{
    installBrowsers();
    launch({});
    OnboardingView* onboarding = onboardingView(*delegate);
    ASSERT_TRUE(onboarding);
    EXPECT_EQ(onboarding->windowTitle(), "Welcome to Tavro");
    EXPECT_TRUE(onboarding->isVisible());
    onboarding->findChild<QPushButton*>("primaryButton")->click();
    ASSERT_TRUE(scansLanded(1));
    EXPECT_EQ(destinations(), kInteractiveScan);
}

TEST_F(AppDelegateTest, AProfileAddedWhileRunningBecomesADestination)
{
    installApp(home, "Chromium", "org.chromium.Chromium");
    writeLocalState(home, "Chromium", {{"Default", "Person 1"}});
    launch(laterLaunch());
    ASSERT_TRUE(scansLanded(1));
    ASSERT_EQ(destinations(), QStringList{"chromium:Person 1"});

    writeLocalState(home, "Chromium", {{"Default", "Person 1"}, {"Profile 1", "Work"}});
    EXPECT_TRUE(QTest::qWaitFor([this] { return destinations().contains("chromium:Work"); }, 10000))
        << destinations().join(", ").toStdString();
}

TEST_F(AppDelegateTest, RunSetupAgainClosesSettingsAndScansInteractively)
{
    installBrowsers();
    launch(laterLaunch());
    ASSERT_TRUE(scansLanded(1));
    ASSERT_EQ(destinations(), kPassiveScan);

    // The delegate owns its windows and drops a closed one.
    delegate->showSettings();
    QPointer<QWidget> settingsWindow = delegate->settingsWindow();
    center.post(Notifications::showOnboarding);
    EXPECT_FALSE(delegate->settingsWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(settingsWindow);
    ASSERT_TRUE(delegate->onboardingWindow());
    delegate->onboardingWindow()->findChild<QPushButton*>("primaryButton")->click();
    ASSERT_TRUE(scansLanded(2));
    EXPECT_EQ(destinations(), kInteractiveScan);
}

// A folder or a broken link where the settings file should be: every change would be gone at
// the next start, so the user is told, once a run, with the path.
TEST_F(AppDelegateTest, SettingsThatCanNeverBeSavedAreToldOnceWithThePath)
{
    const QString folder = home.filePath("Library/Preferences/folder.plist");
    QDir().mkpath(folder);
    const QString link = home.filePath("Library/Preferences/link.plist");
    ASSERT_TRUE(QFile::link(home.filePath("gone/settings.plist"), link));
    for (const QString& path : {folder, link}) {
        SCOPED_TRACE(path.toStdString());
        Alert::resetTestAnswers();
        Alert::answerNextWith(Alert::kFirstButtonReturn);
        Alert::answerNextWith(Alert::kFirstButtonReturn);
        UserDefaults unsaved(path);
        SettingsStore unsavedStore(unsaved);
        AppDelegate unsavedDelegate(unsavedStore, center, defaults, AppWindows::factory());
        unsavedStore.edit([](AppSettings& s) { s.reduceAnimations = true; });
        unsavedStore.edit([](AppSettings& s) { s.invertBypass = true; });
        QCoreApplication::processEvents();
        ASSERT_EQ(Alert::answeredAlerts().size(), 1);
        EXPECT_EQ(Alert::answeredAlerts().first().messageText, QStringLiteral("Tavro can’t save its settings"));
        EXPECT_TRUE(Alert::answeredAlerts().first().informativeText.contains(path));
    }
}

TEST_F(AppDelegateTest, LaunchKindTellsAPlainUserLaunch)
{
    LaunchEvent::setCurrent(std::nullopt);
    EXPECT_FALSE(AppDelegate::isPlainUserLaunch());
    LaunchEvent::setCurrent(LaunchEvent::Kind::openApplication);
    EXPECT_TRUE(AppDelegate::isPlainUserLaunch());
    LaunchEvent::setCurrent(LaunchEvent::Kind::openApplicationAsLoginItem);
    EXPECT_FALSE(AppDelegate::isPlainUserLaunch());
    LaunchEvent::setCurrent(LaunchEvent::Kind::openURLs);
    EXPECT_FALSE(AppDelegate::isPlainUserLaunch());

    qputenv(LaunchEvent::kLaunchKindVariable, "login-item");
    EXPECT_EQ(LaunchEvent::takeFromProcess({}), LaunchEvent::Kind::openApplicationAsLoginItem);
    EXPECT_FALSE(qEnvironmentVariableIsSet(LaunchEvent::kLaunchKindVariable));
    EXPECT_EQ(LaunchEvent::takeFromProcess({}), LaunchEvent::Kind::openApplication);
    EXPECT_EQ(LaunchEvent::takeFromProcess({QUrl("https://a.test/")}), LaunchEvent::Kind::openURLs);
}

// Links handed over while Tavro runs: which are taken, in which order, and the picker they get.
class LinkIntakeTest : public ShellFixture
{
protected:
    LinkIntakeTest()
    {
        ScreensHost::setScreens({{QRect(0, 0, 1440, 900), QRect(0, 25, 1440, 875)}});
        ScreensHost::setPointerLocation(QPoint(700, 400));
        writeBundle(home.filePath("Applications"), "Google Chrome", "com.google.Chrome", "Google Chrome",
            "#!/bin/sh\nexit 0\n");
    }
    ~LinkIntakeTest() override { delegate.reset(); }

    AppDelegate& start(AppSettings settings = {})
    {
        settings.destinations = {chrome, brave};
        settings.hasCompletedOnboarding = true;
        // A delegate of an earlier start goes before its store does.
        delegate.reset();
        open(settings);
        delegate = std::make_unique<AppDelegate>(*store, center, defaults, AppWindows::factory());
        // Links are taken at once after the launch sequence. Its scan finds only Chrome's bundle
        // here; the test's destinations stand.
        delegate->applicationDidFinishLaunching();
        finishScans();
        store->setSettings(settings);
        return *delegate;
    }

    // The link of the picker shown now; empty when none is shown.
    QUrl shownLink() const
    {
        const PickerWindowController& picker = delegate->picker();
        return picker.panel() && picker.model() ? picker.model()->url : QUrl();
    }

    void cancelPicker()
    {
        ASSERT_NE(delegate->picker().model(), nullptr);
        delegate->picker().model()->cancel();
    }

    void triggerStatusMenuItem(const QString& text)
    {
        ASSERT_NE(delegate->statusItem(), nullptr);
        for (QAction* action : delegate->statusItem()->menu()->actions()) {
            if (action->text() == text) {
                action->trigger();
                return;
            }
        }
        FAIL() << "no status menu item " << text.toStdString();
    }

    const BrowserDestination chrome = shellDestination("com.google.Chrome", "Google Chrome", QStringLiteral("Default"));
    const BrowserDestination brave = shellDestination("com.brave.Browser", "Brave Browser", QStringLiteral("Default"));
    std::unique_ptr<AppDelegate> delegate;
};

TEST_F(LinkIntakeTest, WebAndFileLinksOfOneRequestEachGetThePickerInOrder)
{
    start();
    delegate->applicationOpenUrls({QUrl("https://a.test/1"), QUrl("mailto:someone@a.test"),
        QUrl("FILE:///tmp/page.html"), QUrl("ftp://a.test/x"), QUrl("HTTP://B.test/2")});
    EXPECT_EQ(shownLink(), QUrl("https://a.test/1"));
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl("file:///tmp/page.html"));
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl("http://b.test/2"));
    cancelPicker();
    EXPECT_EQ(delegate->picker().panel(), nullptr);
}

TEST_F(LinkIntakeTest, ANewRequestReplacesThePickerAndTheWaitingLinksFollow)
{
    start();
    delegate->applicationOpenUrls({QUrl("https://a.test/1"), QUrl("https://a.test/2")});
    EXPECT_EQ(shownLink(), QUrl("https://a.test/1"));
    delegate->applicationOpenUrls({QUrl("https://c.test/3"), QUrl("https://c.test/4")});
    EXPECT_EQ(shownLink(), QUrl("https://c.test/3"));
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl("https://a.test/2"));
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl("https://c.test/4"));
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl());
}

// Requests that came together go as they would one after the other, and only the picker that stays
// is built: a reopen among them finds the picker before it on the screen.
TEST_F(LinkIntakeTest, RequestsThatCameTogetherEndAsOneAfterTheOther)
{
    start();
    PickersShown shown;
    delegate->applicationOpenUrlRequests(
        {{QUrl("https://a.test/1"), QUrl("https://a.test/2")}, {QUrl("https://b.test/")}, {}, {QUrl("mailto:x@c.test")},
            {QUrl("https://c.test/3"), QUrl("https://c.test/4")}});
    EXPECT_EQ(shown.count(), 2);
    EXPECT_EQ(delegate->settingsWindow(), nullptr);
    for (const QUrl& link : {QUrl("https://c.test/3"), QUrl("https://a.test/2"), QUrl("https://c.test/4")}) {
        EXPECT_EQ(shownLink(), link);
        cancelPicker();
    }
    EXPECT_EQ(shownLink(), QUrl());
}

// However many links a request brings, only so many wait for their picker: the newest.
TEST_F(LinkIntakeTest, TheLinksWaitingForAPickerAreBounded)
{
    start();
    QList<QUrl> links;
    for (int i = 0; i < 250; ++i)
        links.append(QUrl(QStringLiteral("https://a.test/%1").arg(i)));
    delegate->applicationOpenUrls(links);
    QList<QUrl> shown;
    while (!shownLink().isEmpty() && shown.size() <= links.size()) {
        shown.append(shownLink());
        cancelPicker();
    }
    EXPECT_EQ(shown, QList<QUrl>{links.first()} + links.mid(50));
}

TEST_F(LinkIntakeTest, PickerShowsTheVisibleDestinationsAtThePointer)
{
    AppSettings settings;
    settings.lastUsedDestinationID = brave.id;
    settings.bypassModifier = BypassModifier::control;
    start(settings);
    delegate->applicationOpenUrls({QUrl("https://a.test/1")});
    const PickerViewModel* model = delegate->picker().model();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->destinations, (QList<BrowserDestination>{chrome, brave}));
    EXPECT_EQ(model->bypassSymbol, QStringLiteral("⌃"));
    EXPECT_EQ(model->selectedIndex(), 1);
    EXPECT_FALSE(model->isPrivate());
    EXPECT_EQ(model->screenRoom, (EdgeRoom{700, 740, 375, 500}));
    const QRect frame = delegate->picker().panel()->geometry();
    EXPECT_LE(
        (frame.topLeft() + QPoint(frame.width() / 2, frame.height() / 2) - QPoint(700, 400)).manhattanLength(), 1);
}

TEST_F(LinkIntakeTest, AChoiceOpensTheLinkThroughTheRouter)
{
    start();
    delegate->applicationOpenUrls({QUrl("https://a.test/1"), QUrl("https://a.test/2")});
    Q_EMIT delegate->picker().model()->chosen(chrome, false);
    EXPECT_EQ(store->settings().lastUsedDestinationID, chrome.id);
    ASSERT_TRUE(QTest::qWaitFor([] { return !WorkspaceHost::launches().isEmpty(); }, 5000));
    EXPECT_TRUE(WorkspaceHost::launches().first().arguments.contains("https://a.test/1"));
    // The next link of the request comes up once the first picker is gone.
    EXPECT_EQ(shownLink(), QUrl("https://a.test/2"));
}

TEST_F(LinkIntakeTest, ChooseAnotherReopensThePickerWithTheSamePrivateState)
{
    AppSettings settings;
    settings.invertBypass = true;
    settings.lastUsedDestinationID = brave.id;
    start(settings);
    // The private key held: the bypass opens Brave privately, which is not installed.
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift);
    Alert::answerNextWith(Alert::kFirstButtonReturn);
    delegate->applicationOpenUrls({QUrl("https://a.test/1")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !shownLink().isEmpty(); }, 5000));
    ASSERT_EQ(Alert::answeredAlerts().size(), 1);
    EXPECT_EQ(shownLink(), QUrl("https://a.test/1"));
    EXPECT_TRUE(delegate->picker().model()->isPrivate());
    EXPECT_FALSE(delegate->picker().model()->notice.has_value());
}

TEST_F(LinkIntakeTest, OnlyANewRequestDropsTheLinkWhosePickerItReplaces)
{
    start();
    delegate->applicationOpenUrls({QUrl("https://a.test/1"), QUrl("https://a.test/2")});
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl("https://a.test/2"));
    // A picker that is no new request's (from Settings here; the retry of an open that failed
    // late is another) takes the waiting link's place only until it closes.
    delegate->routeFromSettings(QUrl("https://s.test/"));
    EXPECT_EQ(shownLink(), QUrl("https://s.test/"));
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl("https://a.test/2"));
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl());
}

// An open fails while the next link's picker is up: its alert, modal, would keep the picker from
// its keys, so it waits for that picker, and its "Choose Another…" comes after.
TEST_F(LinkIntakeTest, AFailureWhileAPickerIsUpWaitsForItAndItsRetryComesAfter)
{
    AppSettings settings;
    settings.lastUsedDestinationID = brave.id;
    start(settings);
    delegate->applicationOpenUrls({QUrl("https://b.test/")});
    ASSERT_EQ(shownLink(), QUrl("https://b.test/"));

    // The next link bypasses to Brave, which is not installed: the open fails before it ever waits.
    KeyEventsHost::setHeldModifiers(ModifierFlag::option);
    Alert::answerNextWith(Alert::kFirstButtonReturn);
    delegate->applicationOpenUrls({QUrl("https://a.test/")});
    KeyEventsHost::setHeldModifiers(0);
    EXPECT_FALSE(QTest::qWaitFor([] { return !Alert::answeredAlerts().isEmpty(); }, 200)) << "over the picker";
    ASSERT_EQ(shownLink(), QUrl("https://b.test/"));

    for (const QUrl& link : {QUrl("https://b.test/"), QUrl("https://a.test/")}) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return shownLink() == link; }, 2000))
            << link.toString().toStdString() << " alerts " << Alert::answeredAlerts().size() << " shown "
            << shownLink().toString().toStdString();
        Q_EMIT delegate->picker().model()->chosen(chrome, false);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const auto launches = WorkspaceHost::launches();
                return !launches.isEmpty() && launches.last().arguments.contains(link.toString());
            },
            5000));
    }
    EXPECT_EQ(Alert::answeredAlerts().size(), 1);
    EXPECT_EQ(shownLink(), QUrl());
}

// A new link's picker takes the keyboard and the mouse: the failure alert still up for an
// earlier link gives way, answered as "Dismiss".
TEST_F(LinkIntakeTest, ANewLinksPickerClosesTheFailureAlertStillUp)
{
    AppSettings settings;
    settings.lastUsedDestinationID = brave.id;
    start(settings);
    QWidget* alertBefore = nullptr;
    QWidget* alertAfter = nullptr;
    QTimer::singleShot(0, [&] {
        alertBefore = QApplication::activeModalWidget();
        KeyEventsHost::setHeldModifiers(0);
        delegate->applicationOpenUrls({QUrl("https://b.test/")});
        alertAfter = QApplication::activeModalWidget();
    });
    // Ends the test rather than hanging it when the alert stays.
    QTimer::singleShot(5000, [] {
        if (QWidget* alert = QApplication::activeModalWidget())
            alert->close();
    });
    // A bypass to Brave, which is not installed: its alert waits for an answer.
    KeyEventsHost::setHeldModifiers(ModifierFlag::option);
    delegate->applicationOpenUrls({QUrl("https://a.test/")});
    EXPECT_TRUE(alertBefore);
    EXPECT_FALSE(alertAfter);
    EXPECT_EQ(shownLink(), QUrl("https://b.test/")) << "not the retry's picker for the first link";
}

// The write of a choice fails while the next link of its request gets its picker: the alert about
// the settings waits for that picker, which it would otherwise keep from the keyboard and the mouse.
TEST_F(LinkIntakeTest, TheUnsavedSettingsAlertWaitsForThePicker)
{
    const QString folder = home.filePath("Library/Preferences/folder.plist");
    QDir().mkpath(folder);
    UserDefaults unsaved(folder);
    SettingsStore unsavedStore(unsaved);
    AppSettings settings;
    settings.destinations = {chrome, brave};
    unsavedStore.setSettings(settings);
    delegate = std::make_unique<AppDelegate>(unsavedStore, center, defaults, AppWindows::factory(), shortTiming());
    const auto release = qScopeGuard([this] { delegate.reset(); });
    // The record is not onboarded: the launch opens the first-run window and scans nothing.
    delegate->applicationDidFinishLaunching();
    Alert::answerNextWith(Alert::kFirstButtonReturn);

    delegate->applicationOpenUrls({QUrl("https://a.test/1"), QUrl("https://a.test/2")});
    Q_EMIT delegate->picker().model()->chosen(chrome, false);
    ASSERT_EQ(shownLink(), QUrl("https://a.test/2"));
    EXPECT_FALSE(QTest::qWaitFor([] { return !Alert::answeredAlerts().isEmpty(); }, 200)) << "over the picker";
    cancelPicker();
    ASSERT_TRUE(QTest::qWaitFor([] { return !Alert::answeredAlerts().isEmpty(); }, 2000));
    EXPECT_EQ(Alert::answeredAlerts().first().messageText, QStringLiteral("Tavro can’t save its settings"));
}

TEST_F(LinkIntakeTest, HeldPrivateKeyStartsThePickerPrivateUnlessItIsAlsoTheBypassKey)
{
    AppSettings settings;
    settings.privateModifier = BypassModifier::shift;
    start(settings);
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift);
    delegate->applicationOpenUrls({QUrl("https://a.test/1")});
    ASSERT_NE(delegate->picker().model(), nullptr);
    EXPECT_TRUE(delegate->picker().model()->isPrivate());
    EXPECT_FALSE(delegate->picker().ignoringHeldPrivateKey());
    cancelPicker();

    // One key for both, the bypass inverted: holding it brings the picker, in normal mode, and
    // the picker ignores the key until it is released.
    settings.privateModifier = BypassModifier::option;
    settings.invertBypass = true;
    start(settings);
    KeyEventsHost::setHeldModifiers(ModifierFlag::option);
    delegate->applicationOpenUrls({QUrl("https://a.test/2")});
    ASSERT_NE(delegate->picker().model(), nullptr);
    EXPECT_FALSE(delegate->picker().model()->isPrivate());
    EXPECT_TRUE(delegate->picker().ignoringHeldPrivateKey());
}

TEST_F(LinkIntakeTest, PrivateBypassToABrowserWithoutPrivateWindowsShowsAPrivatePickerWithTheNotice)
{
    const BrowserDestination atlas = shellDestination("com.openai.atlas", "ChatGPT Atlas");
    AppSettings settings;
    settings.invertBypass = true;
    start(settings);
    store->edit([&](AppSettings& s) {
        s.destinations.append(atlas);
        s.lastUsedDestinationID = atlas.id;
    });
    KeyEventsHost::setHeldModifiers(ModifierFlag::shift);
    delegate->applicationOpenUrls({QUrl("https://a.test/1")});
    const PickerViewModel* model = delegate->picker().model();
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(model->isPrivate());
    EXPECT_EQ(model->notice, QStringLiteral("ChatGPT Atlas can’t open private windows"));
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
}

TEST_F(LinkIntakeTest, CommandCommaInThePickerOpensPreferences)
{
    start();
    delegate->applicationOpenUrls({QUrl("https://a.test/1")});
    ASSERT_FALSE(shownLink().isEmpty());
    Q_EMIT delegate->picker().settingsRequested();
    EXPECT_TRUE(shownLink().isEmpty());
    ASSERT_TRUE(delegate->settingsWindow());
    EXPECT_TRUE(delegate->settingsWindow()->isVisible());
}

TEST_F(LinkIntakeTest, PreferencesReplacesThePickerAndASectionSwitchesTheOpenWindow)
{
    using Section = SettingsView::Section;
    start();
    delegate->applicationOpenUrls({QUrl("https://a.test/1")});
    ASSERT_FALSE(shownLink().isEmpty());
    triggerStatusMenuItem("Preferences…");
    EXPECT_TRUE(shownLink().isEmpty());
    SettingsView* window = settingsView(*delegate);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tavro Preferences"));
    EXPECT_EQ(selectedSection(*window), Section::destinations);

    delegate->showSettings(Section::help);
    EXPECT_EQ(settingsView(*delegate), window);
    EXPECT_EQ(selectedSection(*window), Section::help);
    // No section only brings the window forward.
    delegate->showSettings();
    EXPECT_EQ(selectedSection(*window), Section::help);
    EXPECT_EQ(posts.count(Notifications::showSettingsSection), 1);

    // A closed window leaves its field at once and is not reused.
    window->close();
    EXPECT_FALSE(delegate->settingsWindow());
    delegate->showSettings(Section::about);
    ASSERT_TRUE(settingsView(*delegate));
    EXPECT_EQ(selectedSection(*settingsView(*delegate)), Section::about);
}

// A window the picker ordered out comes back once the pickers are done, after a cancel or a
// choice, and not while the next waiting link's picker is up. It comes back behind: a picker
// also cancels when the user clicks into another application, which keeps the keyboard.
TEST_F(LinkIntakeTest, AWindowThePickerOrderedOutComesBackWhenThePickersAreDone)
{
    start();
    delegate->showSettings();
    QWidget& settingsWindow = *delegate->settingsWindow();
    delegate->applicationOpenUrls({QUrl("https://a.test/1"), QUrl("https://a.test/2")});
    EXPECT_FALSE(settingsWindow.isVisible());
    EXPECT_EQ(settingsWindow.windowOpacity(), 0.0);
    const int activations = ApplicationHost::activationCount();
    cancelPicker();
    EXPECT_FALSE(settingsWindow.isVisible()) << "the next link's picker is up";
    cancelPicker();
    EXPECT_TRUE(settingsWindow.isVisible());
    EXPECT_EQ(settingsWindow.windowOpacity(), 1.0);
    EXPECT_EQ(ApplicationHost::activationCount(), activations) << "Tavro took the keyboard back";
    // The queued second pass of the order-out leaves it alone once the picker is gone.
    QCoreApplication::processEvents();
    EXPECT_TRUE(settingsWindow.isVisible());

    delegate->applicationOpenUrls({QUrl("https://b.test/")});
    ASSERT_FALSE(settingsWindow.isVisible());
    Q_EMIT delegate->picker().model()->chosen(chrome, false);
    EXPECT_TRUE(settingsWindow.isVisible());
}

// A link handed over while Tavro starts into the first-run window (its settings still loading)
// waits for the launch sequence, gets its picker, and the Welcome window returns after it.
TEST_F(LinkIntakeTest, ALinkHandedOverDuringTheStartGetsItsPickerAfterTheWelcomeWindow)
{
    AppSettings settings;
    settings.destinations = {chrome, brave};
    open(settings);
    delegate = std::make_unique<AppDelegate>(*store, center, defaults, AppWindows::factory());
    delegate->applicationOpenUrls({QUrl("https://a.test/1")});
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(shownLink(), QUrl("https://a.test/1"));
    QWidget* welcome = delegate->onboardingWindow();
    ASSERT_TRUE(welcome);
    EXPECT_FALSE(welcome->isVisible());
    cancelPicker();
    EXPECT_TRUE(welcome->isVisible());
}

// Preferences or the first-run window in a picker's place: the user left that request, so a
// later link's picker is followed by nothing of it.
TEST_F(LinkIntakeTest, AWindowInThePickersPlaceDropsTheRestOfItsRequest)
{
    start();
    delegate->applicationOpenUrls({QUrl("https://a.test/1"), QUrl("https://a.test/2"), QUrl("https://a.test/3")});
    Q_EMIT delegate->picker().settingsRequested();
    ASSERT_TRUE(delegate->settingsWindow());
    delegate->applicationOpenUrls({QUrl("https://b.test/")});
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl());

    // The first-run window ("Run Setup Again") in the place of a picker.
    delegate->applicationOpenUrls({QUrl("https://c.test/1"), QUrl("https://c.test/2")});
    delegate->showOnboarding();
    ASSERT_TRUE(delegate->onboardingWindow());
    delegate->applicationOpenUrls({QUrl("https://d.test/")});
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl());
    EXPECT_TRUE(delegate->onboardingWindow()->isVisible());

    // Links of an earlier request that wait behind the left picker would pop up as late.
    delegate->applicationOpenUrls({QUrl("https://e.test/1"), QUrl("https://e.test/2")});
    delegate->applicationOpenUrls({QUrl("https://f.test/1"), QUrl("https://f.test/2")});
    delegate->showSettings();
    delegate->applicationOpenUrls({QUrl("https://g.test/")});
    cancelPicker();
    EXPECT_EQ(shownLink(), QUrl());
}

TEST_F(LinkIntakeTest, ALinkFromSettingsKeepsItAndCancelBringsItForward)
{
    start();
    delegate->showSettings();
    QWidget& settingsWindow = *delegate->settingsWindow();
    Application::setActivationPolicy(Application::ActivationPolicy::accessory);
    delegate->routeFromSettings(QUrl("https://a.test/1"));
    EXPECT_EQ(shownLink(), QUrl("https://a.test/1"));
    EXPECT_TRUE(settingsWindow.isVisible());

    // Activation while the picker is up leaves the window's alpha alone.
    becomeActive();
    EXPECT_EQ(settingsWindow.windowOpacity(), 1.0);

    cancelPicker();
    EXPECT_TRUE(settingsWindow.isVisible());
    EXPECT_EQ(settingsWindow.windowOpacity(), 1.0);
    EXPECT_EQ(ApplicationHost::activationPolicy(), Application::ActivationPolicy::regular);
}

TEST_F(LinkIntakeTest, ActivationWithoutAPickerBringsAHiddenSettingsWindowBack)
{
    start();
    delegate->showSettings();
    QWidget& settingsWindow = *delegate->settingsWindow();
    Application::setActivationPolicy(Application::ActivationPolicy::accessory);
    // Faded while the application comes forward, shown again once it is in front.
    becomeActive();
    EXPECT_EQ(settingsWindow.windowOpacity(), 0.0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return settingsWindow.windowOpacity() == 1.0; }, 2000));

    settingsWindow.hide();
    becomeActive();
    EXPECT_TRUE(QTest::qWaitFor([&] { return settingsWindow.isVisible(); }, 2000));
    EXPECT_EQ(ApplicationHost::activationPolicy(), Application::ActivationPolicy::regular);
}

} // namespace
