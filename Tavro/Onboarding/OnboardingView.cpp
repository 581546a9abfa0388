#include "Tavro/Onboarding/OnboardingView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/ControlTint.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/TavroMark.h"
#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Discovery/SafariSetup.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Onboarding/BypassStepView.h"
#include "Tavro/Onboarding/OnboardingLog.h"
#include "Tavro/Onboarding/OnboardingParts.h"
#include "Tavro/Onboarding/SafariSetupStepView.h"
#include "Tavro/Onboarding/ScanStepView.h"
#include "Tavro/Onboarding/StepDots.h"
#include "Tavro/Onboarding/WelcomeStepView.h"
#include "Tavro/Shell/DefaultBrowserService.h"
#include "Tavro/Shell/UpdateController.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tavro {

OnboardingView::OnboardingView(SettingsStore& store, UpdateController& updates, QWidget* parent)
    : OnboardingView(store, updates, Timing{}, parent)
{ }

OnboardingView::OnboardingView(SettingsStore& store, UpdateController& updates, Timing timing, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_updates(updates)
    , m_timing(timing)
    , m_includesSafari(SafariSetup::isSafariInstalled())
{
    setFixedSize(kSize);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_header = buildHeader();
    column->addWidget(m_header);
    // The dividers are painted into these gaps.
    column->addSpacing(1);
    m_contentArea = new QWidget(this);
    m_contentLayout = new QVBoxLayout(m_contentArea);
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_contentArea, 1);
    column->addSpacing(1);
    m_footer = buildFooter();
    column->addWidget(m_footer);

    connect(&m_store, &SettingsStore::settingsChanged, this, &OnboardingView::storeChanged);
    connect(&m_store, &SettingsStore::browserDataHintChanged, this, &OnboardingView::storeChanged);

    setStep(0);
}

OnboardingView::~OnboardingView() = default;

QList<OnboardingView::Step> OnboardingView::steps() const
{
    QList<Step> list{Step::welcome, Step::scan};
    if (m_includesSafari)
        list.append(Step::safari);
    list.append(Step::bypass);
    return list;
}

QWidget* OnboardingView::buildHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(20, 20, 20, 20);
    row->setSpacing(14);
    row->addWidget(new TavroMark(kMarkSize, header), 0, Qt::AlignVCenter);

    auto* names = new QVBoxLayout;
    names->setSpacing(1);
    auto* name
        = new BrandLabel(QStringLiteral("Tavro"), Brand::navy, Drawing::systemFont(22, QFont::ExtraBold), header);
    accessibilityHeading(name);
    names->addWidget(name);
    //: Subtitle in the onboarding window header.
    names->addWidget(new BrandLabel(
        QCoreApplication::translate("Tavro", "Click any link. Choose the browser profile where it belongs."),
        Brand::textSecondary, Drawing::systemFont(12), header));
    // The name and tagline stay one stack, centred beside the mark.
    row->addLayout(names);
    row->setAlignment(names, Qt::AlignVCenter);
    row->addStretch(1);

    m_dots = new StepDots(int(steps().size()), 0, header);
    m_dots->setObjectName(QStringLiteral("stepDots"));
    row->addWidget(m_dots, 0, Qt::AlignVCenter);
    return header;
}

QWidget* OnboardingView::buildFooter()
{
    auto* footer = new QWidget(this);
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(16, 16, 16, 16);
    //: Onboarding footer button: previous step.
    m_back = OnboardingParts::button(QCoreApplication::translate("Tavro", "Back"), false);
    m_back->setObjectName(QStringLiteral("backButton"));
    m_back->setParent(footer);
    row->addWidget(m_back);
    row->addStretch(1);
    m_primary = OnboardingParts::button(QString(), true);
    m_primary->setObjectName(QStringLiteral("primaryButton"));
    m_primary->setParent(footer);
    m_primary->setDefault(true);
    row->addWidget(m_primary);

    connect(m_back, &QPushButton::clicked, this, [this] {
        if (m_step > 0)
            setStep(m_step - 1);
    });
    connect(m_primary, &QPushButton::clicked, this, [this] {
        if (m_step >= steps().size() - 1)
            finish();
        else
            setStep(m_step + 1);
    });
    return footer;
}

