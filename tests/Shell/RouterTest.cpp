#include "Tavro/Shell/Router.h"
#include "Tavro/Platform/ModifierFlags.h"
#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Platform/RecordingApp.h"
#include "tests/Shell/ShellFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

using namespace tavro;
using namespace tavro::test;

namespace {

struct PickerCall
{
    QUrl url;
    std::optional<QString> notice;
    bool privately = false;
    Router::PickerRequest request = Router::PickerRequest::arrival;
    bool operator==(const PickerCall&) const = default;
};

class RouterFixture : public ShellFixture
{
protected:
    RouterFixture()
    {
        // Chrome is installed (its executable ends at once); Brave is not.
        writeBundle(home.filePath("Applications"), "Google Chrome", "com.google.Chrome", "Google Chrome",
            "#!/bin/sh\nexit 0\n");
    }
    Router& makeRouter(const AppSettings& settings)
    {
        open(settings);
        QObject::connect(store.get(), &SettingsStore::settingsChanged, [this] { ++storeWrites; });
        pickers.clear();
        router = std::make_unique<Router>(*store);
        QObject::connect(router.get(), &Router::pickerRequested,
            [this](
                const QUrl& url, const std::optional<QString>& notice, bool privately, Router::PickerRequest request) {
                pickers.append({url, notice, privately, request});
            });
        return *router;
    }

    void hold(quint64 flags) { KeyEventsHost::setHeldModifiers(flags); }

    // The one launch of the test, once it happened.
    std::optional<LaunchRecord> waitForLaunch()
    {
        if (!QTest::qWaitFor([] { return !WorkspaceHost::launches().isEmpty(); }, 5000))
            return std::nullopt;
        EXPECT_EQ(WorkspaceHost::launches().size(), 1);
        return WorkspaceHost::launches().first();
    }

