#pragma once

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Onboarding/OnboardingView.h"
#include "Tavro/Onboarding/StepDots.h"
#include "Tavro/Shell/UpdateController.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/WorkspaceHost.h"
#include "tests/Discovery/DiscoveryFixtures.h"
#include "tests/Shell/ShellFixture.h"
#include "tests/Support/Pixels.h"

#include <QDir>
#include <QImage>
#include <QPushButton>

#include <memory>

namespace tavro::test {

// A store and an update controller in a temporary HOME, with Tavro's desktop entry installed.
class OnboardingFixture : public ShellFixture
{
protected:
    OnboardingFixture() : updates(false, defaults)
    {
        home.installTavroEntry();
        open({});
    }
    ~OnboardingFixture() override
    {
        view.reset();
        finishScans();
    }

    OnboardingView& build(OnboardingView::Timing timing = OnboardingView::Timing{})
    {
        view = std::make_unique<OnboardingView>(*store, updates, timing);
        QObject::connect(view.get(), &OnboardingView::finished, [this] { ++finished; });
        view->show();
        return *view;
    }

    QString installSafari() { return installApp(home, "Safari", "com.apple.Safari"); }

    // The window's footer buttons and dots, found by name as the other anchors are.
    static QPushButton* primaryButton(const QWidget& window)
    {
        return window.findChild<QPushButton*>(QStringLiteral("primaryButton"));
    }
    QPushButton* backButton() const { return view->findChild<QPushButton*>(QStringLiteral("backButton")); }
    StepDots* dots() const { return view->findChild<StepDots*>(QStringLiteral("stepDots")); }
    void pressPrimary() { primaryButton(*view)->click(); }

    // The step on screen, named "welcome", "scan", "safari" or "bypass"; a step being replaced is
    // hidden at once.
    QWidget* shownStep() const
    {
        for (const char* name : {"welcome", "scan", "safari", "bypass"}) {
            for (QWidget* step : view->findChildren<QWidget*>(QLatin1String(name))) {
                if (step->isVisible())
                    return step;
            }
        }
        return nullptr;
    }
    QString shownStepName() const
    {
        QWidget* step = shownStep();
        return step ? step->objectName() : QString();
    }
    // The scan step on screen with its button disabled: a scan runs.
    bool isScanning() const
    {
        QWidget* step = shownStep();
        auto* button = step ? step->findChild<QPushButton*>(QStringLiteral("scanButton")) : nullptr;
        return button && !button->isEnabled();
    }

    // The step's drawing in light and dark, under build/artifacts/, on the window's background as
    // users see it: that background in the corner, and the navy of the titles and labels.
    static void photograph(QWidget& widget, const QString& name)
    {
        QDir().mkpath(QStringLiteral(TAVRO_ARTIFACTS_DIR));
        // A step built again lays itself out on the next turn of the event loop.
        QCoreApplication::processEvents();
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            setExplicitAppearance(&widget, appearance);
            const QString suffix = appearance == Appearance::dark ? QStringLiteral("dark") : QStringLiteral("light");
            QImage image(widget.size(), QImage::Format_RGB32);
            image.fill(resolve(Brand::frost, appearance));
            widget.render(&image, {}, {}, QWidget::DrawChildren);
            EXPECT_EQ(image.pixelColor(1, 1), resolve(Brand::frost, appearance)) << name.toStdString();
            EXPECT_TRUE(hasColourNear(image, image.rect(), resolve(Brand::navy, appearance)))
                << name.toStdString() << " " << suffix.toStdString() << " shows no navy text";
            EXPECT_TRUE(image.save(QStringLiteral(TAVRO_ARTIFACTS_DIR "/onboarding-%1-%2.png").arg(name, suffix)));
        }
    }

    UpdateController updates;
    std::unique_ptr<OnboardingView> view;
    int finished = 0;
};

} // namespace tavro::test
