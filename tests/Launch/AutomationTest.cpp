#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Launch/ArcAX.h"
#include "Tavro/Launch/PrivateWindowAX.h"
#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/Workspace.h"
#include "Tavro/Simulation/SimulatedBrowser.h"
#include "tests/Launch/LaunchTestSupport.h"

using namespace tavro;
using namespace std::chrono_literals;
using Item = SimulatedBrowser::MenuItem;
using Menu = SimulatedBrowser::Menu;

namespace {

const QString browserID = QStringLiteral("org.example.Browser");
const QString arcID = QStringLiteral("company.thebrowser.Browser");

Item item(const QString& identifier, const QString& title, const QString& key = {}, std::optional<qint64> mods = {})
{
    return SimulatedBrowser::item(identifier, title, key, mods);
}

class AutomationTest : public test::LaunchFixture
{
protected:
    void SetUp() override
    {
        LaunchFixture::SetUp();
        AccessibilityHost::setTrusted(true);
    }

    // The item the private-window search settles on, by its title.
    QString bestTitle(const QList<Menu>& menus)
    {
        SimulatedBrowser browser(browserID);
        browser.setMenus(menus);
        const auto best = PrivateWindowAX::privateWindowItem(browser.application());
        return best ? PrivateWindowAX::describe(*best).title : QStringLiteral("<none>");
    }
};

} // namespace

TEST_F(AutomationTest, MatchRanks)
{
    using PrivateWindowAX::matchRank;
    EXPECT_EQ(matchRank({"newIncognitoWindowMenuItemId", "x", "", -1}), 0);
    EXPECT_EQ(matchRank({"", "New Incognito Window", "", -1}), 1);
    EXPECT_EQ(matchRank({"", "Neues privates Fenster", "n", 1}), 2);
    EXPECT_EQ(matchRank({"", "Neues Fenster", "N", 0}), std::nullopt);
    EXPECT_EQ(matchRank({"", "x", "NN", 1}), std::nullopt);
}

TEST_F(AutomationTest, PrivateItemSearchPrefersTheBestRankThenTheFirstFound)
{
    // An identifier match beats an earlier title match.
    EXPECT_EQ(bestTitle({{"App", {item({}, "New Private Window")}}, {"File", {item("NewPrivateWindow", "Privat")}}}),
        "Privat");
    // Two ⇧⌘N items: the first met wins.
    EXPECT_EQ(bestTitle({{"App", {item({}, "One", "N", 1)}}, {"File", {item({}, "Two", "N", 1)}}}), "One");
    // Submenu items count.
    Item parent = item({}, "More");
    parent.submenu = {item({}, "New Incognito Window")};
    EXPECT_EQ(bestTitle({{"App", {}}, {"File", {parent}}}), "New Incognito Window");
    // Only the three menus after the Apple menu are searched.
    EXPECT_EQ(
        bestTitle({{"App", {}}, {"File", {}}, {"Edit", {}}, {"View", {item("NewPrivateWindow", "Late")}}}), "<none>");
}

TEST_F(AutomationTest, OpenPrivateWindowRetriesUntilItsDeadline)
{
    EXPECT_FALSE(QCoro::waitFor(PrivateWindowAX::openPrivateWindow(browserID, 30ms, timing)));
    SimulatedBrowser browser(browserID);
    browser.setMenus({{"File", {item("NewPrivateWindow", "New Private Window")}}});
    EXPECT_TRUE(QCoro::waitFor(PrivateWindowAX::openPrivateWindow(browserID, 30ms, timing)));
    EXPECT_EQ(browser.pressCount("NewPrivateWindow"), 1);
}

TEST_F(AutomationTest, NewWindowSkipsKnownAndNonStandardWindows)
{
    SimulatedBrowser browser(browserID);
    const AXElement old = browser.openWindow();
    const auto snapshot = PrivateWindowAX::windows(browserID);
    SimulatedBrowser::WindowOptions panel;
    panel.subrole = QStringLiteral("AXFloatingWindow");
    browser.openWindow(panel);
    EXPECT_FALSE(QCoro::waitFor(PrivateWindowAX::newWindow(browserID, snapshot, 20ms, timing)));
    QTimer::singleShot(5, [&] { browser.openWindow(); });
    const auto fresh = QCoro::waitFor(PrivateWindowAX::newWindow(browserID, snapshot, 2000ms, timing));
    ASSERT_TRUE(fresh);
    EXPECT_NE(*fresh, old);
    EXPECT_EQ(browser.document(*fresh), QString());
}

TEST_F(AutomationTest, FocusNeedsTheWindowInFrontOfTheFrontmostApplication)
{
    SimulatedBrowser browser(browserID);
    const AXElement back = browser.openWindow();
    const AXElement front = browser.openWindow();
    EXPECT_TRUE(QCoro::waitFor(PrivateWindowAX::focus(back, browserID, 20ms, timing)));
    EXPECT_EQ(Workspace::shared().frontmostApplication()->processIdentifier, browser.processIdentifier());

    // A window that will not come forward is given up at the deadline.
    browser.setRaiseIgnored(true);
    EXPECT_FALSE(QCoro::waitFor(PrivateWindowAX::focus(front, browserID, 20ms, timing)));
    EXPECT_EQ(browser.focusedWindow(), back);
}

