#include "tests/Support/Xvfb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace tavro;

namespace {

// Reads the helper's report lines as they come.
class Helper
{
public:
    Helper(const QString& display, const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        // Only read by a build under AddressSanitizer, whose leak check runs when the helper exits.
        env.insert("LSAN_OPTIONS", "suppressions=" TAVRO_LSAN_SUPPRESSIONS);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start(TAVRO_PICKER_HELPER, arguments);
    }

    ~Helper()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    // The first line starting with `prefix`, waiting up to `timeoutMs`; empty when none came.
    QString waitFor(const QString& prefix, int timeoutMs = 10000)
    {
        QElapsedTimer clock;
        clock.start();
        while (true) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                m_lines.append(line);
                if (line.startsWith(prefix))
                    return line;
            }
            const int left = timeoutMs - int(clock.elapsed());
            if (left <= 0 || (m_process.state() == QProcess::NotRunning && !m_process.canReadLine()))
                return {};
            m_process.waitForReadyRead(std::min(left, 200));
        }
    }

    QStringList lines() const { return m_lines; }
    bool finished(int timeoutMs = 5000) { return m_process.waitForFinished(timeoutMs); }
    int exitCode() const { return m_process.exitCode(); }

private:
    QProcess m_process;
    QStringList m_lines;
};

// One xdotool client for the whole check, fed commands on its standard input. The X server gives
// back the pointer a client moved when that client disconnects, and keys it left down stay stuck,
// so everything a check presses and moves goes through this one long-lived client.
class Xdo
{
public:
    explicit Xdo(const QString& display)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        m_process.setProcessEnvironment(env);
        m_process.start("xdotool", {"-"});
        m_process.waitForStarted(5000);
    }

    ~Xdo()
    {
        send("keyup shift");
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    void send(const QString& command)
    {
        m_process.write(command.toUtf8() + '\n');
        m_process.waitForBytesWritten(2000);
    }

private:
    QProcess m_process;
};

} // namespace

// Each check runs on a bare X server and under a window manager, which places, focuses and lists
// windows as a desktop does.
enum class Desktop { bareX, openbox };

class PickerRealTest : public testing::TestWithParam<Desktop>
{
protected:
    static void TearDownTestSuite() { servers.clear(); }

    virtual Desktop desktop() const { return GetParam(); }

    void SetUp() override
    {
        auto& server = servers[desktop()];
        if (!server) {
            server = std::make_unique<test::Xvfb>(1440, 900);
            ASSERT_TRUE(server->keepAlive());
            if (desktop() == Desktop::openbox) {
                ASSERT_TRUE(server->startWindowManager()) << "openbox did not start";
            }
        }
        xvfb = server.get();
        ASSERT_TRUE(xvfb->isRunning()) << "Xvfb did not start";
        QDir().mkpath(TAVRO_ARTIFACTS_DIR);
    }

    static QString artifact(const QString& name)
    {
        const QString suffix = xvfb == servers[Desktop::openbox].get() ? QStringLiteral("-openbox") : QString();
        return QDir(TAVRO_ARTIFACTS_DIR).filePath(name + suffix + QStringLiteral(".png"));
    }

    static int xdotool(const QStringList& arguments, QByteArray* output = nullptr)
    {
        return xvfb->run("xdotool", arguments, output);
    }

