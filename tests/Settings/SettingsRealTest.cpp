// The real `tavro` under a real X server: a second plain `tavro` while one runs opens
// Preferences, whose window tells the X server it is at least 720 x 660 and stays so when a
// client tries to shrink it. Screenshots of the window in light and dark land in build/artifacts/.

#include "tests/Settings/PreferencesRealFixture.h"

using namespace tavro;

namespace {

class SettingsRealTest : public test::PreferencesRealTest
{ };

} // namespace

TEST_P(SettingsRealTest, ASecondPlainTavroOpensPreferencesThatCannotBeMadeSmaller)
{
    const QString window = openPreferences();
    ASSERT_FALSE(window.isEmpty()) << "no Preferences window appeared";

    QByteArray hints;
    ASSERT_EQ(xvfb.run("xprop", {"-id", window, "WM_NORMAL_HINTS"}, &hints), 0);
    EXPECT_TRUE(hints.contains("program specified minimum size: 720 by 660")) << hints.constData();
    EXPECT_TRUE(QTest::qWaitFor([&] { return windowSize(window) == QSize(720, 660); }, 5000))
        << windowSize(window).width() << "x" << windowSize(window).height();

    // Let the window draw before it is photographed.
    QTest::qWait(0);
    EXPECT_TRUE(photograph(window, QStringLiteral(TAVRO_ARTIFACTS_DIR "/settings-real-%1.png").arg(appearanceName())));

    xvfb.run("xdotool", {"windowsize", "--sync", window, "300", "200"});
    // The server may report the request before Tavro answers it; what counts is where it settles.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QSize size = windowSize(window);
            return size.width() >= 720 && size.height() >= 660;
        },
        5000))
        << windowSize(window).width() << "x" << windowSize(window).height();
}

INSTANTIATE_TEST_SUITE_P(Appearances, SettingsRealTest, ::testing::Values(AppAppearance::light, AppAppearance::dark),
    [](const auto& info) { return info.param == AppAppearance::dark ? "dark" : "light"; });
