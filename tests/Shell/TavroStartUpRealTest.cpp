// Runs several real `tavro` processes against one home: only one of them stays and shows the link
// the other handed to it, the values of Qt's own options never reach a picker, and a lock file left
// beside the settings by a crash holds back neither the first picker nor a hand-over. Then what a
// careless local program does to the link socket: a sender that gives up, more connections than
// open files, a burst of links.
// A picker counts as shown when the process logs "picker shown" (the picker's debug category).

#include "Tavro/Platform/FileDescriptor.h"
#include "Tavro/Platform/LinkForwarding.h"
#include "Tavro/Platform/LinkIntake.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Support/Listening.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <vector>

using namespace tavro;

namespace {

using namespace std::chrono_literals;

// What a person still calls "at once".
constexpr std::chrono::milliseconds kPromptly = 1s;
// By then a Tavro has stored its first scan, many times over.
constexpr std::chrono::milliseconds kStoreWritten = 3s;

class Tavro
{
public:
    // The application itself by default: `tavro` would start one for links apart from the test.
    // `inChild` runs in the new process before the program does.
    Tavro(const QProcessEnvironment& environment, const QStringList& arguments,
        const QString& program = QStringLiteral(TAVRO_APPLICATION), const std::function<void()>& inChild = {})
    {
        m_process.setProcessEnvironment(environment);
        if (inChild)
            m_process.setChildProcessModifier(inChild);
        m_process.start(program, arguments);
    }
    ~Tavro()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    pid_t pid() const { return pid_t(m_process.processId()); }
    // -1 while running or after a crash.
    int exitCode() const
    {
        return m_process.state() == QProcess::NotRunning && m_process.exitStatus() == QProcess::NormalExit
            ? m_process.exitCode()
            : -1;
    }
    qsizetype pickersShown()
    {
        m_standardError += m_process.readAllStandardError();
        return m_standardError.count("picker shown");
    }
    QByteArray standardError()
    {
        pickersShown();
        return m_standardError;
    }

private:
    QProcess m_process;
    QByteArray m_standardError;
};

// The sockets open in `pid`.
qsizetype openSockets(pid_t pid)
{
    const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(pid));
    qsizetype sockets = 0;
    for (const QString& fd : descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(descriptors.filePath(fd)).symLinkTarget().contains(QLatin1String("socket:[")))
            ++sockets;
    }
    return sockets;
}

// The anonymous memory that `pid` holds (RssAnon), in KiB; 0 when it cannot be read.
qulonglong anonymousMemoryKiB(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("RssAnon:"))
            return line.mid(8).simplified().split(' ').first().toULongLong();
    }
    return 0;
}

// Whether every thread of `pid` is stopped.
bool isStopped(pid_t pid)
{
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks + QLatin1Char('/') + task + QStringLiteral("/stat"));
        // The state follows the name, which is in parentheses.
        if (!stat.open(QIODevice::ReadOnly) || !stat.readAll().split(')').last().startsWith(" T"))
            return false;
    }
    return true;
}

// The soft limit of open files of `pid`; 0 when it cannot be read.
qulonglong openFileLimit(pid_t pid)
{
    QFile limits(QStringLiteral("/proc/%1/limits").arg(pid));
    if (!limits.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : limits.readAll().split('\n')) {
        if (line.startsWith("Max open files"))
            return line.mid(int(qstrlen("Max open files"))).simplified().split(' ').first().toULongLong();
    }
    return 0;
}

class TavroStartUpTest : public ::testing::Test
{
protected:
    TavroStartUpTest()
    {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert("HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("QT_LOGGING_RULES", "tavro.picker.debug=true");
    }

    std::unique_ptr<Tavro> start(const QStringList& arguments)
    {
        return std::make_unique<Tavro>(environment, arguments);
    }

    // Runs a `tavro` that hands its arguments to the running one and ends.
    int handOver(const QStringList& arguments)
    {
        Tavro client(environment, arguments, QStringLiteral(TAVRO_EXECUTABLE));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !client.isRunning(); }, 10000)) << "the hand-over did not end";
        return client.exitCode();
    }

    bool listening() const
    {
        return QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 10000);
    }

    // This home's link socket in the test's runtime folder.
    QString socketPath() const { return runtime.filePath(QFileInfo(LinkForwarding::defaultSocketPath()).fileName()); }

    test::TempHome home;
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(TavroStartUpTest, TwoStartedAtOnceLeaveOneRunningThatShowsTheLinkHandedToIt)
{
    test::Xvfb xvfb;
    ASSERT_TRUE(xvfb.isRunning());
    environment = xvfb.sessionEnvironment(home.path(), runtime.path());
    environment.insert("QT_LOGGING_RULES", "tavro.picker.debug=true");
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        auto one = start({"https://one.test/"});
        auto two = start({"https://two.test/"});
        // One of them hands its link to the other and ends.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !one->isRunning() || !two->isRunning(); }, 10000)) << "both still run";
        Tavro& survivor = one->isRunning() ? *one : *two;
        Tavro& client = one->isRunning() ? *two : *one;
        EXPECT_EQ(client.exitCode(), 0) << client.standardError().toStdString();
        // It came after the survivor's own link, whose picker it replaced or took the place of.
        const QString handedOver = &client == one.get() ? QStringLiteral("one") : QStringLiteral("two");
        EXPECT_FALSE(xvfb.waitForWindow("Choose where to open " + handedOver + "\\.test", 10000).isEmpty())
            << survivor.standardError().toStdString();
        EXPECT_TRUE(survivor.isRunning()) << survivor.standardError().toStdString();
        EXPECT_EQ(client.pickersShown(), 0);
    }
}

