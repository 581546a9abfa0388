#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Simulation/SimulatedBrowser.h"
#include "tests/Launch/LaunchTestSupport.h"
#include "tests/Platform/RecordingApp.h"

using namespace tavro;
using Item = SimulatedBrowser::MenuItem;

namespace {

const QUrl first(QStringLiteral("https://first.test/a"));
const QUrl second(QStringLiteral("https://second.test/b"));

// Safari as a simulation: its File menu opens profile windows and private windows.
class SafariRoadTest : public test::LaunchFixture
{
protected:
    void SetUp() override
    {
        LaunchFixture::SetUp();
        AccessibilityHost::setTrusted(true);
        m_bundle = test::writeBundle(
            apps(), QStringLiteral("Safari"), QStringLiteral("com.apple.Safari"), QStringLiteral("Safari"));
    }
    void TearDown() override
    {
        safari.reset();
        LaunchFixture::TearDown();
    }

    void startSafari(const QStringList& profiles, bool withMenuItem = true)
    {
        safari = std::make_unique<SimulatedBrowser>(QStringLiteral("com.apple.Safari"), m_bundle);
        QList<Item> items{SimulatedBrowser::item(
            QStringLiteral("NewWindow"), QStringLiteral("New Window"), [this] { safari->openWindow(); })};
        for (const QString& profile : profiles) {
            items.append(SimulatedBrowser::item(QStringLiteral("New%1Window?isDefaultProfile=false").arg(profile),
                QStringLiteral("New %1 Window").arg(profile), [this] { safari->openWindow(); }));
        }
        if (withMenuItem) {
            items.append(SimulatedBrowser::item(
                QStringLiteral("NewPrivateWindow"), QStringLiteral("New Private Window"), [this] {
                    SimulatedBrowser::WindowOptions options;
                    options.isPrivate = true;
                    safari->openWindow(options);
                }));
        }
        safari->setMenus({{QStringLiteral("Safari"), {SimulatedBrowser::item({}, QStringLiteral("About Safari"))}},
            {QStringLiteral("File"), items},
            {QStringLiteral("Edit"), {SimulatedBrowser::item({}, QStringLiteral("Undo"))}}});
    }

    // Starting Safari (an activation launch) brings up the simulation with one blank window.
    void launchSafariOnDemand(const QStringList& profiles)
    {
        WorkspaceHost::setLauncher(QStringLiteral("com.apple.Safari"), [this, profiles] {
            startSafari(profiles);
            safari->openWindow();
        });
    }

    static BrowserDestination profile(const QString& name)
    {
        return test::destination("com.apple.Safari", "Safari", LaunchStrategy::safariProfile(name), name);
    }
    static BrowserDestination privateSafari()
    {
        return test::destination(
            "com.apple.Safari", "Safari", LaunchStrategy::browserCurrentProfile(), "Current Profile");
    }

    static QList<quint16> keyDownCodes()
    {
        QList<quint16> codes;
        for (const KeyEvent& event : KeyEventsHost::keyDowns())
            codes.append(event.keyCode);
        return codes;
    }

    std::unique_ptr<SimulatedBrowser> safari;
    QString m_bundle;
};

const QList<quint16> commandLThenReturn{KeyEvents::keyL, KeyEvents::keyReturn};

} // namespace

TEST_F(SafariRoadTest, WithoutTrustTheLinkOpensAnywayAndPermissionIsAskedFor)
{
    startSafari({QStringLiteral("Work")});
    AccessibilityHost::setTrusted(false);
    const auto result = open(first, profile(QStringLiteral("Work")));
    ASSERT_FALSE(result);
    EXPECT_EQ(std::get<SafariLaunchError>(result.error()), SafariLaunchError::accessibilityDenied());
    EXPECT_EQ(safari->handedUrls(), QList<QUrl>{first});
}

