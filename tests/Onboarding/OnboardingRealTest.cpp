// The real `tavro` under a real X server with a new HOME: its first start maps "Welcome to Tavro"
// at 560 x 620; xdotool presses the primary button through every step and Finish; the stored
// record then says onboarding is complete, and the next start shows no such window. Each step is
// photographed in light and dark into build/artifacts/.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Support/Listening.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

const QString kTitle = QStringLiteral("^Welcome to Tavro$");

class OnboardingRealTest : public ::testing::TestWithParam<AppAppearance>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        QDir().mkpath(TAVRO_ARTIFACTS_DIR);
        // A first run: only the appearance is stored, onboarding is not complete.
        AppSettings settings;
        settings.appearance = GetParam();
        UserDefaults defaults(UserDefaults::standardPath());
        EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, settings.toJsonBytes()));
        EXPECT_TRUE(defaults.synchronize());

        environment = xvfb.sessionEnvironment(home.path(), runtime.path());
        ASSERT_TRUE(xvfb.keepAlive());
    }

    void TearDown() override { stop(); }

    void stop()
    {
        if (tavro.state() == QProcess::NotRunning)
            return;
        tavro.terminate();
        if (!tavro.waitForFinished(5000)) {
            tavro.kill();
            tavro.waitForFinished(5000);
        }
    }

    bool start()
    {
        tavro.setProcessEnvironment(environment);
        tavro.setProcessChannelMode(channels);
        tavro.start(QStringLiteral(TAVRO_EXECUTABLE), {});
        return tavro.waitForStarted();
    }

    QString find(const QString& title, int timeoutMs) const { return xvfb.waitForWindow(title, timeoutMs); }

    QSize windowSize(const QString& window) const { return xvfb.windowSize(window); }

    // Photographs the window once it shows something other than `previous`; a null image when it
    // does not within ten seconds.
    QImage photograph(const QString& window, const QString& name, const QImage& previous)
    {
        const QString appearance = GetParam() == AppAppearance::dark ? QStringLiteral("dark") : QStringLiteral("light");
        const QString shot = QStringLiteral(TAVRO_ARTIFACTS_DIR "/onboarding-real-%1-%2.png").arg(name, appearance);
        QImage image;
        const bool changed = QTest::qWaitFor(
            [&] {
                image = xvfb.windowImage(window);
                return !image.isNull() && image != previous && image.save(shot);
            },
            10000);
        return changed ? image : QImage();
    }

    // The primary button sits at the footer's trailing edge: 16 points in from the right and
    // from the bottom.
    void pressPrimary(const QString& window)
    {
        xvfb.run("xdotool", {"mousemove", "--window", window, "520", "585", "click", "1"});
    }

    test::Xvfb xvfb;
    test::TempHome home;
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QProcess tavro;
    // Where the running Tavro's output goes; a test that reads its log separates the channels.
    QProcess::ProcessChannelMode channels = QProcess::ForwardedChannels;
};

} // namespace

TEST_P(OnboardingRealTest, FirstStartWalksThroughEveryStepAndTheNextStartShowsNothing)
{
    ASSERT_TRUE(start());
    const QString window = find(kTitle, 30000);
    ASSERT_FALSE(window.isEmpty()) << "no onboarding window appeared";
    EXPECT_TRUE(QTest::qWaitFor([&] { return windowSize(window) == QSize(560, 620); }, 5000))
        << windowSize(window).width() << "x" << windowSize(window).height();
    QByteArray hints;
    xvfb.run("xprop", {"-id", window, "WM_NORMAL_HINTS"}, &hints);
    EXPECT_TRUE(hints.contains("program specified minimum size: 560 by 620")) << hints.constData();
    EXPECT_TRUE(hints.contains("program specified maximum size: 560 by 620")) << hints.constData();

    // No Safari in this HOME: welcome, scan, bypass.
    QImage shown = photograph(window, QStringLiteral("1-welcome"), {});
    ASSERT_FALSE(shown.isNull());
    pressPrimary(window);
    shown = photograph(window, QStringLiteral("2-scan"), shown);
    ASSERT_FALSE(shown.isNull()) << "Continue did not lead to the scan";
    pressPrimary(window);
    shown = photograph(window, QStringLiteral("3-bypass"), shown);
    ASSERT_FALSE(shown.isNull()) << "Continue did not lead to the bypass step";
    pressPrimary(window);

    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return xvfb.run("xdotool", {"search", "--onlyvisible", "--name", kTitle}) != 0;
        },
        10000))
        << "the window stayed after Finish";
    const bool complete = QTest::qWaitFor(
        [&] {
            UserDefaults defaults(UserDefaults::standardPath());
            const auto bytes = defaults.data(SettingsStore::defaultsKey);
            const auto settings = bytes ? AppSettings::fromJsonBytes(*bytes) : std::unexpected(DecodeError{});
            return settings && settings->hasCompletedOnboarding;
        },
        10000);
    EXPECT_TRUE(complete);

    stop();
    ASSERT_TRUE(start());
    // A second plain `tavro` opens Preferences once the first has launched: by then onboarding
    // would be on screen, had it been due.
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 20000));
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(TAVRO_EXECUTABLE), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_FALSE(find(QStringLiteral("^Tavro Preferences$"), 20000).isEmpty());
    EXPECT_NE(xvfb.run("xdotool", {"search", "--onlyvisible", "--name", kTitle}), 0);
}

TEST_P(OnboardingRealTest, TheWheelOverTheBypassMenusChangesNoSetting)
{
    environment.insert("QT_LOGGING_RULES", "tavro.controls.debug=true");
    channels = QProcess::SeparateChannels;
    ASSERT_TRUE(start());
    const QString window = find(kTitle, 30000);
    ASSERT_FALSE(window.isEmpty()) << "no onboarding window appeared";
    QImage shown = photograph(window, QStringLiteral("wheel-welcome"), {});
    ASSERT_FALSE(shown.isNull());
    pressPrimary(window);
    shown = photograph(window, QStringLiteral("wheel-scan"), shown);
    ASSERT_FALSE(shown.isNull()) << "Continue did not lead to the scan";
    pressPrimary(window);
    ASSERT_FALSE(photograph(window, QStringLiteral("wheel-bypass"), shown).isNull())
        << "Continue did not lead to the bypass step";
    const QString path = UserDefaults::standardPath();
    const auto propertyList = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray stored = propertyList();

    // Down the column of the menus, notches one way at every step, then the other way, each in
    // one xdotool run.
    for (const QString button : {"5", "4"}) {
        QStringList sweep;
        for (int y = 150; y < 560; y += 6)
            sweep << "mousemove"
                  << "--window" << window << "130" << QString::number(y) << "click" << button;
        ASSERT_EQ(xvfb.run("xdotool", sweep, nullptr, 60000), 0);
        EXPECT_EQ(propertyList(), stored) << "button " << button.toStdString();
    }
    QByteArray log;
    for (const QByteArray name : {"Bypass with", "What to open"}) {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                log += tavro.readAllStandardError();
                return log.contains("pop-up \"" + name + "\" passes a wheel on");
            },
            5000))
            << name.constData() << " got no wheel";
    }
    EXPECT_EQ(propertyList(), stored);
}

INSTANTIATE_TEST_SUITE_P(Appearances, OnboardingRealTest, ::testing::Values(AppAppearance::light, AppAppearance::dark),
    [](const auto& info) { return info.param == AppAppearance::dark ? "dark" : "light"; });
