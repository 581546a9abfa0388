#include "Tavro/Settings/HelpSettingsView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/ButtonStyleBase.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Controls/TavroOutlineButtonStyle.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Platform/UrlOpener.h"
#include "Tavro/Settings/AboutLinks.h"
#include "Tavro/Settings/LinkButton.h"
#include "Tavro/Settings/SettingsCard.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavro {

namespace {

// A step's number on a filled circle; its text says the same, so screen readers skip it.
class StepBadge : public QWidget
{
public:
    explicit StepBadge(int number) : m_number(QString::number(number))
    {
        setFixedSize(18, 18);
        accessibilityHidden(this);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(resolve(Brand::fill, this));
        painter.drawEllipse(QRectF(rect()));
        painter.setPen(resolve(Brand::onFill, this));
        painter.setFont(Drawing::systemFont(11, QFont::Bold));
        painter.drawText(rect(), Qt::AlignCenter, m_number);
    }

private:
    QString m_number;
};

// A question's title, in the pane's navy for the window's appearance: when it shows, and again
// when the appearance changes while it is on screen.
class QuestionToggle : public QToolButton
{
public:
    explicit QuestionToggle(QWidget* parent) : QToolButton(parent) { setStyle(FocusRing::ControlStyle::shared()); }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == appearanceChanged()
            || event->type() == QEvent::ApplicationPaletteChange) {
            QPalette palette = this->palette();
            palette.setColor(QPalette::ButtonText, resolve(Brand::navy, this));
            setPalette(palette);
        }
        return QToolButton::event(event);
    }
};

// A question that opens and closes by itself: the title with a disclosure arrow, then the answer.
QWidget* disclosure(const QString& title, QWidget* content)
{
    auto* group = new QWidget;
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* toggle = new QuestionToggle(group);
    toggle->setObjectName(QStringLiteral("question"));
    toggle->setText(title);
    accessibilityExpandable(toggle);
    toggle->setArrowType(Qt::RightArrow);
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setAutoRaise(true);
    toggle->setFont(Drawing::systemFont(12.5, QFont::Medium));
    column->addWidget(toggle, 0, Qt::AlignLeft);
    content->setVisible(false);
    column->addWidget(content);
    QObject::connect(toggle, &QToolButton::clicked, content, [toggle, content] {
        const bool open = !isAccessibilityExpanded(toggle);
        toggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        content->setVisible(open);
        setAccessibilityExpanded(toggle, open);
    });
    return group;
}

} // namespace

HelpSettingsView::HelpSettingsView(SettingsStore& store, NotificationCenter& center, QWidget* parent)
    : QWidget(parent), m_store(store), m_center(center)
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(16);

    page->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::help)));
    //: Intro line of the Help settings pane. %1 is the host name of Tavro's website; keep it as it is.
    page->addWidget(
        BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                 "Quick answers for setting up and using Tavro. The full guide on %1 covers "
                                 "everything else.")
                                 .arg(AboutLinks::host()),
            Brand::textSecondary, Drawing::systemFont(12)));

    auto* actions = new QHBoxLayout;
    actions->setSpacing(10);
    //: Button in the Help settings pane that opens the full guide on Tavro's website.
    auto* guide = new QPushButton(QCoreApplication::translate("Tavro", "Open the Full Guide"));
    guide->setObjectName(QStringLiteral("openGuide"));
    guide->setProperty(ButtonStyleBase::kSymbolProperty, QStringLiteral("book"));
    accessibilityLink(guide);
    TavroButtonStyle::apply(guide, true);
    connect(guide, &QPushButton::clicked, this, [] { open(QStringLiteral("/help")); });
    actions->addWidget(guide);
    //: Button in the Help settings pane that shows the welcome (onboarding) window again.
    auto* setup = new QPushButton(QCoreApplication::translate("Tavro", "Run Setup Again"));
    setup->setObjectName(QStringLiteral("runSetupAgain"));
    setup->setProperty(ButtonStyleBase::kSymbolProperty, QStringLiteral("arrow.counterclockwise"));
    //: Tooltip on the Run Setup Again button in the Help settings pane.
    setup->setToolTip(
        QCoreApplication::translate("Tavro", "Opens the welcome window again. Your settings stay as they are."));
    TavroOutlineButtonStyle::apply(setup);
    connect(setup, &QPushButton::clicked, this, [this] { m_center.post(Notifications::showOnboarding); });
    actions->addWidget(setup);
    actions->addStretch(1);
    page->addLayout(actions);

    page->addWidget(setupCard());
    page->addWidget(pickerCard());
    page->addWidget(questionsCard());
    page->addWidget(stillStuckCard());

    connect(&m_store, &SettingsStore::settingsChanged, this, [this] { fillPickerRows(); });
}