TEST_F(SafariRoadTest, ProfileWindowIsOpenedFilledAndRememberedThenReused)
{
    startSafari({QStringLiteral("Work"), QStringLiteral("Home")});
    const AXElement other = safari->openWindow();
    ASSERT_TRUE(open(first, profile(QStringLiteral("Work"))));
    EXPECT_EQ(safari->pressCount(QStringLiteral("New Work Window")), 1);
    const AXElement work = safari->focusedWindow();
    EXPECT_NE(work, other);
    EXPECT_EQ(safari->document(work), first.toString());
    EXPECT_EQ(keyDownCodes(), commandLThenReturn);
    EXPECT_EQ(SafariWindowCache::window(QStringLiteral("Work")), work);
    EXPECT_EQ(safari->windows().size(), 2); // Safari was running: nothing is closed

    // The next link for the profile only raises its window and hands the link over.
    safari->focusWindow(other);
    KeyEventsHost::reset();
    ASSERT_TRUE(open(second, profile(QStringLiteral("Work"))));
    EXPECT_EQ(safari->pressCount(QStringLiteral("New Work Window")), 1);
    EXPECT_EQ(safari->focusedWindow(), work);
    EXPECT_EQ(safari->document(work), second.toString());
    EXPECT_EQ(safari->handedUrls(), QList<QUrl>{second});
    EXPECT_TRUE(KeyEventsHost::keyDowns().isEmpty());

    // Once the user closed it, a new one is opened and remembered.
    safari->closeWindow(work);
    ASSERT_TRUE(open(first, profile(QStringLiteral("Work"))));
    EXPECT_EQ(safari->pressCount(QStringLiteral("New Work Window")), 2);
    EXPECT_EQ(SafariWindowCache::window(QStringLiteral("Work")), safari->focusedWindow());
}

TEST_F(SafariRoadTest, RenamedProfileIsRetriedThenReported)
{
    startSafari({QStringLiteral("Work")});
    const int before = AccessibilityHost::trustQueries();
    const auto result = open(first, profile(QStringLiteral("Old Name")));
    ASSERT_FALSE(result);
    EXPECT_EQ(std::get<SafariLaunchError>(result.error()), SafariLaunchError::profileWindowNotFound("Old Name"));
    EXPECT_EQ(description(result.error()),
        QStringLiteral("Safari has no “New Old Name Window” menu item. The profile may have been renamed."));
    EXPECT_EQ(safari->handedUrls(), QList<QUrl>{first});
    // The road asks for trust once, then each of the twelve press attempts does.
    EXPECT_EQ(AccessibilityHost::trustQueries() - before, 1 + 12);
}

TEST_F(SafariRoadTest, BlankNameIsTriedOnceAndIsNoError)
{
    startSafari({QStringLiteral("Work")});
    const int before = AccessibilityHost::trustQueries();
    ASSERT_TRUE(open(first, profile(QStringLiteral("  "))));
    EXPECT_EQ(AccessibilityHost::trustQueries() - before, 1 + 1);
    EXPECT_EQ(safari->handedUrls(), QList<QUrl>{first});
}

TEST_F(SafariRoadTest, AddressFieldThatRefusesTheValueGetsTheLinkHandedOver)
{
    startSafari({QStringLiteral("Work")});
    safari->setAddressFieldRefusesValue(true);
    ASSERT_TRUE(open(first, profile(QStringLiteral("Work"))));
    EXPECT_EQ(keyDownCodes(), QList<quint16>{KeyEvents::keyL});
    EXPECT_EQ(safari->handedUrls(), QList<QUrl>{first});
    EXPECT_EQ(safari->document(safari->focusedWindow()), first.toString());
}

TEST_F(SafariRoadTest, StartedSafariGetsAboutBlankAndLosesItsBlankWindows)
{
    launchSafariOnDemand({QStringLiteral("Work")});
    SafariWindowCache::windows().insert(QStringLiteral("Work"), AccessibilityHost::createElement(1));
    ASSERT_TRUE(open(std::nullopt, profile(QStringLiteral("Work"))));
    ASSERT_TRUE(safari);
    EXPECT_EQ(safari->pressCount(QStringLiteral("New Work Window")), 1);
    ASSERT_EQ(safari->windows().size(), 1);
    const AXElement work = safari->windows().first();
    EXPECT_EQ(safari->document(work), QStringLiteral("about:blank"));
    EXPECT_EQ(SafariWindowCache::windows().value(QStringLiteral("Work")), work);
}

// Private windows through the menu

