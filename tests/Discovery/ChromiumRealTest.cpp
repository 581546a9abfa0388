// Against Debian's Chromium under Xvfb: a closed browser is launched with the profile arguments,
// a running one receives the link through its singleton socket without a second process.

#include "Tavro/Discovery/BrowserLaunchService.h"
#include "Tavro/Discovery/ChromiumSingleton.h"
#include "Tavro/Platform/Workspace.h"
#include "Tavro/Platform/WorkspaceHost.h"
#include "tests/Discovery/LaunchTestSupport.h"
#include "tests/Discovery/RealChromium.h"
#include "tests/Support/Xvfb.h"

using namespace tavro;
using Kind = LaunchRecord::Kind;

namespace {

class ChromiumRealTest : public ::testing::Test
{
protected:
    void SetUp() override { WorkspaceHost::reset(); }
    void TearDown() override
    {
        test::killProcessesMentioning(home.path());
        WorkspaceHost::reset();
    }

    test::Xvfb xvfb;
    test::TempHome home;
    test::RequestRecorder server;
};

} // namespace

TEST_F(ChromiumRealTest, ClosedBrowserIsLaunchedThenTheRunningOneTakesTheLinkThroughItsSocket)
{
    ASSERT_TRUE(xvfb.isRunning());
    ASSERT_TRUE(server.isListening());
    const QString bundle = test::writeChromiumBundle(home.path(), xvfb.display());
    const auto d = test::destination(
        "org.chromium.Chromium", "Chromium", LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")));
    const QString dataDir = home.filePath(QStringLiteral("Library/Application Support/Chromium"));

    // Closed: a new instance with the profile argument and the link.
    const QUrl first(server.url(QStringLiteral("/first")));
    ASSERT_TRUE(QCoro::waitFor(BrowserLaunchService::open(first, d, false)));
    ASSERT_EQ(WorkspaceHost::launches().size(), 1);
    EXPECT_EQ(WorkspaceHost::launches().first().kind, Kind::arguments);
    EXPECT_EQ(WorkspaceHost::launches().first().arguments,
        (QStringList{QStringLiteral("--profile-directory=Default"), first.toString()}));
    ASSERT_TRUE(server.waitFor(QStringLiteral("/first"), 60000)) << server.paths().join(' ').toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ChromiumSingleton::socketPath(dataDir).has_value(); }, 20000));
    const auto running = Workspace::shared().runningApplications(QStringLiteral("org.chromium.Chromium"));
    ASSERT_EQ(running.size(), 1);
    EXPECT_EQ(test::browserProcesses(home.path()), QList<qint64>{running.first().processIdentifier});

    // Running: the command line goes through the socket; nothing new is started.
    WorkspaceHost::clearLaunches();
    const QUrl second(server.url(QStringLiteral("/second")));
    ASSERT_TRUE(QCoro::waitFor(BrowserLaunchService::open(second, d, false)));
    ASSERT_EQ(WorkspaceHost::launches().size(), 1);
    EXPECT_EQ(WorkspaceHost::launches().first().kind, Kind::activation);
    EXPECT_FALSE(WorkspaceHost::launches().first().startedProcess);
    ASSERT_TRUE(server.waitFor(QStringLiteral("/second"), 30000)) << server.paths().join(' ').toStdString();
    EXPECT_EQ(WorkspaceHost::startedProcesses().size(), 1);
    EXPECT_EQ(test::browserProcesses(home.path()), QList<qint64>{running.first().processIdentifier});
}
