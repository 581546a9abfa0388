// Tavro on a plain X11 desktop (Xvfb, no compositing manager) with HOME and the XDG folders
// temporary and no application bundle at all: Debian's real Chromium and firefox-esr make their
// profiles in their own Linux folders and are known by their desktop entries alone. Tavro finds the
// three profiles, makes itself the default browser, gets links from `xdg-open`, shows the picker
// in the flower's shape and sends the chosen link to the real Chromium: launched through its
// desktop entry first, reached through its singleton socket once it runs.
// A picker counts as shown when the process logs "picker shown" (the picker's debug category).

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Picker/FlowerLayout.h"
#include "Tavro/Platform/BrowserDataFolder.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Shell/DefaultBrowserService.h"
#include "tests/Discovery/RealBrowserProfiles.h"
#include "tests/Launch/RealChromium.h"
#include "tests/Support/Listening.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

using namespace tavro;

namespace tavro::test {

// Tavro's desktop entry for a `tavro` in `bindir`, written by the script the install runs.
bool writeTavroDesktopEntry(const QString& bindir, const QString& output)
{
    return QProcess::execute(QStringLiteral(TAVRO_CMAKE),
               {"-DTEMPLATE=" TAVRO_DESKTOP_ENTRY, "-DBINDIR=" + bindir, "-DOUTPUT=" + output, "-P",
                   TAVRO_DESKTOP_ENTRY_SCRIPT})
        == 0;
}

} // namespace tavro::test

namespace {

// The root window's colour: the picker uses none like it, and black would hide a black window.
const QColor kDesktop(0x2e, 0x8b, 0x57);

class LinuxDesktopRealTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        ASSERT_TRUE(recorder.isListening());
        // With the temporary HOME and XDG folders.
        environment = xvfb.sessionEnvironment(home.path(), runtime.path());
        environment.insert("QT_LOGGING_RULES", "tavro.picker.debug=true");
        // xdg-open then asks the MIME defaults, as on a desktop of no particular kind.
        for (const char* name : {"WAYLAND_DISPLAY", "BROWSER", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION"})
            environment.remove(QString::fromLatin1(name));

        // The root's colour lasts only while a client stays connected.
        ASSERT_TRUE(xvfb.keepAlive());
        ASSERT_EQ(run(QStringLiteral("xsetroot"), {"-solid", kDesktop.name()}), 0);

        // The profiles, each where its browser keeps them on Linux.
        chromium.makeTwo();
        firefoxRoot = test::createFirefoxProfile(home.path(), QStringLiteral("Work"));
        ASSERT_FALSE(firefoxRoot.isEmpty());
        writeDesktopEntries();
        storeCompletedOnboarding();
    }

    void TearDown() override
    {
        if (tavro.state() != QProcess::NotRunning) {
            tavro.terminate();
            if (!tavro.waitForFinished(5000))
                tavro.kill();
            tavro.waitForFinished(2000);
        }
        test::killProcessesMentioning(home.path());
    }

    // Entries in the user's application folder: the browsers' pointing at the real binaries,
    // Tavro's the one it installs, pointing at the program under test.
    void writeDesktopEntries()
    {
        QByteArray chromiumExec = '"' + test::chromiumBinary().toUtf8() + '"';
        for (const QString& argument : test::chromiumArguments(chromium.userDataDir()))
            chromiumExec += " \"" + argument.toUtf8() + '"';
        home.writeFile(".local/share/applications/chromium.desktop",
            "[Desktop Entry]\nType=Application\nName=Chromium\nExec=" + chromiumExec + " %U\n");
        const QString firefox = QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
        home.writeFile(".local/share/applications/firefox-esr.desktop",
            "[Desktop Entry]\nType=Application\nName=Firefox ESR\nExec=" + firefox.toUtf8() + " %u\n");
        // Tavro's own entry, as the install writes it.
        ASSERT_TRUE(test::writeTavroDesktopEntry(QFileInfo(QStringLiteral(TAVRO_EXECUTABLE)).absolutePath(),
            home.filePath(".local/share/applications/tavro.desktop")));
    }

    // Past onboarding, with nothing found yet: the destinations are the scan's.
    static void storeCompletedOnboarding()
    {
        AppSettings settings;
        settings.hasCompletedOnboarding = true;
        UserDefaults defaults(UserDefaults::standardPath());
        EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, settings.toJsonBytes()));
        EXPECT_TRUE(defaults.synchronize());
    }

    static QList<BrowserDestination> storedDestinations()
    {
        const auto bytes = UserDefaults(UserDefaults::standardPath()).data(SettingsStore::defaultsKey);
        if (!bytes)
            return {};
        const auto settings = AppSettings::fromJsonBytes(*bytes);
        return settings ? settings->destinations : QList<BrowserDestination>();
    }

    qsizetype pickersShown()
    {
        output += tavro.readAllStandardError();
        return output.count("picker shown");
    }

    int run(const QString& program, const QStringList& arguments, QByteArray* standardOutput = nullptr)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        // What a failing tool says goes to the test's output.
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, arguments);
        if (!process.waitForFinished(20000))
            return -1;
        if (standardOutput)
            *standardOutput = process.readAllStandardOutput();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString pickerWindow() { return xvfb.waitForWindow(QStringLiteral("Choose where to open"), 10000); }

    QRect geometry(const QString& window)
    {
        QByteArray found;
        xvfb.run("xdotool", {"getwindowgeometry", "--shell", window}, &found);
        QHash<QByteArray, int> values;
        for (const QByteArray& line : found.split('\n')) {
            const QList<QByteArray> parts = line.split('=');
            if (parts.size() == 2)
                values.insert(parts.at(0), parts.at(1).toInt());
        }
        return {values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT")};
    }

    // The screen once the flower has opened and stopped moving: every petal's centre is drawn over
    // and two captures in a row agree. Saved for a person to look at; null when it never settled.
    QImage screenWithOpenFlower(const QRect& frame, const QString& name)
    {
        const QPoint hub = frame.center();
        const QString path = QDir(TAVRO_ARTIFACTS_DIR).filePath(name);
        QDir().mkpath(TAVRO_ARTIFACTS_DIR);
        QImage screen;
        QImage previous;
        const bool open = QTest::qWaitFor(
            [&] {
                previous = screen;
                if (xvfb.run("import", {"-window", "root", path}) != 0 || !screen.load(path))
                    return false;
                const auto offsets = FlowerLayout(3).petalOffsets(EdgeRoom::unconstrained());
                return screen == previous && std::ranges::all_of(offsets, [&](QPointF offset) {
                    return screen.pixelColor(hub + offset.toPoint()) != kDesktop;
                });
            },
            10000);
        return open ? screen : QImage();
    }

    // Pixels in `frame` left black: a part of the window its shape lets through but nothing drew on.
    static int blackPixels(const QImage& screen, const QRect& frame)
    {
        int count = 0;
        for (int y = frame.top(); y <= frame.bottom(); ++y)
            for (int x = frame.left(); x <= frame.right(); ++x)
                count += screen.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        return count;
    }

    void chooseFirst(const QString& window)
    {
        ASSERT_FALSE(window.isEmpty()) << "no picker window";
        EXPECT_EQ(xvfb.run("xdotool", {"windowfocus", "--sync", window, "key", "1", "sleep", "0.1"}), 0);
    }

    test::Xvfb xvfb;
    test::TempHome home;
    QTemporaryDir runtime;
    test::RequestRecorder recorder;
    test::RealChromiumProfiles chromium{xvfb, home.path(), home.filePath(".config/chromium")};
    QString firefoxRoot;
    QProcessEnvironment environment;
    QProcess tavro;
    QByteArray output;
};

