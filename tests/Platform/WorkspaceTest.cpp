#include "Tavro/Platform/Workspace.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Platform/RecordingApp.h"
#include "tests/Support/TempHome.h"

#include <QCoro/QCoroTask>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using namespace tavro;

namespace {

class WorkspaceTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (qint64 pid : WorkspaceHost::startedProcesses())
            ::kill(pid_t(pid), SIGKILL);
    }

    QString apps() const { return home.filePath(QStringLiteral("Applications")); }

    test::TempHome home;
};

} // namespace

TEST_F(WorkspaceTest, ReadsTopLevelStringsOfAPropertyList)
{
    const QString path = home.writeFile(QStringLiteral("Info.plist"),
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
        "<key>CFBundleIdentifier</key><string>org.example.A</string>"
        "<key>CFBundleURLTypes</key><array><dict><key>CFBundleURLName</key><string>nested</string></dict></array>"
        "<key>LSUIElement</key><true/>"
        "<key>CFBundleExecutable</key><string>A &amp; B</string>"
        "</dict></plist>");
    const auto plist = Workspace::readPropertyList(path);
    ASSERT_TRUE(plist);
    EXPECT_EQ(plist->value("CFBundleIdentifier"), "org.example.A");
    EXPECT_EQ(plist->value("CFBundleExecutable"), "A & B");
    EXPECT_FALSE(plist->contains("CFBundleURLName"));
    EXPECT_EQ(plist->size(), 2);

    EXPECT_FALSE(Workspace::readPropertyList(home.writeFile(QStringLiteral("bad.plist"), "<plist><dict>")));
    EXPECT_FALSE(Workspace::readPropertyList(home.writeFile(QStringLiteral("json.plist"), "{\"a\":1}")));
    EXPECT_FALSE(Workspace::readPropertyList(home.filePath(QStringLiteral("missing.plist"))));
}

TEST_F(WorkspaceTest, FindsApplicationsByExactBundleIdentifier)
{
    test::writeBundle(apps(), QStringLiteral("Broken"), {}, QStringLiteral("Broken"));
    const QString chrome = test::writeBundle(
        apps(), QStringLiteral("Google Chrome"), QStringLiteral("com.google.Chrome"), QStringLiteral("Google Chrome"));
    EXPECT_EQ(Workspace::shared().urlForApplication(QStringLiteral("com.google.Chrome")), chrome);
    EXPECT_FALSE(Workspace::shared().urlForApplication(QStringLiteral("com.google.chrome")));
    EXPECT_FALSE(Workspace::shared().urlForApplication(QStringLiteral("org.mozilla.firefox")));
    const auto bundle = Workspace::bundle(chrome);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->executablePath(), chrome + "/Contents/MacOS/Google Chrome");
    EXPECT_EQ(bundle->name, "Google Chrome");
}

TEST_F(WorkspaceTest, ArgumentLaunchRunsTheExecutableWithItsArguments)
{
    test::RecordingApp app(apps(), QStringLiteral("Firefox"), QStringLiteral("org.mozilla.firefox"));
    const QStringList args{
        QStringLiteral("-P"), QStringLiteral("Work profile"), QStringLiteral("https://a.test/?q=1 2")};
    const auto launched = QCoro::waitFor(Workspace::shared().openApplication(app.bundlePath(), {true, true, args}));
    ASSERT_TRUE(launched);
    ASSERT_TRUE(app.waitForRuns(1));
    EXPECT_EQ(app.runs().first(), args);
    const auto log = WorkspaceHost::launches();
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log.first().kind, LaunchRecord::Kind::arguments);
    EXPECT_EQ(log.first().arguments, args);
    EXPECT_TRUE(log.first().startedProcess);
}

TEST_F(WorkspaceTest, ActivationLaunchOfARunningApplicationOnlyActivatesIt)
{
    const QString bundle = test::writeBundle(
        apps(), QStringLiteral("Arc"), QStringLiteral("company.thebrowser.Browser"), QStringLiteral("Arc"));
    const qint64 pid = WorkspaceHost::addRunningApplication(QStringLiteral("company.thebrowser.Browser"), bundle);
    const auto result = QCoro::waitFor(Workspace::shared().openApplication(bundle, {}));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->processIdentifier, pid);
    EXPECT_EQ(Workspace::shared().frontmostApplication()->processIdentifier, pid);
    EXPECT_FALSE(WorkspaceHost::launches().first().startedProcess);
}

TEST_F(WorkspaceTest, ActivationLaunchFailsWhenNothingCanBeStarted)
{
    const QString bundle
        = test::writeBundle(apps(), QStringLiteral("Gone"), QStringLiteral("org.example.Gone"), QStringLiteral("Gone"));
    const auto result = QCoro::waitFor(Workspace::shared().openApplication(bundle, {}));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().localizedDescription, QStringLiteral("The application “Gone” can’t be opened."));
}

