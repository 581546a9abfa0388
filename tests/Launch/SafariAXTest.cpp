#include "Tavro/Launch/SafariAX.h"
#include "Tavro/Launch/SafariMenuText.h"
#include "Tavro/Launch/SafariWindowCache.h"
#include "Tavro/Platform/Workspace.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/SimulatedBrowser.h"

#include <gtest/gtest.h>

#include <thread>

using namespace tavro;
using Item = SimulatedBrowser::MenuItem;

namespace {

const QString safariID = QStringLiteral("com.apple.Safari");

Item item(const QString& identifier, const QString& title)
{
    return SimulatedBrowser::item(identifier, title);
}

Item separator()
{
    return SimulatedBrowser::item({}, {});
}

class SafariAXTest : public ::testing::Test
{
protected:
    void SetUp() override { AccessibilityHost::setTrusted(true); }

    static QList<SimulatedBrowser::Menu> englishMenus(const QList<Item>& fileItems)
    {
        return {{QStringLiteral("Safari"), {item({}, QStringLiteral("About Safari"))}},
            {QStringLiteral("File"), fileItems}, {QStringLiteral("Edit"), {item({}, QStringLiteral("Undo"))}}};
    }
};

} // namespace

TEST_F(SafariAXTest, FileMenuNeedsARunningSafariAndTrust)
{
    EXPECT_EQ(SafariAX::fileMenuItems(), SafariAX::Result::notRunning());
    SimulatedBrowser safari(safariID);
    safari.setMenus(englishMenus({item(QStringLiteral("NewWindow"), QStringLiteral("New Window"))}));
    AccessibilityHost::setTrusted(false);
    EXPECT_EQ(SafariAX::fileMenuItems(), SafariAX::Result::notTrusted());
    AccessibilityHost::setTrusted(true);
    safari.removeMenuBar();
    EXPECT_EQ(SafariAX::fileMenuItems(), SafariAX::Result::unreadable());
}

TEST_F(SafariAXTest, FileMenuItemsComeDepthFirstWithoutSeparators)
{
    SimulatedBrowser safari(safariID);
    Item profiles = item({}, QStringLiteral("New Window In Profile"));
    profiles.submenu
        = {item(QStringLiteral("NewWorkWindow?isDefaultProfile=false"), QStringLiteral("New Work Window"))};
    safari.setMenus(englishMenus({item(QStringLiteral("NewWindow"), QStringLiteral("New Window")), profiles,
        separator(), item(QStringLiteral("NewPrivateWindow"), QStringLiteral("New Private Window"))}));
    const auto result = SafariAX::fileMenuItems();
    ASSERT_EQ(result.kind(), SafariAX::Result::Kind::items);
    const QList<SafariMenuItem> expected{{"NewWindow", "New Window"}, {"", "New Window In Profile"},
        {"NewWorkWindow?isDefaultProfile=false", "New Work Window"}, {"NewPrivateWindow", "New Private Window"}};
    EXPECT_EQ(result.menuItems(), expected);
}

TEST_F(SafariAXTest, FileMenuOfOnlySeparatorsIsAnEmptyList)
{
    SimulatedBrowser safari(safariID);
    safari.setMenus(englishMenus({separator(), separator()}));
    EXPECT_EQ(SafariAX::fileMenuItems(), SafariAX::Result::items({}));
}

TEST_F(SafariAXTest, LocalisedMenuBarIsRecognisedByItsNewWindowItems)
{
    SimulatedBrowser safari(safariID);
    safari.setMenus({{QStringLiteral("Safari"), {item({}, QStringLiteral("Über Safari"))}},
        {QStringLiteral("Ablage"),
            {item(QStringLiteral("NewArbeit%20ZweiWindow?isDefaultProfile=false"), QStringLiteral("Neues Fenster"))}},
        {QStringLiteral("Bearbeiten"), {item({}, QStringLiteral("Widerrufen"))}}});
    const auto result = SafariAX::fileMenuItems();
    ASSERT_EQ(result.kind(), SafariAX::Result::Kind::items);
    ASSERT_EQ(result.menuItems().size(), 1);
    EXPECT_EQ(result.menuItems().first().title, "Neues Fenster");

    // Two menus, the second without any new-window item: nothing qualifies.
    safari.setMenus({{QStringLiteral("Ablage"), {item({}, QStringLiteral("Öffnen"))}}});
    EXPECT_EQ(SafariAX::fileMenuItems(), SafariAX::Result::unreadable());
}

TEST_F(SafariAXTest, FileMenuCanBeReadFromAnotherThread)
{
    SimulatedBrowser safari(safariID);
    safari.setMenus(englishMenus({item(QStringLiteral("NewWindow"), QStringLiteral("New Window"))}));
    SafariAX::Result result = SafariAX::Result::unreadable();
    std::thread scan([&] { result = SafariAX::fileMenuItems(); });
    scan.join();
    EXPECT_EQ(result.kind(), SafariAX::Result::Kind::items);
}

struct ProfileCase
{
    const char* label;
    const char* requested;
    const char* pressed; // identifier or title of the item that must be pressed; nullptr: none
};

class SafariProfileWindowTest : public SafariAXTest, public ::testing::WithParamInterface<ProfileCase>
{ };

