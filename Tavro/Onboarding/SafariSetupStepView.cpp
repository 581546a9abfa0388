#include "Tavro/Onboarding/SafariSetupStepView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/BrowserDataHintBanner.h"
#include "Tavro/Controls/BrowserIcon.h"
#include "Tavro/Controls/ControlTint.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SymbolIcon.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Onboarding/ActivityIndicator.h"
#include "Tavro/Onboarding/OnboardingLog.h"
#include "Tavro/Onboarding/OnboardingParts.h"
#include "Tavro/Onboarding/RoundedCard.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/Workspace.h"
#include "Tavro/Shell/LoginItem.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tavro {

SafariSetupStepView::SafariSetupStepView(SettingsStore& store, SafariSetup::Timing timing, QWidget* parent)
    : QWidget(parent), m_store(store), m_timing(timing)
{
    setObjectName(QStringLiteral("safari"));
    // The callout and the checklist together are taller than the window's content area: the step
    // scrolls rather than squeezing its buttons.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* content = new QWidget;
    outer->addWidget(OnboardingParts::scrollArea(content, this));
    m_column = OnboardingParts::column(content, 16);
    //: Onboarding Safari step title.
    m_column->addWidget(OnboardingParts::title(QCoreApplication::translate("Tavro", "Your Safari profiles")));
    //: Onboarding Safari step explanation. Use Apple's localized name for the Accessibility privacy setting.
    m_column->addWidget(
        BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                 "Tavro opens links in the right Safari profile using macOS Accessibility. Grant "
                                 "Tavro access once and keep Safari open the first time so it can read your profile "
                                 "list. After that, it’s remembered."),
            Brand::textSecondary, Drawing::systemFont(13)));
    m_column->addStretch(1);

    connect(&m_store, &SettingsStore::settingsChanged, this, &SafariSetupStepView::render);
    connect(&m_store, &SettingsStore::safariHintChanged, this, &SafariSetupStepView::render);
    Application::whenBecameActive(this, [this] {
        if (isVisible())
            applicationBecameActive();
    });
    render();
}

SafariSetupStepView::~SafariSetupStepView() = default;

QString SafariSetupStepView::profilesDetail() const
{
    const QStringList names = SafariSetup::safariProfiles(m_store);
    if (names.isEmpty()) {
        //: Onboarding checklist status: no Safari profiles detected yet.
        return QCoreApplication::translate("Tavro", "None yet");
    }
    return BrowserDataHintBanner::browserList(names);
}

bool SafariSetupStepView::readSucceededWithNoProfiles() const
{
    return m_accessibilityGranted && m_safariRunning && m_store.safariHint() == SafariHint::none
        && SafariSetup::safariProfiles(m_store).isEmpty();
}

void SafariSetupStepView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Once per life of the step: a window brought back after the picker is not a new visit.
    if (m_hasAppeared)
        return;
    m_hasAppeared = true;
    refreshStatus();
    // A user who granted the permission earlier gets a detection at once.
    if (Accessibility::isProcessTrusted() && !m_hasInitiated)
        detect();
    render();
}

void SafariSetupStepView::applicationBecameActive()
{
    refreshStatus();
    if (m_hasInitiated && !m_isDetecting && Accessibility::isProcessTrusted())
        detect();
    render();
}

void SafariSetupStepView::refreshStatus()
{
    m_accessibilityGranted = Accessibility::isProcessTrusted();
    m_safariRunning = !Workspace::shared().runningApplications(safariBundleIdentifier).isEmpty();
}

void SafariSetupStepView::detect()
{
    m_isDetecting = true;
    m_hasInitiated = true;
    runDetection(this, &m_store, m_timing);
    render();
}

QCoro::Task<> SafariSetupStepView::runDetection(
    QPointer<SafariSetupStepView> self, QPointer<SettingsStore> store, SafariSetup::Timing timing)
{
    // Runs to its end when the user moves on: its results land in the store for the later steps.
    co_await SafariSetup::detect(*store, &LoginItem::openAccessibilitySettings, timing);
    if (!self)
        co_return;
    self->refreshStatus();
    self->m_isDetecting = false;
    self->render();
}

