// Runs the real `tavro` executable: the diagnostic roads and the hand-over of links to a running
// Tavro.

#include "Tavro/Platform/FileDescriptor.h"
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
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace tavro;

namespace {

// Stands at this home's link socket in a Tavro's place, holding its lock, and keeps each request
// it reads whole. It answers each with `answer`; without one it drops the first sender unanswered
// and goes, letting the socket and the lock go, as a Tavro that is ending.
class StandInTavro
{
public:
    StandInTavro(const QString& socketPath, QByteArray answer)
        : m_lock(::open(QFile::encodeName(socketPath + ".lock").constData(), O_RDONLY | O_CREAT, 0600))
        , m_socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0))
        , m_answer(std::move(answer))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(socketPath);
        std::memcpy(address.sun_path, path.constData(), path.size());
        m_listening = ::flock(m_lock.get(), LOCK_EX | LOCK_NB) == 0
            && ::bind(m_socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0
            && ::listen(m_socket.get(), 8) == 0;
        if (m_listening)
            m_thread = std::thread([this] { serve(); });
    }
    ~StandInTavro()
    {
        // Wakes the accept that waits.
        ::shutdown(m_socket.get(), SHUT_RDWR);
        if (m_thread.joinable())
            m_thread.join();
    }

    bool isListening() const { return m_listening; }
    QByteArrayList requests() const
    {
        const std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    void serve()
    {
        for (;;) {
            FileDescriptor sender(::accept(m_socket.get(), nullptr, nullptr));
            if (sender.get() < 0)
                return;
            QByteArray request;
            char buffer[4096];
            for (ssize_t n; !request.endsWith("\n\n") && (n = ::read(sender.get(), buffer, sizeof(buffer))) > 0;)
                request.append(buffer, n);
            {
                const std::lock_guard lock(m_mutex);
                m_requests.append(request);
            }
            if (m_answer.isEmpty()) {
                ::flock(m_lock.get(), LOCK_UN);
                ::shutdown(m_socket.get(), SHUT_RDWR);
                return;
            }
            // A sender that gave up is gone: no SIGPIPE for the test.
            (void)!::send(sender.get(), m_answer.constData(), m_answer.size(), MSG_NOSIGNAL);
        }
    }

    FileDescriptor m_lock;
    FileDescriptor m_socket;
    const QByteArray m_answer;
    bool m_listening = false;
    mutable std::mutex m_mutex;
    QByteArrayList m_requests;
    std::thread m_thread;
};

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

    // The path of this home's link socket in the test's runtime folder.
    QString socketPath() const { return runtime.filePath(QFileInfo(LinkForwarding::defaultSocketPath()).fileName()); }

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

    // A HOME that names the same folder less plainly: the command leaves finding the socket to Qt.
    environment.insert("HOME", home.path() + "/.");
    const Outcome third = run({"https://example.test/two"}, 5000);
    EXPECT_EQ(third.exitCode, 0) << third.standardError.toStdString();
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
    // Wayland without XWayland: Tavro never asks for Qt's Wayland platform, and says what it needs.
    environment.remove("QT_QPA_PLATFORM");
    environment.insert("WAYLAND_DISPLAY", "wayland-0");
    const Outcome wayland = run({"https://example.test/"}, 10000, QStringLiteral(TAVRO_APPLICATION));
    EXPECT_EQ(wayland.exitCode, 1);
    EXPECT_TRUE(wayland.standardError.startsWith("Tavro needs a graphical session"))
        << wayland.standardError.toStdString();
}