TEST_P(SafariProfileWindowTest, PressesTheItemOfTheNamedProfile)
{
    SimulatedBrowser safari(safariID);
    safari.setMenus(englishMenus({
        item(QStringLiteral("NewWindow"), QStringLiteral("New Window")),
        item(QStringLiteral("NewPersonalWindow?isDefaultProfile=true"), QStringLiteral("New Personal Window")),
        item(QStringLiteral("NewWorkStuffWindow?isDefaultProfile=false"), QStringLiteral("New Work Stuff Window")),
        item(QStringLiteral("NewDefaultWindow?isDefaultProfile=false"), QStringLiteral("New Default Window")),
        item(QStringLiteral("NewOtherWindow"), QStringLiteral("  New School Window\t")),
    }));
    const ProfileCase c = GetParam();
    const bool pressed = SafariAX::openProfileWindow(QString::fromUtf8(c.requested));
    EXPECT_EQ(pressed, c.pressed != nullptr);
    if (c.pressed) {
        EXPECT_EQ(safari.pressCount(QString::fromUtf8(c.pressed)), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Names, SafariProfileWindowTest,
    ::testing::Values(ProfileCase{"spacedName", "Work Stuff", "NewWorkStuffWindow?isDefaultProfile=false"},
        ProfileCase{"squashedName", "WorkStuff", "NewWorkStuffWindow?isDefaultProfile=false"},
        // The first item in menu order decides: the default profile's item comes before the
        // profile that is named "Default".
        ProfileCase{"defaultWord", "Default", "NewPersonalWindow?isDefaultProfile=true"},
        ProfileCase{"blankName", "   ", "NewPersonalWindow?isDefaultProfile=true"},
        ProfileCase{"titleOnly", "School", "NewOtherWindow"}, ProfileCase{"unknown", "Gone", nullptr}),
    [](const ::testing::TestParamInfo<ProfileCase>& info) { return std::string(info.param.label); });

TEST_F(SafariAXTest, ProfileWindowPressFailsWithoutTrustOrWhenThePressFails)
{
    SimulatedBrowser safari(safariID);
    Item work = item(QStringLiteral("NewWorkWindow?isDefaultProfile=false"), QStringLiteral("New Work Window"));
    work.pressFails = true;
    safari.setMenus(englishMenus({work}));
    EXPECT_FALSE(SafariAX::openProfileWindow(QStringLiteral("Work")));
    AccessibilityHost::setTrusted(false);
    EXPECT_FALSE(SafariAX::openProfileWindow(QStringLiteral("Work")));
}

TEST_F(SafariAXTest, RaiseWindowUnminimisesAndActivates)
{
    SimulatedBrowser safari(safariID);
    const AXElement first = safari.openWindow();
    safari.openWindow();
    EXPECT_EQ(Accessibility::setAttributeValue(first, Accessibility::minimizedAttribute, true), AXError::success);
    ASSERT_TRUE(SafariAX::raiseWindow(first));
    EXPECT_FALSE(safari.isMinimized(first));
    EXPECT_EQ(SafariAX::focusedWindow(), first);
    EXPECT_EQ(Workspace::shared().frontmostApplication()->processIdentifier, safari.processIdentifier());
    safari.closeWindow(first);
    EXPECT_FALSE(SafariAX::raiseWindow(first));
}

TEST_F(SafariAXTest, CloseBlankWindowsKeepsDocumentsAndTheKeptWindow)
{
    SimulatedBrowser safari(safariID);
    const AXElement page = safari.openWindow({QStringLiteral("https://a.test/")});
    const AXElement blank = safari.openWindow();
    const AXElement kept = safari.openWindow();
    SafariAX::closeBlankWindows(kept);
    EXPECT_EQ(safari.windows().size(), 2);
    EXPECT_TRUE(safari.windows().contains(page));
    EXPECT_TRUE(safari.windows().contains(kept));
    EXPECT_FALSE(safari.windows().contains(blank));
}

TEST_F(SafariAXTest, WindowCacheDropsClosedWindows)
{
    SimulatedBrowser safari(safariID);
    const AXElement window = safari.openWindow();
    SafariWindowCache::windows().insert(QStringLiteral("Work"), window);
    EXPECT_EQ(SafariWindowCache::window(QStringLiteral("Work")), window);
    safari.closeWindow(window);
    EXPECT_FALSE(SafariWindowCache::window(QStringLiteral("Work")));
    EXPECT_FALSE(SafariWindowCache::windows().contains(QStringLiteral("Work")));
    EXPECT_EQ(SafariWindowCache::privateWindowKey().size(), 8);
    EXPECT_EQ(SafariWindowCache::privateWindowKey().at(0), QChar(0));
}

TEST(SafariMenuTextTest, ProfileMarkers)
{
    using SafariMenuText::profileIdentifier;
    using Marker = SafariMenuText::ProfileMarker;
    EXPECT_EQ(profileIdentifier("NewWork%20TwoWindow?isDefaultProfile=false"), (Marker{"Work Two", false}));
    EXPECT_EQ(profileIdentifier("NewHomeWindow?isDefaultProfile=true"), (Marker{"Home", true}));
    EXPECT_EQ(profileIdentifier("New100%Window?isDefaultProfile=false"), (Marker{"100%", false}));
    // The last marker counts.
    EXPECT_EQ(profileIdentifier("NewAWindow?isDefaultProfile=Window?isDefaultProfile=true"),
        (Marker{"AWindow?isDefaultProfile=", true}));
    EXPECT_FALSE(profileIdentifier("NewWindow?isDefaultProfile=true"));
    EXPECT_FALSE(profileIdentifier("NewWindow"));
    EXPECT_FALSE(profileIdentifier("OpenHomeWindow?isDefaultProfile=true"));
    EXPECT_EQ(SafariMenuText::percentDecoded("%E2%9C%93"), QStringLiteral("✓"));
    EXPECT_FALSE(SafariMenuText::percentDecoded("%FF"));
    EXPECT_EQ(SafariMenuText::trimmedSpaces(QStringLiteral("\t\u00A0New Window \n")), "New Window \n");
    EXPECT_EQ(SafariMenuText::squashed(QStringLiteral(" a b\tc\n")), "abc");
}
