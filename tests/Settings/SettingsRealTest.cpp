// The real `tavro` under a real X server: a second plain `tavro` while one runs opens
// Preferences, whose window tells the X server it is at least 720 x 660 and stays so when a
// client tries to shrink it. Screenshots of the window in light and dark land in build/artifacts/.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
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

class SettingsRealTest : public ::testing::TestWithParam<AppAppearance>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        QDir().mkpath(TAVRO_ARTIFACTS_DIR);
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        AppSettings settings;
        settings.hasCompletedOnboarding = true;
        settings.appearance = GetParam();
        UserDefaults defaults(UserDefaults::standardPath());
        defaults.setData(SettingsStore::defaultsKey, settings.toJsonBytes());
        defaults.synchronize();

        environment.insert("HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("DISPLAY", xvfb.display());
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.remove("WAYLAND_DISPLAY");
        // The server resets whenever its last client leaves; one client that stays keeps it.
        keepAlive.setProcessEnvironment(environment);
        keepAlive.start(QStringLiteral("xprop"), {"-root", "-spy"});
        ASSERT_TRUE(keepAlive.waitForStarted());
    }

    void TearDown() override
    {
        keepAlive.kill();
        keepAlive.waitForFinished();
        if (tavro.state() != QProcess::NotRunning) {
            tavro.terminate();
            if (!tavro.waitForFinished(5000))
                tavro.kill();
        }
    }

    // Starts Tavro, then a second plain `tavro` that hands it an empty request; the window that
    // comes up, or empty.
    QString openPreferences()
    {
        tavro.setProcessEnvironment(environment);
        tavro.setProcessChannelMode(QProcess::ForwardedChannels);
        tavro.start(QStringLiteral(TAVRO_EXECUTABLE), {});
        if (!tavro.waitForStarted())
            return {};
        const bool listening = QTest::qWaitFor(
            [&] { return !QDir(runtime.path()).entryList({"tavro-*.sock"}, QDir::System).isEmpty(); }, 20000);
        if (!listening)
            return {};
        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(TAVRO_EXECUTABLE), {});
        if (!second.waitForFinished(10000) || second.exitCode() != 0)
            return {};
        QString window;
        QTest::qWaitFor(
            [&] {
                QByteArray output;
                if (xvfb.run("xdotool", {"search", "--onlyvisible", "--name", "^Tavro Preferences$"}, &output) != 0)
                    return false;
                window = QString::fromLatin1(output.trimmed().split('\n').last());
                return !window.isEmpty();
            },
            20000);
        return window;
    }

    QSize windowSize(const QString& window)
    {
        QByteArray output;
        xvfb.run("xwininfo", {"-id", window}, &output);
        const auto width = QRegularExpression(R"(Width: (\d+))").match(QString::fromLatin1(output));
        const auto height = QRegularExpression(R"(Height: (\d+))").match(QString::fromLatin1(output));
        return {width.captured(1).toInt(), height.captured(1).toInt()};
    }

    test::Xvfb xvfb;
    test::TempHome home;
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QProcess tavro;
    QProcess keepAlive;
};

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
    const QString name = GetParam() == AppAppearance::dark ? QStringLiteral("dark") : QStringLiteral("light");
    const QString shot = QStringLiteral(TAVRO_ARTIFACTS_DIR "/settings-real-%1.png").arg(name);
    QFile::remove(shot);
    const bool photographed = QTest::qWaitFor(
        [&] {
            return xvfb.run("import", {"-window", window, shot}) == 0 && !QImage(shot).isNull();
        },
        10000);
    EXPECT_TRUE(photographed);

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