    // Chrome opens private windows; Arc does not.
    const BrowserDestination chrome = shellDestination("com.google.Chrome", "Google Chrome", QStringLiteral("Default"));
    const BrowserDestination arc = shellDestination("company.thebrowser.Browser", "Arc");
    const QUrl link{QStringLiteral("https://example.test/page")};
    const BrowserDestination brave = shellDestination("com.brave.Browser", "Brave Browser", QStringLiteral("Default"));
    std::unique_ptr<Router> router;
    QList<PickerCall> pickers;
    int storeWrites = 0; // after makeRouter
};

struct DecisionRow
{
    bool equalKeys;
    bool invert;
    bool bypassHeld;
    bool privateHeld;
    bool expectPicker;
    bool expectPrivate;
    friend void PrintTo(const DecisionRow& r, std::ostream* os)
    {
        *os << (r.equalKeys ? "equal" : "different") << " keys, I=" << r.invert << " B=" << r.bypassHeld
            << " P=" << r.privateHeld;
    }
};

class RouterDecisionTest : public RouterFixture, public ::testing::WithParamInterface<DecisionRow>
{ };

TEST_P(RouterDecisionTest, FollowsTheHeldKeysAndInversion)
{
    const DecisionRow row = GetParam();
    AppSettings settings;
    settings.destinations = {chrome};
    // Chosen by key, so that recording its use changes the record.
    settings.bypassDestinationKey = chrome.matchKey();
    settings.bypassModifier = BypassModifier::option;
    settings.privateModifier = row.equalKeys ? BypassModifier::option : BypassModifier::shift;
    settings.invertBypass = row.invert;
    makeRouter(settings);
    // Other keys held at the same time make no difference.
    hold(ModifierFlag::control | (row.bypassHeld ? ModifierFlag::option : 0)
        | (row.privateHeld && !row.equalKeys ? ModifierFlag::shift : 0));

    router->route(link);

    if (row.expectPicker) {
        ASSERT_EQ(pickers.size(), 1);
        EXPECT_EQ(pickers.first(), (PickerCall{link, std::nullopt, row.expectPrivate}));
        EXPECT_EQ(storeWrites, 0);
    } else {
        EXPECT_TRUE(pickers.isEmpty());
        // A bypass records the use unless it opens privately.
        EXPECT_EQ(storeWrites, row.expectPrivate ? 0 : 1);
        const auto launched = waitForLaunch();
        ASSERT_TRUE(launched);
        EXPECT_EQ(launched->bundleIdentifier, QStringLiteral("com.google.Chrome"));
        EXPECT_EQ(launched->arguments.contains(QStringLiteral("--incognito")), row.expectPrivate);
        EXPECT_TRUE(launched->arguments.contains(link.toString()));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RouterDecisionTest,
    ::testing::Values(DecisionRow{false, false, false, false, true, false},
        DecisionRow{false, false, false, true, true, true}, DecisionRow{false, false, true, false, false, false},
        DecisionRow{false, false, true, true, false, true}, DecisionRow{false, true, false, false, false, false},
        DecisionRow{false, true, false, true, false, true}, DecisionRow{false, true, true, false, true, false},
        DecisionRow{false, true, true, true, true, true}, DecisionRow{true, false, false, false, true, false},
        DecisionRow{true, false, true, true, false, false}, DecisionRow{true, true, false, false, false, false},
        DecisionRow{true, true, true, true, true, false}));

TEST_F(RouterFixture, ResolveBypassKeepsPrivateOpensToBrowsersThatHavePrivateWindows)
{
    EXPECT_EQ(Router::resolveBypass(BypassTarget::picker(), true), Router::BypassOutcome::picker());
    EXPECT_EQ(Router::resolveBypass(BypassTarget::picker(QStringLiteral("n")), false),
        Router::BypassOutcome::picker(QStringLiteral("n")));
    EXPECT_EQ(Router::resolveBypass(BypassTarget::destination(arc), false), Router::BypassOutcome::open(arc));
    EXPECT_EQ(Router::resolveBypass(BypassTarget::destination(chrome), true), Router::BypassOutcome::open(chrome));
    EXPECT_EQ(Router::resolveBypass(BypassTarget::destination(arc), true),
        Router::BypassOutcome::picker(QStringLiteral("Arc can’t open private windows")));
    const BrowserDestination unknown = shellDestination("org.example.Unlisted", "Unlisted");
    EXPECT_EQ(Router::resolveBypass(BypassTarget::destination(unknown), true),
        Router::BypassOutcome::picker(QStringLiteral("Unlisted can’t open private windows")));
}

TEST_F(RouterFixture, PrivateBypassToABrowserWithoutPrivateWindowsShowsAPrivatePickerWithTheNotice)
{
    AppSettings settings;
    settings.destinations = {arc};
    settings.lastUsedDestinationID = arc.id;
    settings.privateModifier = BypassModifier::shift;
    makeRouter(settings);
    hold(ModifierFlag::option | ModifierFlag::shift);
    router->route(link);
    ASSERT_EQ(pickers.size(), 1);
    EXPECT_EQ(pickers.first(), (PickerCall{link, QStringLiteral("Arc can’t open private windows"), true}));
}

TEST_F(RouterFixture, BypassWithoutAUsableDestinationShowsThePicker)
{
    AppSettings settings;
    settings.destinations = {chrome};
    makeRouter(settings);
    hold(ModifierFlag::option);
    router->route(link);
    EXPECT_EQ(pickers, (QList<PickerCall>{{link, std::nullopt, false}}));

    settings.bypassDestinationKey = QStringLiteral("com.google.Chrome#Profile 9");
    makeRouter(settings);
    router->route(link);
    ASSERT_EQ(pickers.size(), 1);
    ASSERT_TRUE(pickers.first().notice.has_value());
    EXPECT_TRUE(pickers.first().notice->endsWith(QStringLiteral(" isn’t available right now")));
}

// The link goes first: the settings write and what follows it wait until the browser has it.
TEST_F(RouterFixture, UseIsRecordedAfterTheLaunchAndNeverForAPrivateOpen)
{
    AppSettings settings;
    settings.destinations = {chrome, arc};
    makeRouter(settings);
    qsizetype launchesWhenRecorded = -1;
    QObject scope; // ends the connection before launchesWhenRecorded goes
    QObject::connect(store.get(), &SettingsStore::settingsChanged, &scope,
        [&] { launchesWhenRecorded = WorkspaceHost::launches().size(); });

    router->open(link, chrome, true);
    ASSERT_TRUE(waitForLaunch());
    WorkspaceHost::clearLaunches();
    router->open(link, chrome, false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return store->settings().lastUsedDestinationID == chrome.id; }, 5000));
    EXPECT_EQ(launchesWhenRecorded, 1);
    EXPECT_EQ(storeWrites, 1) << "the private open recorded nothing";
}

