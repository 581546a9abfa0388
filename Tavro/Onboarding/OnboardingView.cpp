#include "Tavro/Onboarding/OnboardingView.h"

#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Discovery/SafariSetup.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Onboarding/ActivityIndicator.h"
#include "Tavro/Onboarding/OnboardingLog.h"
#include "Tavro/Onboarding/RoundedCard.h"
#include "Tavro/Onboarding/SafariSetupStepView.h"
#include "Tavro/Onboarding/StepDots.h"
#include "Tavro/Picker/AccessibilityTraits.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/BrowserDataHintBanner.h"
#include "Tavro/Picker/BrowserIcon.h"
#include "Tavro/Picker/Drawing.h"
#include "Tavro/Picker/TavroButtonStyle.h"
#include "Tavro/Picker/TavroMark.h"
#include "Tavro/Settings/BrandLabel.h"
#include "Tavro/Settings/ControlTint.h"
#include "Tavro/Settings/PopUpButton.h"
#include "Tavro/Settings/SymbolIcon.h"
#include "Tavro/Shell/DefaultBrowserService.h"
#include "Tavro/Shell/LoginItem.h"
#include "Tavro/Shell/UpdateController.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tavro {

namespace {

constexpr int kStepPadding = 28;

BrandLabel* stepTitle(const QString& text)
{
    auto* title = BrandLabel::wrapping(text, Brand::navy, Drawing::systemFont(18, QFont::Bold));
    accessibilityHeading(title);
    return title;
}

QPushButton* styledButton(const QString& text, bool prominent)
{
    auto* button = new QPushButton(text);
    TavroButtonStyle::apply(button, prominent);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

// A step's column: leading-aligned, padded on every side.
QVBoxLayout* stepColumn(QWidget* step, int spacing)
{
    auto* column = new QVBoxLayout(step);
    column->setContentsMargins(kStepPadding, kStepPadding, kStepPadding, kStepPadding);
    column->setSpacing(spacing);
    column->setAlignment(Qt::AlignTop);
    return column;
}

} // namespace

OnboardingView::OnboardingView(SettingsStore& store, UpdateController& updates, QWidget* parent)
    : OnboardingView(store, updates, Timing{}, parent)
{ }

OnboardingView::OnboardingView(SettingsStore& store, UpdateController& updates, Timing timing, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_updates(updates)
    , m_timing(timing)
    , m_isDefaultBrowser(DefaultBrowserService::isDefault())
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
    connect(&m_updates, &UpdateController::preferencesChanged, this, &OnboardingView::render);

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
    m_back = styledButton(QCoreApplication::translate("Tavro", "Back"), false);
    m_back->setObjectName(QStringLiteral("backButton"));
    m_back->setParent(footer);
    row->addWidget(m_back);
    row->addStretch(1);
    m_primary = styledButton(QString(), true);
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
        // The user may have changed the default browser elsewhere in the meantime.
        m_isDefaultBrowser = DefaultBrowserService::isDefault();
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
        if (QWidget* focused = QApplication::focusWidget(); focused && m_stepView->isAncestorOf(focused))
            focusedIndex = focusable(m_stepView).indexOf(focused);
    }
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
    if (const QList<QWidget*> controls = focusable(next); focusedIndex >= 0 && focusedIndex < controls.size())
        controls.at(focusedIndex)->setFocus(Qt::OtherFocusReason);
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
    QWidget* next = nullptr;
    switch (currentStep()) {
    case Step::welcome:
        next = welcomeStep();
        break;
    case Step::scan:
        next = scanStep();
        break;
    case Step::bypass:
        next = bypassStep();
        break;
    case Step::safari:
        return;
    }
    replaceStepView(next);
}

