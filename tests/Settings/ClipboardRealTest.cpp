// "Copy Version Info" against a real X server: the text must be what another program pastes.
#include "Tavro/Settings/AboutSettingsView.h"
#include "Tavro/Settings/CopiedVersion.h"
#include "Tavro/Simulation/SystemInfoHost.h"
#include "tests/Support/TempHome.h"
#include "tests/Support/Xvfb.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavro;

namespace {

const char* const childFlag = "TAVRO_CLIPBOARD_CHILD";

} // namespace

// Run twice: by CTest (the parent, which owns the X server and reads the clipboard with xclip) and
// by the parent as a child on that server, which copies and keeps the selection until told to stop.
TEST(ClipboardRealTest, CopyVersionInfoPutsTheExactTextOnTheXClipboard)
{
    if (qEnvironmentVariableIsSet(childFlag)) {
        SystemInfoHost::setBundleString("CFBundleShortVersionString", "1.4.0");
        SystemInfoHost::setBundleString("CFBundleVersion", "13");
        SystemInfoHost::setOperatingSystemVersion({14, 5, 0});
        SystemInfoHost::setOSBuild("23F79");
        SystemInfoHost::setPrettyName(std::nullopt);
        CopiedVersion copied;
        AboutSettingsView about(copied);
        about.show();
        about.findChild<QAbstractButton*>("copyVersionInfo")->click();
        printf("copied\n");
        fflush(stdout);
        // X hands the text out on request, so the owner keeps running until the parent has it.
        const QString done = qEnvironmentVariable(childFlag);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(done); }, 60000));
        return;
    }

    test::TempHome home;
    test::Xvfb xvfb;
    ASSERT_TRUE(xvfb.isRunning()) << "Xvfb did not start";
    const QString done = home.filePath("done");
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", xvfb.display());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert(childFlag, done);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(),
        {"--gtest_filter=ClipboardRealTest.CopyVersionInfoPutsTheExactTextOnTheXClipboard"});
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray said;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            child.waitForReadyRead(100);
            said += child.readAllStandardOutput();
            return said.contains("copied\n") || child.state() == QProcess::NotRunning;
        },
        60000));
    ASSERT_TRUE(said.contains("copied\n")) << said.toStdString() << child.readAllStandardError().toStdString();

    QByteArray pasted;
    const int code = xvfb.run("xclip", {"-selection", "clipboard", "-o"}, &pasted, 20000);
    QFile(done).open(QIODevice::WriteOnly);
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(QString::fromUtf8(pasted), "Tavro Version 1.4.0 (13), macOS 14.5 (23F79)");
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
}