TEST_F(RouterFixture, AFailedOpenStillCountsAndChooseAnotherShowsTheSamePickerAgain)
{
    // Brave is not installed; Vivaldi's program says why it cannot run and ends with an error.
    writeBundle(home.filePath("Applications"), "Vivaldi", "com.vivaldi.Vivaldi", "Vivaldi",
        "#!/bin/sh\necho 'Running as root without --no-sandbox is not supported' >&2\nexit 1\n");
    const BrowserDestination vivaldi = shellDestination("com.vivaldi.Vivaldi", "Vivaldi", QStringLiteral("Default"));
    AppSettings settings;
    settings.destinations = {chrome, brave, vivaldi};
    makeRouter(settings);
    for (const auto& [failing, reason] :
        {std::pair{brave, QStringLiteral("Couldn’t find Brave Browser. It may have been moved or uninstalled.")},
            std::pair{vivaldi,
                QStringLiteral("Couldn’t open the link in Vivaldi: Running as root without --no-sandbox is not "
                               "supported")}}) {
        for (const bool privately : {false, true}) {
            SCOPED_TRACE(failing.browserDisplayName.toStdString() + (privately ? ", private" : ""));
            pickers.clear();
            Alert::resetTestAnswers();
            Alert::answerNextWith(Alert::kFirstButtonReturn);
            router->open(link, failing, privately);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !Alert::answeredAlerts().isEmpty(); }, 10000));
            const Alert alert = Alert::answeredAlerts().first();
            EXPECT_EQ(alert.messageText, QStringLiteral("Tavro couldn’t open that link"));
            EXPECT_EQ(alert.informativeText, reason + QStringLiteral("\n\nhttps://example.test/page"));
            EXPECT_EQ(alert.buttonTitles, (QStringList{"Choose Another…", "Copy Link", "Dismiss"}));
            EXPECT_EQ(pickers, (QList<PickerCall>{{link, std::nullopt, privately, Router::PickerRequest::retry}}));
            // The private attempt leaves the use recorded by the first one.
            EXPECT_EQ(store->settings().lastUsedDestinationID, failing.id);
        }
    }
}

TEST_F(RouterFixture, AFailedOpenWithoutALinkOnlyClosesTheAlert)
{
    AppSettings settings;
    settings.destinations = {brave};
    makeRouter(settings);
    Alert::answerNextWith(Alert::kFirstButtonReturn);
    router->openDirect(brave, false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Alert::answeredAlerts().isEmpty(); }, 5000));
    EXPECT_TRUE(Alert::answeredAlerts().first().informativeText.endsWith(QStringLiteral("\n\nabout:blank")));
    EXPECT_TRUE(pickers.isEmpty());
    EXPECT_EQ(store->settings().lastUsedDestinationID, brave.id);

    Alert::answerNextWith(Alert::kSecondButtonReturn);
    router->openDirect(brave, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Alert::answeredAlerts().size() == 2; }, 5000));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("about:blank"));
}

} // namespace