TEST_F(SafariRoadTest, PrivateWindowNeedsTrustAndOpensNothingWithout)
{
    startSafari({});
    AccessibilityHost::setTrusted(false);
    const auto result = open(first, privateSafari(), true);
    ASSERT_FALSE(result);
    EXPECT_EQ(std::get<PrivateWindowError>(result.error()), PrivateWindowError::accessibilityDenied("Safari"));
    EXPECT_TRUE(safari->handedUrls().isEmpty());
    EXPECT_TRUE(safari->windows().isEmpty());
}

TEST_F(SafariRoadTest, PrivateWindowIsOpenedFilledAndReused)
{
    startSafari({});
    const AXElement ordinary = safari->openWindow();
    ASSERT_TRUE(open(first, privateSafari(), true));
    const AXElement privateWindow = safari->focusedWindow();
    EXPECT_TRUE(safari->isPrivate(privateWindow));
    EXPECT_EQ(safari->document(privateWindow), first.toString());
    EXPECT_EQ(keyDownCodes(), commandLThenReturn);
    EXPECT_EQ(SafariWindowCache::window(SafariWindowCache::privateWindowKey()), privateWindow);

    safari->focusWindow(ordinary);
    ASSERT_TRUE(open(second, privateSafari(), true));
    EXPECT_EQ(safari->pressCount(QStringLiteral("NewPrivateWindow")), 1);
    EXPECT_EQ(safari->document(privateWindow), second.toString());
    EXPECT_EQ(safari->document(ordinary), QString());
}

TEST_F(SafariRoadTest, PrivateWindowThatDoesNotComeToTheFrontIsNotTrusted)
{
    startSafari({});
    ASSERT_TRUE(open(first, privateSafari(), true));
    const AXElement cached = safari->focusedWindow();
    const AXElement ordinary = safari->openWindow();
    safari->setRaiseIgnored(true);
    ASSERT_TRUE(open(second, privateSafari(), true));
    EXPECT_EQ(safari->pressCount(QStringLiteral("NewPrivateWindow")), 2);
    const AXElement fresh = safari->focusedWindow();
    EXPECT_NE(fresh, cached);
    EXPECT_EQ(safari->document(fresh), second.toString());
    EXPECT_EQ(SafariWindowCache::window(SafariWindowCache::privateWindowKey()), fresh);
    EXPECT_EQ(safari->document(cached), first.toString());
    EXPECT_EQ(safari->document(ordinary), QString());
}

TEST_F(SafariRoadTest, LockedPrivateBrowsingIsReportedAndNothingIsEntered)
{
    startSafari({});
    safari->setPrivateBrowsingLocked(true);
    const auto result = open(first, privateSafari(), true);
    ASSERT_FALSE(result);
    EXPECT_EQ(std::get<PrivateWindowError>(result.error()), PrivateWindowError::locked("Safari"));
    EXPECT_EQ(keyDownCodes(), QList<quint16>{KeyEvents::keyL});
    EXPECT_TRUE(safari->handedUrls().isEmpty());
}

TEST_F(SafariRoadTest, MissingMenuItemOrWindowIsMenuItemNotFound)
{
    startSafari({}, false);
    auto result = open(first, privateSafari(), true);
    ASSERT_FALSE(result);
    EXPECT_EQ(std::get<PrivateWindowError>(result.error()), PrivateWindowError::menuItemNotFound("Safari"));

    // The item is pressed, but no window ever shows up.
    safari->setMenus({{QStringLiteral("Safari"), {}},
        {QStringLiteral("File"),
            {SimulatedBrowser::item(QStringLiteral("NewPrivateWindow"), QStringLiteral("New Private Window"))}}});
    result = open(first, privateSafari(), true);
    ASSERT_FALSE(result);
    EXPECT_EQ(std::get<PrivateWindowError>(result.error()), PrivateWindowError::menuItemNotFound("Safari"));
    EXPECT_EQ(safari->pressCount(QStringLiteral("NewPrivateWindow")), 1);
    EXPECT_TRUE(safari->handedUrls().isEmpty());
}

TEST_F(SafariRoadTest, PrivateWindowWithoutLinkIsOnlyBroughtToTheFront)
{
    startSafari({});
    safari->openWindow();
    ASSERT_TRUE(open(std::nullopt, privateSafari(), true));
    EXPECT_TRUE(safari->isPrivate(safari->focusedWindow()));
    EXPECT_TRUE(KeyEventsHost::posted().isEmpty());
}

