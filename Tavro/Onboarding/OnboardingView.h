#pragma once
// The "Welcome to Tavro" window: three or four steps (become the default browser, scan the
// browsers, set up Safari when it is installed, choose the bypass) between a header with the
// progress dots and a footer with Back and Continue or Finish. The window moves between the steps
// and keeps what outlives a step's view: whether Tavro is the default browser, and the scans. Each
// step is a view of its own (`WelcomeStepView`, `ScanStepView`, `SafariSetupStepView`,
// `BypassStepView`) that reports the user's requests with signals; every choice goes to the store
// (or, for the update opt-in, to the updater) the moment it is made. Finish only marks onboarding
// complete and emits `finished()` for the host.

#include "Tavro/Shell/DefaultBrowserService.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <chrono>
#include <optional>

class QPushButton;
class QVBoxLayout;

namespace tavro {

class SettingsStore;
class StepDots;
class UpdateController;

class OnboardingView : public QWidget
{
    Q_OBJECT
public:
    enum class Step { welcome, scan, safari, bypass };
    Q_ENUM(Step)

    struct Timing
    {
        // About ten seconds for the user to answer the system's prompt.
        int defaultBrowserAttempts = 25;
        std::chrono::milliseconds defaultBrowserInterval{400};
        // From a confirmed default browser to the next step.
        std::chrono::milliseconds advanceDelay{800};
    };

    static constexpr QSize kSize{560, 620};
    static constexpr double kMarkSize = 72;

    // Whether Tavro is the default browser and whether Safari is installed are read here, once.
    explicit OnboardingView(SettingsStore& store, UpdateController& updates, QWidget* parent = nullptr);
    OnboardingView(SettingsStore& store, UpdateController& updates, Timing timing, QWidget* parent = nullptr);
    ~OnboardingView() override;

Q_SIGNALS:
    // Onboarding is complete and stored so: the host closes the window.
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    QList<Step> steps() const;
    Step currentStep() const { return steps().at(m_step); }
    bool isScanning() const { return m_runningScans > 0; }

    QWidget* buildHeader();
    QWidget* buildFooter();
    void setStep(int step);
    void finish();
    // Builds the step on screen again from the view state and the store. The Safari step keeps
    // its own state and follows the store by itself, so it is only ever built by setStep().
    void render();
    // Builds the step again after a change in the store, unless it is the bypass step and what
    // its menus offer stayed the same: rebuilding would close a menu the user has open.
    void storeChanged();
    void renderFooter();
    void replaceStepView(QWidget* next);

    void makeDefault();
    void scan();

    // Detached tasks: each checks the view again after every suspension.
    static QCoro::Task<> waitForDefault(QPointer<OnboardingView> self, Timing timing);
    // What the welcome step says below its button: why the last request failed, else why the desktop
    // cannot start the Tavro it names, else nothing.
    QString defaultBrowserFailure() const;
    static QCoro::Task<> runScan(QPointer<OnboardingView> self, QPointer<SettingsStore> store);

    SettingsStore& m_store;
    UpdateController& m_updates;
    Timing m_timing;
    int m_step = 0;
    // Scans started here that still run: with the banner's recheck during a scan two overlap,
    // and the button stays disabled until the last one ends.
    int m_runningScans = 0;
    bool m_hasScanned = false;
    // The newest answer to whether Tavro is the default browser: the window's own reads, and the
    // confirmations of the waits after "Set Tavro as Default Browser".
    DefaultBrowserService::Answer m_defaultBrowser;
    // Why the last request to become the default browser failed; empty when it did not.
    QString m_defaultBrowserFailure;
    // The step the view on screen was built for.
    std::optional<Step> m_renderedStep;
    // The control of the step (in the order focusable() lists them) that had the keyboard when it
    // was built again unable to take it (Scan, while the scan it started runs): the step holds the
    // keyboard meanwhile and hands it back once the step is built with the control enabled.
    qsizetype m_heldFocusIndex = -1;
    bool m_includesSafari = false;

    QWidget* m_header = nullptr;
    QWidget* m_footer = nullptr;
    QWidget* m_contentArea = nullptr;
    QVBoxLayout* m_contentLayout = nullptr;
    QPointer<QWidget> m_stepView;
    StepDots* m_dots = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_primary = nullptr;
};

} // namespace tavro