TEST_F(TavroStartUpTest, ValuesOfQtOptionsAreNeverLinks)
{
    // Options Qt consumes itself (-platform) and ones it leaves to a platform not in use
    // (-display, -name), on the starting road and on the hand-over road alike: none of their
    // values is a link, so neither process shows a picker until a real link comes.
    auto running = start({"-platform", "offscreen", "-session", "1a2b3c", "-style", "fusion"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 10000));
    EXPECT_EQ(handOver({"-session", "4d5e6f", "--display", ":7", "-name", "tavro"}), 0);
    EXPECT_EQ(handOver({"https://link.test/"}), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return running->pickersShown() >= 1; }, 10000));
    EXPECT_EQ(running->pickersShown(), 1) << running->standardError().toStdString();
}

TEST_F(TavroStartUpTest, AnEmptyLockBesideTheSettingsHoldsBackNeitherThePickerNorAHandOver)
{
    // An installed Chromium with one profile: the first scan stores it, so the settings are
    // written soon after start-up.
    home.writeFile("Applications/Chromium.app/Contents/Info.plist",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
        "<key>CFBundleIdentifier</key><string>org.chromium.Chromium</string>"
        "<key>CFBundleExecutable</key><string>Chromium</string>"
        "<key>CFBundleName</key><string>Chromium</string></dict></plist>\n");
    home.writeFile("Library/Application Support/Chromium/Local State",
        R"({"profile":{"info_cache":{"Default":{"name":"Person 1"}},"profiles_order":["Default"]}})");
    // What a Tavro killed between creating the settings' lock and writing its owner leaves, at
    // the settings file and at the settings file of earlier versions.
    home.writeFile(QDir(home.path()).relativeFilePath(UserDefaults::standardPath()) + ".lock", {});
    home.writeFile("Library/Preferences/com.vaskhaldor.Tavro.ini.lock", {});

    auto running = start({"https://one.test/"});
    QElapsedTimer sinceListening;
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 10000));
    sinceListening.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return running->pickersShown() >= 1; }, 10000))
        << running->standardError().toStdString();
    EXPECT_LT(sinceListening.elapsed(), kPromptly.count());

    // Soon after, the running Tavro stores the scan. Links handed to it over that time are taken,
    // each sender is told so at once, and each link's picker follows as promptly.
    while (sinceListening.elapsed() < kStoreWritten.count()) {
        const int shown = running->pickersShown();
        QElapsedTimer handOverTime;
        handOverTime.start();
        ASSERT_EQ(handOver({"https://two.test/"}), 0);
        EXPECT_LT(handOverTime.elapsed(), kPromptly.count());
        EXPECT_TRUE(QTest::qWaitFor([&] { return running->pickersShown() > shown; }, kPromptly.count()))
            << "the handed-over link's picker came late";
    }
}

// A Tavro that did not answer in time (stopped here, as a debugger or a frozen session stops it)
// does not show a link once it goes on: its sender was told the link was not taken.
TEST_F(TavroStartUpTest, ALinkWhoseSenderGaveUpIsNotShown)
{
    auto running = start({});
    ASSERT_TRUE(listening());
    ::kill(running->pid(), SIGSTOP);
    auto resume = qScopeGuard([&] { ::kill(running->pid(), SIGCONT); });
    // A thread stops once it leaves the kernel; one that waits on the disk lets the others run on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return isStopped(running->pid()); }, 10000));
    Tavro gaveUp(environment, {"https://gave-up.test/"}, QStringLiteral(TAVRO_EXECUTABLE));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !gaveUp.isRunning(); }, 10000));
    EXPECT_EQ(gaveUp.exitCode(), 1);
    EXPECT_TRUE(gaveUp.standardError().contains("did not take the links")) << gaveUp.standardError().toStdString();
    resume.dismiss();
    ::kill(running->pid(), SIGCONT);

    // Links are taken in turn: once the next one's picker is up, the first had its chance.
    EXPECT_EQ(handOver({"https://later.test/"}), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return running->pickersShown() >= 1; }, 10000));
    EXPECT_EQ(running->pickersShown(), 1) << running->standardError().toStdString();
}

