// The status item and the global hot keys of a real `tavro` under a real X server: the icon docks in
// a real tray host, a click opens its menu and "Open New Tab in…" opens Debian's Chromium; the
// prefix plus a destination's key, pressed anywhere on the display, does the same, and so does "0"
// for the destination used last. The key is the one in its US position, whatever the layout prints
// on it. Chromium opens no page here (no link), so the checks watch its process and its windows.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Model/ProfileDiscoveryDestinations.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/UserDefaults.h"
#include "tests/Launch/RealChromium.h"
#include "tests/Shell/ShellHomes.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

using namespace tavro;

namespace {

class ShellMenusRealTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        QDir().mkpath(TAVRO_ARTIFACTS_DIR);
        test::writeChromiumBundle(home.path(), xvfb.display());
        QDir().mkpath(home.filePath("Library/Application Support/Chromium/Default"));
        home.writeFile("Library/Application Support/Chromium/Local State",
            R"({"profile":{"info_cache":{"Default":{"name":"Person 1"}},"profiles_order":["Default"]}})");
        storeSettings();

        environment = xvfb.sessionEnvironment(home.path(), runtime.path());
        // The grabs are logged: the checks press a key only once it is held.
        environment.insert("QT_LOGGING_RULES", "tavro.platform.debug=true");
        // No desktop session: the tray icon docks the X11 way, in the tray host the test runs.
        environment.remove("DBUS_SESSION_BUS_ADDRESS");

