// Windows and links of a real `tavro` under a real X server, driven with xdotool: a link handed
// over while Tavro starts into the "Welcome to Tavro" window (a large settings file keeps the start
// slow) gets its picker, and the Welcome window comes back when that picker closes; a new link's
// picker takes the keyboard while the alert of a failed open is still up.

#include "Tavro/Platform/UserDefaults.h"
#include "tests/Support/Listening.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

const QString kPicker = QStringLiteral("Choose where to open");

class ShellWindowsRealTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
        ASSERT_TRUE(xvfb.keepAlive());
        environment = xvfb.sessionEnvironment(home.path(), runtime.path());
    }

    void TearDown() override
    {
        if (tavro.state() == QProcess::NotRunning)
            return;
        tavro.terminate();
        if (!tavro.waitForFinished(5000))
            tavro.kill();
        tavro.waitForFinished(2000);
    }

    // The defaults file with the settings record `json` and, to make the start slow, `padding`
    // bytes under a key of their own.
    void writeDefaults(const QByteArray& json, qsizetype padding = 0)
    {
        QByteArray plist = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                           "<key>tavro.settings.v1</key><data>"
            + json.toBase64() + "</data>";
        if (padding > 0)
            plist += "<key>padding</key><data>" + QByteArray(padding, 'x').toBase64() + "</data>";
        plist += "</dict></plist>\n";
        home.writeFile(QDir(home.path()).relativeFilePath(UserDefaults::standardPath()), plist);
    }

    void startTavro(const QStringList& links = {})
    {
        tavro.setProcessEnvironment(environment);
        tavro.start(QStringLiteral(TAVRO_EXECUTABLE), links);
        ASSERT_TRUE(tavro.waitForStarted());
    }

    // A second `tavro` that hands `link` to the running one; its exit code.
    int handOver(const QString& link)
    {
        QProcess client;
        client.setProcessEnvironment(environment);
        client.start(QStringLiteral(TAVRO_EXECUTABLE), {link});
        return client.waitForFinished(10000) && client.exitStatus() == QProcess::NormalExit ? client.exitCode() : -1;
    }

    bool windowGone(const QString& namePattern, int timeoutMs)
    {
        return QTest::qWaitFor(
            [&] {
                return xvfb.run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", namePattern}) != 0;
            },
            timeoutMs);
    }

    void press(const QString& window, const QString& key)
    {
        xvfb.run(QStringLiteral("xdotool"), {"windowfocus", "--sync", window});
        EXPECT_EQ(xvfb.run(QStringLiteral("xdotool"), {"key", key, "sleep", "0.1"}), 0);
    }

    test::Xvfb xvfb;
    test::TempHome home;
    QTemporaryDir runtime;
    QProcessEnvironment environment;
    QProcess tavro;
};

TEST_F(ShellWindowsRealTest, ALinkHandedOverWhileTavroStartsIntoWelcomeGetsItsPicker)
{
    // Onboarding not finished, and 80 MB to read before the first window.
    writeDefaults(R"({"hasCompletedOnboarding":false})", 60 * 1024 * 1024);
    startTavro();
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::tavroListening(runtime.path()); }, 20000));
    ASSERT_EQ(handOver(QStringLiteral("https://late.test/")), 0);

    const QString picker = xvfb.waitForWindow(kPicker, 30000);
    ASSERT_FALSE(picker.isEmpty()) << "the acknowledged link never reached a picker";
    EXPECT_TRUE(windowGone(QStringLiteral("Welcome to Tavro"), 5000)) << "the picker ordered the window out";
    press(picker, QStringLiteral("Escape"));
    EXPECT_TRUE(windowGone(kPicker, 5000));
    EXPECT_FALSE(xvfb.waitForWindow(QStringLiteral("Welcome to Tavro"), 5000).isEmpty())
        << "the Welcome window did not come back when the picker closed";
}

TEST_F(ShellWindowsRealTest, ANewLinksPickerTakesTheKeysWhileAFailureAlertIsUp)
{
    // Safari's bundle without its program: opening a link there fails with an alert.
    home.writeFile("Applications/Safari.app/Contents/Info.plist",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
        "<key>CFBundleIdentifier</key><string>com.apple.Safari</string>"
        "<key>CFBundleExecutable</key><string>Safari</string>"
        "<key>CFBundleName</key><string>Safari</string></dict></plist>\n");
    writeDefaults(R"({"hasCompletedOnboarding":true,"destinations":[{"id":"00000000-0000-0000-0000-000000000001",)"
                  R"("browserID":"safari","browserDisplayName":"Safari","browserBundleIdentifier":"com.apple.Safari",)"
                  R"("profileDisplayName":"Current Profile","launchStrategy":{"browserCurrentProfile":{}},)"
                  R"("isVisible":true,"sortOrder":0,"isAvailable":true}]})");
    startTavro({QStringLiteral("https://first.test/")});
    const QString first = xvfb.waitForWindow(kPicker, 30000);
    ASSERT_FALSE(first.isEmpty());
    press(first, QStringLiteral("1"));
    ASSERT_TRUE(windowGone(kPicker, 5000));
    // The alert has no title of its own: once the picker is gone, it is Tavro's one visible window.
    const bool alertShown = QTest::qWaitFor(
        [&] {
            return xvfb.run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--class", "tavro"}) == 0;
        },
        10000);
    ASSERT_TRUE(alertShown) << "no failure alert";

    ASSERT_EQ(handOver(QStringLiteral("https://second.test/")), 0);
    const QString second = xvfb.waitForWindow(kPicker, 10000);
    ASSERT_FALSE(second.isEmpty());
    press(second, QStringLiteral("Escape"));
    EXPECT_TRUE(windowGone(kPicker, 3000)) << "the picker ignored Escape while the alert was up";
    EXPECT_EQ(tavro.state(), QProcess::Running);
}

} // namespace