void SafariSetupStepView::openAccessibilitySettings()
{
    // No detection here: the user comes back to an active application, which starts one.
    m_hasInitiated = true;
    AccessibilityPermission::registerInList();
    LoginItem::openAccessibilitySettings();
}

void SafariSetupStepView::render()
{
    auto* body = new QWidget;
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    if (m_accessibilityGranted) {
        column->addWidget(profilesPanel());
        column->addWidget(detectActionRow());
    } else {
        column->addWidget(accessibilityCallout());
        column->addWidget(checklist());
    }
    // Later, not now: the change may come from a button inside the body on screen.
    if (m_body) {
        m_column->removeWidget(m_body);
        m_body->hide();
        m_body->deleteLater();
    }
    // After the title and the explanation, before the closing stretch.
    m_column->insertWidget(2, body);
    body->show();
    m_body = body;
    tintControls(body);
}

bool SafariSetupStepView::event(QEvent* event)
{
    if (event->type() == QEvent::DynamicPropertyChange || event->type() == QEvent::ParentChange)
        tintControls(this);
    return QWidget::event(event);
}

QWidget* SafariSetupStepView::accessibilityCallout()
{
    auto* callout = new RoundedCard(Brand::accent, 0.1, RoundedCard::Stroke{Brand::accent, 0.35});
    callout->setObjectName(QStringLiteral("accessibilityCallout"));
    auto* column = new QVBoxLayout(callout);
    column->setContentsMargins(13, 13, 13, 13);
    column->setSpacing(10);

    auto* headingRow = new QHBoxLayout;
    headingRow->setSpacing(7);
    headingRow->addWidget(
        new SymbolIcon(QStringLiteral("hand.point.up.left.fill"), Brand::accent, QSize(12, 12)), 0, Qt::AlignVCenter);
    //: Onboarding callout title. Use Apple's localized name for the Accessibility privacy setting.
    headingRow->addWidget(
        OnboardingParts::heading(QCoreApplication::translate("Tavro", "Enable Accessibility for Tavro"), 12.5), 1,
        Qt::AlignVCenter);
    column->addLayout(headingRow);

    //: Numbered onboarding step. Markdown bold is kept; the bold text must match the Open Accessibility Settings
    //: button label.
    column->addWidget(
        instructionRow(1, QCoreApplication::translate("Tavro", "Click **Open Accessibility Settings** below.")));
    //: Numbered onboarding step about the Accessibility list in System Settings. Markdown bold is kept; Tavro is the
    //: app name.
    column->addWidget(
        instructionRow(2, QCoreApplication::translate("Tavro", "Switch **Tavro** on in the list that opens.")));
    //: Numbered onboarding step.
    column->addWidget(instructionRow(3,
        QCoreApplication::translate(
            "Tavro", "Come back to this window. Tavro reads your Safari profiles automatically.")));

    column->addSpacing(3);
    //: Button that opens the Accessibility pane in System Settings. Use Apple's localized name for Accessibility.
    const QString openText = QCoreApplication::translate("Tavro", "Open Accessibility Settings");
    auto* button = OnboardingParts::button(QStringLiteral("      ") + openText, true);
    button->setObjectName(QStringLiteral("openAccessibilitySettings"));
    button->setAccessibleName(openText);
    OnboardingParts::placeBeforeLabel(button,
        new SymbolIcon(QStringLiteral("arrow.up.forward.app"), Brand::onFill, QSize(13, 13)),
        TavroButtonStyle::horizontalPadding);
    connect(button, &QPushButton::clicked, this, &SafariSetupStepView::openAccessibilitySettings);
    column->addWidget(button, 0, Qt::AlignLeft);
    return callout;
}

