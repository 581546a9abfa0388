// Two roads of the real `tavro` on a real X server, each beside its reference from the same run:
// - a cold start, `tavro URL` with no Tavro running until the picker's window is mapped, and the
//   first start until the Welcome window is mapped, beside a bare Qt program's start to its window;
// - the key that chooses a Chromium profile until that browser asks for the page, beside the raw
//   exchange with the same Chromium's singleton socket;
// - what Tavro keeps resident while it waits for a link with its icon in a tray, beside a bare Qt
//   program showing its window.
// Prints figures; asserts nothing timed.

#include "Tavro/Launch/ChromiumSingleton.h"
#include "tests/Launch/RealChromium.h"
#include "tests/Shell/ShellHomes.h"
#include "tests/Support/Listening.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <iostream>
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

using namespace tavro;

namespace {

constexpr int kRounds = 9;

double median(QList<double> values)
{
    std::ranges::sort(values);
    return values.at(values.size() / 2);
}

double milliseconds(const QElapsedTimer& clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// Runs the event loop until `done` holds; `done` is asked after every event, so the moment it
// turns true is seen as it happens.
bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick;
    tick.start(50);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

// The processes whose HOME is `home`, but this one.
QList<pid_t> processesOfHome(const QString& home)
{
    const QByteArray entry = "HOME=" + home.toUtf8();
    QList<pid_t> pids;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isNumber = false;
        const pid_t pid = pid_t(name.toLongLong(&isNumber));
        QFile environment(QStringLiteral("/proc/%1/environ").arg(name));
        if (isNumber && pid != ::getpid() && environment.open(QIODevice::ReadOnly)
            && environment.readAll().split('\0').contains(entry))
            pids.append(pid);
    }
    return pids;
}

// Ends every process whose HOME is `home` and waits until they are gone: the Tavro that a `tavro URL`
// started runs apart, in a session of its own, and would otherwise draw its picker beside the next
// round's start.
void endProcessesOfHome(const QString& home)
{
    for (const pid_t pid : processesOfHome(home))
        ::kill(pid, SIGTERM);
    if (!QTest::qWaitFor([&] { return processesOfHome(home).isEmpty(); }, 5000)) {
        for (const pid_t pid : processesOfHome(home))
            ::kill(pid, SIGKILL);
    }
}

// What a process holds in memory, in KiB: all it has resident, and its proportional share of what it
// shares with others (a library's pages count in part).
struct Resident
{
    double rss = 0;
    double pss = 0;
    double privateDirty = 0;
};
constexpr double kSettledKiB = 16;

Resident residentOf(qint64 pid)
{
    Resident found;
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return found;
    for (const QByteArray& line : rollup.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        if (fields.first() == "Rss:")
            found.rss = fields.at(1).toDouble();
        else if (fields.first() == "Pss:")
            found.pss = fields.at(1).toDouble();
        else if (fields.first() == "Private_Dirty:")
            found.privateDirty = fields.at(1).toDouble();
    }
    return found;
}

// What a waiting process keeps: its figures once its resident memory held within a few pages for
// two seconds (what it shares moves as other processes come and go).
std::optional<Resident> settledResident(qint64 pid)
{
    Resident last = residentOf(pid);
    int stillFor = 0;
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        QTest::qWait(250);
        const Resident now = residentOf(pid);
        stillFor = now.rss > 0 && std::abs(now.rss - last.rss) <= kSettledKiB ? stillFor + 1 : 0;
        last = now;
        if (stillFor == 8)
            return last;
    }
    return std::nullopt;
}

// Tells when a window is mapped on the root of a display, as the server reports it.
class MapWatcher
{
public:
    explicit MapWatcher(const QString& display) : m_connection(xcb_connect(display.toLocal8Bit().constData(), nullptr))
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &mask);
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }
    ~MapWatcher() { xcb_disconnect(m_connection); }

    void forgetEarlierMaps()
    {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    // Whether a window was mapped within `timeoutMs`.
    bool waitForMap(int timeoutMs)
    {
        const QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                std::free(event);
                if (mapped)
                    return true;
            }
            if (deadline.hasExpired())
                return false;
            pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            ::poll(&descriptor, 1, int(std::max<qint64>(1, deadline.remainingTime())));
        }
    }

private:
    xcb_connection_t* m_connection;
};

// A real X server and a temporary home, for each road.
class ShellRoadsBenchmark : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning());
        ASSERT_TRUE(xvfb.keepAlive());
    }

    // The home of a user who finished the Welcome window, with a Chromium of two profiles.
    void onboardWithTwoChromiumProfiles()
    {
        test::writeTwoChromiumProfiles(home);
        test::storeFinishedOnboarding({});
    }

    test::Xvfb xvfb;
    test::TempHome home;
};

