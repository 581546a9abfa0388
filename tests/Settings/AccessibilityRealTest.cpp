// The real `tavro` under Xvfb, with a session bus and the AT-SPI registry, read by a real AT-SPI
// client (pyatspi) as a screen reader reads it: Preferences section by section, the Welcome
// window step by step, and a link's picker while the private-window key is held.

#include "Tavro/Controls/FocusRing.h"
#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Model/Fixtures.h"
#include "tests/Settings/PreferencesRealFixture.h"
#include "tests/Support/AccessibilityBus.h"
#include "tests/Support/Listening.h"

using namespace tavro;

namespace {

class AccessibilityRealTest : public test::PreferencesRealTest
{
protected:
    void SetUp() override
    {
        test::PreferencesRealTest::SetUp();
        ASSERT_TRUE(bus.isRunning()) << "no session bus with the accessibility bus";
        environment = bus.environment(environment);
    }

    // A Brave with two profiles, the first stored with its key, emoji and colour set: the scan at
    // start finds it again and keeps them, and adds the second after it.
    void seed(AppSettings& settings) override
    {
        test::writeLocalState(
            home, QStringLiteral("BraveSoftware/Brave-Browser"), {{"Default", "Work"}, {"Profile 1", "Home"}});
        test::installApp(home, QStringLiteral("Brave Browser"), QStringLiteral("com.brave.Browser"));
        BrowserDestination work = test::destination(QStringLiteral("com.brave.Browser"), QStringLiteral("Default"));
        work.browserID = QStringLiteral("brave");
        work.browserDisplayName = QStringLiteral("Brave");
        work.profileDisplayName = QStringLiteral("Work");
        work.hotkey = QStringLiteral("k");
        work.profileEmoji = QStringLiteral("🦊");
        work.nodeColorHex = 0xCFE2F0;
        settings.destinations = {work};
        settings.hasCompletedOnboarding = !m_onboarding;
    }

    // What the walk found; empty when it found nothing wrong.
    QString walk(const QString& what)
    {
        QProcess walker;
        QProcessEnvironment walkerEnvironment = environment;
        walkerEnvironment.insert(QStringLiteral("DISPLAY"), xvfb.display());
        // The keyboard walk looks for the focus ring in its own colour.
        walkerEnvironment.insert(
            QStringLiteral("TAVRO_RING_COLOUR"), FocusRing::kColour.color(GetParam() == AppAppearance::dark).name());
        walker.setProcessEnvironment(walkerEnvironment);
        walker.setProcessChannelMode(QProcess::MergedChannels);
        walker.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(TAVRO_WALK_SCRIPT), what});
        if (!walker.waitForFinished(90000)) {
            walker.kill();
            return QStringLiteral("the walk did not finish");
        }
        const QString output = QString::fromUtf8(walker.readAll());
        return walker.exitCode() == 0 ? QString() : output;
    }

    test::AccessibilityBus bus{xvfb.display()};
    bool m_onboarding = false;
};

class OnboardingAccessibilityRealTest : public AccessibilityRealTest
{
protected:
    OnboardingAccessibilityRealTest() { m_onboarding = true; }
};

// Keys alone, typed on the X server: the light row on a bare server, which gives a window the
// keyboard only when told, the dark one under openbox, which focuses windows as a desktop does.
class KeyboardRealTest : public AccessibilityRealTest
{
protected:
    void SetUp() override
    {
        AccessibilityRealTest::SetUp();
        if (GetParam() == AppAppearance::dark) {
            ASSERT_TRUE(xvfb.startWindowManager());
        }
    }
};

// With Safari installed, so that the Welcome window has all four steps.
class OnboardingKeyboardRealTest : public KeyboardRealTest
{
protected:
    OnboardingKeyboardRealTest() { m_onboarding = true; }

    void seed(AppSettings& settings) override
    {
        KeyboardRealTest::seed(settings);
        test::installApp(home, QStringLiteral("Safari"), QStringLiteral("com.apple.Safari"));
    }
};

