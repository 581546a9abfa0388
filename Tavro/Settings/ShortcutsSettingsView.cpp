#include "Tavro/Settings/ShortcutsSettingsView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/ControlTint.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/PopUpButton.h"
#include "Tavro/Controls/SettingBinding.h"
#include "Tavro/Controls/SwitchToggle.h"
#include "Tavro/Controls/SymbolIcon.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/PrivateTheme.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/GlobalHotkeysGroup.h"
#include "Tavro/Settings/SettingsCard.h"
#include "Tavro/Settings/SettingsView.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tavro {

namespace {

constexpr int kModifierPickerWidth = 180;
constexpr int kDestinationPickerWidth = 260;
constexpr int kGestureCardPadding = 18;

// A one-point rule in `Brand.divider`.
class DividerLine : public QWidget
{
public:
    DividerLine() { setFixedHeight(1); }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), resolve(Brand::divider, this)); }
};

QVBoxLayout* block(QWidget* owner)
{
    auto* column = new QVBoxLayout(owner);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    return column;
}

QComboBox* picker(int width)
{
    auto* box = new PopUpButton;
    box->setFixedWidth(width);
    return box;
}

QString pickerAction()
{
    //: Bypass summary card: this gesture opens Tavro's radial link chooser.
    return QCoreApplication::translate("Tavro", "Opens the picker");
}

QString bypassAction(const SettingsStore& store)
{
    if (const std::optional<QString> label = store.bypassDestinationLabel()) {
        //: Bypass summary card: this gesture opens links in the given profile. %1 is a browser and profile, e.g.
        //: Chrome (Work).
        return QCoreApplication::translate("Tavro", "Opens %1")
            .arg(Drawing::elidedName(*label, Drawing::systemFont(13)));
    }
    //: Bypass summary card: this gesture opens links in the most recently used browser profile.
    return QCoreApplication::translate("Tavro", "Opens last-used destination");
}

// Every modifier key but `excluded`, the other setting's key: both settings on one key leave it
// out of both menus, and nothing shows as chosen.
QList<SettingBinding::Row> modifierRows(BypassModifier excluded)
{
    QList<SettingBinding::Row> rows;
    for (BypassModifier modifier : allCases<BypassModifier>()) {
        if (modifier != excluded)
            rows.append({menuRow(modifier), int(modifier)});
    }
    return rows;
}

// What to open: "Last Used", then the choices.
QList<SettingBinding::Row> destinationRows(const AppSettings& settings)
{
    QList<SettingBinding::Row> rows;
    for (const BypassDestinationRow& row : settings.bypassDestinationRows(BypassDestinationMenu::preferences))
        rows.append({Drawing::elidedName(row.label, QApplication::font("QComboBox")), row.key});
    return rows;
}

} // namespace

std::optional<QString> ShortcutsSettingsView::unavailableBypassDestinationLabel(const SettingsStore& store)
{
    if (!store.settings().bypassDestinationKey)
        return std::nullopt;
    const std::optional<BrowserDestination> destination = store.bypassDestination();
    if (destination && destination->isAvailable)
        return std::nullopt;
    return store.bypassDestinationLabel();
}

ShortcutsSettingsView::GestureCard ShortcutsSettingsView::gestureCard()
{
    auto* card = new SettingsCard(8);
    card->column()->setContentsMargins(
        kGestureCardPadding, kGestureCardPadding, kGestureCardPadding, kGestureCardPadding);
    GestureCard parts{card, new BrandLabel(QString(), Brand::navy, Drawing::systemFont(19, QFont::Bold)),
        new BrandLabel(QString(), Brand::textSecondary, Drawing::systemFont(14, QFont::Medium))};
    parts.action->setWordWrap(true);
    // One element for screen readers, named by both texts.
    accessibilityHidden(parts.gesture);
    accessibilityHidden(parts.action);
    card->column()->addWidget(parts.gesture);
    card->column()->addWidget(parts.action);
    card->column()->addStretch(1);
    return parts;
}