void OnboardingView::storeChanged()
{
    if (m_renderedStep == Step::bypass && currentStep() == Step::bypass && bypassChoices() == m_shownBypassChoices)
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

// The welcome step

QWidget* OnboardingView::welcomeStep()
{
    auto* step = new QWidget;
    step->setObjectName(QStringLiteral("welcome"));
    auto* column = stepColumn(step, 16);
    //: Onboarding step 1 title: make Tavro the default web browser so it receives links.
    column->addWidget(stepTitle(QCoreApplication::translate("Tavro", "Become your link handler")));
    //: Onboarding step 1 explanation.
    column->addWidget(
        BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                 "To send links to the right place, Tavro needs to be your default web browser. macOS "
                                 "will then hand every external link to Tavro instead of opening one fixed browser."),
            Brand::textSecondary, Drawing::systemFont(13)));

    if (m_isDefaultBrowser) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 4, 0, 4);
        row->setSpacing(8);
        row->addWidget(
            new SymbolIcon(QStringLiteral("checkmark.seal.fill"), Brand::accent, QSize(18, 18)), 0, Qt::AlignVCenter);
        //: Onboarding confirmation once Tavro is the default web browser.
        row->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "Tavro is your default browser."),
                           Brand::navy, Drawing::systemFont(13, QFont::DemiBold)),
            1, Qt::AlignVCenter);
        column->addLayout(row);
    } else {
        //: Button that asks macOS to make Tavro the default web browser.
        auto* button = styledButton(QCoreApplication::translate("Tavro", "Set Tavro as Default Browser"), true);
        button->setObjectName(QStringLiteral("makeDefault"));
        connect(button, &QPushButton::clicked, this, &OnboardingView::makeDefault);
        column->addWidget(button, 0, Qt::AlignLeft);
        //: Caption under the Set Tavro as Default Browser button in onboarding.
        column->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "macOS will ask you to confirm."),
            Brand::textSecondary, Drawing::systemFont(11)));
    }
    column->addStretch(1);
    return step;
}

void OnboardingView::makeDefault()
{
    // The answer comes from the checks that follow, whatever the request itself returned. Every
    // press asks again, so every press gets the whole time to be answered.
    DefaultBrowserService::makeDefault();
    waitForDefault(this, m_timing);
}

QCoro::Task<> OnboardingView::waitForDefault(QPointer<OnboardingView> self, Timing timing)
{
    const bool confirmed = co_await DefaultBrowserService::waitUntilDefault(
        timing.defaultBrowserAttempts, timing.defaultBrowserInterval);
    // The first wait to see the answer moves on; a wait of an earlier or later press that sees
    // it too does nothing more.
    if (!self || !confirmed || self->m_isDefaultBrowser)
        co_return;
    self->m_isDefaultBrowser = true;
    self->render();
    // The step is read when the timer fires: a user who went on by hand meanwhile still moves one
    // step, but never past the last.
    QTimer::singleShot(timing.advanceDelay, self, [view = self.data()] {
        if (view->m_step < view->steps().size() - 1)
            view->setStep(view->m_step + 1);
    });
}

// The scan step

QList<OnboardingView::DestinationGroup> OnboardingView::groupedByBrowser(const QList<BrowserDestination>& destinations)
{
    QList<DestinationGroup> groups;
    for (const BrowserDestination& destination : destinations) {
        if (!destination.isAvailable)
            continue;
        auto group = std::find_if(groups.begin(), groups.end(),
            [&](const DestinationGroup& g) { return g.first == destination.browserDisplayName; });
        if (group == groups.end())
            groups.append({destination.browserDisplayName, {destination}});
        else
            group->second.append(destination);
    }
    // QString's operator< compares UTF-16 code units, which orders like code points everywhere but
    // between the private-use block and characters beyond the basic plane; browser names hold
    // neither.
    std::stable_sort(groups.begin(), groups.end(),
        [](const DestinationGroup& a, const DestinationGroup& b) { return a.first < b.first; });
    return groups;
}