void HelpSettingsView::open(const QString& path)
{
    if (const auto url = AboutLinks::url(path, QStringLiteral("help")))
        UrlOpener::open(*url);
}

QWidget* HelpSettingsView::setupStep(
    int number, const QString& text, const QString& button, SettingsView::Section section)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(new StepBadge(number), 0, Qt::AlignTop);
    layout->addWidget(BrandLabel::wrapping(text, Brand::navy, Drawing::systemFont(12)), 1);
    layout->addSpacing(8);
    auto* go = new LinkButton(button, 11);
    go->setObjectName(QStringLiteral("step%1").arg(number));
    connect(go, &LinkButton::clicked, this, [this, section] { Q_EMIT sectionRequested(section); });
    layout->addWidget(go, 0, Qt::AlignTop);
    return row;
}

QWidget* HelpSettingsView::setupCard()
{
    //: Card title in the Help settings pane listing the setup steps.
    auto* card = new SettingsCard(QCoreApplication::translate("Tavro", "Get set up"));
    //: Help settings pane, setup step 1.
    card->column()->addWidget(setupStep(1,
        QCoreApplication::translate(
            "Tavro", "Make Tavro your default web browser. macOS only hands links to the default browser."),
        //: Help settings pane: button that switches to the System pane.
        QCoreApplication::translate("Tavro", "Open System"), SettingsView::Section::system));
    //: Help settings pane, setup step 2.
    const QString step2 = QCoreApplication::translate("Tavro",
        "Using Safari profiles? Grant Accessibility so Tavro can open links in them. Other browsers don’t need it.");
    //: Help settings pane: button that switches to the Permissions pane.
    const QString openPermissions = QCoreApplication::translate("Tavro", "Open Permissions");
    card->column()->addWidget(setupStep(2, step2, openPermissions, SettingsView::Section::permissions));
    //: Help settings pane, setup step 3. Chrome, Edge, Brave and Firefox are browser names.
    card->column()->addWidget(setupStep(3,
        QCoreApplication::translate("Tavro",
            "On macOS 27 or later, allow browser data access so Tavro can read your Chrome, Edge, Brave, and "
            "Firefox profiles."),
        openPermissions, SettingsView::Section::permissions));
    //: Help settings pane, setup step 4.
    card->column()->addWidget(setupStep(4,
        QCoreApplication::translate(
            "Tavro", "Arrange your profiles: drag to reorder, uncheck to hide, and give each one an emoji or a color."),
        //: Help settings pane: button that switches to the Browsers pane.
        QCoreApplication::translate("Tavro", "Open Browsers"), SettingsView::Section::destinations));
    return card;
}

QWidget* HelpSettingsView::pickerCard()
{
    //: Card title in the Help settings pane explaining the picker's clicks and keys.
    auto* card = new SettingsCard(QCoreApplication::translate("Tavro", "Using the picker"));
    //: Help settings pane: how the picker works.
    card->column()->addWidget(
        BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                 "When you click a link, Tavro opens a ring of petals under your pointer, "
                                 "one per profile. Click a petal to open the link there."),
            Brand::textSecondary, Drawing::systemFont(12)));
    auto* rows = new QWidget;
    rows->setObjectName(QStringLiteral("shortcutRows"));
    m_pickerRows = new QVBoxLayout(rows);
    m_pickerRows->setContentsMargins(0, 0, 0, 0);
    m_pickerRows->setSpacing(6);
    card->column()->addWidget(rows);
    fillPickerRows();
    //: Help settings pane: link that switches to the Shortcuts pane.
    auto* change = new LinkButton(QCoreApplication::translate("Tavro", "Change these in Shortcuts"), 11);
    change->setObjectName(QStringLiteral("changeShortcuts"));
    connect(change, &LinkButton::clicked, this, [this] { Q_EMIT sectionRequested(SettingsView::Section::shortcuts); });
    card->column()->addWidget(change);
    return card;
}