ShortcutsSettingsView::ShortcutsSettingsView(SettingsView& view, QWidget* parent)
    : QWidget(parent), m_store(view.store())
{
    auto* pane = new QVBoxLayout(this);
    pane->setContentsMargins(0, 0, 0, 0);
    pane->setSpacing(20);
    followAppearance(this, [this] { tintControls(this); });
    pane->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::shortcuts)));
    pane->addWidget(buildBypass());
    pane->addWidget(new DividerLine);
    pane->addWidget(buildPrivateWindows());
    pane->addWidget(new DividerLine);
    pane->addWidget(new GlobalHotkeysGroup(m_store));

    connect(&m_store, &SettingsStore::settingsChanged, this, &ShortcutsSettingsView::describe);
    describe();
}

QWidget* ShortcutsSettingsView::buildBypass()
{
    auto* bypass = new QWidget;
    QVBoxLayout* bypassColumn = block(bypass);
    //: Heading in the Shortcuts settings pane for the bypass gesture: holding a modifier key to skip the picker.
    bypassColumn->addWidget(SettingsView::subsectionTitle(QCoreApplication::translate("Tavro", "Bypass")));
    //: Help text at the top of the Bypass settings pane. Invert and What to open must match those setting labels.
    //: The picker is Tavro's radial link chooser.
    bypassColumn->addWidget(BrandLabel::wrapping(
        QCoreApplication::translate("Tavro",
            "The bypass is two independent settings. The gesture decides when Tavro skips the picker: by default a "
            "click opens the picker and holding the modifier skips it, and Invert swaps which gesture does which. "
            "“What to open” decides where a skipped link goes. Pick a specific browser and profile, and invert, to "
            "send every link there unless you hold the modifier."),
        Brand::textSecondary, Drawing::systemFont(12)));

    QComboBox* modifier = SettingBinding::bind(picker(kModifierPickerWidth),
        SettingBinding::setting(m_store, &AppSettings::bypassModifier),
        [this] { return modifierRows(m_store.settings().privateModifier); });
    modifier->setObjectName(QStringLiteral("bypassModifier"));
    //: Bypass setting label: which modifier key (Option, Command, Shift, Control) to hold while clicking a link.
    bypassColumn->addWidget(SettingsView::settingRow(QCoreApplication::translate("Tavro", "Modifier key"), modifier));

    auto* invert = SettingBinding::bind(new SwitchToggle, SettingBinding::setting(m_store, &AppSettings::invertBypass));
    invert->setObjectName(QStringLiteral("invertBypass"));
    //: Bypass setting switch label: swap what a plain click and a modifier-click do.
    bypassColumn->addWidget(SettingsView::settingRow(QCoreApplication::translate("Tavro", "Invert"), invert));

    QComboBox* destination = SettingBinding::bind(picker(kDestinationPickerWidth),
        SettingBinding::setting(
            m_store, [](const AppSettings& s) { return s.bypassDestinationKey.value_or(QString()); },
            [this](const QString& key) { m_store.edit([&key](AppSettings& s) { s.setBypassDestinationKey(key); }); }),
        [this] { return destinationRows(m_store.settings()); });
    destination->setObjectName(QStringLiteral("bypassDestination"));
    //: Bypass setting label: which browser profile a bypassed link opens in.
    bypassColumn->addWidget(
        SettingsView::settingRow(QCoreApplication::translate("Tavro", "What to open"), destination));
    m_warning = SettingsCard::caption(QString());
    m_warning->setObjectName(QStringLiteral("unavailableWarning"));
    bypassColumn->addWidget(m_warning);

    bypassColumn->addWidget(buildGestureCards());
    return bypass;
}

QWidget* ShortcutsSettingsView::buildGestureCards()
{
    auto* callout = new QWidget;
    auto* cards = new QHBoxLayout(callout);
    cards->setContentsMargins(0, 4, 0, 0);
    cards->setSpacing(12);
    m_clickCard = gestureCard();
    m_clickCard.card->setObjectName(QStringLiteral("clickCard"));
    m_modifierClickCard = gestureCard();
    m_modifierClickCard.card->setObjectName(QStringLiteral("modifierClickCard"));
    cards->addWidget(m_clickCard.card, 1);
    cards->addWidget(m_modifierClickCard.card, 1);
    return callout;
}