TEST_F(LinuxDesktopRealTest, LinkFromXdgOpenThroughThePickerIntoTheRealChromium)
{
    const QHash<QString, QString> chromiumNames = chromium.names();
    ASSERT_EQ(chromiumNames.size(), 2);
    EXPECT_EQ(BrowserDataFolder::linuxFolder(QStringLiteral("org.mozilla.firefox"), home.path()), firefoxRoot);

    tavro.setProcessEnvironment(environment);
    tavro.start(QStringLiteral(TAVRO_EXECUTABLE), {});
    ASSERT_TRUE(tavro.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 30000))
        << tavro.readAllStandardError().toStdString();

    // The scan finds the three profiles under the names their browsers gave them.
    ASSERT_TRUE(QTest::qWaitFor([] { return storedDestinations().size() == 3; }, 30000));
    const QList<BrowserDestination> destinations = storedDestinations();
    QStringList names;
    for (const BrowserDestination& destination : destinations)
        names.append(destination.profileDisplayName);
    names.sort();
    QStringList expected{chromiumNames.value("Default"), chromiumNames.value("Profile 1"), "Work"};
    expected.sort();
    EXPECT_EQ(names, expected);
    ASSERT_EQ(destinations.first().browserBundleIdentifier, "org.chromium.Chromium");

    // Tavro makes itself the default browser, and the desktop's own tools agree.
    ASSERT_TRUE(DefaultBrowserService::makeDefault());
    EXPECT_TRUE(DefaultBrowserService::isDefault());
    QByteArray handler;
    EXPECT_EQ(run("xdg-mime", {"query", "default", "x-scheme-handler/https"}, &handler), 0);
    EXPECT_EQ(handler.trimmed(), "tavro.desktop");

    // Chromium is closed: its desktop entry launches it with the link.
    ASSERT_EQ(xvfb.run("xdotool", {"mousemove", "720", "450"}), 0);
    EXPECT_EQ(run("xdg-open", {recorder.url("/x")}), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pickersShown() == 1; }, 15000)) << output.toStdString();
    const QString window = pickerWindow();
    ASSERT_FALSE(window.isEmpty());

    // Without a compositing manager the picker takes the flower's shape: the desktop shows in
    // its corners (not black), and every petal is drawn.
    const QRect frame = geometry(window);
    const QImage screen = screenWithOpenFlower(frame, "picker-no-compositor.png");
    ASSERT_FALSE(screen.isNull()) << "the petals never showed";
    for (const QPoint corner : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
        EXPECT_EQ(screen.pixelColor(corner), kDesktop) << corner.x() << "," << corner.y();
    EXPECT_EQ(blackPixels(screen, frame), 0);

    chooseFirst(window);
    ASSERT_TRUE(recorder.waitFor("/x", 45000)) << "Chromium never asked for the page";
    QList<qint64> browsers;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (browsers = test::browserProcesses(home.path())).size() == 1; }, 10000))
        << test::describeProcesses(home.path());

    // Chromium runs: the link reaches it through its socket, and no second browser starts.
    EXPECT_EQ(run("xdg-open", {recorder.url("/running")}), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pickersShown() == 2; }, 15000)) << output.toStdString();
    chooseFirst(pickerWindow());
    ASSERT_TRUE(recorder.waitFor("/running", 45000)) << "the running Chromium never asked for the page";
    EXPECT_EQ(test::browserProcesses(home.path()), browsers) << test::describeProcesses(home.path());
}

} // namespace

