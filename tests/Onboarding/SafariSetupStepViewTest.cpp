#include "Tavro/Onboarding/SafariSetupStepView.h"
#include "Tavro/Model/ProfileDiscoveryDestinations.h"
#include "Tavro/Simulation/SimulatedBrowser.h"
#include "Tavro/Simulation/UrlOpenerHost.h"
#include "tests/Onboarding/OnboardingFixture.h"
#include "tests/Support/ScanCounter.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tavro;
using namespace tavro::test;
using namespace std::chrono_literals;

namespace {

const QString safariId = QStringLiteral("com.apple.Safari");

class SafariSetupStepViewTest : public OnboardingFixture
{
protected:
    ~SafariSetupStepViewTest() override
    {
        step.reset();
        finishScans();
        safari.reset();
    }

    SafariSetupStepView& show()
    {
        step = std::make_unique<SafariSetupStepView>(*store, timing);
        // The content area of the onboarding window, between its header and footer.
        step->resize(OnboardingView::kSize.width(), 440);
        step->show();
        return *step;
    }

    // Safari running with two profiles in its File menu and no tabs database.
    void runSafari()
    {
        safari = std::make_unique<SimulatedBrowser>(safariId, installSafari());
        safari->setMenus({SimulatedBrowser::Menu{QStringLiteral("File"),
            {SimulatedBrowser::item("newWindow", "New Window"),
                SimulatedBrowser::item("NewPersonalWindow?isDefaultProfile=true", "New Personal Window"),
                SimulatedBrowser::item("NewWorkWindow?isDefaultProfile=false", "New Work Window")}}});
    }

    static void becomeActive() { Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive); }

    // A widget of the body on screen: the body replaced last is still there, hidden, until the
    // event loop deletes it.
    template <typename T = QWidget> T* shown(const QString& name) const
    {
        for (T* found : step->findChildren<T*>(name)) {
            if (found->isVisibleTo(step.get()))
                return found;
        }
        return nullptr;
    }

    // Re-detect is disabled, its spinner turning, while a detection runs.
    bool isDetecting() const
    {
        auto* redetect = shown<QPushButton>(QStringLiteral("redetect"));
        return redetect && !redetect->isEnabled();
    }

    bool detectionEnds()
    {
        return QTest::qWaitFor(
            [&] {
                auto* redetect = shown<QPushButton>(QStringLiteral("redetect"));
                return redetect && redetect->isEnabled();
            },
            10000);
    }

    QStringList texts() const
    {
        QStringList found;
        for (QLabel* label : step->findChildren<QLabel*>()) {
            if (label->isVisibleTo(step.get()))
                found.append(label->text());
        }
        return found;
    }

    QString detail(const QString& row) const
    {
        QWidget* found = shown(row);
        return found ? found->findChild<QLabel*>("detail")->text() : QString();
    }

    SafariSetup::Timing timing{10ms, 10ms, 5};
    test::ScanCounter scans;
    std::unique_ptr<SimulatedBrowser> safari;
    std::unique_ptr<SafariSetupStepView> step;
};

TEST_F(SafariSetupStepViewTest, UntrustedShowsTheCalloutAndChecklistAndDetectsNothing)
{
    store->edit([](AppSettings& s) {
        s.destinations = {ProfileDiscoveryService::makeSafariDestination(std::nullopt, 0),
            ProfileDiscoveryService::makeSafariDestination(DiscoveredProfile{"Work", "Work", {}}, 1),
            ProfileDiscoveryService::makeSafariDestination(DiscoveredProfile{"Home", "Home", {}}, 2)};
    });
    show();
    // Without the permission the step asks for it and shows no profiles panel; no detection
    // starts (no scan lands, below).
    EXPECT_FALSE(shown("profilesPanel"));
    EXPECT_TRUE(step->findChild<QWidget*>("accessibilityCallout"));
    EXPECT_EQ(detail("Accessibility permission"), "Needed: one tap to grant");
    EXPECT_EQ(detail("Safari open"), "Tavro will open it for you");
    EXPECT_EQ(detail("Profiles detected"), "Work and Home");
    photograph(*step, QStringLiteral("safari-untrusted"));

    // Back from System Settings without switching Tavro on: the flags are read, nothing starts.
    step->findChild<QPushButton*>("openAccessibilitySettings")->click();
    EXPECT_EQ(UrlOpenerHost::openedUrls().size(), 1);
    runSafari();
    becomeActive();
    EXPECT_FALSE(shown("profilesPanel"));
    EXPECT_EQ(detail("Safari open"), "Running");
    finishScans();
    EXPECT_EQ(scans.count(), 0);
}