TEST_F(SafariRoadTest, HeldShiftDelaysTheAddressFieldAndTooLongFails)
{
    startSafari({});
    KeyEventsHost::setHeldModifiers(KeyEvents::maskShift);
    auto result = open(first, privateSafari(), true);
    ASSERT_FALSE(result);
    EXPECT_EQ(std::get<PrivateWindowError>(result.error()), PrivateWindowError::menuItemNotFound("Safari"));
    EXPECT_TRUE(KeyEventsHost::posted().isEmpty());

    // Released in time, the link goes in.
    QTimer::singleShot(10, [] { KeyEventsHost::setHeldModifiers(0); });
    timing.modifierReleaseDeadline = std::chrono::milliseconds(2000);
    ASSERT_TRUE(open(second, privateSafari(), true));
    EXPECT_EQ(safari->document(safari->focusedWindow()), second.toString());
}

TEST_F(SafariRoadTest, StartedSafariClosesItsBlankWindowsAroundThePrivateOne)
{
    launchSafariOnDemand({});
    SafariWindowCache::windows().insert(SafariWindowCache::privateWindowKey(), AccessibilityHost::createElement(1));
    ASSERT_TRUE(open(first, privateSafari(), true));
    ASSERT_TRUE(safari);
    ASSERT_EQ(safari->windows().size(), 1);
    EXPECT_TRUE(safari->isPrivate(safari->windows().first()));
    EXPECT_EQ(safari->document(safari->windows().first()), first.toString());
}

// ⌘L that does not reach the address field (the page keeps it to itself) leaves the focus in one
// of the page's fields: that field gets nothing, no Return is pressed, and Safari gets the link.
namespace {

struct KeptFocusCase
{
    const char* name;
    QString role;
    QString subrole;
};

void PrintTo(const KeptFocusCase& keptFocusCase, std::ostream* out)
{
    *out << keptFocusCase.name;
}

class SafariKeptFocusTest : public SafariRoadTest, public ::testing::WithParamInterface<KeptFocusCase>
{ };

} // namespace

TEST_P(SafariKeptFocusTest, FieldThatIsNoAddressFieldGetsNothing)
{
    startSafari({QStringLiteral("Work")});
    QHash<QString, AXValue> attributes{{QString::fromLatin1(Accessibility::roleAttribute), GetParam().role},
        {QString::fromLatin1(Accessibility::valueAttribute), QString()}};
    if (!GetParam().subrole.isEmpty())
        attributes.insert(QString::fromLatin1(Accessibility::subroleAttribute), GetParam().subrole);
    const AXElement pageField = AccessibilityHost::createElement(safari->processIdentifier(), attributes);
    AccessibilityHost::setSettable(pageField, QString::fromLatin1(Accessibility::valueAttribute));
    const qint64 pid = safari->processIdentifier();
    const auto browserKeys = AccessibilityHost::keyHandler(pid);
    AccessibilityHost::setKeyHandler(pid, [browserKeys, pageField, app = safari->application()](const KeyEvent& event) {
        browserKeys(event);
        if (event.keyDown && event.keyCode == KeyEvents::keyL)
            AccessibilityHost::setAttribute(
                app, QString::fromLatin1(Accessibility::focusedUIElementAttribute), pageField);
    });

    ASSERT_TRUE(open(first, profile(QStringLiteral("Work"))));
    EXPECT_EQ(AccessibilityHost::attribute(pageField, QString::fromLatin1(Accessibility::valueAttribute)),
        AXValue(QString()));
    EXPECT_EQ(keyDownCodes(), QList<quint16>{KeyEvents::keyL});
    EXPECT_EQ(safari->handedUrls(), QList<QUrl>{first});
}

INSTANTIATE_TEST_SUITE_P(Fields, SafariKeptFocusTest,
    ::testing::Values(KeptFocusCase{"passwordField", QStringLiteral("AXTextField"),
                          QString::fromLatin1(Accessibility::secureTextFieldSubrole)},
        KeptFocusCase{"formChoice", QStringLiteral("AXPopUpButton"), QString()}),
    [](const ::testing::TestParamInfo<KeptFocusCase>& info) { return std::string(info.param.name); });
