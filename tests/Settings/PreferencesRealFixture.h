#pragma once
// The real `tavro` under a real X server, started on a temporary home whose stored settings the
// test chooses; a second plain `tavro` then opens Preferences.

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

namespace tavro::test {

class PreferencesRealTest : public ::testing::TestWithParam<AppAppearance>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        QDir().mkpath(TAVRO_ARTIFACTS_DIR);
        AppSettings settings;
        settings.hasCompletedOnboarding = true;
        settings.appearance = GetParam();
        seed(settings);
        UserDefaults defaults(UserDefaults::standardPath());
        EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, settings.toJsonBytes()));
        EXPECT_TRUE(defaults.synchronize());

        environment = xvfb.sessionEnvironment(home.path(), runtime.path());
        ASSERT_TRUE(xvfb.keepAlive());
    }

    void TearDown() override
    {
        if (tavro.state() != QProcess::NotRunning) {
            tavro.terminate();
            if (!tavro.waitForFinished(5000))
                tavro.kill();
        }
    }

    // What the settings hold beyond a finished onboarding and the appearance under test.
    virtual void seed(AppSettings&) { }

    // How `tavro` is run: the program, then the arguments before Tavro's own.
    virtual QStringList command() const { return {QStringLiteral(TAVRO_EXECUTABLE)}; }

    QString appearanceName() const
    {
        return GetParam() == AppAppearance::dark ? QStringLiteral("dark") : QStringLiteral("light");
    }

    // Starts Tavro, then a second plain `tavro` that hands it an empty request; the window that
    // comes up, or empty.
    QString openPreferences()
    {
        tavro.setProcessEnvironment(environment);
        tavro.setProcessChannelMode(tavroChannels);
        tavro.start(command().first(), command().mid(1));
        if (!tavro.waitForStarted())
            return {};
        const bool listening = QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 20000);
        if (!listening)
            return {};
        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(command().first(), command().mid(1));
        if (!second.waitForFinished(10000) || second.exitCode() != 0)
            return {};
        return xvfb.waitForWindow(QStringLiteral("^Tavro Preferences$"), 20000);
    }

    QSize windowSize(const QString& window) const { return xvfb.windowSize(window); }

    // Saves what `window` shows as `path`; false when no picture could be taken in time.
    bool photograph(const QString& window, const QString& path)
    {
        QFile::remove(path);
        // Read back from the server, kept for a person to look at: a tool that writes the file itself
        // takes half a second a picture, which the checks that photograph after every step add up.
        return QTest::qWaitFor(
            [&] {
                const QImage image = xvfb.windowImage(window);
                return !image.isNull() && image.save(path);
            },
            10000);
    }

    Xvfb xvfb;
    TempHome home;
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QProcess tavro;
    // Where the running Tavro's output goes; a test that reads its log separates the channels.
    QProcess::ProcessChannelMode tavroChannels = QProcess::ForwardedChannels;
};

} // namespace tavro::test