namespace {

// What the four click gestures can do, as Help words them; `label` is the bypass profile, if one
// is chosen.
struct ClickActions
{
    QString shows;
    QString showsPrivate;
    QString skips;
    QString skipsPrivate;
};

ClickActions clickActions(const std::optional<QString>& label)
{
    ClickActions actions;
    //: Help settings pane: what a plain click on a link does.
    actions.shows = QCoreApplication::translate("Tavro", "Shows the picker");
    //: Help settings pane: what the private-window click does.
    actions.showsPrivate = QCoreApplication::translate("Tavro", "Shows the picker in private mode");
    if (label) {
        //: Help settings pane: what the bypass click does. %1 is a profile, such as Chrome (Work).
        actions.skips = QCoreApplication::translate("Tavro", "Skips the picker and opens %1").arg(*label);
        //: Help settings pane: what the private bypass click does. %1 is a profile, such as Chrome (Work).
        actions.skipsPrivate = QCoreApplication::translate("Tavro", "Opens %1 in a private window").arg(*label);
    } else {
        //: Help settings pane: what the bypass click does when no profile is chosen for it.
        actions.skips = QCoreApplication::translate("Tavro", "Skips the picker and opens your last-used profile");
        //: Help settings pane: what the private bypass click does when no profile is chosen for it.
        actions.skipsPrivate = QCoreApplication::translate("Tavro", "Opens your last-used profile in a private window");
    }
    return actions;
}

// One line of the picker's shortcuts: the keys, then what they do; one element for screen readers.
QWidget* shortcutRow(const QString& keys, const QString& action)
{
    auto* line = new QWidget;
    line->setObjectName(QStringLiteral("shortcutRow"));
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto* keysLabel = new BrandLabel(keys, Brand::navy, Drawing::systemFont(12, QFont::DemiBold));
    keysLabel->setObjectName(QStringLiteral("keys"));
    keysLabel->setFixedWidth(150);
    auto* actionLabel = BrandLabel::wrapping(action, Brand::textSecondary, Drawing::systemFont(12));
    actionLabel->setObjectName(QStringLiteral("action"));
    layout->addWidget(keysLabel, 0, Qt::AlignTop);
    layout->addWidget(actionLabel, 1);
    accessibilityHidden(keysLabel);
    accessibilityHidden(actionLabel);
    line->setAccessibleName(keys + QStringLiteral(", ") + action);
    return line;
}

} // namespace