    // The picker window's frame as the X server has it.
    static QRect windowFrame()
    {
        QByteArray output;
        if (xdotool({"search", "--name", "Choose where to open", "getwindowgeometry", "--shell"}, &output) != 0)
            return {};
        QHash<QString, int> values;
        for (const QByteArray& line : output.split('\n')) {
            const auto parts = line.split('=');
            if (parts.size() == 2)
                values.insert(QString::fromLatin1(parts[0]), parts[1].toInt());
        }
        return {values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT")};
    }

    static QPoint pointer()
    {
        QByteArray output;
        xdotool({"getmouselocation", "--shell"}, &output);
        int x = -1, y = -1;
        for (const QByteArray& line : output.split('\n')) {
            if (line.startsWith("X="))
                x = line.mid(2).toInt();
            if (line.startsWith("Y="))
                y = line.mid(2).toInt();
        }
        return {x, y};
    }

    // Moves the pointer, pressing Shift first when asked, and waits until the server has done both
    // (one client runs its commands in order).
    static std::unique_ptr<Xdo> pointAt(QPoint at, bool shift = false)
    {
        auto xdo = std::make_unique<Xdo>(xvfb->display());
        if (shift)
            xdo->send("keydown shift");
        xdo->send(QStringLiteral("mousemove %1 %2").arg(at.x()).arg(at.y()));
        QElapsedTimer clock;
        clock.start();
        while (pointer() != at && clock.elapsed() < 5000)
            QThread::msleep(20);
        return xdo;
    }

    static void expectCentredOn(const QRect& frame, QPoint pointer)
    {
        EXPECT_EQ(frame.size(), QSize(604, 499));
        EXPECT_LE(std::abs(frame.x() + frame.width() / 2 - pointer.x()), 1);
        EXPECT_LE(std::abs(frame.y() + frame.height() / 2 - pointer.y()), 1);
    }

    static void expectScreenshot(const QString& path)
    {
        const QImage image(path);
        ASSERT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_EQ(image.size(), QSize(1440, 900));
    }

    static inline std::map<Desktop, std::unique_ptr<test::Xvfb>> servers;
    static inline test::Xvfb* xvfb = nullptr;
};

TEST_P(PickerRealTest, OneChoosesTheFirstPetalOfAPanelCentredOnThePointer)
{
    const auto xdo = pointAt({500, 420});
    ASSERT_EQ(pointer(), QPoint(500, 420));
    const QString shot = artifact("picker-light");
    Helper helper(xvfb->display(), {"--appearance", "light", "--screenshot", shot});
    EXPECT_EQ(helper.waitFor("pointer"), "pointer 500 420");
    const QString shown = helper.waitFor("shown");
    ASSERT_FALSE(shown.isEmpty()) << helper.lines().join('\n').toStdString();
    EXPECT_TRUE(shown.endsWith("private=0"));
    expectCentredOn(windowFrame(), {500, 420});
    expectScreenshot(shot);

    xdo->send("key 1");
    EXPECT_EQ(helper.waitFor("chose"), "chose Profile 1 private=0") << helper.lines().join('\n').toStdString();
    EXPECT_TRUE(helper.finished());
    EXPECT_EQ(helper.exitCode(), 0);
}

TEST_P(PickerRealTest, EscapeCancels)
{
    const auto xdo = pointAt({1000, 500});
    const QString shot = artifact("picker-dark");
    Helper helper(xvfb->display(), {"--appearance", "dark", "--screenshot", shot});
    ASSERT_FALSE(helper.waitFor("shown").isEmpty()) << helper.lines().join('\n').toStdString();
    expectCentredOn(windowFrame(), {1000, 500});
    expectScreenshot(shot);

    xdo->send("key Escape");
    EXPECT_EQ(helper.waitFor("cancelled"), "cancelled") << helper.lines().join('\n').toStdString();
    EXPECT_TRUE(helper.finished());
    EXPECT_EQ(helper.exitCode(), 0);
}

TEST_P(PickerRealTest, ShiftHeldWhenTheLinkArrivesMeansPrivate)
{
    const auto xdo = pointAt({600, 380}, true);
    const QString shot = artifact("picker-private");
    Helper helper(xvfb->display(), {"--appearance", "light", "--screenshot", shot});
    const QString shown = helper.waitFor("shown");
    ASSERT_FALSE(shown.isEmpty()) << helper.lines().join('\n').toStdString();
    EXPECT_TRUE(shown.endsWith("private=1")) << shown.toStdString();

    // With Shift still down the key reads "@" on this keyboard; the picker takes it as "2".
    xdo->send("key 2");
    EXPECT_EQ(helper.waitFor("chose"), "chose Profile 2 private=1") << helper.lines().join('\n').toStdString();
    EXPECT_TRUE(helper.finished());
    EXPECT_EQ(helper.exitCode(), 0);
}

TEST_P(PickerRealTest, TheShiftHeldForBypassIsIgnoredUntilPressedAgain)
{
    const auto xdo = pointAt({600, 380}, true);
    Helper helper(xvfb->display(), {"--bypass-is-private"});
    const QString shown = helper.waitFor("shown");
    ASSERT_FALSE(shown.isEmpty()) << helper.lines().join('\n').toStdString();
    EXPECT_TRUE(shown.endsWith("private=0")) << shown.toStdString();
    xdo->send("keyup shift");
    xdo->send("keydown shift");
    xdo->send("key 3");
    EXPECT_EQ(helper.waitFor("chose"), "chose Profile 3 private=1") << helper.lines().join('\n').toStdString();
    EXPECT_TRUE(helper.finished());
    EXPECT_EQ(helper.exitCode(), 0);
}

// The second picker's window names its states through the atoms the first one was given.
TEST_P(PickerRealTest, NoTaskbarOrPagerListsThePicker)
{
    const auto xdo = pointAt({700, 450});
    Helper helper(xvfb->display(), {"--links", "2"});
    for (int picker = 1; picker <= 2; ++picker) {
        SCOPED_TRACE(picker);
        ASSERT_FALSE(helper.waitFor("shown").isEmpty()) << helper.lines().join('\n').toStdString();
        const QString window = xvfb->waitForWindow("Choose where to open", 5000);
        ASSERT_FALSE(window.isEmpty());
        QByteArray states;
        ASSERT_EQ(xvfb->run("xprop", {"-id", window, "_NET_WM_STATE"}, &states), 0);
        EXPECT_TRUE(states.contains("_NET_WM_STATE_SKIP_TASKBAR")) << states.toStdString();
        EXPECT_TRUE(states.contains("_NET_WM_STATE_SKIP_PAGER")) << states.toStdString();
        xdo->send("key Escape");
        EXPECT_EQ(helper.waitFor("cancelled"), "cancelled");
    }
    EXPECT_TRUE(helper.finished());
}

INSTANTIATE_TEST_SUITE_P(Desktops, PickerRealTest, testing::Values(Desktop::bareX, Desktop::openbox),
    [](const testing::TestParamInfo<Desktop>& info) {
        return info.param == Desktop::openbox ? std::string("openbox") : std::string("bareX");
    });

// The user's press on another window or on the desktop cancels the picker within a second, and the
// next link's picker takes the keys.
TEST_P(PickerRealTest, AClickOnAnotherWindowOrTheDesktopCancels)
{
    const auto other = xvfb->startClient("xmessage", {"-geometry", "300x100+40+40", "another program"});
    ASSERT_FALSE(xvfb->waitForWindow("xmessage", 5000).isEmpty());

    const auto xdo = pointAt({900, 500});
    Helper helper(xvfb->display(), {"--links", "3"});
    ASSERT_FALSE(helper.waitFor("shown").isEmpty()) << helper.lines().join('\n').toStdString();
    xdo->send("mousemove 150 80");
    xdo->send("click 1");
    EXPECT_EQ(helper.waitFor("cancelled", 1000), "cancelled") << "a click on another window";

    ASSERT_FALSE(helper.waitFor("shown").isEmpty()) << helper.lines().join('\n').toStdString();
    xdo->send("mousemove 1300 850");
    xdo->send("click 1");
    EXPECT_EQ(helper.waitFor("cancelled", 1000), "cancelled") << "a click on the desktop";

    ASSERT_FALSE(helper.waitFor("shown").isEmpty()) << helper.lines().join('\n').toStdString();
    xdo->send("key 1");
    EXPECT_EQ(helper.waitFor("chose"), "chose Profile 1 private=0") << helper.lines().join('\n').toStdString();
    EXPECT_TRUE(helper.finished());
}

// Another program maps a window over the picker and takes the focus (a browser coming up): the
// picker stays, above that window, and the next key still chooses.
TEST_P(PickerRealTest, AWindowThatTakesTheFocusLeavesThePickerAboveWithTheKeys)
{
    const QPoint at(720, 450);
    const auto xdo = pointAt(at);
    Helper helper(xvfb->display(), {});
    ASSERT_FALSE(helper.waitFor("shown").isEmpty()) << helper.lines().join('\n').toStdString();

    const auto browser = xvfb->startClient(
        "xmessage", {"-title", "A browser", "-bg", "red", "-geometry", "900x700+270+100", "a browser"});
    const QString window = xvfb->waitForWindow("A browser", 5000);
    ASSERT_FALSE(window.isEmpty());
    xdotool({"windowactivate", window});
    xdotool({"windowraise", window, "windowfocus", window});
    QByteArray focused;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            xdotool({"getwindowfocus"}, &focused);
            return focused.trimmed() == window.toLatin1();
        },
        5000))
        << "the other window never took the focus";

    // The flower's hub, not the other window's red, under the pointer.
    QByteArray pixel;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            xvfb->run("import",
                {"-window", "root", "-crop", QStringLiteral("1x1+%1+%2").arg(at.x()).arg(at.y()), "txt:-"}, &pixel);
            return !pixel.isEmpty() && !pixel.contains("#FF0000");
        },
        2000))
        << "the picker is under the other window: " << pixel.toStdString();
    xdo->send("key 1");
    EXPECT_EQ(helper.waitFor("chose", 2000), "chose Profile 1 private=0") << helper.lines().join('\n').toStdString();
    EXPECT_TRUE(helper.finished());
}