TEST_F(WorkspaceTest, SimulatedLauncherStartsTheApplicationAndReceivesUrls)
{
    const QString bundle = test::writeBundle(
        apps(), QStringLiteral("Safari"), QStringLiteral("com.apple.Safari"), QStringLiteral("Safari"));
    QList<QUrl> received;
    WorkspaceHost::setLauncher(QStringLiteral("com.apple.Safari"), [&] {
        const qint64 pid = WorkspaceHost::addRunningApplication(QStringLiteral("com.apple.Safari"), bundle);
        WorkspaceHost::setUrlHandler(pid, [&](const QList<QUrl>& urls) { received += urls; });
    });
    EXPECT_TRUE(Workspace::shared().runningApplications(QStringLiteral("com.apple.Safari")).isEmpty());
    const auto handed
        = QCoro::waitFor(Workspace::shared().openUrls({QUrl(QStringLiteral("https://a.test/"))}, bundle, {}));
    ASSERT_TRUE(handed);
    EXPECT_EQ(Workspace::shared().runningApplications(QStringLiteral("com.apple.Safari")).size(), 1);
    EXPECT_EQ(received, QList<QUrl>{QUrl(QStringLiteral("https://a.test/"))});
    const auto log = WorkspaceHost::launches();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log.at(0).kind, LaunchRecord::Kind::activation);
    EXPECT_EQ(log.at(1).kind, LaunchRecord::Kind::urlHandOver);
}

TEST_F(WorkspaceTest, RealProcessesCountAsRunningUntilTheyExit)
{
    const QString bundle = test::writeBundle(apps(), QStringLiteral("Sleeper"), QStringLiteral("org.example.Sleeper"),
        QStringLiteral("Sleeper"), "#!/bin/sh\nexec sleep 30\n");
    const auto started = QCoro::waitFor(Workspace::shared().openApplication(bundle, {}));
    ASSERT_TRUE(started);
    const auto running = Workspace::shared().runningApplications(QStringLiteral("org.example.Sleeper"));
    ASSERT_EQ(running.size(), 1);
    EXPECT_EQ(running.first().processIdentifier, started->processIdentifier);
    EXPECT_EQ(Workspace::shared().frontmostApplication()->bundleIdentifier, QStringLiteral("org.example.Sleeper"));
    // A second activation launch finds it running and starts nothing.
    ASSERT_TRUE(QCoro::waitFor(Workspace::shared().openApplication(bundle, {})));
    EXPECT_EQ(WorkspaceHost::startedProcesses().size(), 1);

    ::kill(pid_t(started->processIdentifier), SIGKILL);
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return Workspace::shared().runningApplications(QStringLiteral("org.example.Sleeper")).isEmpty(); }, 5000));
}

// A browser logs a lot, for as long as it runs: once its early-exit window is over, what it writes
// to its standard error neither fills a buffer nobody empties nor ends it, and it runs in a session
// of its own, apart from Tavro's.
TEST_F(WorkspaceTest, AProgramThatRunsPastItsWindowWritesFreelyAndRunsOn)
{
    const QString go = home.filePath(QStringLiteral("go"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(go).constData(), 0600), 0);
    const QString wrote = home.filePath(QStringLiteral("wrote"));
    const QString bundle = test::writeBundle(apps(), QStringLiteral("Chatty"), QStringLiteral("org.example.Chatty"),
        QStringLiteral("Chatty"),
        "#!/bin/sh\necho starting >&2\n: < '" + go.toUtf8()
            + "'\ni=0\nwhile [ $i -lt 5000 ]; do echo \"line $i of what a browser logs while it runs\" >&2; "
              "i=$((i+1)); done\ntouch '"
            + wrote.toUtf8() + "'\nexec sleep 30\n");
    OpenConfiguration configuration;
    configuration.earlyExitWindow = std::chrono::milliseconds(50);
    const auto started = QCoro::waitFor(Workspace::shared().openApplication(bundle, configuration));
    ASSERT_TRUE(started);
    const auto pid = pid_t(started->processIdentifier);
    EXPECT_NE(::getsid(pid), ::getsid(0));

    // The window is over: the program goes on and writes far more than any buffer holds.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const int fifo = ::open(QFile::encodeName(go).constData(), O_WRONLY | O_NONBLOCK);
            return fifo >= 0 && ::close(fifo) == 0;
        },
        10000))
        << "it never waited for the test";
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(wrote); }, 10000)) << "its writes blocked";
    EXPECT_TRUE(Workspace::processIsRunning(pid)) << "its writes ended it";
}