void HelpSettingsView::fillPickerRows()
{
    while (QLayoutItem* item = m_pickerRows->takeAt(0)) {
        delete item->widget();
        delete item;
    }

    const AppSettings& settings = m_store.settings();
    const BypassModifier bypass = settings.bypassModifier;
    const BypassModifier privateKey = settings.privateModifier;

    const ClickActions actions = clickActions(m_store.bypassDestinationLabel());
    const QString& shows = actions.shows;
    const QString& showsPrivate = actions.showsPrivate;
    const QString& skips = actions.skips;
    const QString& skipsPrivate = actions.skipsPrivate;
    const bool clickBypasses = settings.bypasses(false);
    const bool modifierClickBypasses = settings.bypasses(true);

    const auto row
        = [this](const QString& keys, const QString& action) { m_pickerRows->addWidget(shortcutRow(keys, action)); };

    //: Help settings pane: a plain click on a link.
    row(QCoreApplication::translate("Tavro", "Click"), clickBypasses ? skips : shows);
    //: Heading for the bypass gesture: %1 is the modifier key's symbol, %2 its name, as in ⌥ Option + Click.
    row(QCoreApplication::translate("Tavro", "%1 %2 + Click").arg(symbol(bypass), displayName(bypass)),
        modifierClickBypasses ? skips : shows);
    if (privateKey != bypass) {
        //: Help settings pane: the private-window key's symbol and a click, as in ⇧ + Click.
        row(QCoreApplication::translate("Tavro", "%1 + Click").arg(symbol(privateKey)),
            clickBypasses ? skipsPrivate : showsPrivate);
        //: Help settings pane: the private-window key's symbol, then the bypass key's, and a click, as in ⇧⌥ + Click.
        row(QCoreApplication::translate("Tavro", "%1%2 + Click").arg(symbol(privateKey), symbol(bypass)),
            modifierClickBypasses ? skipsPrivate : showsPrivate);
    }
    //: Help settings pane: holding the private-window key (its symbol) while the picker shows.
    row(QCoreApplication::translate("Tavro", "Hold %1 in the picker").arg(symbol(privateKey)),
        //: Help settings pane: what holding the private-window key in the picker does.
        QCoreApplication::translate(
            "Tavro", "Switches to private mode: the profile you choose opens in a private window"));
    //: Help settings pane: the picker keys 1 to 9 and A to Z.
    row(QCoreApplication::translate("Tavro", "1 to 9, A to Z"),
        //: Help settings pane: what a picker key does.
        QCoreApplication::translate("Tavro", "Opens the link in the profile with that key"));
    row(HotkeyAssignment::mostRecentKey,
        //: Help settings pane: what the 0 key does in the picker.
        QCoreApplication::translate("Tavro", "Opens the link in your most recent profile"));
    row(QStringLiteral("← → ↑ ↓  ↩"),
        //: Help settings pane: what the arrow keys and Return do in the picker.
        QCoreApplication::translate("Tavro", "Moves between petals, then Return chooses"));
    row(QStringLiteral("esc"),
        //: Help settings pane: what the Escape key does in the picker.
        QCoreApplication::translate("Tavro", "Closes the picker without opening the link"));
    if (settings.globalHotkeysEnabled) {
        //: Help settings pane: the global hot keys, %1 being the modifier symbols, as in ⌃⌥⌘ + key.
        row(QCoreApplication::translate("Tavro", "%1 + key").arg(glyphs(settings.globalHotkeyPrefix)),
            //: Help settings pane: what a global hot key does.
            QCoreApplication::translate("Tavro", "Opens a new tab in that profile from any app"));
    }
    //: Help settings pane: holding the private-window key (its symbol) while the menu bar menu is open.
    row(QCoreApplication::translate("Tavro", "Hold %1 in the menu").arg(symbol(privateKey)),
        //: Help settings pane: what holding the private-window key in the menu does. Open New Tab in… and Open
        //: Private Window in… are menu items; use their translations.
        QCoreApplication::translate("Tavro", "Open New Tab in… becomes Open Private Window in…"));
}

QList<HelpSettingsView::Question> HelpSettingsView::questions()
{
    return {
        {QStringLiteral("links-skip-tavro"),
            //: Help settings pane, common question 1.
            QCoreApplication::translate("Tavro", "Links open in a browser without the picker."),
            //: Help settings pane, answer 1. Default web browser, System and Invert are names of settings.
            QCoreApplication::translate("Tavro",
                "Tavro is probably no longer your default web browser; some browsers ask to take that back when "
                "they update. Check the Default web browser card under System. If you were holding your bypass "
                "modifier, or Invert is on, skipping the picker is expected.")},
        {QStringLiteral("safari-wrong-profile"),
            //: Help settings pane, common question 2.
            QCoreApplication::translate("Tavro", "A Safari link opened in the wrong profile."),
            //: Help settings pane, answer 2.
            QCoreApplication::translate("Tavro",
                "Make sure Safari is already running and Tavro has Accessibility permission. Tavro opens each "
                "profile through Safari’s own File menu, so both have to be true.")},
        {QStringLiteral("missing-profile"),
            //: Help settings pane, common question 3.
            QCoreApplication::translate("Tavro", "A profile is missing from the picker."),
            //: Help settings pane, answer 3. Browser data access, Permissions, Refresh Browser Profiles and
            //: Browsers are names of settings and menu items.
            QCoreApplication::translate("Tavro",
                "For Safari, switch to Safari once so Tavro can look again. For other browsers on macOS 27, check "
                "Browser data access under Permissions. Then choose Refresh Browser Profiles from the menu bar "
                "icon, and check that the profile isn’t unchecked under Browsers.")},
        {QStringLiteral("skip-picker"),
            //: Help settings pane, common question 4.
            QCoreApplication::translate("Tavro", "How do I send every link to one profile?"),
            //: Help settings pane, answer 4. Shortcuts, What to open and Invert are names of settings.
            QCoreApplication::translate("Tavro",
                "Under Shortcuts, choose that profile in What to open and turn on Invert. Every click then goes "
                "straight there, and holding your modifier brings up the picker.")},
        {QStringLiteral("private-unsupported"),
            //: Help settings pane, common question 5.
            QCoreApplication::translate("Tavro", "Why are some browsers dimmed in private mode?"),
            //: Help settings pane, answer 5. Arc, Dia and ChatGPT Atlas are browser names.
            QCoreApplication::translate("Tavro",
                "Arc and Dia can open an incognito window, but they don’t let another app load a link into it, and "
                "handing them the link the usual way opens it in an ordinary window. ChatGPT Atlas isn’t supported "
                "for private windows. Tavro never opens a private link in an ordinary window, so these browsers "
                "are dimmed while you hold the private-window key.")},
        {QStringLiteral("menu-bar-icon"),
            //: Help settings pane, common question 6.
            QCoreApplication::translate("Tavro", "I hid the menu bar icon. How do I get back here?"),
            //: Help settings pane, answer 6.
            QCoreApplication::translate(
                "Tavro", "Open Tavro again from your Applications folder and this window comes back.")},
        {QStringLiteral("uninstall"),
            //: Help settings pane, common question 7.
            QCoreApplication::translate("Tavro", "How do I uninstall Tavro?"),
            //: Help settings pane, answer 7. Quit Tavro is a menu item; Desktop & Dock is a System Settings pane.
            QCoreApplication::translate("Tavro",
                "First choose another default web browser in System Settings, under Desktop & Dock. Then choose "
                "Quit Tavro from the menu bar icon and drag Tavro from Applications to the Trash.")},
    };
}