QWidget* OnboardingView::scanStep()
{
    auto* step = new QWidget;
    step->setObjectName(QStringLiteral("scan"));
    auto* column = stepColumn(step, 14);

    auto* titleRow = new QHBoxLayout;
    //: Onboarding step 2 title: the browser profiles Tavro found. A destination is a browser profile links can open
    //: in.
    // The title takes the row's spare width itself: a wrapping label left at its size hint beside
    // a stretch breaks onto two lines however much room there is.
    titleRow->addWidget(stepTitle(QCoreApplication::translate("Tavro", "Detected destinations")), 1, Qt::AlignVCenter);
    QString scanText;
    if (m_hasScanned) {
        //: Onboarding button that scans browsers for profiles again.
        scanText = QCoreApplication::translate("Tavro", "Rescan");
    } else {
        //: Onboarding button that scans installed browsers for profiles.
        scanText = QCoreApplication::translate("Tavro", "Scan");
    }
    auto* button = styledButton(scanText, false);
    button->setObjectName(QStringLiteral("scanButton"));
    button->setEnabled(!isScanning());
    connect(button, &QPushButton::clicked, this, &OnboardingView::scan);
    if (isScanning()) {
        // The spinner sits inside the button, before its label.
        auto* inside = new QHBoxLayout(button);
        inside->setContentsMargins(TavroButtonStyle::horizontalPadding - 4, 0, 0, 0);
        inside->addWidget(new ActivityIndicator(12, Brand::navy, button), 0, Qt::AlignVCenter);
        inside->addStretch(1);
        // The spaces make room for the spinner; screen readers hear the label alone.
        button->setAccessibleName(button->text());
        button->setText(QStringLiteral("    ") + button->text());
    }
    titleRow->addWidget(button, 0, Qt::AlignVCenter);
    column->addLayout(titleRow);

    const BrowserDataHint hint = m_store.browserDataHint();
    if (hint.kind() != BrowserDataHint::Kind::none) {
        column->addWidget(new BrowserDataHintBanner(
            hint, [this] { scan(); }, LoginItem::hintBannerActions()));
    }

    if (m_store.settings().destinations.isEmpty()) {
        column->addWidget(placeholder());
        column->addStretch(1);
        return step;
    }

    auto* list = new QWidget;
    auto* cards = new QVBoxLayout(list);
    cards->setContentsMargins(0, 0, 0, 0);
    cards->setSpacing(6);
    for (const DestinationGroup& group : groupedByBrowser(m_store.settings().destinations))
        cards->addWidget(destinationGroup(group.first, group.second));
    cards->addStretch(1);
    auto* scroll = new QScrollArea;
    // Scrolling is no stop for the keyboard: Tab goes to what the area holds.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setObjectName(QStringLiteral("destinations"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->viewport()->setAutoFillBackground(false);
    scroll->setWidget(list);
    list->setAutoFillBackground(false);
    column->addWidget(scroll, 1);
    return step;
}

QWidget* OnboardingView::placeholder()
{
    auto* place = new QWidget;
    place->setObjectName(QStringLiteral("placeholder"));
    place->setMinimumHeight(200);
    auto* column = new QVBoxLayout(place);
    column->setSpacing(8);
    column->setAlignment(Qt::AlignCenter);
    if (isScanning()) {
        column->addWidget(new ActivityIndicator(24, Brand::navy, place), 0, Qt::AlignHCenter);
        //: Progress label while Tavro scans installed browsers for profiles.
        column->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "Scanning browsers…"), Brand::navy,
                              Drawing::systemFont(13)),
            0, Qt::AlignHCenter);
    } else {
        //: Onboarding empty state when no browsers were found.
        column->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "No browsers detected yet."),
                              Brand::textSecondary, Drawing::systemFont(13)),
            0, Qt::AlignHCenter);
    }
    return place;
}