        ASSERT_TRUE(xvfb.keepAlive());
    }

    void TearDown() override
    {
        for (QProcess* process : {&tavro, &tray}) {
            if (process->state() == QProcess::NotRunning)
                continue;
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
            process->waitForFinished(2000);
        }
        test::killProcessesMentioning(home.path());
    }

    void storeSettings(const std::optional<QString>& hotkey = std::nullopt)
    {
        destination = test::chromiumPersonOne();
        destination.hotkey = hotkey;
        AppSettings settings;
        settings.destinations = {destination};
        settings.hasCompletedOnboarding = true;
        UserDefaults defaults(UserDefaults::standardPath());
        EXPECT_TRUE(defaults.setData(SettingsStore::defaultsKey, settings.toJsonBytes()));
        EXPECT_TRUE(defaults.synchronize());
    }

    void startTavro()
    {
        tavro.setProcessEnvironment(environment);
        tavro.start(QStringLiteral(TAVRO_EXECUTABLE), {});
        ASSERT_TRUE(tavro.waitForStarted());
    }

    // Whether Tavro logged `text` within the deadline; everything it logged stays in `log`.
    bool tavroLogged(const QString& text, int timeoutMs = 20000)
    {
        return QTest::qWaitFor(
            [&] {
                log += QString::fromUtf8(tavro.readAllStandardError());
                return log.contains(text);
            },
            timeoutMs);
    }

    int xdotool(const QStringList& arguments, QByteArray* output = nullptr)
    {
        return xvfb.run(QStringLiteral("xdotool"), arguments, output);
    }

    // xdotool's search dies of the X error when a window it is looking at goes in the meantime (a
    // browser's windows come and go as it starts), and then prints nothing: it is asked again. It
    // also exits 1 where it finds none, which is only slower to be believed.
    QStringList visibleWindows(const QStringList& query)
    {
        QByteArray output;
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (xdotool(QStringList{"search", "--onlyvisible"} + query, &output) == 0)
                break;
            QTest::qWait(50);
        }
        return QString::fromLatin1(output).split('\n', Qt::SkipEmptyParts);
    }

    // The frames of the visible windows `query` finds.
    QList<QRect> visibleFrames(const QStringList& query)
    {
        QList<QRect> frames;
        for (const QString& window : visibleWindows(query)) {
            QByteArray output;
            xdotool({"getwindowgeometry", "--shell", window}, &output);
            QHash<QString, int> values;
            for (const QString& line : QString::fromLatin1(output).split('\n', Qt::SkipEmptyParts))
                values.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
            frames.append(QRect(values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT")));
        }
        return frames;
    }

    // The tray host's frame once an icon sits in it: an empty tray is 2 pixels wide.
    QRect dockedTray()
    {
        QRect frame;
        const bool docked = QTest::qWaitFor(
            [&] {
                const QList<QRect> frames = visibleFrames({"--class", "trayer"});
                frame = frames.isEmpty() ? QRect() : frames.constFirst();
                return frame.width() >= 16;
            },
            20000);
        return docked ? frame : QRect();
    }

    // Clicks the icon and waits for its menu.
    bool clickIconForMenu(const QRect& tray)
    {
        const QPoint centre = tray.center();
        xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y()), "sleep", "0.1", "click", "1"});
        return QTest::qWaitFor([&] { return menusShown(tray) == 1; }, 10000);
    }

    // Tavro's windows outside the tray: its open menus.
    int menusShown(const QRect& tray)
    {
        int count = 0;
        for (const QRect& frame : visibleFrames({"--class", "tavro"}))
            count += tray.contains(frame) ? 0 : 1;
        return count;
    }

    int chromiumWindows() { return int(visibleWindows({"--class", "chromium"}).size()); }

    // The browser runs from the bundle with the profile's arguments and shows `windows` windows.
    ::testing::AssertionResult chromiumShows(int windows)
    {
        const bool shown = QTest::qWaitFor(
            [&] { return test::browserProcesses(home.path()).size() == 1 && chromiumWindows() >= windows; }, 60000);
        if (!shown)
            return ::testing::AssertionFailure() << chromiumWindows() << " windows of\n"
                                                 << test::describeProcesses(home.path());
        const qint64 pid = test::browserProcesses(home.path()).constFirst();
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly) || !cmdline.readAll().contains("--profile-directory=Default"))
            return ::testing::AssertionFailure() << "launched without the profile:\n"
                                                 << test::describeProcesses(home.path());
        return ::testing::AssertionSuccess();
    }

    // The key symbols the server's keymap has on the key `keycode`, as xmodmap prints them.
    QString keySymbols(int keycode)
    {
        QByteArray output;
        xvfb.run(QStringLiteral("xmodmap"), {"-pke"}, &output);
        const QRegularExpression line(
            QStringLiteral(R"(^keycode +%1 = (.*)$)").arg(keycode), QRegularExpression::MultilineOption);
        return line.match(QString::fromLatin1(output)).captured(1);
    }

    void screenshot(const QString& name)
    {
        const QString path = QDir(TAVRO_ARTIFACTS_DIR).filePath(name);
        QFile::remove(path);
        EXPECT_EQ(xvfb.run(QStringLiteral("import"), {"-window", "root", path}), 0);
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    }

    test::Xvfb xvfb;
    test::TempHome home;
    QTemporaryDir runtime;
    BrowserDestination destination;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QProcess tray;
    QProcess tavro;
    QString log;
};

TEST_F(ShellMenusRealTest, PrefixAndKeyOpenTheDestinationThenZeroTheMostRecent)
{
    const QString key = HotkeyAssignment::resolve({destination}).value(destination.id);
    ASSERT_FALSE(key.isEmpty());
    startTavro();
    // The default prefix is Control, Option, Shift and Command: Control, Alt, Shift and Super here.
    ASSERT_TRUE(tavroLogged("Grabbed hot key " + key + " ")) << log.toStdString();
    EXPECT_FALSE(log.contains("Grabbed hot key 0 ")) << "nothing was used yet";

    EXPECT_EQ(xdotool({"key", "ctrl+alt+shift+super+" + key, "sleep", "0.1"}), 0);
    ASSERT_TRUE(chromiumShows(1));
    const QList<qint64> browser = test::browserProcesses(home.path());

    // The use is recorded and the keys are registered again, now with "0" for the most recent one;
    // the running browser's singleton takes it and opens one more window.
    ASSERT_TRUE(tavroLogged("Grabbed hot key 0 ")) << log.toStdString();
    const int before = chromiumWindows();
    EXPECT_EQ(xdotool({"key", "ctrl+alt+shift+super+0", "sleep", "0.1"}), 0);
    EXPECT_TRUE(chromiumShows(before + 1));
    EXPECT_EQ(test::browserProcesses(home.path()), browser) << "a second browser was started";
}

