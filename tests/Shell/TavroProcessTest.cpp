// Runs the real `tavro` executable: the diagnostic roads and the hand-over of links to a running
// Tavro.

#include "Tavro/Platform/LinkForwarding.h"
#include "Tavro/Shell/TavroMain.h"
#include "tests/Support/Listening.h"
#include "tests/Support/TempHome.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavro;

namespace {

class TavroProcessTest : public ::testing::Test
{
protected:
    TavroProcessTest()
    {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert("HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    }

    struct Outcome
    {
        int exitCode = -1;
        QByteArray standardError;
        qint64 milliseconds = 0;
    };

    Outcome run(
        const QStringList& arguments, int timeoutMs = 20000, const QString& program = QStringLiteral(TAVRO_EXECUTABLE))
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        process.start(program, arguments);
        Outcome outcome;
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            return outcome;
        }
        outcome.milliseconds = clock.elapsed();
        outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        outcome.standardError = process.readAllStandardError();
        return outcome;
    }

    // Starts a Tavro that takes the links of later ones.
    ::testing::AssertionResult startFirst()
    {
        first.setProcessEnvironment(environment);
        first.start(QStringLiteral(TAVRO_EXECUTABLE), {});
        const auto socketExists
            = [&] { return !QDir(runtime.path()).entryList({"tavro-*.sock"}, QDir::System).isEmpty(); };
        if (!first.waitForStarted() || !QTest::qWaitFor(socketExists, 10000))
            return ::testing::AssertionFailure() << "the first Tavro never listened";
        return ::testing::AssertionSuccess();
    }

    ~TavroProcessTest() override
    {
        if (first.state() != QProcess::NotRunning) {
            first.terminate();
            first.waitForFinished(5000);
        }
        // A Tavro started for links runs apart from the process the test started.
        if (const qint64 started = test::listeningTavro(runtime.path()))
            ::kill(pid_t(started), SIGKILL);
    }

    test::TempHome home;
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QProcess first;
};

TEST_F(TavroProcessTest, DiagnoseSafariWritesTheSameReportToStandardErrorAndAPrivateFile)
{
    const Outcome outcome = run({"--diagnose-safari"});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.standardError.contains("Safari")) << outcome.standardError.toStdString();
    QFile file(QString::fromLatin1(TavroMain::kDiagnosticsPath));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), outcome.standardError);
    struct stat status
    { };
    ASSERT_EQ(::lstat(TavroMain::kDiagnosticsPath, &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
}

TEST_F(TavroProcessTest, TestSafariLaunchWithoutSafariPrintsFalseAndFails)
{
    const Outcome outcome = run({"--test-safari-launch", "Work"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.standardError, QByteArray("openProfileWindow(Work) = false\n"));

    // With a Tavro running, the diagnostic still runs here, and "Work" never goes over as a link.
    ASSERT_TRUE(startFirst());
    const Outcome beside = run({"--test-safari-launch", "Work"});
    EXPECT_EQ(beside.exitCode, 1);
    EXPECT_EQ(beside.standardError, QByteArray("openProfileWindow(Work) = false\n"));
}

TEST_F(TavroProcessTest, ASecondTavroHandsItsLinksOverAndEnds)
{
    ASSERT_TRUE(startFirst());

    const Outcome second = run({"https://example.test/one", "mailto:someone@example.test"}, 5000);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_LT(second.milliseconds, 2000);
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(TavroProcessTest, WithoutASocketTavroSaysSoAndEndsRatherThanRunUnreachable)
{
    // A runtime folder so deep that no socket address can name a file in it.
    const QString deep = runtime.filePath(QString(60, QLatin1Char('r')) + "/" + QString(60, QLatin1Char('s')));
    ASSERT_TRUE(QDir().mkpath(deep));
    QFile::setPermissions(deep, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment.insert("XDG_RUNTIME_DIR", deep);

    const Outcome outcome = run({"https://example.test/"}, 10000);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.standardError.contains("link socket could not be opened"))
        << outcome.standardError.toStdString();
}

TEST_F(TavroProcessTest, ALinkStartsTavroInASessionOfItsOwnAndTheCallerGoesOn)
{
    const Outcome outcome = run({"https://example.test/first"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.standardError.toStdString();
    const qint64 started = test::listeningTavro(runtime.path());
    ASSERT_NE(started, 0) << "the Tavro started for the link no longer runs";
    EXPECT_EQ(::getsid(pid_t(started)), pid_t(started));
    EXPECT_NE(::getsid(pid_t(started)), ::getsid(0));
    for (int fd : {0, 1, 2})
        EXPECT_EQ(QFileInfo(QStringLiteral("/proc/%1/fd/%2").arg(started).arg(fd)).symLinkTarget(), "/dev/null");
}

TEST_F(TavroProcessTest, WithoutAGraphicalSessionBothProgramsSaySoAndEnd)
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& program : {QStringLiteral(TAVRO_EXECUTABLE), QStringLiteral(TAVRO_APPLICATION)}) {
        const Outcome outcome = run({"https://example.test/"}, 10000, program);
        EXPECT_EQ(outcome.exitCode, 1) << program.toStdString();
        EXPECT_TRUE(outcome.standardError.startsWith("Tavro needs a graphical session"))
            << outcome.standardError.toStdString();
    }
    // Qt's own platform names a display of its own.
    environment.insert("QT_QPA_PLATFORM", "xcb");
    EXPECT_EQ(run({"https://example.test/"}, 10000).exitCode, 1);
}

TEST_F(TavroProcessTest, TheForwardingProgramLoadsNoQtLibraryButItsCore)
{
    // Each library it loads is paid for on every link clicked while Tavro runs.
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(TAVRO_EXECUTABLE)});
    ASSERT_TRUE(ldd.waitForFinished(10000));
    const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    QStringList qtLibraries;
    QRegularExpressionMatchIterator matches
        = QRegularExpression(QStringLiteral(R"((?m)^\s*libQt6(\w+)\.so)")).globalMatch(libraries);
    while (matches.hasNext())
        qtLibraries.append(matches.next().captured(1));
    EXPECT_EQ(qtLibraries, QStringList{"Core"}) << libraries.toStdString();
}

TEST_F(TavroProcessTest, ATavroThatHoldsTheSocketButDoesNotAnswerIsNamed)
{
    // It took the lock beside the socket, and its socket file is gone.
    const QString lockPath = runtime.filePath(QFileInfo(LinkForwarding::defaultSocketPath()).fileName() + ".lock");
    const int lock = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
    const Outcome outcome = run({"https://example.test/"});
    ::close(lock);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.standardError.contains("a Tavro holds the link socket and does not answer"))
        << outcome.standardError.toStdString();
}

} // namespace