TEST_F(WorkspaceTest, ProcessesStartedElsewhereAreFoundByTheirExecutable)
{
    // Like a browser wrapper, the executable replaces itself but keeps its name as argv[0].
    const QString bundle = test::writeBundle(apps(), QStringLiteral("Wrapped"), QStringLiteral("org.example.Wrapped"),
        QStringLiteral("Wrapped"), "#!/bin/bash\nexec -a \"$0\" sleep 30\n");
    QProcess process;
    process.start(bundle + QStringLiteral("/Contents/MacOS/Wrapped"), {});
    ASSERT_TRUE(process.waitForStarted());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const auto running = Workspace::shared().runningApplications(QStringLiteral("org.example.Wrapped"));
            return running.size() == 1 && running.first().processIdentifier == process.processId();
        },
        5000));
    EXPECT_TRUE(Workspace::shared().runningApplications(QStringLiteral("org.example.Other")).isEmpty());
    process.kill();
    process.waitForFinished();
    EXPECT_TRUE(Workspace::shared().runningApplications(QStringLiteral("org.example.Wrapped")).isEmpty());
}

TEST_F(WorkspaceTest, LookupsReadTheApplicationFoldersAgainOnlyWhenTheyChange)
{
    const QString first = test::writeBundle(
        apps(), QStringLiteral("First"), QStringLiteral("org.example.First"), QStringLiteral("First"));
    // A folder whose last change lies well in the past, as an installed one does.
    const utimbuf anHourAgo{::time(nullptr) - 3600, ::time(nullptr) - 3600};
    ASSERT_EQ(::utime(QFile::encodeName(apps()).constData(), &anHourAgo), 0);
    EXPECT_EQ(Workspace::shared().urlForApplication(QStringLiteral("org.example.First")), first);

    // Rewriting an Info.plist in place leaves the folder as it was: the lookup answers from what
    // it read before instead of parsing every bundle again.
    QFile plist(first + QStringLiteral("/Contents/Info.plist"));
    ASSERT_TRUE(plist.open(QIODevice::WriteOnly | QIODevice::Truncate));
    plist.write(test::infoPlist(QStringLiteral("org.example.Renamed"), QStringLiteral("First")));
    plist.close();
    EXPECT_EQ(Workspace::shared().urlForApplication(QStringLiteral("org.example.First")), first);

    // A bundle added or removed changes the folder, which is then read again.
    const QString second = test::writeBundle(
        apps(), QStringLiteral("Second"), QStringLiteral("org.example.Second"), QStringLiteral("Second"));
    EXPECT_EQ(Workspace::shared().urlForApplication(QStringLiteral("org.example.Second")), second);
    EXPECT_EQ(Workspace::shared().urlForApplication(QStringLiteral("org.example.Renamed")), first);
    ASSERT_TRUE(QDir(second).removeRecursively());
    EXPECT_FALSE(Workspace::shared().urlForApplication(QStringLiteral("org.example.Second")));
}

TEST_F(WorkspaceTest, AStartedProcessWhosePidWasGivenToAnotherProcessNoLongerCounts)
{
    const QString bundle = test::writeBundle(apps(), QStringLiteral("Sleeper"), QStringLiteral("org.example.Sleeper"),
        QStringLiteral("Sleeper"), "#!/bin/sh\nexec sleep 30\n");
    const auto started = QCoro::waitFor(Workspace::shared().openApplication(bundle, {}));
    ASSERT_TRUE(started);
    const qint64 pid = started->processIdentifier;
    ::kill(pid_t(pid), SIGKILL);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)); }, 5000));

    // An unrelated process under the same pid: the kernel hands out the pid after ns_last_pid next.
    QFile lastPid(QStringLiteral("/proc/sys/kernel/ns_last_pid"));
    if (!lastPid.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "this kernel does not let a test choose the next pid";
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    // A process is told from another under its pid by its start, which the kernel counts in clock
    // ticks: a stranger started in the tick ours started in would pass for ours.
    QTest::qWait(int(2 * 1000 / sysconf(_SC_CLK_TCK)));
    QProcess stranger;
    for (int attempt = 0; attempt < 20 && !QFileInfo::exists(proc); ++attempt) {
        stranger.kill();
        stranger.waitForFinished();
        lastPid.seek(0); // the kernel ignores a number written past the start of the file
        lastPid.write(QByteArray::number(pid - 1));
        lastPid.flush();
        stranger.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        ASSERT_TRUE(stranger.waitForStarted());
    }
    // Ours, or a process that tests running beside this one started first: another process either way.
    ASSERT_TRUE(QFileInfo::exists(proc)) << "no process took the pid";
    EXPECT_TRUE(Workspace::shared().runningApplications(QStringLiteral("org.example.Sleeper")).isEmpty());
    stranger.kill();
    stranger.waitForFinished();
}