// Started with few descriptors to spare, as a desktop session starts programs, and held by more
// idle connections than that: Tavro serves a share of them that leaves it descriptors of its own,
// keeps its socket, and takes and shows the next link once they go. With a higher hard limit it
// raises its own to that.
TEST_F(TavroStartUpTest, MoreConnectionsThanOpenFilesLeaveTheSocketWorking)
{
    constexpr rlim_t kFewFiles = 64;
    for (const rlim_t hardLimit : {kFewFiles, rlim_t(4096)}) {
        SCOPED_TRACE(hardLimit);
        Tavro running(environment, {}, QStringLiteral(TAVRO_APPLICATION), [hardLimit] {
            const rlimit limit{kFewFiles, hardLimit};
            ::setrlimit(RLIMIT_NOFILE, &limit);
        });
        ASSERT_TRUE(listening()) << running.standardError().toStdString();
        EXPECT_EQ(openFileLimit(running.pid()), hardLimit);

        std::vector<FileDescriptor> idle;
        const QByteArray path = QFile::encodeName(socketPath());
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), path.size());
        for (rlim_t i = 0; i < 3 * kFewFiles; ++i) {
            FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
            if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0)
                idle.push_back(std::move(fd));
        }
        // Tavro took all it serves at a time, besides its listening socket.
        const qsizetype served
            = qsizetype(qMin<rlim_t>(hardLimit / LinkIntake::kOpenFilesPerRequest, LinkIntake::kMaximumOpenRequests));
        EXPECT_TRUE(QTest::qWaitFor([&] { return openSockets(running.pid()) > served; }, 5000))
            << openSockets(running.pid());
        idle.clear();

        EXPECT_EQ(handOver({"https://next.test/"}), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return running.pickersShown() >= 1; }, kPromptly.count()))
            << running.standardError().toStdString();
    }
}

// Many senders at once, each with one link, as a script gone wrong sends them: each new link's
// picker replaces the one before, so the ones replaced at once cost nothing, and a link sent after
// the burst has its picker on the screen at once.
TEST_F(TavroStartUpTest, ABurstOfLinksLeavesTavroPromptForTheNext)
{
    constexpr int kSenders = 8;
    constexpr int kLinksEach = 400;
    // Far less than a picker for each link would leave: some 50 MiB.
    constexpr qulonglong kBurstMemoryKiB = 20 * 1024;
    test::Xvfb xvfb;
    ASSERT_TRUE(xvfb.isRunning());
    QProcessEnvironment session = xvfb.sessionEnvironment(home.path(), runtime.path());
    session.insert("QT_LOGGING_RULES", "tavro.picker.debug=true");
    Tavro running(session, {});
    ASSERT_TRUE(listening()) << running.standardError().toStdString();
    const qulonglong memoryBefore = anonymousMemoryKiB(running.pid());

    std::atomic<int> taken = 0;
    std::atomic<int> done = 0;
    std::vector<std::thread> senders;
    for (int sender = 0; sender < kSenders; ++sender) {
        senders.emplace_back([&, sender, path = socketPath()] {
            for (int i = 0; i < kLinksEach; ++i) {
                const QUrl link(QStringLiteral("https://burst.test/%1/%2").arg(sender).arg(i));
                if (LinkForwarding::forward({link}, path))
                    ++taken;
            }
            ++done;
        });
    }
    // Waiting with the event loop running reads what Tavro writes, which it would otherwise wait for.
    const bool burstEnded = QTest::qWaitFor([&] { return done == kSenders; }, 120000);
    for (std::thread& sender : senders)
        sender.join();
    ASSERT_TRUE(burstEnded);
    QElapsedTimer sinceBurst;
    sinceBurst.start();
    EXPECT_EQ(taken, kSenders * kLinksEach);

    EXPECT_EQ(handOver({"https://after.test/"}), 0);
    EXPECT_FALSE(xvfb.waitForWindow("after\\.test", int(kPromptly.count() - sinceBurst.elapsed())).isEmpty())
        << "the picker of the link after the burst came " << sinceBurst.elapsed() << " ms after it; "
        << running.pickersShown() << " pickers shown";
    EXPECT_LT(running.pickersShown(), kSenders * kLinksEach / 10);
    // What the burst took is given back, but for what the allocator keeps at hand.
    EXPECT_LT(anonymousMemoryKiB(running.pid()), memoryBefore + kBurstMemoryKiB)
        << memoryBefore << " KiB before the burst";
}

} // namespace