void OnboardingView::setStep(int step)
{
    m_step = std::clamp(step, 0, int(steps().size()) - 1);
    m_dots->setActive(m_step);
    renderFooter();

    // What each step does when it comes on screen.
    switch (currentStep()) {
    case Step::welcome:
        // Read each time the step comes on screen, the first included: the user may have changed
        // the default browser elsewhere in the meantime.
        m_defaultBrowser = DefaultBrowserService::answer();
        break;
    case Step::scan:
        if (!m_hasScanned)
            scan();
        break;
    case Step::safari:
    case Step::bypass:
        break;
    }

    if (currentStep() == Step::safari)
        replaceStepView(new SafariSetupStepView(m_store));
    else
        render();
}

namespace {
// The widgets of a step that take the keyboard, in the order they were made.
QList<QWidget*> focusable(const QWidget* step)
{
    QList<QWidget*> widgets;
    for (QWidget* widget : step->findChildren<QWidget*>()) {
        if (widget->focusPolicy() != Qt::NoFocus)
            widgets.append(widget);
    }
    return widgets;
}
} // namespace

void OnboardingView::replaceStepView(QWidget* next)
{
    // The same step built again (a setting or a scan changed) keeps the keyboard on the control
    // that had it, so a keyboard or screen-reader user does not lose their place.
    qsizetype focusedIndex = -1;
    if (m_stepView && m_renderedStep == currentStep()) {
        // The step itself holds the keyboard for a control that could not take it.
        if (QWidget* focused = QApplication::focusWidget(); focused == m_stepView)
            focusedIndex = m_heldFocusIndex;
        else if (focused && m_stepView->isAncestorOf(focused))
            focusedIndex = focusable(m_stepView).indexOf(focused);
    }
    m_heldFocusIndex = -1;
    m_renderedStep = currentStep();
    // Later, not now: the change may come from inside the step on screen (a menu, a button).
    if (m_stepView) {
        m_contentLayout->removeWidget(m_stepView);
        m_stepView->hide();
        m_stepView->deleteLater();
    }
    next->setParent(m_contentArea);
    tintControls(next);
    m_contentLayout->addWidget(next);
    next->show();
    m_stepView = next;
    const QList<QWidget*> controls = focusable(next);
    if (focusedIndex < 0 || focusedIndex >= controls.size())
        return;
    if (controls.at(focusedIndex)->isEnabled()) {
        controls.at(focusedIndex)->setFocus(Qt::OtherFocusReason);
    } else {
        // Qt would hand the keyboard to the next control in the window (Back). The step holds it,
        // under the name of the control it holds it for, which is what a screen reader says.
        m_heldFocusIndex = focusedIndex;
        next->setAccessibleName(
            QAccessible::queryAccessibleInterface(controls.at(focusedIndex))->text(QAccessible::Name));
        next->setFocus(Qt::OtherFocusReason);
    }
}

void OnboardingView::renderFooter()
{
    const bool last = m_step >= steps().size() - 1;
    m_back->setVisible(m_step > 0);
    if (last) {
        //: Onboarding footer button on the last step: completes setup.
        m_primary->setText(QCoreApplication::translate("Tavro", "Finish"));
    } else {
        //: Onboarding footer button: next step.
        m_primary->setText(QCoreApplication::translate("Tavro", "Continue"));
    }
}

void OnboardingView::render()
{
    switch (currentStep()) {
    case Step::welcome: {
        auto* welcome = new WelcomeStepView(m_defaultBrowser.isDefault, defaultBrowserFailure());
        connect(welcome, &WelcomeStepView::makeDefaultRequested, this, &OnboardingView::makeDefault);
        replaceStepView(welcome);
        break;
    }
    case Step::scan: {
        auto* scan = new ScanStepView(m_store, {isScanning(), m_hasScanned});
        connect(scan, &ScanStepView::scanRequested, this, &OnboardingView::scan);
        replaceStepView(scan);
        break;
    }
    case Step::bypass:
        replaceStepView(new BypassStepView(m_store, m_updates));
        break;
    case Step::safari:
        break;
    }
}

