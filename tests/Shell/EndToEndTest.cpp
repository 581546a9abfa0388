// The main road under a real X server: `tavro URL` shows the picker at the pointer, a real key
// press chooses the Chromium destination, and Debian's real Chromium loads the page from a server
// on 127.0.0.1: once launched by Tavro, once reached through its singleton socket while it runs.
// A second `tavro URL` while Tavro runs hands the link over and ends at once. One request of many
// links, each picker answered as it shows, opens every one of them, though the browser's window
// comes up and takes the focus while the next picker is up: on a bare X server and under a window
// manager, with the real Chromium and with a stand-in whose every launch maps a window that takes
// the focus.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/ProfileDiscoveryDestinations.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Shell/ShellHomes.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

using namespace tavro;

namespace {

// Serves a small page for every GET and remembers the paths asked for.
class PageServer : public QObject
{
public:
    PageServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray request = socket->readAll();
                    const QList<QByteArray> words = request.left(request.indexOf('\r')).split(' ');
                    if (words.size() >= 2)
                        paths.append(QString::fromLatin1(words.at(1)));
                    const QByteArray body = "<html><head><title>Tavro page</title></head><body>ok</body></html>";
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: "
                        + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    quint16 port() const { return m_server.serverPort(); }
    QStringList paths;

private:
    QTcpServer m_server;
};

class EndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        ASSERT_FALSE(chromium.isEmpty()) << "Debian's chromium is not installed";
        makeChromiumBundle();
        storeSettings();

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
        // The bundle's executable records the browser's process id; end that browser alone.
        QFile pidFile(home.filePath("chromium.pid"));
        if (pidFile.open(QIODevice::ReadOnly)) {
            const pid_t pid = pidFile.readAll().trimmed().toInt();
            if (pid > 0) {
                ::kill(pid, SIGTERM);
                if (!QTest::qWaitFor([pid] { return ::kill(pid, 0) != 0; }, 5000))
                    ::kill(pid, SIGKILL);
            }
        }
    }

    void makeChromiumBundle(const QByteArray& program = {})
    {
        home.writeFile("Applications/Chromium.app/Contents/Info.plist",
            R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<dict>
    <key>CFBundleIdentifier</key><string>org.chromium.Chromium</string>
    <key>CFBundleExecutable</key><string>Chromium</string>
    <key>CFBundleName</key><string>Chromium</string>
</dict>
</plist>
)");
        const QString executable = home.writeFile("Applications/Chromium.app/Contents/MacOS/Chromium",
            !program.isEmpty() ? program
                               : "#!/bin/sh\necho $$ > \"$HOME/chromium.pid\"\nexec " + chromium.toUtf8()
                    + " --no-sandbox --no-first-run --disable-gpu --disable-background-networking"
                      " --disable-component-update --disable-sync --disable-quic --password-store=basic"
                      " --user-data-dir=\"$HOME/Library/Application Support/Chromium\" \"$@\"\n");
        QFile::setPermissions(executable, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // The profile list Chromium keeps, and the profile's folder; Tavro reads its profiles from here.
        QDir().mkpath(home.filePath("Library/Application Support/Chromium/Default"));
        home.writeFile("Library/Application Support/Chromium/Local State",
            R"({"profile":{"info_cache":{"Default":{"name":"Person 1"}},"profiles_order":["Default"]}})");
    }

    void storeSettings()
    {
        // The destination discovery finds in the "Local State" above, stored ahead so that the
        // picker has it from the first link on.
        test::storeFinishedOnboarding({test::chromiumPersonOne()});
    }

    int xdotool(const QStringList& arguments, QByteArray* output = nullptr)
    {
        return xvfb.run(QStringLiteral("xdotool"), arguments, output);
    }

    void movePointer(QPoint point)
    {
        const bool moved = QTest::qWaitFor(
            [&] {
                // xdotool can end before the server took the motion; a short sleep in the same
                // run lets it through.
                xdotool({"mousemove", QString::number(point.x()), QString::number(point.y()), "sleep", "0.1"});
                QByteArray output;
                xdotool({"getmouselocation", "--shell"}, &output);
                return output.contains("X=" + QByteArray::number(point.x()) + "\nY=" + QByteArray::number(point.y()));
            },
            5000);
        ASSERT_TRUE(moved) << "the pointer did not move";
    }

    // The picker's window, once it is shown.
    QString waitForPicker() { return xvfb.waitForWindow(QStringLiteral("Choose where to open"), 30000); }

    QPoint windowCentre(const QString& window)
    {
        QByteArray output;
        xdotool({"getwindowgeometry", window}, &output);
        const auto match = QRegularExpression(
            R"(Position: (-?\d+),(-?\d+).*Geometry: (\d+)x(\d+))", QRegularExpression::DotMatchesEverythingOption)
                               .match(QString::fromLatin1(output));
        if (!match.hasMatch())
            return {};
        return {match.captured(1).toInt() + match.captured(3).toInt() / 2,
            match.captured(2).toInt() + match.captured(4).toInt() / 2};
    }

    // Shows the picker for `path`, checks it sits on the pointer and presses "1".
    void chooseFirstDestination(const QString& window, QPoint pointer)
    {
        ASSERT_FALSE(window.isEmpty()) << "no picker appeared";
        const QPoint centre = windowCentre(window);
        EXPECT_LE((centre - pointer).manhattanLength(), 4) << "picker centred at " << centre.x() << "," << centre.y();
        xdotool({"windowfocus", "--sync", window});
        EXPECT_EQ(xdotool({"key", "1", "sleep", "0.1"}), 0);
    }

    QByteArray readPidFile()
    {
        QFile file(home.filePath("chromium.pid"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }

    bool serverSaw(const QString& path, int timeoutMs = 45000)
    {
        return QTest::qWaitFor([&] { return server.paths.contains(path); }, timeoutMs);
    }

    test::Xvfb xvfb;
    test::TempHome home;
    QTemporaryDir runtime;
    PageServer server;
    QString chromium;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QProcess tavro;
};

TEST_F(EndToEndTest, LinkThroughThePickerIntoChromiumClosedThenRunning)
{
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(server.port());
    const QPoint pointer(700, 420);
    movePointer(pointer);

    // Chromium is closed: Tavro launches it with the link. The application itself, which the
    // test holds: `tavro` would start it apart.
    tavro.setProcessEnvironment(environment);
    tavro.setProcessChannelMode(QProcess::ForwardedChannels);
    tavro.start(QStringLiteral(TAVRO_APPLICATION), {base + "/closed"});
    ASSERT_TRUE(tavro.waitForStarted());
    chooseFirstDestination(waitForPicker(), pointer);
    ASSERT_TRUE(serverSaw("/closed")) << "Chromium never asked for the page";
    const QByteArray browserProcess = readPidFile();
    ASSERT_FALSE(browserProcess.isEmpty());

    // Chromium runs: a second `tavro URL` hands the link to the running Tavro and ends at once,
    // and the choice reaches Chromium through its singleton socket.
    const QPoint elsewhere(300, 250);
    movePointer(elsewhere);
    QProcess second;
    second.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    second.start(QStringLiteral(TAVRO_EXECUTABLE), {base + "/running"});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(tavro.state(), QProcess::Running);

    chooseFirstDestination(waitForPicker(), elsewhere);
    ASSERT_TRUE(serverSaw("/running")) << "the running Chromium never asked for the page";
    // Through the socket no process was started: the bundle's executable did not run again.
    EXPECT_EQ(readPidFile(), browserProcess) << server.paths.join(' ').toStdString();
}

// A browser's window takes the focus from the picker that is up for the next link: each link of one
// request still reaches the browser, in order.
class ManyLinksTest : public EndToEndTest, public testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        EndToEndTest::SetUp();
        if (GetParam()) {
            ASSERT_TRUE(xvfb.startWindowManager()) << "openbox did not start";
        }
    }

    void TearDown() override
    {
        EndToEndTest::TearDown();
        // Each launch runs in a session of its own: its whole group goes, the window and any xdotool
        // still waiting for it, which would otherwise outlive the check.
        QFile pids(home.filePath("stand-in.pids"));
        if (pids.open(QIODevice::ReadOnly)) {
            for (const QByteArray& pid : pids.readAll().split('\n')) {
                if (pid.toInt() > 0) {
                    ::kill(-pid.toInt(), SIGKILL);
                    ::kill(pid.toInt(), SIGKILL);
                }
            }
        }
    }

    // A browser as a person sees one: 0.4 s after each launch its window appears, comes forward and
    // takes the focus, under a window manager through it and on a bare server by itself.
    void makeFocusTakingStandIn()
    {
        makeChromiumBundle(R"(#!/bin/sh
echo $$ >> "$HOME/stand-in.pids"
printf '%s\n' "$*" >> "$HOME/opened.log"
sleep 0.4
xmessage -title "Stand-in browser $$" -geometry 900x700+200+100 "$*" &
# A search that meets a window going away (a picker closing) ends with an X error: search again.
window=
while [ -z "$window" ]; do
    window=$(xdotool search --onlyvisible --name "Stand-in browser $$" 2>/dev/null | head -n 1)
    [ -n "$window" ] || sleep 0.05
done
xdotool windowactivate "$window" 2>/dev/null
xdotool windowraise "$window" windowfocus "$window"
)");
    }

    // Starts Tavro with `count` links and answers each picker with "1" as soon as it shows.
    void chooseEachAsItShows(const QString& base, int count)
    {
        QStringList links;
        for (int i = 1; i <= count; ++i)
            links.append(base + "/" + QString::number(i));
        tavro.setProcessEnvironment(environment);
        tavro.setProcessChannelMode(QProcess::ForwardedChannels);
        tavro.start(QStringLiteral(TAVRO_APPLICATION), links);
        ASSERT_TRUE(tavro.waitForStarted());
        QString previous;
        for (int i = 1; i <= count; ++i) {
            QString picker;
            const bool shown = QTest::qWaitFor(
                [&] {
                    picker = xvfb.waitForWindow(QStringLiteral("Choose where to open"), 100);
                    return !picker.isEmpty() && picker != previous;
                },
                30000);
            ASSERT_TRUE(shown) << "no picker for link " << i;
            // A person answers a picker they see drawn, and by then it holds the keys; the window
            // is listed as visible a moment before.
            ASSERT_TRUE(QTest::qWaitFor([&] { return xvfb.keyboardIsGrabbed(); }, 5000))
                << "the picker for link " << i << " never took the keyboard";
            EXPECT_EQ(xdotool({"key", "1"}), 0);
            previous = picker;
        }
    }

    QStringList standInLaunches()
    {
        QFile log(home.filePath("opened.log"));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }
};