TEST_F(ShellRoadsBenchmark, ColdStartBesideABareQtWindow)
{
    onboardWithTwoChromiumProfiles();
    MapWatcher watcher(xvfb.display());

    // From the start of `program` until its first window is mapped; the program is ended after.
    const auto timeToWindow
        = [&](const QString& program, const QStringList& arguments, const QString& homePath) -> std::optional<double> {
        QTemporaryDir runtime;
        QProcess process;
        process.setProcessEnvironment(xvfb.sessionEnvironment(homePath, runtime.path()));
        watcher.forgetEarlierMaps();
        QElapsedTimer clock;
        clock.start();
        process.start(program, arguments);
        const bool mapped = watcher.waitForMap(10000);
        const double elapsed = milliseconds(clock);
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished(5000);
        endProcessesOfHome(homePath);
        return mapped ? std::optional(elapsed) : std::nullopt;
    };

    QList<double> bare, picker, welcome;
    for (int round = 0; round <= kRounds; ++round) {
        const auto b = timeToWindow(QStringLiteral(TAVRO_BARE_WINDOW), {}, home.path());
        const auto p = timeToWindow(
            QStringLiteral(TAVRO_EXECUTABLE), {QStringLiteral("https://example.com/%1").arg(round)}, home.path());
        QTemporaryDir firstHome;
        const auto w = timeToWindow(QStringLiteral(TAVRO_EXECUTABLE), {}, firstHome.path());
        ASSERT_TRUE(b && p && w);
        if (round == 0) // the first round fills the file caches
            continue;
        bare.append(*b);
        picker.append(*p);
        welcome.append(*w);
    }
    const double reference = median(bare);
    std::cout << "[bench] bare Qt window start to mapped, median of " << bare.size() << ": " << reference << " ms\n"
              << "[bench] cold `tavro URL` to picker mapped: " << median(picker) << " ms, ratio "
              << median(picker) / reference << " (aim: within 1.5)\n"
              << "[bench] first start to Welcome window mapped: " << median(welcome) << " ms, ratio "
              << median(welcome) / reference << " (aim: within 1.5)" << std::endl;
}

TEST_F(ShellRoadsBenchmark, KeyToRequestBesideTheRawExchange)
{
    test::RequestRecorder server;
    const QString bundle = test::writeChromiumBundle(home.path(), xvfb.display());
    const QString dataDir = home.filePath(QStringLiteral("Library/Application Support/Chromium"));
    test::storeFinishedOnboarding({test::chromiumPersonOne()});
    // The profile list as Chromium keeps it, so that the scans at launch keep the stored profile.
    home.writeFile("Library/Application Support/Chromium/Local State",
        R"({"profile":{"info_cache":{"Default":{"name":"Person 1"}},"profiles_order":["Default"]}})");
    QDir().mkpath(home.filePath(QStringLiteral("Library/Application Support/Chromium/Default")));

    // A Chromium the user started, outside Tavro.
    const qint64 browser = test::startChromiumByHand(home.path(), xvfb.display(), server.url(QStringLiteral("/start")));
    ASSERT_NE(browser, 0);
    ASSERT_TRUE(server.waitFor(QStringLiteral("/start"), 60000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::holdsProfile(dataDir, browser); }, 20000));
    const QString socket = *ChromiumSingleton::socketPath(dataDir);

    QTemporaryDir runtime;
    QProcessEnvironment environment = xvfb.sessionEnvironment(home.path(), runtime.path());
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("tavro.picker.debug=true"));
    QProcess tavro;
    tavro.setProcessEnvironment(environment);
    tavro.start(QStringLiteral(TAVRO_EXECUTABLE), {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 30000));

    const auto seen = [&](const QString& path) { return [&server, path] { return server.paths().contains(path); }; };
    const int settleMs = 500;
    QList<double> keys, exchanges;
    for (int round = 0; round <= kRounds; ++round) {
        const QString keyPath = QStringLiteral("/key%1").arg(round);
        QProcess link;
        link.setProcessEnvironment(environment);
        link.start(QStringLiteral(TAVRO_EXECUTABLE), {server.url(keyPath)});
        const QString window = xvfb.waitForWindow(QStringLiteral("Choose where to open"), 10000);
        ASSERT_FALSE(window.isEmpty());
        ASSERT_TRUE(link.state() == QProcess::NotRunning || link.waitForFinished(5000));
        ASSERT_EQ(xvfb.run(QStringLiteral("xdotool"), {"windowfocus", "--sync", window}), 0);
        QTest::qWait(settleMs);

        // From the moment Tavro has the key until the browser asks for the page.
        QByteArray log = tavro.readAllStandardError();
        log.clear();
        QProcess key;
        key.setProcessEnvironment(environment);
        key.start(QStringLiteral("xdotool"), {"key", "1"});
        QElapsedTimer clock;
        ASSERT_TRUE(waitUntil(
            [&] {
                log += tavro.readAllStandardError();
                if (!clock.isValid() && log.contains("picker key pressed"))
                    clock.start();
                return clock.isValid() && seen(keyPath)();
            },
            20000))
            << log.toStdString();
        const double keyToRequest = milliseconds(clock);
        key.waitForFinished(5000);

        QTest::qWait(settleMs);
        const QString rawPath = QStringLiteral("/raw%1").arg(round);
        clock.restart();
        EXPECT_EQ(ChromiumSingleton::deliver({bundle + QStringLiteral("/Contents/MacOS/Chromium"),
                                                 QStringLiteral("--profile-directory=Default"), server.url(rawPath)},
                      {}, socket),
            ChromiumSingleton::Outcome::delivered);
        ASSERT_TRUE(waitUntil(seen(rawPath), 20000));
        const double exchange = milliseconds(clock);
        if (round == 0) // the first choice warms the caches
            continue;
        keys.append(keyToRequest);
        exchanges.append(exchange);
    }
    tavro.terminate();
    tavro.waitForFinished(5000);
    test::killProcessesMentioning(home.path());

    const double reference = median(exchanges);
    std::cout << "[bench] raw singleton exchange to request, median of " << exchanges.size() << ": " << reference
              << " ms\n"
              << "[bench] key \"1\" in the picker to request: " << median(keys) << " ms, ratio "
              << median(keys) / reference << " (aim: within 1.2)" << std::endl;
}

