#include "tests/Support/CleanSlate.h"

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Launch/BrowserLaunchService.h"
#include "Tavro/Launch/SafariWindowCache.h"
#include "Tavro/Platform/LaunchEvent.h"
#include "Tavro/Platform/SerialQueue.h"
#include "Tavro/Shell/Alert.h"
#include "Tavro/Shell/DefaultBrowserService.h"
#include "Tavro/Simulation/Simulation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

#include <atomic>
#include <memory>

namespace tavro::test {

namespace {

// Runs what is posted to the event loop now, and what that posts in turn, deferred deletes too.
void deliverPostedEvents()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Qt keeps the modifiers and buttons of the last event a test synthesized: a key press that closes
// its window before the release arrives leaves Shift held for every later test. A release with
// nothing held puts that back.
void releaseHeldInput()
{
    QWidget receiver;
    QTest::keyRelease(&receiver, Qt::Key_Escape);
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        QTest::mouseRelease(&receiver, button);
}

} // namespace

bool finishQueued(const SerialQueue& queue)
{
    auto done = std::make_shared<std::atomic<bool>>(false);
    queue.async([done] { *done = true; });
    return QTest::qWaitFor([&] { return done->load(); }, 20000);
}

void CleanSlate::OnTestStart(const ::testing::TestInfo&)
{
    Simulation::reset();
    releaseHeldInput();
    LaunchEvent::setCurrent(std::nullopt);
    Alert::resetTestAnswers();
    SafariWindowCache::windows().clear();
    DiscoveryCoordinator::setPhotoFailuresReset(nullptr);
}

void CleanSlate::OnTestEnd(const ::testing::TestInfo&)
{
    for (const SerialQueue* queue : {&DiscoveryCoordinator::scanQueue(), &BrowserLaunchService::workQueue(),
             &DefaultBrowserService::queryQueue()}) {
        EXPECT_TRUE(finishQueued(*queue)) << "work the test left on " << queue->label().toStdString() << " runs on";
    }
    deliverPostedEvents();
    // A window the test left on the screen would be the active one, or a reason not to show one,
    // for the next test.
    QStringList shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            shown.append(QString::fromLatin1(window->metaObject()->className()));
            window->hide();
        }
    }
    EXPECT_TRUE(shown.isEmpty()) << "windows left shown: " << shown.join(QStringLiteral(", ")).toStdString();
}

} // namespace tavro::test