std::string windowManagerRowName(const ::testing::TestParamInfo<AppAppearance>& info)
{
    return info.param == AppAppearance::dark ? "dark_openbox" : "light_bare";
}

} // namespace

TEST_P(AccessibilityRealTest, PreferencesReadsRightToAScreenReader)
{
    ASSERT_FALSE(openPreferences().isEmpty()) << "no Preferences window appeared";
    const QString findings = walk(QStringLiteral("preferences"));
    EXPECT_TRUE(findings.isEmpty()) << findings.toStdString();
}

// The link comes from a second `tavro`, as from the desktop; Shift is held and let go on the X server.
TEST_P(AccessibilityRealTest, ThePickerAnnouncesPrivateModeAndRenamesItsPetals)
{
    tavro.setProcessEnvironment(environment);
    tavro.start(QStringLiteral(TAVRO_EXECUTABLE), {});
    ASSERT_TRUE(tavro.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 20000));
    QProcess link;
    link.setProcessEnvironment(environment);
    link.start(QStringLiteral(TAVRO_EXECUTABLE), {QStringLiteral("https://example.test/")});
    ASSERT_TRUE(link.waitForFinished(10000));
    ASSERT_EQ(link.exitCode(), 0);
    ASSERT_FALSE(xvfb.waitForWindow(QStringLiteral("^Choose where to open "), 20000).isEmpty());
    const QString findings = walk(QStringLiteral("picker"));
    EXPECT_TRUE(findings.isEmpty()) << findings.toStdString();
}

TEST_P(OnboardingAccessibilityRealTest, TheWelcomeWindowReadsRightToAScreenReader)
{
    tavro.setProcessEnvironment(environment);
    tavro.start(QStringLiteral(TAVRO_EXECUTABLE), {});
    ASSERT_TRUE(tavro.waitForStarted());
    ASSERT_FALSE(xvfb.waitForWindow(QStringLiteral("^Welcome to Tavro$"), 20000).isEmpty());
    const QString findings = walk(QStringLiteral("onboarding"));
    EXPECT_TRUE(findings.isEmpty()) << findings.toStdString();
}

// Every pane from the sidebar, the emoji and colour popovers, a hot-key recording and a row built
// anew for a colour: at every stop a control of Tavro in sight has the keyboard, and after the
// change Tab meets the rows as the screen shows them.
TEST_P(KeyboardRealTest, PreferencesWithKeysAloneNeverLoseTheFocus)
{
    ASSERT_FALSE(openPreferences().isEmpty()) << "no Preferences window appeared";
    const QString findings = walk(QStringLiteral("keyboard-preferences"));
    EXPECT_TRUE(findings.isEmpty()) << findings.toStdString();
}

// Every step, each choice of each step (the default browser, a rescan, every row of the bypass
// menus, the update box, Back) and once round each step's Tab order.
TEST_P(OnboardingKeyboardRealTest, TheWelcomeWindowWithKeysAloneNeverLosesTheFocus)
{
    tavro.setProcessEnvironment(environment);
    tavro.start(QStringLiteral(TAVRO_EXECUTABLE), {});
    ASSERT_TRUE(tavro.waitForStarted());
    ASSERT_FALSE(xvfb.waitForWindow(QStringLiteral("^Welcome to Tavro$"), 20000).isEmpty());
    const QString findings = walk(QStringLiteral("keyboard-onboarding"));
    EXPECT_TRUE(findings.isEmpty()) << findings.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardRealTest, ::testing::Values(AppAppearance::light, AppAppearance::dark), windowManagerRowName);
INSTANTIATE_TEST_SUITE_P(Keys, OnboardingKeyboardRealTest, ::testing::Values(AppAppearance::light, AppAppearance::dark),
    windowManagerRowName);
INSTANTIATE_TEST_SUITE_P(
    Light, AccessibilityRealTest, ::testing::Values(AppAppearance::light), [](const auto&) { return "light"; });
INSTANTIATE_TEST_SUITE_P(Light, OnboardingAccessibilityRealTest, ::testing::Values(AppAppearance::light),
    [](const auto&) { return "light"; });