// Root started with a user's HOME (a `sudo -E` start) would leave files there that the user cannot
// change: Tavro refuses such a home and says why.
TEST_F(TavroProcessTest, AHomeOfAnotherUserIsRefused)
{
    const QString other = home.filePath(QStringLiteral("other-user"));
    ASSERT_TRUE(QDir().mkpath(other));
    const uid_t nobody = ::geteuid() == 65534 ? 65533 : 65534;
    if (::chown(other.toLocal8Bit().constData(), nobody, nobody) != 0)
        GTEST_SKIP() << "only root can give a folder to another user";
    environment.insert("HOME", other);
    const Outcome outcome = run({"https://example.test/"}, 10000, QStringLiteral(TAVRO_APPLICATION));
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.standardError.startsWith("Tavro's home folder " + other.toUtf8() + " belongs to another user"))
        << outcome.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(other + "/Library")) << "nothing is written there";
}

TEST_F(TavroProcessTest, EachProgramLoadsOnlyTheQtLibrariesItNeeds)
{
    const struct
    {
        const char* program;
        QStringList qtLibraries;
    } cases[] = {
        // The command runs before anything else on every road: a link clicked while no Tavro runs
        // starts the application without loading a library first.
        {TAVRO_EXECUTABLE, {}},
        // Each library the forwarder loads is paid for on every link clicked while Tavro runs.
        {TAVRO_FORWARDER, {"Core"}},
        // The network libraries, with Kerberos and the proxy library, are the fetch program's alone.
        {TAVRO_APPLICATION, {"Core", "DBus", "Gui", "Svg", "Widgets"}},
    };
    for (const auto& c : cases) {
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"), {QString::fromLocal8Bit(c.program)});
        ASSERT_TRUE(ldd.waitForFinished(10000));
        const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        QStringList qtLibraries;
        QRegularExpressionMatchIterator matches
            = QRegularExpression(QStringLiteral(R"((?m)^\s*libQt6(\w+)\.so)")).globalMatch(libraries);
        while (matches.hasNext())
            qtLibraries.append(matches.next().captured(1));
        qtLibraries.sort();
        EXPECT_EQ(qtLibraries, c.qtLibraries) << c.program << "\n" << libraries.toStdString();
    }
}

TEST_F(TavroProcessTest, ATavroThatHoldsTheSocketButDoesNotAnswerIsNamed)
{
    // It took the lock beside the socket, and its socket file is gone.
    const QString lockPath = socketPath() + ".lock";
    const int lock = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
    const Outcome outcome = run({"https://example.test/"});
    ::close(lock);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.standardError.contains("a Tavro holds the link socket and does not answer"))
        << outcome.standardError.toStdString();
}

struct HandOverCase
{
    const char* name;
    // What the Tavro at the socket answers.
    QByteArray answer;
    int exitCode;
    // What the sender says on standard error: nothing when empty.
    QByteArray message;
    friend void PrintTo(const HandOverCase& c, std::ostream* os) { *os << c.name; }
};

class TavroHandOverTest : public TavroProcessTest, public ::testing::WithParamInterface<HandOverCase>
{ };

TEST_P(TavroHandOverTest, OnlyAnAcknowledgementIsSuccess)
{
    const HandOverCase& c = GetParam();
    const StandInTavro standIn(socketPath(), c.answer);
    ASSERT_TRUE(standIn.isListening());
    const Outcome outcome = run({"https://example.test/"}, 10000);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.standardError.toStdString();
    EXPECT_TRUE(c.message.isEmpty() ? outcome.standardError.isEmpty() : outcome.standardError.contains(c.message))
        << outcome.standardError.toStdString();
    EXPECT_EQ(standIn.requests(), QByteArrayList{"https://example.test/\n\n"});
}

INSTANTIATE_TEST_SUITE_P(Answers, TavroHandOverTest,
    ::testing::Values(HandOverCase{"ok", "ok\n", 0, {}},
        HandOverCase{"busy", "busy\n", 1, "Tavro is running but did not take the links"},
        HandOverCase{"okay", "okay\n", 1, "Tavro is running but did not take the links"}),
    [](const auto& info) { return std::string(info.param.name); });