QWidget* ShortcutsSettingsView::buildPrivateWindows()
{
    auto* privateWindows = new QWidget;
    QVBoxLayout* privateColumn = block(privateWindows);
    //: Heading in the Shortcuts settings pane for the key that opens links in a private browser window.
    privateColumn->addWidget(SettingsView::subsectionTitle(QCoreApplication::translate("Tavro", "Private Windows")));
    m_privateHelp = BrandLabel::wrapping(QString(), Brand::textSecondary, Drawing::systemFont(12));
    m_privateHelp->setObjectName(QStringLiteral("privateHelp"));
    auto* privateLabel = new QHBoxLayout;
    privateLabel->setSpacing(6);
    privateLabel->addWidget(
        new SymbolIcon(QStringLiteral("eye.slash.fill"), PrivateTheme::accent, QSize(15, 15)), 0, Qt::AlignTop);
    privateLabel->addWidget(m_privateHelp, 1);
    privateColumn->addLayout(privateLabel);

    QComboBox* privateModifier = SettingBinding::bind(picker(kModifierPickerWidth),
        SettingBinding::setting(m_store, &AppSettings::privateModifier),
        [this] { return modifierRows(m_store.settings().bypassModifier); });
    privateModifier->setObjectName(QStringLiteral("privateModifier"));
    //: Private Windows setting label: which modifier key (Shift, Option, Command, Control) to hold for a private
    //: browser window.
    privateColumn->addWidget(
        SettingsView::settingRow(QCoreApplication::translate("Tavro", "Private window key"), privateModifier));
    return privateWindows;
}

void ShortcutsSettingsView::describe()
{
    const AppSettings& settings = m_store.settings();
    const std::optional<QString> unavailable = unavailableBypassDestinationLabel(m_store);
    m_warning->setVisible(unavailable.has_value());
    if (unavailable) {
        //: Warning in the Bypass settings pane when the chosen bypass profile is missing. %1 is a browser and profile,
        //: e.g. Chrome (Work).
        m_warning->setText(QCoreApplication::translate("Tavro",
            "%1 isn’t available right now, so Tavro shows the picker instead of sending links somewhere you didn’t "
            "choose. Your selection is kept until you change it.")
                               .arg(Drawing::elidedName(*unavailable, m_warning->font())));
    }

    const QString picker = pickerAction();
    const QString bypass = bypassAction(m_store);
    //: Bypass summary card heading for a plain click on a link. Large text; keep short.
    m_clickCard.gesture->setText(QCoreApplication::translate("Tavro", "On Click"));
    m_clickCard.action->setText(settings.bypasses(false) ? bypass : picker);
    //: Bypass summary card heading for clicking a link while holding a modifier key. %1 is the key glyph (e.g. ⌥),
    //: %2 is the key name (e.g. Option). Large text; keep short.
    m_modifierClickCard.gesture->setText(
        QCoreApplication::translate("Tavro", "%1 %2 + Click")
            .arg(symbol(settings.bypassModifier), displayName(settings.bypassModifier)));
    m_modifierClickCard.action->setText(settings.bypasses(true) ? bypass : picker);
    for (const GestureCard& card : {m_clickCard, m_modifierClickCard})
        card.card->setAccessibleName(card.gesture->text() + QStringLiteral(", ") + card.action->text());

    //: Help text at the top of the Private Windows settings section. %1 is the key glyph (e.g. ⇧), %2 is the key
    //: name (e.g. Shift). The picker is Tavro's radial link chooser.
    m_privateHelp->setText(QCoreApplication::translate("Tavro",
        "Hold %1 %2 with either click gesture for a private window: the picker turns violet and opens the profile "
        "you choose in a private window, and the bypass opens its destination in one. It works in the menu bar "
        "menu too. Private opens aren’t remembered as last used.")
                               .arg(symbol(settings.privateModifier), displayName(settings.privateModifier)));
}

} // namespace tavro