QWidget* SafariSetupStepView::instructionRow(int number, const QString& markdown)
{
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    auto* badge = new QLabel(QString::number(number), row);
    badge->setFixedSize(16, 16);
    badge->setAlignment(Qt::AlignCenter);
    badge->setFont(Drawing::systemFont(10, QFont::Bold));
    badge->setStyleSheet(
        QStringLiteral("color: white; border-radius: 8px; background: %1;").arg(resolve(Brand::accent, this).name()));
    accessibilityHidden(badge);
    line->addWidget(badge, 0, Qt::AlignTop);

    auto* text = new QLabel(markdown, row);
    text->setTextFormat(Qt::MarkdownText);
    text->setWordWrap(true);
    text->setFont(Drawing::systemFont(11.5));
    accessibilityHidden(text);
    line->addWidget(text, 1, Qt::AlignTop);
    // One element for screen readers: the number and the instruction, without the asterisks.
    QString spoken = markdown;
    spoken.remove(QStringLiteral("**"));
    row->setAccessibleName(QStringLiteral("%1. %2").arg(number).arg(spoken));
    return row;
}

QWidget* SafariSetupStepView::checklist()
{
    auto* card = new RoundedCard(Brand::frostDeep);
    card->setObjectName(QStringLiteral("checklist"));
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    // Shown only while the permission is missing, so its row is never done.
    column->addWidget(statusRow(false,
        //: Card title in the Permissions settings pane. Use Apple's localized name for the Accessibility privacy
        //: setting.
        QCoreApplication::translate("Tavro", "Accessibility permission"),
        //: Onboarding checklist status: the permission is still needed and one button grants it.
        QCoreApplication::translate("Tavro", "Needed: one tap to grant")));
    QString safariDetail;
    if (m_safariRunning) {
        //: Onboarding checklist status: Safari is running.
        safariDetail = QCoreApplication::translate("Tavro", "Running");
    } else {
        //: Onboarding checklist status: Safari isn't running yet and Tavro will launch it.
        safariDetail = QCoreApplication::translate("Tavro", "Tavro will open it for you");
    }
    column->addWidget(statusRow(m_safariRunning,
        //: Onboarding checklist item: Safari is running.
        QCoreApplication::translate("Tavro", "Safari open"), safariDetail));
    column->addWidget(statusRow(!SafariSetup::safariProfiles(m_store).isEmpty(),
        //: Onboarding checklist item: Safari profiles were read.
        QCoreApplication::translate("Tavro", "Profiles detected"), profilesDetail()));
    return card;
}