TEST_F(SafariSetupStepViewTest, ComingBackTrustedStartsOneDetectionThatListsTheProfiles)
{
    runSafari();
    show();
    step->findChild<QPushButton*>("openAccessibilitySettings")->click();
    // What was scanned before the trust (the scans of showing the step) lands first, so that only
    // the detection's own scans are counted.
    finishScans();
    scans.clear();
    AccessibilityHost::setTrusted(true);
    becomeActive();
    EXPECT_TRUE(isDetecting());
    EXPECT_TRUE(texts().contains("Reading your Safari profiles…"));
    EXPECT_FALSE(step->findChild<QPushButton*>("redetect")->isEnabled());
    // Active again while it runs: no second detection.
    becomeActive();
    ASSERT_TRUE(detectionEnds());
    EXPECT_EQ(scans.count(), 1);
    EXPECT_EQ(SafariSetup::safariProfiles(*store), (QStringList{"Personal", "Work"}));
    EXPECT_TRUE(texts().contains("Detected Safari profiles"));
    EXPECT_EQ(step->findChild<QLabel*>("detectHint")->text(), "Missing one? Open it in Safari, then Re-detect.");
    photograph(*step, QStringLiteral("safari-profiles"));

    // Every later return starts a new one.
    becomeActive();
    EXPECT_TRUE(isDetecting());
    ASSERT_TRUE(detectionEnds());
}

TEST_F(SafariSetupStepViewTest, TrustedBeforehandDetectsAsSoonAsItShows)
{
    runSafari();
    AccessibilityHost::setTrusted(true);
    show();
    EXPECT_TRUE(isDetecting());
    ASSERT_TRUE(detectionEnds());
    // The step counts as visited: every return to the application detects again.
    becomeActive();
    EXPECT_TRUE(isDetecting());
    ASSERT_TRUE(detectionEnds());
}

TEST_F(SafariSetupStepViewTest, UnreadableSafariStopsAfterSixRefreshes)
{
    runSafari();
    safari->removeMenuBar();
    AccessibilityHost::setTrusted(true);
    show();
    ASSERT_TRUE(detectionEnds());
    EXPECT_EQ(scans.count(), 6);
    EXPECT_TRUE(texts().contains("No profiles read yet"));
    EXPECT_EQ(
        step->findChild<QLabel*>("detectHint")->text(), "Use Safari profiles? Open them in Safari, then Re-detect.");
}

TEST_F(SafariSetupStepViewTest, ReadWithoutProfilesSaysSoOnlyWhileSafariRuns)
{
    runSafari();
    writeSafariTabs(home, {});
    AccessibilityHost::setTrusted(true);
    show();
    ASSERT_TRUE(detectionEnds());
    EXPECT_TRUE(step->readSucceededWithNoProfiles());
    EXPECT_TRUE(texts().contains("No separate Safari profiles found"));
    photograph(*step, QStringLiteral("safari-none"));
}

TEST_F(SafariSetupStepViewTest, WithoutSafariTheDetectionEndsUnread)
{
    AccessibilityHost::setTrusted(true);
    show();
    ASSERT_TRUE(detectionEnds());
    EXPECT_FALSE(step->readSucceededWithNoProfiles());
    EXPECT_TRUE(texts().contains("No profiles read yet"));
}

TEST_F(SafariSetupStepViewTest, ADetectionOutlivesItsStep)
{
    runSafari();
    AccessibilityHost::setTrusted(true);
    show();
    step.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return SafariSetup::safariProfiles(*store).size() == 2; }, 10000));
}

} // namespace
