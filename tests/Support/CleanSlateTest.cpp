#include "tests/Support/CleanSlate.h"

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Launch/SafariWindowCache.h"
#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/SerialQueue.h"
#include "Tavro/Platform/UrlOpener.h"
#include "Tavro/Platform/Workspace.h"
#include "Tavro/Shell/Alert.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Simulation/UrlOpenerHost.h"
#include "Tavro/Simulation/WorkspaceHost.h"

#include <QSemaphore>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <memory>

using namespace tavro;

namespace {

std::atomic<int> submittedWork = 0;
std::atomic<int> finishedWork = 0;

// Leaves something behind in each place the test main puts back: the simulation, the keys Qt holds,
// the alerts' answers, the Safari window cache and the scan queue, whose last work waits for the
// event loop.
void leaveEverythingBehind()
{
    WorkspaceHost::setFrontmost(WorkspaceHost::addRunningApplication(QStringLiteral("com.apple.Safari")));
    UrlOpenerHost::setSystemSettingsOpen(false);
    UrlOpener::open(QUrl(QStringLiteral("mailto:someone@example.com")));
    KeyEventsHost::setHeldModifiers(KeyEvents::maskShift);
    QWidget receiver;
    QTest::keyPress(&receiver, Qt::Key_Control, Qt::ControlModifier);
    Alert::answerNextWith(Alert::kFirstButtonReturn);
    Alert().runModal();
    SafariWindowCache::windows().insert(QStringLiteral("Work"), AccessibilityHost::createElement(1));
    auto gate = std::make_shared<QSemaphore>();
    QTimer::singleShot(0, [gate] { gate->release(); });
    ++submittedWork;
    DiscoveryCoordinator::scanQueue().async([gate] {
        gate->acquire();
        ++finishedWork;
    });
}

// Each of the two runs finds nothing of what the other left, whichever runs first.
class CleanSlateTest : public ::testing::TestWithParam<int>
{ };

TEST_P(CleanSlateTest, NothingTheTestBeforeLeftRemains)
{
    EXPECT_FALSE(Workspace::shared().frontmostApplication());
    EXPECT_TRUE(UrlOpenerHost::openedUrls().isEmpty());
    EXPECT_TRUE(UrlOpener::opens(QUrl(QStringLiteral("x-apple.systempreferences:com.apple.preference.security"))));
    EXPECT_EQ(KeyEvents::flagsState(KeyEvents::combinedSessionState), 0u) << "neither simulated nor Qt's keys held";
    EXPECT_TRUE(Alert::answeredAlerts().isEmpty());
    EXPECT_TRUE(SafariWindowCache::windows().isEmpty());
    EXPECT_EQ(finishedWork, submittedWork) << "the work left on the scan queue ran before this test";
    leaveEverythingBehind();
}

INSTANTIATE_TEST_SUITE_P(Twice, CleanSlateTest, ::testing::Values(1, 2));

} // namespace