TEST_F(ShellRoadsBenchmark, IdleMemoryBesideABareQtWindow)
{
    onboardWithTwoChromiumProfiles();
    QTemporaryDir runtime;
    QProcessEnvironment environment = xvfb.sessionEnvironment(home.path(), runtime.path());
    // No desktop session: the icon docks the X11 way, in the tray host started here.
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    QProcess tray;
    tray.setProcessEnvironment(environment);
    tray.start(QStringLiteral("trayer"), {"--edge", "top", "--align", "right", "--widthtype", "request"});
    ASSERT_TRUE(tray.waitForStarted()) << "trayer is not installed";
    // An empty tray is 2 pixels wide.
    const auto trayWidth = [&] {
        QByteArray output;
        xvfb.run(QStringLiteral("xdotool"),
            {"search", "--onlyvisible", "--class", "trayer", "getwindowgeometry", "--shell"}, &output);
        for (const QByteArray& line : output.split('\n')) {
            if (line.startsWith("WIDTH="))
                return line.mid(6).toInt();
        }
        return 0;
    };

    const auto waiting = [&](const QString& program, const std::function<bool()>& shown) -> std::optional<Resident> {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, {});
        std::optional<Resident> kept;
        if (process.waitForStarted() && QTest::qWaitFor(shown, 20000))
            kept = settledResident(process.processId());
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished(5000);
        return kept;
    };
    QList<double> bareRss, bareShare, barePrivate, tavroRss, tavroShare, tavroPrivate;
    for (int round = 0; round < 3; ++round) {
        const auto bare = waiting(QStringLiteral(TAVRO_BARE_WINDOW),
            [&] { return !xvfb.waitForWindow(QStringLiteral("Bare window"), 100).isEmpty(); });
        const auto tavro = waiting(QStringLiteral(TAVRO_EXECUTABLE), [&] { return trayWidth() >= 16; });
        ASSERT_TRUE(bare) << "the bare window did not settle";
        ASSERT_TRUE(tavro) << "Tavro did not dock or settle";
        bareRss.append(bare->rss);
        bareShare.append(bare->pss);
        barePrivate.append(bare->privateDirty);
        tavroRss.append(tavro->rss);
        tavroShare.append(tavro->pss);
        tavroPrivate.append(tavro->privateDirty);
    }
    tray.terminate();
    tray.waitForFinished(5000);
    std::cout << "[bench] bare Qt window showing, resident: " << median(bareRss) << " KiB, proportional "
              << median(bareShare) << " KiB, private dirty " << median(barePrivate) << " KiB\n"
              << "[bench] Tavro waiting for a link with its icon in the tray, resident: " << median(tavroRss)
              << " KiB, ratio " << median(tavroRss) / median(bareRss) << " (aim: within 1.3); proportional "
              << median(tavroShare) / median(bareShare) << "x, private dirty "
              << median(tavroPrivate) / median(barePrivate) << "x" << std::endl;
}

} // namespace
