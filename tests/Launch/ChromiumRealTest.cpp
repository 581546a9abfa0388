// Against Debian's Chromium under Xvfb: a closed browser is launched with the profile arguments,
// a running one receives the link through its singleton socket without a second process, a link
// too long for that socket is never handed over cut, and a browser that refuses to start says why.

#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Launch/ChromiumSingleton.h"
#include "Tavro/Platform/Workspace.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Launch/LaunchTestSupport.h"
#include "tests/Launch/RealChromium.h"
#include "tests/Support/Xvfb.h"

#include <unistd.h>

using namespace tavro;
using Kind = LaunchRecord::Kind;

namespace {

class ChromiumRealTest : public test::LaunchFixture
{
protected:
    void TearDown() override
    {
        test::killProcessesMentioning(home.path());
        LaunchFixture::TearDown();
    }

    // The browser Tavro started, once it holds the profile's singleton: the next link must find
    // its socket bound, not race it. 0 when that does not happen in time.
    qint64 waitForTheBrowserToHoldItsProfile() const
    {
        const QString dataDir = home.filePath(QStringLiteral("Library/Application Support/Chromium"));
        const auto running = Workspace::shared().runningApplications(QStringLiteral("org.chromium.Chromium"));
        if (running.size() != 1)
            return 0;
        const qint64 pid = running.first().processIdentifier;
        return QTest::qWaitFor([&] { return test::holdsProfile(dataDir, pid); }, 20000) ? pid : 0;
    }

    test::Xvfb xvfb;
    test::RequestRecorder server;
};

} // namespace

TEST_F(ChromiumRealTest, ClosedBrowserIsLaunchedThenTheRunningOneTakesTheLinkThroughItsSocket)
{
    ASSERT_TRUE(xvfb.isRunning());
    ASSERT_TRUE(server.isListening());
    test::writeChromiumBundle(home.path(), xvfb.display());
    const auto d = test::destination(
        "org.chromium.Chromium", "Chromium", LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")));

    // Closed: a new instance with the profile argument and the link.
    const QUrl first(server.url(QStringLiteral("/first")));
    ASSERT_TRUE(QCoro::waitFor(BrowserLaunchService::open(first, d, false)));
    ASSERT_EQ(WorkspaceHost::launches().size(), 1);
    EXPECT_EQ(WorkspaceHost::launches().first().kind, Kind::arguments);
    EXPECT_EQ(WorkspaceHost::launches().first().arguments,
        (QStringList{QStringLiteral("--profile-directory=Default"), first.toString()}));
    ASSERT_TRUE(server.waitFor(QStringLiteral("/first"), 60000)) << server.paths().join(' ').toStdString();
    const qint64 browser = waitForTheBrowserToHoldItsProfile();
    ASSERT_NE(browser, 0);

    // Running: the command line goes through the socket; nothing new is started, and the running
    // browser comes to the front.
    WorkspaceHost::clearLaunches();
    WorkspaceHost::setFrontmost(std::nullopt);
    const QUrl second(server.url(QStringLiteral("/second")));
    ASSERT_TRUE(QCoro::waitFor(BrowserLaunchService::open(second, d, false)));
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
    const auto front = Workspace::shared().frontmostApplication();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->bundleIdentifier, QStringLiteral("org.chromium.Chromium"));
    ASSERT_TRUE(server.waitFor(QStringLiteral("/second"), 30000)) << server.paths().join(' ').toStdString();
    EXPECT_EQ(WorkspaceHost::startedProcesses().size(), 1);
    EXPECT_EQ(test::browserProcesses(home.path()), QList<qint64>{browser}) << test::describeProcesses(home.path());
}

TEST_F(ChromiumRealTest, BrowserStartedByHandTakesTheNextLinkThroughItsSocket)
{
    ASSERT_TRUE(xvfb.isRunning());
    ASSERT_TRUE(server.isListening());
    test::writeChromiumBundle(home.path(), xvfb.display());
    const auto d = test::destination(
        "org.chromium.Chromium", "Chromium", LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")));
    const QString dataDir = home.filePath(QStringLiteral("Library/Application Support/Chromium"));

    const qint64 browser
        = test::startChromiumByHand(home.path(), xvfb.display(), server.url(QStringLiteral("/byHand")));
    ASSERT_NE(browser, 0);
    ASSERT_TRUE(server.waitFor(QStringLiteral("/byHand"), 60000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::holdsProfile(dataDir, browser); }, 20000));

    // Nothing is launched, not even to activate it: the link goes through the socket.
    const QUrl next(server.url(QStringLiteral("/next")));
    ASSERT_TRUE(QCoro::waitFor(BrowserLaunchService::open(next, d, false)));
    EXPECT_TRUE(launchKinds().isEmpty());
    ASSERT_TRUE(server.waitFor(QStringLiteral("/next"), 30000)) << server.paths().join(' ').toStdString();
    EXPECT_EQ(test::browserProcesses(home.path()), QList<qint64>{browser}) << test::describeProcesses(home.path());
}