QWidget* SafariSetupStepView::statusRow(bool done, const QString& title, const QString& detail)
{
    auto* row = new QWidget;
    row->setObjectName(title);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(10);
    line->addWidget(new SymbolIcon(done ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
                        done ? Brand::accent : Brand::chainDark, QSize(15, 15), row),
        0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    auto* titleLabel = BrandLabel::wrapping(title, Brand::navy, Drawing::systemFont(12.5, QFont::DemiBold));
    accessibilityHidden(titleLabel);
    texts->addWidget(titleLabel);
    auto* detailLabel = BrandLabel::wrapping(detail, Brand::textSecondary, Drawing::systemFont(11));
    detailLabel->setObjectName(QStringLiteral("detail"));
    accessibilityHidden(detailLabel);
    texts->addWidget(detailLabel);
    line->addLayout(texts, 1);
    row->setAccessibleName(title + QStringLiteral(", ") + detail);
    return row;
}

QWidget* SafariSetupStepView::profilesPanel()
{
    auto* card = new RoundedCard(Brand::frostDeep);
    card->setObjectName(QStringLiteral("profilesPanel"));
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(8);

    const QStringList names = SafariSetup::safariProfiles(m_store);
    if (!names.isEmpty()) {
        //: Heading above the list of Safari profiles Tavro found.
        column->addWidget(
            OnboardingParts::heading(QCoreApplication::translate("Tavro", "Detected Safari profiles"), 12.5));
        for (const QString& name : names) {
            auto* row = new QHBoxLayout;
            row->setSpacing(8);
            auto* icon = new BrowserIcon(safariBundleIdentifier, 16);
            accessibilityHidden(icon);
            row->addWidget(icon, 0, Qt::AlignVCenter);
            auto* text = BrandLabel::wrapping(name, Brand::navy, Drawing::systemFont(12.5));
            text->setObjectName(QStringLiteral("profileName"));
            row->addWidget(text, 1, Qt::AlignVCenter);
            row->addWidget(new SymbolIcon(QStringLiteral("checkmark.circle.fill"), Brand::accent, QSize(13, 13)), 0,
                Qt::AlignVCenter);
            column->addLayout(row);
        }
    } else if (m_isDetecting) {
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        row->addWidget(new ActivityIndicator(14, Brand::navy), 0, Qt::AlignVCenter);
        //: Progress label while Tavro reads Safari profiles.
        row->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "Reading your Safari profiles…"),
                           Brand::textSecondary, Drawing::systemFont(12.5)),
            1, Qt::AlignVCenter);
        column->addLayout(row);
    } else if (readSucceededWithNoProfiles()) {
        //: Onboarding result when Safari has only its default profile.
        column->addWidget(
            BrandLabel::wrapping(QCoreApplication::translate("Tavro", "No separate Safari profiles found"), Brand::navy,
                Drawing::systemFont(12.5, QFont::DemiBold)));
        //: Onboarding hint when no Safari profiles were found. Re-detect must match the Re-detect button label.
        column->addWidget(
            BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                     "Safari will open links in its current profile. If you use Safari profiles, open "
                                     "them in Safari and Re-detect."),
                Brand::textSecondary, Drawing::systemFont(11.5)));
    } else {
        //: Onboarding state before Safari profiles have been read.
        column->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "No profiles read yet"),
            Brand::navy, Drawing::systemFont(12.5, QFont::DemiBold)));
        //: Onboarding hint. Re-detect must match the Re-detect button label.
        column->addWidget(
            BrandLabel::wrapping(QCoreApplication::translate("Tavro", "Make sure Safari is open, then Re-detect."),
                Brand::textSecondary, Drawing::systemFont(11.5)));
    }
    return card;
}

QWidget* SafariSetupStepView::detectActionRow()
{
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(12);
    //: Onboarding button that reads Safari profiles again.
    const QString redetect = QCoreApplication::translate("Tavro", "Re-detect");
    auto* button = new QPushButton(m_isDetecting ? QStringLiteral("     ") + redetect : redetect);
    button->setObjectName(QStringLiteral("redetect"));
    button->setAccessibleName(redetect);
    TavroButtonStyle::apply(button, true);
    button->setEnabled(!m_isDetecting);
    if (m_isDetecting) {
        // Drawn for the dark scheme: it sits on the prominent button's fill.
        OnboardingParts::placeBeforeLabel(
            button, new ActivityIndicator(12, Brand::onFill, button), TavroButtonStyle::horizontalPadding - 4);
    }
    connect(button, &QPushButton::clicked, this, &SafariSetupStepView::detect);
    line->addWidget(button, 0, Qt::AlignVCenter);
    const bool hasNames = !SafariSetup::safariProfiles(m_store).isEmpty();
    QString hintText;
    if (hasNames) {
        //: Onboarding hint next to the Re-detect button when some Safari profiles were found.
        hintText = QCoreApplication::translate("Tavro", "Missing one? Open it in Safari, then Re-detect.");
    } else {
        //: Onboarding hint next to the Re-detect button when no Safari profiles were found.
        hintText = QCoreApplication::translate("Tavro", "Use Safari profiles? Open them in Safari, then Re-detect.");
    }
    auto* hint = BrandLabel::wrapping(hintText, Brand::textSecondary, Drawing::systemFont(11));
    hint->setObjectName(QStringLiteral("detectHint"));
    line->addWidget(hint, 1, Qt::AlignVCenter);
    return row;
}

} // namespace tavro