QWidget* HelpSettingsView::questionsCard()
{
    //: Card title in the Help settings pane listing common questions.
    auto* card = new SettingsCard(QCoreApplication::translate("Tavro", "Common questions"));
    auto* list = new QVBoxLayout;
    list->setSpacing(4);
    for (const Question& question : questions()) {
        auto* content = new QWidget;
        auto* column = new QVBoxLayout(content);
        column->setContentsMargins(4, 4, 0, 4);
        column->setSpacing(6);
        column->addWidget(BrandLabel::wrapping(question.answer, Brand::textSecondary, Drawing::systemFont(12)));
        //: Help settings pane: link under an answer to the same topic on Tavro's website.
        auto* more = new LinkButton(QCoreApplication::translate("Tavro", "Learn more"), 11);
        more->setObjectName(QStringLiteral("learnMore"));
        connect(more, &LinkButton::clicked, this, [id = question.id] { open(QStringLiteral("/help#") + id); });
        column->addWidget(more);
        auto* group = disclosure(question.question, content);
        group->setObjectName(question.id);
        list->addWidget(group);
    }
    card->column()->addLayout(list);
    return card;
}

QWidget* HelpSettingsView::stillStuckCard()
{
    //: Card title in the Help settings pane pointing to support.
    auto* card = new SettingsCard(QCoreApplication::translate("Tavro", "Still need help?"));
    //: Help settings pane: tip for asking for support. Copy Version Info in About gives the version info.
    card->column()->addWidget(
        BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                 "Include the version info from About when you ask. It tells me which "
                                 "Tavro and macOS you’re on."),
            Brand::textSecondary, Drawing::systemFont(12)));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    auto* support = new QPushButton(AboutLinks::title(QStringLiteral("/support")));
    support->setObjectName(QStringLiteral("support"));
    accessibilityLink(support);
    TavroOutlineButtonStyle::apply(support);
    connect(support, &QPushButton::clicked, this, [] { open(QStringLiteral("/support")); });
    buttons->addWidget(support);
    //: Help settings pane: button that switches to the About pane.
    auto* about = new QPushButton(QCoreApplication::translate("Tavro", "Open About"));
    about->setObjectName(QStringLiteral("openAbout"));
    TavroOutlineButtonStyle::apply(about);
    connect(about, &QPushButton::clicked, this, [this] { Q_EMIT sectionRequested(SettingsView::Section::about); });
    buttons->addWidget(about);
    buttons->addStretch(1);
    card->column()->addLayout(buttons);
    return card;
}

} // namespace tavro