void OnboardingView::storeChanged()
{
    if (auto* bypass = qobject_cast<BypassStepView*>(m_stepView.data());
        bypass && currentStep() == Step::bypass && bypass->showsCurrentChoices())
        return;
    render();
}

void OnboardingView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The host sets the window's appearance after building it; the menus take their colours
    // from it when the step is built.
    render();
}

bool OnboardingView::event(QEvent* event)
{
    // The host's appearance comes as a property of the window.
    if (event->type() == QEvent::DynamicPropertyChange)
        tintControls(this);
    return QWidget::event(event);
}

void OnboardingView::finish()
{
    // One write, one announcement: the choices of the steps were stored when they were made.
    m_store.edit([](AppSettings& settings) { settings.hasCompletedOnboarding = true; });
    qCInfo(lcOnboarding) << "Onboarding complete";
    Q_EMIT finished();
}

void OnboardingView::makeDefault()
{
    // A refusal says why at once, below the button. The answer comes from the checks that follow
    // either way: an accepted request may still wait for the user to confirm the system's prompt.
    // Every press asks again, so every press gets the whole time to be answered.
    const auto requested = DefaultBrowserService::makeDefault();
    m_defaultBrowserFailure = requested ? QString() : DefaultBrowserService::failureText(requested.error());
    if (auto* welcome = qobject_cast<WelcomeStepView*>(m_stepView.data()))
        welcome->showFailure(defaultBrowserFailure());
    waitForDefault(this, m_timing);
}

QString OnboardingView::defaultBrowserFailure() const
{
    if (!m_defaultBrowserFailure.isEmpty() || !m_defaultBrowser.unlaunchable)
        return m_defaultBrowserFailure;
    return DefaultBrowserService::launchFailureText(*m_defaultBrowser.unlaunchable);
}

QCoro::Task<> OnboardingView::waitForDefault(QPointer<OnboardingView> self, Timing timing)
{
    // The wait ends with the window, without an answer.
    const std::optional<DefaultBrowserService::Answer> answer = co_await DefaultBrowserService::waitUntilDefault(
        self, timing.defaultBrowserAttempts, timing.defaultBrowserInterval);
    // The first wait to see the answer moves on; a wait of an earlier or later press that sees
    // it too does nothing more. A confirmation read before the window's own newer read (the
    // welcome step shown again) is old news.
    if (!answer || self->m_defaultBrowser.isDefault || !answer->isNewerThan(self->m_defaultBrowser))
        co_return;
    // Named but not started by the desktop: the step says why and stays.
    if (!answer->isDefault) {
        if (answer->unlaunchable) {
            self->m_defaultBrowser = *answer;
            if (auto* welcome = qobject_cast<WelcomeStepView*>(self->m_stepView.data()))
                welcome->showFailure(self->defaultBrowserFailure());
        }
        co_return;
    }
    self->m_defaultBrowser = *answer;
    self->render();
    // The step is read when the timer fires: a user who went on by hand meanwhile still moves one
    // step, but never past the last.
    QTimer::singleShot(timing.advanceDelay, self, [view = self.data()] {
        if (view->m_step < view->steps().size() - 1)
            view->setStep(view->m_step + 1);
    });
}

void OnboardingView::scan()
{
    ++m_runningScans;
    runScan(this, &m_store);
    render();
}

QCoro::Task<> OnboardingView::runScan(QPointer<OnboardingView> self, QPointer<SettingsStore> store)
{
    co_await DiscoveryCoordinator::refresh(*store, DiscoveryCoordinator::SafariScanMode::interactive);
    if (!self)
        co_return;
    --self->m_runningScans;
    self->m_hasScanned = true;
    self->render();
}

void OnboardingView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolve(Brand::frost, this));
    const QColor divider = resolve(Brand::divider, this);
    painter.fillRect(QRect(0, m_header->geometry().bottom() + 1, width(), 1), divider);
    painter.fillRect(QRect(0, m_footer->geometry().top() - 1, width(), 1), divider);
}

} // namespace tavro