// A Tavro that is ending still queues connections for a moment, then drops them: the link goes to
// a new Tavro, not lost with a message that a running one refused it.
TEST_F(TavroProcessTest, ALinkHandedToATavroThatIsEndingStartsANewOne)
{
    std::optional<StandInTavro> ending(std::in_place, socketPath(), QByteArray());
    ASSERT_TRUE(ending->isListening());
    const Outcome outcome = run({"https://example.test/"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.standardError.toStdString();
    EXPECT_EQ(ending->requests(), QByteArrayList{"https://example.test/\n\n"});
    ending.reset();
    EXPECT_NE(test::listeningTavro(runtime.path()), 0) << "no Tavro took the link's place";
}

// A Tavro that was killed left its socket behind: the link goes to a new Tavro, which takes the
// socket's place.
TEST_F(TavroProcessTest, ASocketLeftByADeadTavroStartsANewOne)
{
    {
        const FileDescriptor dead(::socket(AF_UNIX, SOCK_STREAM, 0));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(socketPath());
        std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
        ASSERT_EQ(::bind(dead.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    }
    ASSERT_TRUE(QFileInfo::exists(socketPath()));
    const Outcome outcome = run({"https://example.test/"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.standardError.toStdString();
    EXPECT_NE(test::listeningTavro(runtime.path()), 0) << "no Tavro took the link";
}

// With no Tavro running, arguments that are no links start none: the application started for them
// says so, and the command ends as it does.
TEST_F(TavroProcessTest, ArgumentsThatAreNoLinksStartNoTavro)
{
    const Outcome outcome = run({"mailto:a@b.test"}, 10000);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.standardError, "Tavro: not a web link or a file: mailto:a@b.test\n");
    EXPECT_EQ(test::listeningTavro(runtime.path()), 0);
    EXPECT_TRUE(QDir(runtime.path()).entryList({"tavro-*.sock"}, QDir::System).isEmpty());
}

// Only links Tavro opens go over; when none of the arguments is one, nothing goes and the sender
// says so in one line.
TEST_F(TavroProcessTest, ArgumentsThatAreNoLinksAreRefusedAndNothingIsSent)
{
    const StandInTavro standIn(socketPath(), "ok\n");
    ASSERT_TRUE(standIn.isListening());
    const QString longHost = "https://" + QString(10000, QLatin1Char('a')) + ".test/";
    for (const QStringList& arguments :
        {QStringList{"http://a b.example/"}, QStringList{longHost}, QStringList{"mailto:a@b.test", longHost}}) {
        SCOPED_TRACE(arguments.first().left(40).toStdString());
        const Outcome outcome = run(arguments, 10000);
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_TRUE(outcome.standardError.startsWith("Tavro: not a web link or a file: "))
            << outcome.standardError.left(300).toStdString();
        EXPECT_EQ(outcome.standardError.count('\n'), 1);
        EXPECT_LT(outcome.standardError.size(), 200);
    }
    EXPECT_TRUE(standIn.requests().isEmpty());

    // The links among them still go over.
    const Outcome mixed = run({"http://a b.example/", "https://b.test/"}, 10000);
    EXPECT_EQ(mixed.exitCode, 0);
    EXPECT_EQ(mixed.standardError.count('\n'), 1);
    EXPECT_EQ(standIn.requests(), QByteArrayList{"https://b.test/\n\n"});
}

// A file's name need not be UTF-8: the link names the same bytes.
TEST_F(TavroProcessTest, APathThatIsNoUtf8GoesOverByteForByte)
{
    const StandInTavro standIn(socketPath(), "ok\n");
    ASSERT_TRUE(standIn.isListening());
    // A QProcess argument is text; the shell's printf makes the bytes.
    const Outcome outcome
        = run({"-c", R"sh(exec "$0" "$(printf '/tmp/\377\376-latin1 1.html')")sh", QStringLiteral(TAVRO_EXECUTABLE)},
            10000, QStringLiteral("/bin/sh"));
    EXPECT_EQ(outcome.exitCode, 0) << outcome.standardError.toStdString();
    EXPECT_EQ(standIn.requests(), QByteArrayList{"file:///tmp/%FF%FE-latin1%201.html\n\n"});
}

} // namespace
