// Prints how long a delivery through the singleton socket of a running Chromium takes beside
// Chromium's own road for the same job: a second browser process started with the link, which
// finds the first one and hands it over; and how long a whole open() takes for a browser the user
// started by hand, beside the raw socket exchange. Not timed assertions; the numbers are for reading.

#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Launch/ChromiumSingleton.h"
#include "Tavro/Platform/Workspace.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Launch/LaunchTestSupport.h"
#include "tests/Launch/RealChromium.h"
#include "tests/Support/Xvfb.h"

#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <iostream>

using namespace tavro;

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Chromium's bundle in a temporary HOME, its display, and a local server that records requests.
class ChromiumDeliveryBench : public ::testing::Test
{
protected:
    ~ChromiumDeliveryBench() override { test::killProcessesMentioning(home.path()); }

    test::Xvfb xvfb;
    test::TempHome home;
    test::RequestRecorder server;
    const QString bundle = test::writeChromiumBundle(home.path(), xvfb.display());
    const QString executable = bundle + QStringLiteral("/Contents/MacOS/Chromium");
    const BrowserDestination d = test::destination(
        "org.chromium.Chromium", "Chromium", LaunchStrategy::chromiumProfileDirectory(QStringLiteral("Default")));
    const QString dataDir = home.filePath(QStringLiteral("Library/Application Support/Chromium"));
};

} // namespace

TEST_F(ChromiumDeliveryBench, SocketDeliveryBesideASecondBrowserProcess)
{
    ASSERT_TRUE(xvfb.isRunning());

    ASSERT_TRUE(QCoro::waitFor(BrowserLaunchService::open(QUrl(server.url(QStringLiteral("/start"))), d, false)));
    ASSERT_TRUE(server.waitFor(QStringLiteral("/start"), 60000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ChromiumSingleton::socketPath(dataDir).has_value(); }, 20000));
    const QString socket = *ChromiumSingleton::socketPath(dataDir);

    // Each hand-over is measured against a browser that has finished with the previous page, as
    // when a user clicks links one at a time.
    const int settleMs = 500;
    QList<double> deliveries;
    for (int i = 0; i < 5; ++i) {
        QTest::qWait(settleMs);
        const QString path = QStringLiteral("/delivered%1").arg(i);
        QElapsedTimer timer;
        timer.start();
        const auto outcome = ChromiumSingleton::deliver(
            {executable, QStringLiteral("--profile-directory=Default"), server.url(path)}, {}, socket);
        deliveries.append(double(timer.nsecsElapsed()) / 1e6);
        EXPECT_EQ(outcome, ChromiumSingleton::Outcome::delivered);
        EXPECT_TRUE(server.waitFor(path, 20000));
    }

    QList<double> secondProcesses;
    for (int i = 0; i < 2; ++i) {
        QTest::qWait(settleMs);
        const QString path = QStringLiteral("/second%1").arg(i);
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(executable, {QStringLiteral("--profile-directory=Default"), server.url(path)});
        EXPECT_TRUE(process.waitForFinished(60000));
        secondProcesses.append(double(timer.nsecsElapsed()) / 1e6);
        EXPECT_TRUE(server.waitFor(path, 20000));
    }

    for (double d : deliveries)
        std::cout << "[bench] delivery " << d << " ms\n";
    const double delivery = median(deliveries);
    const double second = median(secondProcesses);
    std::cout << "[bench] singleton delivery, median of " << deliveries.size() << ": " << delivery << " ms\n"
              << "[bench] second browser process, median of " << secondProcesses.size() << ": " << second << " ms\n"
              << "[bench] delivery is " << second / delivery << " times faster" << std::endl;
}

TEST_F(ChromiumDeliveryBench, OpenForABrowserStartedByHandBesideTheRawExchange)
{
    ASSERT_TRUE(xvfb.isRunning());

    const qint64 browser = test::startChromiumByHand(home.path(), xvfb.display(), server.url(QStringLiteral("/start")));
    ASSERT_NE(browser, 0);
    ASSERT_TRUE(server.waitFor(QStringLiteral("/start"), 60000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::holdsProfile(dataDir, browser); }, 20000));
    const QString socket = *ChromiumSingleton::socketPath(dataDir);

    const int settleMs = 500;
    QList<double> opens;
    QList<double> exchanges;
    for (int i = 0; i < 5; ++i) {
        QTest::qWait(settleMs);
        const QString openPath = QStringLiteral("/open%1").arg(i);
        QElapsedTimer timer;
        timer.start();
        EXPECT_TRUE(QCoro::waitFor(BrowserLaunchService::open(QUrl(server.url(openPath)), d, false)));
        opens.append(double(timer.nsecsElapsed()) / 1e6);
        EXPECT_TRUE(server.waitFor(openPath, 20000));

        QTest::qWait(settleMs);
        const QString rawPath = QStringLiteral("/raw%1").arg(i);
        timer.restart();
        EXPECT_EQ(ChromiumSingleton::deliver(
                      {executable, QStringLiteral("--profile-directory=Default"), server.url(rawPath)}, {}, socket),
            ChromiumSingleton::Outcome::delivered);
        exchanges.append(double(timer.nsecsElapsed()) / 1e6);
        EXPECT_TRUE(server.waitFor(rawPath, 20000));
    }
    EXPECT_TRUE(WorkspaceHost::launches().isEmpty());
    EXPECT_EQ(test::browserProcesses(home.path()), QList<qint64>{browser});

    std::cout << "[bench] open() for a browser started by hand, median of " << opens.size() << ": " << median(opens)
              << " ms\n"
              << "[bench] raw socket exchange, median of " << exchanges.size() << ": " << median(exchanges) << " ms"
              << std::endl;
}