TEST_F(ShellMenusRealTest, AHeldCombinationFiresOnceAndAUseRegistersNoKeyAgain)
{
    const QString key = HotkeyAssignment::resolve({destination}).value(destination.id);
    startTavro();
    ASSERT_TRUE(tavroLogged("Grabbed hot key " + key + " ")) << log.toStdString();

    // Held well past the server's auto-repeat delay (660 ms), which repeats the press many times.
    EXPECT_EQ(
        xdotool({"keydown", "ctrl+alt+shift+super+" + key, "sleep", "2", "keyup", "ctrl+alt+shift+super+" + key}), 0);
    ASSERT_TRUE(chromiumShows(1));
    // The first use brings "0"; pressing it (and its window) comes after every repeat of the held key.
    ASSERT_TRUE(tavroLogged("Grabbed hot key 0 ")) << log.toStdString();
    EXPECT_EQ(xdotool({"key", "ctrl+alt+shift+super+0"}), 0);
    ASSERT_TRUE(tavroLogged("Pressed hot key 0")) << log.toStdString();
    EXPECT_TRUE(chromiumShows(2));
    EXPECT_EQ(log.count("Pressed hot key " + key), 1) << log.toStdString();
    EXPECT_EQ(chromiumWindows(), 2);
    // Grabbed at the start and once more when "0" came; the second use changed nothing to grab.
    EXPECT_EQ(log.count("Grabbed hot key " + key + " "), 2) << log.toStdString();
}

TEST_F(ShellMenusRealTest, IconDocksInTheTrayAndItsMenuOpensANewTabInChromium)
{
    tray.setProcessEnvironment(environment);
    tray.start(
        QStringLiteral("trayer"), {"--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32"});
    ASSERT_TRUE(tray.waitForStarted()) << "trayer is not installed";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !visibleWindows({"--class", "trayer"}).isEmpty(); }, 10000));
    startTavro();
    const QRect tray = dockedTray();
    ASSERT_FALSE(tray.isNull()) << "the icon never docked\n" << log.toStdString();

    // With Shift held as the menu opens, the submenu offers private windows.
    ASSERT_EQ(xdotool({"keydown", "shift"}), 0);
    ASSERT_TRUE(clickIconForMenu(tray)) << "no menu opened";
    xdotool({"key", "Down", "Right", "sleep", "0.3"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return menusShown(tray) == 2; }, 5000)) << "the submenu did not open";
    screenshot("status-menu-private.png");
    xdotool({"keyup", "shift", "key", "Escape", "Escape", "sleep", "0.1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return menusShown(tray) == 0; }, 5000));

    ASSERT_TRUE(clickIconForMenu(tray)) << "no menu opened";
    // The menu drops from the tray as from a menu bar, leaving the icon in sight.
    const QList<QRect> frames = visibleFrames({"--class", "tavro"});
    const auto icon = std::ranges::find_if(frames, [&](const QRect& frame) { return tray.contains(frame); });
    const auto menu = std::ranges::find_if(frames, [&](const QRect& frame) { return !tray.contains(frame); });
    ASSERT_TRUE(icon != frames.end() && menu != frames.end());
    EXPECT_GT(menu->top(), icon->bottom());
    xdotool({"key", "Down", "Right", "sleep", "0.3"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return menusShown(tray) == 2; }, 5000)) << "the submenu did not open";
    screenshot("status-menu.png");
    // The first row of "Open New Tab in…" is the Chromium destination.
    xdotool({"key", "Return"});
    ASSERT_TRUE(chromiumShows(1));

    // The choice recorded the use and rebuilt the menu under the one still handling the key: a
    // second choice in the new menu opens one more window in the running browser.
    const int before = chromiumWindows();
    ASSERT_TRUE(clickIconForMenu(tray)) << "no menu opened after the first choice\n" << log.toStdString();
    xdotool({"key", "Down", "Right", "sleep", "0.3"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return menusShown(tray) == 2; }, 5000)) << "the submenu did not open";
    xdotool({"key", "Return"});
    EXPECT_TRUE(chromiumShows(before + 1));
    EXPECT_EQ(tavro.state(), QProcess::Running) << "Tavro ended with " << tavro.exitCode();
}