TEST_F(AutomationTest, LoadUrlTypesInChunksWhenTheFieldRefusesTheValue)
{
    SimulatedBrowser browser(browserID);
    browser.setAddressFieldRefusesValue(true);
    const AXElement window = browser.openWindow();
    const QUrl url(QStringLiteral("https://example.test/a-long-path/of-45-units/"));
    ASSERT_EQ(url.toString().size(), 45);
    EXPECT_EQ(
        QCoro::waitFor(PrivateWindowAX::loadURL(url, window, browserID, timing)), PrivateWindowAX::LoadResult::loaded);
    QStringList chunks;
    for (const KeyEvent& event : KeyEventsHost::keyDowns()) {
        if (!event.text.isEmpty())
            chunks.append(event.text);
    }
    EXPECT_EQ(chunks, (QStringList{url.toString().left(20), url.toString().mid(20, 20), url.toString().mid(40)}));
    EXPECT_EQ(KeyEventsHost::keyDowns().last().keyCode, KeyEvents::keyReturn);
    EXPECT_EQ(browser.document(window), url.toString());
}

TEST_F(AutomationTest, LoadUrlFailsForAMissingBrowserOrAnUnreadableFocus)
{
    SimulatedBrowser browser(browserID);
    const AXElement window = browser.openWindow();
    EXPECT_EQ(QCoro::waitFor(PrivateWindowAX::loadURL(QUrl("https://a.test/"), window, "org.example.Gone", timing)),
        PrivateWindowAX::LoadResult::failed);
    browser.setFocusedElementUnreadable(true);
    // ⌘L focuses the field again, so make every read of the focus fail.
    AccessibilityHost::setKeyHandler(browser.processIdentifier(), {});
    EXPECT_EQ(QCoro::waitFor(PrivateWindowAX::loadURL(QUrl("https://a.test/"), window, browserID, timing)),
        PrivateWindowAX::LoadResult::failed);
}

// Arc

class ArcTest : public AutomationTest
{
protected:
    std::unique_ptr<SimulatedBrowser> startArc(std::function<void()> onNewWindow)
    {
        auto arc = std::make_unique<SimulatedBrowser>(arcID);
        arc->setMenus(
            {{"Arc", {}}, {"File", {SimulatedBrowser::item("newWindow", "New Window", std::move(onNewWindow))}}});
        return arc;
    }
};

TEST_F(ArcTest, ExistingWindowIsEnoughAndNothingIsPressed)
{
    auto arc = startArc({});
    arc->openWindow();
    QCoro::waitFor(ArcAX::ensureBrowserWindow(timing));
    EXPECT_EQ(arc->pressCount("newWindow"), 0);
}

TEST_F(ArcTest, WithoutAWindowNewWindowIsPressedAfterTheFirstWait)
{
    SimulatedBrowser* raw = nullptr;
    auto arc = startArc([&raw] { QTimer::singleShot(5, [&raw] { raw->openWindow(); }); });
    raw = arc.get();
    timing.arcNewWindowWait = 2000ms;
    const auto started = std::chrono::steady_clock::now();
    QCoro::waitFor(ArcAX::ensureBrowserWindow(timing));
    EXPECT_GE(std::chrono::steady_clock::now() - started, timing.arcFirstWait);
    EXPECT_EQ(arc->pressCount("newWindow"), 1);
    EXPECT_TRUE(ArcAX::hasBrowserWindow());
}

TEST_F(ArcTest, WithoutTrustOrArcNothingHappens)
{
    const auto started = std::chrono::steady_clock::now();
    QCoro::waitFor(ArcAX::ensureBrowserWindow(timing)); // Arc does not run: the first wait, then nothing
    EXPECT_GE(std::chrono::steady_clock::now() - started, timing.arcFirstWait);

    auto arc = startArc({});
    AccessibilityHost::setTrusted(false);
    timing.arcFirstWait = 10s; // would be noticed
    QCoro::waitFor(ArcAX::ensureBrowserWindow(timing));
    EXPECT_EQ(arc->pressCount("newWindow"), 0);
}

TEST_F(ArcTest, NewWindowItemByIdentifierOrFrameworkTitle)
{
    SimulatedBrowser arc(arcID);
    arc.setMenus({{"File", {item("openNewWindow", "New Window"), item("_NS:42", "New Window")}}});
    EXPECT_TRUE(ArcAX::openNewWindow());
    EXPECT_EQ(arc.pressCount("_NS:42"), 1);
    EXPECT_EQ(arc.pressCount("openNewWindow"), 0);

    arc.setMenus({{"File", {item("newWindow", "Fenster"), item({}, "New Window")}}});
    EXPECT_TRUE(ArcAX::openNewWindow());
    EXPECT_EQ(arc.pressCount("newWindow"), 1);

    arc.setMenus({{"File", {item("somethingElse", "New Window")}}});
    EXPECT_FALSE(ArcAX::openNewWindow());
}

TEST_F(AutomationTest, RegisterInListReadsTheSystemOnlyWhenUntrusted)
{
    EXPECT_TRUE(AccessibilityPermission::registerInList());
    EXPECT_EQ(AccessibilityHost::systemWideReads(), 0);
    AccessibilityHost::setTrusted(false);
    EXPECT_FALSE(AccessibilityPermission::registerInList());
    EXPECT_EQ(AccessibilityHost::systemWideReads(), 1);
    EXPECT_EQ(AccessibilityHost::promptRequests(), 0);
}