TEST_P(ManyLinksTest, EveryLinkOfOneRequestReachesTheRealChromium)
{
    movePointer({700, 420});
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(server.port());
    chooseEachAsItShows(base, 20);
    for (int i = 1; i <= 20; ++i)
        ASSERT_TRUE(serverSaw("/" + QString::number(i)))
            << "link " << i << " of 20; Chromium saw " << server.paths.join(' ').toStdString();
    EXPECT_EQ(tavro.state(), QProcess::Running);
}

TEST_P(ManyLinksTest, EveryLinkReachesABrowserWhoseWindowTakesTheFocus)
{
    makeFocusTakingStandIn();
    movePointer({700, 420});
    const QString base = QStringLiteral("https://example.com");
    chooseEachAsItShows(base, 6);
    QStringList opened;
    const bool all = QTest::qWaitFor(
        [&] {
            opened = standInLaunches();
            return opened.size() == 6;
        },
        15000);
    ASSERT_TRUE(all) << opened.join('\n').toStdString();
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(opened[i].contains(base + "/" + QString::number(i + 1))) << opened[i].toStdString();
    // Every launch's window came up; none is left to appear after the check, on a display that the
    // next check's server may have by then.
    QByteArray windows;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            xdotool({"search", "--onlyvisible", "--name", "Stand-in browser"}, &windows);
            return windows.trimmed().split('\n').size() == 6;
        },
        15000))
        << windows.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Desktops, ManyLinksTest, testing::Bool(), [](const testing::TestParamInfo<bool>& info) {
    return info.param ? std::string("openbox") : std::string("bareX");
});

} // namespace