QWidget* OnboardingView::destinationGroup(const QString& browser, const QList<BrowserDestination>& destinations)
{
    auto* card = new RoundedCard(Brand::frostDeep);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(4);

    auto* heading = new QHBoxLayout;
    heading->setSpacing(8);
    const QString iconBundle = destinations.isEmpty() ? QString() : destinations.first().browserBundleIdentifier;
    auto* icon = new BrowserIcon(iconBundle, 18, card);
    accessibilityHidden(icon);
    heading->addWidget(icon, 0, Qt::AlignVCenter);
    auto* name = new BrandLabel(browser, Brand::navy, Drawing::systemFont(13, QFont::Bold), card);
    accessibilityHeading(name);
    heading->addWidget(name, 1, Qt::AlignVCenter);
    column->addLayout(heading);

    for (const BrowserDestination& destination : destinations) {
        auto* row = new QWidget(card);
        row->setObjectName(destination.id.toString(QUuid::WithoutBraces));
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(20, 0, 0, 0);
        line->setSpacing(6);
        auto* dot = new RoundedCard(Brand::accent, 1, std::nullopt, row);
        dot->setFixedSize(4, 4);
        line->addWidget(dot, 0, Qt::AlignVCenter);
        auto* profile
            = new BrandLabel(destination.profileDisplayName, Brand::textSecondary, Drawing::systemFont(12), row);
        accessibilityHidden(profile);
        line->addWidget(profile, 0, Qt::AlignVCenter);
        QString spoken = destination.profileDisplayName;
        const std::optional<BrowserDefinition> known
            = BrowserDefinition::definition(destination.browserBundleIdentifier);
        // A browser without profiles has one destination, which is not "current" of anything.
        if (destination.launchStrategy.kind() == LaunchStrategy::Kind::browserCurrentProfile
            && (!known || !known->noProfilesLabel())) {
            //: Small lowercase tag next to a profile in onboarding: it opens whatever profile the browser currently has
            //: active.
            const QString tagText = QCoreApplication::translate("Tavro", "current profile");
            auto* tag = new BrandLabel(tagText, Brand::chainDark, Drawing::systemFont(10), row);
            tag->setObjectName(QStringLiteral("currentProfileTag"));
            accessibilityHidden(tag);
            line->addWidget(tag, 0, Qt::AlignVCenter);
            spoken += QStringLiteral(", ") + tagText;
        }
        line->addStretch(1);
        // One element for screen readers: the profile and its tag.
        row->setAccessibleName(spoken);
        column->addWidget(row);
    }
    return card;
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

// The bypass step

QWidget* OnboardingView::bypassStep()
{
    m_shownBypassChoices = bypassChoices();
    auto* step = new QWidget;
    step->setObjectName(QStringLiteral("bypass"));
    auto* column = stepColumn(step, 18);
    const AppSettings& settings = m_store.settings();

    //: Onboarding final step title: configure the modifier-key gesture that skips the picker.
    column->addWidget(stepTitle(QCoreApplication::translate("Tavro", "Set up your bypass")));
    //: Onboarding bypass step explanation. A modifier is a modifier key such as Option or Command; the picker is
    //: Tavro's radial link chooser.
    column->addWidget(BrandLabel::wrapping(
        QCoreApplication::translate("Tavro",
            "Hold a modifier while opening a link to skip the picker and go straight to a browser. "
            "You can change this later in Settings, including inverting it so every link goes "
            "straight there unless you hold the modifier."),
        Brand::textSecondary, Drawing::systemFont(13)));

    auto block = [&](const QString& title, QComboBox* menu) {
        auto* group = new QVBoxLayout;
        group->setSpacing(6);
        auto* caption = new BrandLabel(title, Brand::navy, Drawing::systemFont(13, QFont::DemiBold));
        accessibilityHidden(caption);
        group->addWidget(caption);
        accessibilityLabelled(menu, title);
        menu->setFixedWidth(kBypassPickerWidth);
        group->addWidget(menu, 0, Qt::AlignLeft);
        column->addLayout(group);
    };

    auto* modifiers = new PopUpButton;
    modifiers->setObjectName(QStringLiteral("bypassModifier"));
    for (BypassModifier modifier : allCases<BypassModifier>()) {
        modifiers->addItem(menuRow(modifier), QVariant::fromValue(int(modifier)));
        if (modifier == settings.bypassModifier)
            modifiers->setCurrentIndex(modifiers->count() - 1);
    }
    // `activated` comes from the user alone: filling the menu never writes.
    connect(modifiers, &QComboBox::activated, this, [this, modifiers](int index) {
        const auto modifier = BypassModifier(modifiers->itemData(index).toInt());
        // Equal bypass and private keys would be told apart at the next launch by changing the
        // private one; it changes now instead, in the same write, so what is shown is what is kept.
        m_store.edit([modifier](AppSettings& s) { s.setBypassModifierKeepingKeysApart(modifier); });
    });
    //: Onboarding label above the menu for choosing the bypass modifier key.
    block(QCoreApplication::translate("Tavro", "Bypass with"), modifiers);

    auto* destinations = new PopUpButton;
    destinations->setObjectName(QStringLiteral("bypassDestination"));
    //: Option in the What to open bypass setting: open bypassed links in the most recently used browser profile.
    destinations->addItem(QCoreApplication::translate("Tavro", "Last Used"), QString());
    for (const BrowserDestination& destination : settings.destinations) {
        if (destination.isAvailable)
            destinations->addItem(destination.menuLabel(), destination.matchKey());
    }
    // A stored key that names no row selects none and stays stored until the user picks one.
    destinations->setCurrentIndex(destinations->findData(settings.bypassDestinationKey.value_or(QString())));
    connect(destinations, &QComboBox::activated, this, [this, destinations](int index) {
        const QString key = destinations->itemData(index).toString();
        m_store.edit([&key](AppSettings& s) { s.setBypassDestinationKey(key); });
    });
    //: Bypass setting label: which browser profile a bypassed link opens in.
    block(QCoreApplication::translate("Tavro", "What to open"), destinations);

    auto* updatesRow = new QHBoxLayout;
    updatesRow->setContentsMargins(0, 4, 0, 0);
    updatesRow->setSpacing(10);
    //: Settings switch label: check for app updates automatically in the background.
    const QString notifyText = QCoreApplication::translate("Tavro", "Notify me when there is an update");
    auto* checkbox = new QCheckBox;
    checkbox->setObjectName(QStringLiteral("automaticChecks"));
    checkbox->setAccessibleName(notifyText);
    checkbox->setChecked(m_updates.updaterController().automaticallyChecksForUpdates());
    connect(checkbox, &QCheckBox::toggled, this,
        [this](bool on) { m_updates.updaterController().setAutomaticallyChecksForUpdates(on); });
    updatesRow->addWidget(checkbox, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* notify = BrandLabel::wrapping(notifyText, Brand::navy, Drawing::systemFont(13, QFont::DemiBold));
    accessibilityHidden(notify);
    texts->addWidget(notify);
    //: Caption under the onboarding Notify me when there is an update checkbox.
    texts->addWidget(
        BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                 "Check for new versions in the background and show an Update button when one’s ready. "
                                 "You can change this anytime in Preferences."),
            Brand::textSecondary, Drawing::systemFont(11.5)));
    updatesRow->addLayout(texts, 1);
    column->addLayout(updatesRow);
    column->addStretch(1);
    return step;
}

QStringList OnboardingView::bypassChoices() const
{
    const AppSettings& settings = m_store.settings();
    QStringList choices{
        QString::number(int(settings.bypassModifier)), settings.bypassDestinationKey.value_or(QString())};
    for (const BrowserDestination& destination : settings.destinations) {
        if (destination.isAvailable)
            choices << destination.menuLabel() << destination.matchKey();
    }
    return choices;
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
