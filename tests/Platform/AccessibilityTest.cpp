#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/Workspace.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Simulation/SimulatedBrowser.h"
#include "Tavro/Simulation/WorkspaceHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace tavro;
namespace A = Accessibility;

namespace {

class AccessibilityTest : public ::testing::Test
{
protected:
    void SetUp() override { AccessibilityHost::setTrusted(true); }
};

} // namespace

TEST_F(AccessibilityTest, UntrustedProcessReadsNothing)
{
    SimulatedBrowser safari(QStringLiteral("com.apple.Safari"));
    const AXElement app = A::createApplication(safari.processIdentifier());
    EXPECT_TRUE(A::elementAttribute(app, "AXMenuBar"));
    AccessibilityHost::setTrusted(false);
    EXPECT_FALSE(A::isProcessTrusted());
    EXPECT_EQ(A::copyAttributeValue(app, "AXMenuBar").error(), AXError::apiDisabled);
    EXPECT_EQ(A::performAction(app, "AXRaise"), AXError::apiDisabled);
    EXPECT_EQ(AccessibilityHost::promptRequests(), 0);
}

TEST_F(AccessibilityTest, ElementsCompareByIdentityAndClosedWindowsFailReads)
{
    SimulatedBrowser browser(QStringLiteral("org.example.Browser"));
    const AXElement window = browser.openWindow();
    const auto windows = A::elementsAttribute(A::createApplication(browser.processIdentifier()), "AXWindows");
    ASSERT_TRUE(windows);
    ASSERT_EQ(windows->size(), 1);
    EXPECT_EQ(windows->first(), window);
    EXPECT_NE(browser.openWindow(), window);
    EXPECT_EQ(A::stringAttribute(window, "AXRole"), QStringLiteral("AXWindow"));

    ASSERT_EQ(A::performAction(*A::elementAttribute(window, "AXCloseButton"), "AXPress"), AXError::success);
    EXPECT_EQ(A::copyAttributeValue(window, "AXRole").error(), AXError::invalidUIElement);
    EXPECT_EQ(A::elementsAttribute(browser.application(), "AXWindows")->size(), 1);

    // An application without an element tree answers nothing.
    EXPECT_FALSE(A::copyAttributeValue(A::createApplication(4242), "AXWindows"));
}

TEST_F(AccessibilityTest, WritesNeedASettableAttribute)
{
    SimulatedBrowser browser(QStringLiteral("org.example.Browser"));
    const AXElement window = browser.openWindow();
    const AXElement field = browser.addressField(window);
    EXPECT_EQ(A::setAttributeValue(field, "AXValue", QStringLiteral("https://a.test/")), AXError::success);
    EXPECT_EQ(browser.addressText(window), "https://a.test/");
    EXPECT_NE(A::setAttributeValue(window, "AXRole", QStringLiteral("AXButton")), AXError::success);
    browser.setAddressFieldRefusesValue(true);
    EXPECT_NE(A::setAttributeValue(field, "AXValue", QStringLiteral("x")), AXError::success);
}

TEST_F(AccessibilityTest, SystemWideFocusFollowsTheFrontmostApplication)
{
    SimulatedBrowser browser(QStringLiteral("org.example.Browser"));
    const AXElement window = browser.openWindow();
    WorkspaceHost::setFrontmost(browser.processIdentifier());
    EXPECT_EQ(A::elementAttribute(A::createSystemWide(), "AXFocusedUIElement"), window);
    EXPECT_EQ(AccessibilityHost::systemWideReads(), 1);
}

TEST_F(AccessibilityTest, KeystrokesReachTheFrontmostApplication)
{
    SimulatedBrowser browser(QStringLiteral("org.example.Browser"));
    const AXElement window = browser.openWindow();
    auto press = [](quint16 code, quint64 flags, const QString& text = {}) {
        KeyEvents::post({code, true, flags, text});
        KeyEvents::post({code, false, flags, text});
    };
    // Not frontmost: only logged.
    press(KeyEvents::keyL, KeyEvents::maskCommand);
    EXPECT_NE(A::elementAttribute(browser.application(), "AXFocusedUIElement"), browser.addressField(window));

    WorkspaceHost::setFrontmost(browser.processIdentifier());
    press(KeyEvents::keyL, KeyEvents::maskCommand);
    EXPECT_EQ(A::elementAttribute(browser.application(), "AXFocusedUIElement"), browser.addressField(window));
    press(KeyEvents::keyA, 0, QStringLiteral("https://exa"));
    press(KeyEvents::keyA, 0, QStringLiteral("mple.test/"));
    press(KeyEvents::keyReturn, 0);
    EXPECT_EQ(browser.document(window), "https://example.test/");
    EXPECT_EQ(KeyEventsHost::keyDowns().size(), 5);
}

TEST_F(AccessibilityTest, HeldModifiersShowInTheFlagsState)
{
    EXPECT_EQ(KeyEvents::flagsState(KeyEvents::hidSystemState) & 0x1E0000, 0u);
    KeyEventsHost::setHeldModifiers(KeyEvents::maskShift);
    EXPECT_EQ(KeyEvents::flagsState(KeyEvents::hidSystemState) & 0x1E0000, KeyEvents::maskShift);
}

TEST_F(AccessibilityTest, TreeCanBeReadFromAnotherThreadWhileItChanges)
{
    SimulatedBrowser browser(QStringLiteral("com.apple.Safari"));
    browser.setMenus({{QStringLiteral("File"),
        {SimulatedBrowser::item(QStringLiteral("NewWindow"), QStringLiteral("New Window"))}}});
    std::atomic<bool> stop = false;
    std::atomic<int> reads = 0;
    std::thread reader([&] {
        while (!stop) {
            const AXElement app = A::createApplication(browser.processIdentifier());
            if (auto bar = A::elementAttribute(app, "AXMenuBar"))
                reads += A::elementsAttribute(*bar, "AXChildren").value_or(QList<AXElement>()).size() > 0;
            A::elementsAttribute(app, "AXWindows");
        }
    });
    for (int i = 0; i < 200; ++i) {
        const AXElement w = browser.openWindow();
        if (i % 2)
            browser.closeWindow(w);
    }
    stop = true;
    reader.join();
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(browser.windows().size(), 100);
}
