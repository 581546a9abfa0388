// The real `tavro-app`, offscreen, sends a link straight to a Chromium stand-in (the bypass is
// inverted and no key is held): a browser that refuses to start is told, with what it said; one
// that runs outlives Tavro, and its writes to its standard error neither block nor end it once no
// Tavro reads them.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Platform/Workspace.h"
#include "tests/Platform/RecordingApp.h"
#include "tests/Shell/ShellHomes.h"
#include "tests/Support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavro;

namespace {

class LaunchedBrowserRealTest : public ::testing::Test
{
protected:
    LaunchedBrowserRealTest()
    {
        environment.insert("HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        // Chromium's "Default" profile, as discovery finds it, is where every link goes.
        home.writeFile("Library/Application Support/Chromium/Local State",
            R"({"profile":{"info_cache":{"Default":{"name":"Person 1"}},"profiles_order":["Default"]}})");
        QDir().mkpath(home.filePath("Library/Application Support/Chromium/Default"));
        AppSettings settings;
        settings.destinations = {test::chromiumPersonOne()};
        settings.lastUsedDestinationID = settings.destinations.first().id;
        settings.invertBypass = true;
        settings.hasCompletedOnboarding = true;
        UserDefaults defaults(UserDefaults::standardPath());
        EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, settings.toJsonBytes()));
        EXPECT_TRUE(defaults.synchronize());
    }

    ~LaunchedBrowserRealTest() override
    {
        stopTavro();
        QFile pidFile(home.filePath("browser.pid"));
        if (pidFile.open(QIODevice::ReadOnly))
            ::kill(pid_t(pidFile.readAll().trimmed().toInt()), SIGKILL);
    }

    // The stand-in's program: it notes its pid, then runs `script`.
    void writeBrowser(const QByteArray& script)
    {
        test::writeBundle(home.filePath("Applications"), "Chromium", "org.chromium.Chromium", "Chromium",
            "#!/bin/sh\necho $$ > \"$HOME/browser.pid\"\n" + script);
    }

    void startTavro(const QString& link)
    {
        tavro.setProcessEnvironment(environment);
        tavro.start(QStringLiteral(TAVRO_APPLICATION), {link});
        ASSERT_TRUE(tavro.waitForStarted());
    }

    void stopTavro()
    {
        if (tavro.state() == QProcess::NotRunning)
            return;
        tavro.terminate();
        if (!tavro.waitForFinished(5000))
            tavro.kill();
        tavro.waitForFinished(2000);
    }

    QByteArray tavroSaid()
    {
        said += tavro.readAllStandardError();
        return said;
    }

    test::TempHome home;
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QProcess tavro;
    QByteArray said;
};

TEST_F(LaunchedBrowserRealTest, ABrowserThatRefusesToStartIsToldWithWhatItSaid)
{
    writeBrowser("echo 'Running as root without --no-sandbox is not supported' >&2\nexit 1\n");
    startTavro(QStringLiteral("https://refused.test/"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return tavroSaid().contains(
                "Couldn’t open the link in Chromium: Running as root without --no-sandbox is not supported");
        },
        20000))
        << tavroSaid().toStdString();
}

TEST_F(LaunchedBrowserRealTest, ABrowserOutlivesTavroAndWritesFreelyOnceNoTavroReads)
{
    const QString go = home.filePath("go");
    ASSERT_EQ(::mkfifo(QFile::encodeName(go).constData(), 0600), 0);
    writeBrowser("echo 'Opening in a new browser session.' >&2\n: < \"$HOME/go\"\n"
                 "i=0\nwhile [ $i -lt 5000 ]; do echo \"line $i of what a browser logs\" >&2; i=$((i+1)); done\n"
                 "touch \"$HOME/wrote\"\nexec sleep 30\n");
    startTavro(QStringLiteral("https://kept.test/"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(home.filePath("browser.pid")); }, 20000))
        << tavroSaid().toStdString();

    stopTavro();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const int fifo = ::open(QFile::encodeName(go).constData(), O_WRONLY | O_NONBLOCK);
            return fifo >= 0 && ::close(fifo) == 0;
        },
        10000))
        << "the browser did not outlive Tavro";
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(home.filePath("wrote")); }, 10000)) << "its writes blocked";
    QFile pidFile(home.filePath("browser.pid"));
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(Workspace::processIsRunning(pidFile.readAll().trimmed().toInt())) << "its writes ended it";
}

} // namespace