TEST_F(ChromiumRealTest, LinksOnBothSidesOfTheSocketLimitArriveWholeOrNotAtAll)
{
    ASSERT_TRUE(xvfb.isRunning());
    ASSERT_TRUE(server.isListening());
    const QString bundle = test::writeChromiumBundle(home.path(), xvfb.display());
    const QString executable = Workspace::bundle(bundle)->executablePath();
    const auto d = test::destination(
        "org.chromium.Chromium", "Chromium", LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")));
    // A link whose message to the running browser is `messageBytes` long.
    auto link = [&](const QString& name, qsizetype messageBytes) {
        const QString start = server.url(QLatin1Char('/') + name + QLatin1Char('-'));
        const QStringList argv{executable, QStringLiteral("--profile-directory=Default"), start};
        const qsizetype shortBy = messageBytes - ChromiumSingleton::message(argv, {}, QStringLiteral("/")).size();
        return QUrl(start + QString(shortBy, QLatin1Char('a')));
    };
    auto arrivedWhole = [&](const QUrl& url) { return server.waitFor(url.path(QUrl::FullyEncoded), 60000); };

    // Closed: launched with arguments, a link over the limit arrives whole.
    const QUrl overOnLaunch = link(QStringLiteral("launched"), ChromiumSingleton::maxMessageBytes + 8000);
    ASSERT_TRUE(QCoro::waitFor(BrowserLaunchService::open(overOnLaunch, d, false)));
    ASSERT_TRUE(arrivedWhole(overOnLaunch)) << server.paths().join(' ').left(300).toStdString();
    const qint64 browser = waitForTheBrowserToHoldItsProfile();
    ASSERT_NE(browser, 0);

    // Running, at the limit: through the socket, whole, and no second process.
    WorkspaceHost::clearLaunches();
    const QUrl atLimit = link(QStringLiteral("atLimit"), ChromiumSingleton::maxMessageBytes);
    ASSERT_TRUE(QCoro::waitFor(BrowserLaunchService::open(atLimit, d, false)));
    EXPECT_TRUE(launchKinds().isEmpty());
    ASSERT_TRUE(arrivedWhole(atLimit)) << server.paths().join(' ').left(300).toStdString();

    // Running, one byte over: the browser would cut it (through the socket or from a second copy
    // of itself, which may kill it instead), so nothing is handed over and the failure is said.
    WorkspaceHost::clearLaunches();
    const QUrl overLimit = link(QStringLiteral("overLimit"), ChromiumSingleton::maxMessageBytes + 1);
    const auto refused = QCoro::waitFor(BrowserLaunchService::open(overLimit, d, false));
    ASSERT_FALSE(refused);
    EXPECT_EQ(std::get<BrowserLaunchError>(refused.error()).kind(), BrowserLaunchError::Kind::launchFailed);
    EXPECT_TRUE(launchKinds().isEmpty());

    // The same browser still runs and still takes links; nothing of the refused one arrived.
    const QUrl after(server.url(QStringLiteral("/after")));
    ASSERT_TRUE(QCoro::waitFor(BrowserLaunchService::open(after, d, false)));
    ASSERT_TRUE(server.waitFor(QStringLiteral("/after"), 30000));
    for (const QString& path : server.paths())
        EXPECT_FALSE(path.startsWith(QStringLiteral("/overLimit"))) << path.size();
    EXPECT_EQ(WorkspaceHost::startedProcesses().size(), 1);
    EXPECT_EQ(test::browserProcesses(home.path()), QList<qint64>{browser}) << test::describeProcesses(home.path());
}

// As root without its sandbox switch, Chromium refuses to start: it says so on its standard error
// and ends at once. The link is not opened, and the failure tells what Chromium said.
TEST_F(ChromiumRealTest, ABrowserThatEndsWithAnErrorAsItStartsIsAFailedLaunchThatSaysWhy)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "Chromium refuses to start without its sandbox only for root";
    ASSERT_TRUE(xvfb.isRunning());
    QStringList switches = test::chromiumSwitches(home.path());
    switches.removeAll(QStringLiteral("--no-sandbox"));
    test::writeChromiumBundle(home.path(), xvfb.display(), switches);
    const auto d = test::destination(
        "org.chromium.Chromium", "Chromium", LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")));

    const auto refused
        = QCoro::waitFor(BrowserLaunchService::open(QUrl(server.url(QStringLiteral("/refused"))), d, false));
    ASSERT_FALSE(refused);
    EXPECT_EQ(std::get<BrowserLaunchError>(refused.error()).kind(), BrowserLaunchError::Kind::launchFailed);
    const QString reason = description(refused.error());
    EXPECT_TRUE(reason.startsWith(QStringLiteral("Couldn’t open the link in Chromium: "))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("Running as root without --no-sandbox is not supported")))
        << reason.toStdString();
}