TEST_F(ShellMenusRealTest, PrefixAndKeyWorkWhileATavroWindowHasTheFocus)
{
    const QString key = HotkeyAssignment::resolve({destination}).value(destination.id);
    startTavro();
    ASSERT_TRUE(tavroLogged("Grabbed hot key " + key + " ")) << log.toStdString();

    // No tray runs: a second `tavro` without a link shows Preferences, and the keyboard goes to it.
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(TAVRO_EXECUTABLE), {});
    ASSERT_TRUE(second.waitForFinished(5000));
    QString window;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QStringList found = visibleWindows({"--name", "Tavro Preferences"});
            window = found.isEmpty() ? QString() : found.constLast();
            return !window.isEmpty();
        },
        20000))
        << "Preferences did not open";
    const QPoint centre = visibleFrames({"--name", "Tavro Preferences"}).constLast().center();
    xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y()), "windowfocus", "--sync", window});

    EXPECT_EQ(xdotool({"key", "ctrl+alt+shift+super+" + key, "sleep", "0.1"}), 0);
    EXPECT_TRUE(chromiumShows(1));
}

// A keyboard layout and what it prints on the key a US keyboard labels "q".
struct Layout
{
    const char* name;
    const char* symbolOnQ;
};

void PrintTo(const Layout& layout, std::ostream* out)
{
    *out << layout.name;
}

class ShellMenusLayoutTest : public ShellMenusRealTest, public ::testing::WithParamInterface<Layout>
{ };

// The keys of a PC keyboard (evdev keycodes) where a US keyboard has "q", "a" and "0".
constexpr int kKeyQ = 24;
constexpr int kKeyA = 38;
constexpr int kKeyZero = 19;

TEST_P(ShellMenusLayoutTest, AHotKeyIsTheKeyInTheUsPositionWhateverTheLayoutPrintsOnIt)
{
    storeSettings(QStringLiteral("q"));
    // The server keeps a layout only while a client stays connected (SetUp keeps one); Tavro starts
    // under it.
    ASSERT_EQ(xvfb.run(QStringLiteral("setxkbmap"), {GetParam().name}), 0);
    ASSERT_TRUE(keySymbols(kKeyQ).startsWith(GetParam().symbolOnQ)) << keySymbols(kKeyQ).toStdString();
    startTavro();
    ASSERT_TRUE(tavroLogged("Grabbed hot key q ")) << log.toStdString();

    const QString prefix = QStringLiteral("ctrl+alt+shift+super+");
    EXPECT_EQ(xdotool({"key", prefix + QString::number(kKeyQ)}), 0);
    ASSERT_TRUE(chromiumShows(1)) << log.toStdString();

    // The key in the US "a" position, which fr labels "q", opens nothing; "0", pressed after it, tells
    // when it was handled.
    ASSERT_TRUE(tavroLogged("Grabbed hot key 0 ")) << log.toStdString();
    EXPECT_EQ(xdotool({"key", prefix + QString::number(kKeyA), prefix + QString::number(kKeyZero)}), 0);
    ASSERT_TRUE(tavroLogged("Pressed hot key 0")) << log.toStdString();
    EXPECT_TRUE(chromiumShows(2));
    EXPECT_EQ(log.count("Pressed hot key q"), 1) << log.toStdString();
    EXPECT_EQ(chromiumWindows(), 2);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ShellMenusLayoutTest,
    ::testing::Values(Layout{"fr", "a A"}, Layout{"ru", "Cyrillic_shorti"}),
    [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

} // namespace