// With no Tavro running, a link opened from a terminal starts one in a session of its own: the
// command returns as soon as the link is taken, and Ctrl+C in that terminal (SIGINT to the
// caller's process group) leaves Tavro running.
TEST_F(LinuxDesktopRealTest, AFirstLinkFromATerminalLeavesTheTerminalFree)
{
    ASSERT_TRUE(DefaultBrowserService::makeDefault());
    // The terminal's job: a shell leading a process group of its own, as a terminal's shell does.
    QProcess terminal;
    terminal.setProcessEnvironment(environment);
    terminal.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    terminal.start("setsid",
        {"-w", "sh", "-c",
            "timeout --foreground 5 xdg-open \"$1\"; status=$?; trap '' INT; kill -INT 0; "
            "exit $status",
            "sh", recorder.url("/first")});
    ASSERT_TRUE(terminal.waitForFinished(10000));
    EXPECT_EQ(terminal.exitCode(), 0);
    // Back well before the terminal's own limit, which a command waiting on Tavro would reach; how
    // fast a cold start is belongs to the benchmarks, not to a check that runs beside other work.
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_FALSE(pickerWindow().isEmpty());

    // The Tavro that took the first link takes the next one too.
    const qint64 started = test::listeningTavro(runtime.path());
    ASSERT_NE(started, 0);
    EXPECT_EQ(run(QStringLiteral(TAVRO_EXECUTABLE), {recorder.url("/second")}), 0);
    EXPECT_EQ(test::listeningTavro(runtime.path()), started);
    ::kill(pid_t(started), SIGTERM);
}

// The installed entry of a user whose home has a space and letters beyond ASCII in its name: the
// desktop's opener starts the program there with the link, by the default and by the entry itself.
TEST(InstalledDesktopEntryTest, StartsTavroFromAHomeWhoseNameHasASpace)
{
    test::TempHome home;
    const QString bin = home.filePath(QStringLiteral("Jürgen Ölmann/.local/bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString program = home.writeFile(QStringLiteral("Jürgen Ölmann/.local/bin/tavro"),
        "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" >> \"$HOME/started\"\n");
    ASSERT_TRUE(QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QString entry = home.filePath(QStringLiteral(".local/share/applications/tavro.desktop"));
    ASSERT_TRUE(test::writeTavroDesktopEntry(bin, entry));
    // Tavro makes itself the default, its check finds the entry startable, and the desktop's tools agree.
    ASSERT_TRUE(DefaultBrowserService::makeDefault());
    EXPECT_TRUE(DefaultBrowserService::isDefault());
    QProcess check;
    check.start(QStringLiteral("xdg-settings"), {"check", "default-web-browser", "tavro.desktop"});
    ASSERT_TRUE(check.waitForFinished());
    EXPECT_EQ(check.readAllStandardOutput().trimmed(), "yes");

    EXPECT_EQ(QProcess::execute(QStringLiteral("gio"), {"open", "https://example.com/opened"}), 0);
    EXPECT_EQ(QProcess::execute(QStringLiteral("gio"), {"launch", entry, "https://example.com/launched"}), 0);
    // xdg-open in a desktop environment hands the link to the desktop's opener.
    QProcess xdgOpen;
    QProcessEnvironment desktop = QProcessEnvironment::systemEnvironment();
    desktop.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    xdgOpen.setProcessEnvironment(desktop);
    xdgOpen.start(QStringLiteral("xdg-open"), {"https://example.com/xdg-opened"});
    ASSERT_TRUE(xdgOpen.waitForFinished());
    EXPECT_EQ(xdgOpen.exitCode(), 0) << xdgOpen.readAllStandardError().toStdString();
    QStringList started;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QFile file(home.filePath(QStringLiteral("started")));
            started = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                                                     : QStringList();
            return started.size() == 6;
        },
        5000));
    // Each start writes its program and link in one piece; the openers may start them in any order.
    QStringList starts;
    for (qsizetype i = 0; i + 1 < started.size(); i += 2)
        starts.append(started.at(i) + ' ' + started.at(i + 1));
    starts.sort();
    EXPECT_EQ(starts,
        QStringList({program + " https://example.com/launched", program + " https://example.com/opened",
            program + " https://example.com/xdg-opened"}));
}
