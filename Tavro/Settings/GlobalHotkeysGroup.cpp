#include "Tavro/Settings/GlobalHotkeysGroup.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/PopUpButton.h"
#include "Tavro/Controls/SettingBinding.h"
#include "Tavro/Controls/SwitchToggle.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/GlobalHotkeyService.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace tavro {

namespace {

constexpr int kPrefixPickerWidth = 200;
constexpr int kComboWidth = 110;

// One combination in force: the combo, then what it opens, on a rounded `Brand.frostDeep` plate.
class HotkeyRow : public QWidget
{
public:
    HotkeyRow(const QString& combo, const QString& label) : m_combo(combo), m_label(label)
    {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(12, 8, 12, 8);
        layout->setSpacing(12);
        QFont comboFont = Drawing::systemFont(13, QFont::DemiBold);
        auto* comboText = new BrandLabel(combo, Brand::navy, comboFont, this);
        comboText->setFixedWidth(kComboWidth);
        auto* labelText = new BrandLabel(label, Brand::textSecondary, Drawing::systemFont(13), this);
        accessibilityHidden(comboText);
        accessibilityHidden(labelText);
        layout->addWidget(comboText);
        layout->addWidget(labelText);
        layout->addStretch(1);
        setAccessibleName(combo + QStringLiteral(", ") + label);
    }

    QString text() const { return m_combo + QLatin1Char('\t') + m_label; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(Drawing::roundedRect(QRectF(rect()), 9), resolve(Brand::frostDeep, this));
    }

private:
    QString m_combo;
    QString m_label;
};

QString optionText(HotkeyPrefix prefix)
{
    if (prefix == HotkeyPrefix::hyper) {
        //: Global hotkey prefix option: all four modifier keys held together. Leave the key glyphs unchanged.
        return QCoreApplication::translate("Tavro", "Hyper (⌃⌥⇧⌘)");
    }
    return glyphs(prefix);
}

} // namespace

GlobalHotkeysGroup::GlobalHotkeysGroup(SettingsStore& store, QWidget* parent) : QWidget(parent), m_store(store)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    //: Heading in the Shortcuts settings pane for the system-wide hotkeys that open a profile directly.
    column->addWidget(SettingsView::subsectionTitle(QCoreApplication::translate("Tavro", "Global Hotkeys")));
    m_help = BrandLabel::wrapping(QString(), Brand::textSecondary, Drawing::systemFont(12));
    column->addWidget(m_help);

    auto* enabled
        = SettingBinding::bind(new SwitchToggle, SettingBinding::setting(m_store, &AppSettings::globalHotkeysEnabled));
    //: Settings switch label: turn the system-wide hotkeys on or off.
    column->addWidget(SettingsView::settingRow(QCoreApplication::translate("Tavro", "Enable global hotkeys"), enabled));

    enabled->setObjectName(QStringLiteral("globalHotkeysEnabled"));
    m_prefix = new PopUpButton;
    m_prefix->setObjectName(QStringLiteral("globalHotkeyPrefix"));
    m_prefix->setFixedWidth(kPrefixPickerWidth);
    for (HotkeyPrefix prefix : allCases<HotkeyPrefix>())
        m_prefix->addItem(optionText(prefix), int(prefix));
    SettingBinding::bind(m_prefix, SettingBinding::setting(m_store, &AppSettings::globalHotkeyPrefix));
    //: Settings label: the modifier keys held with every global hotkey.
    column->addWidget(SettingsView::settingRow(QCoreApplication::translate("Tavro", "Prefix"), m_prefix));

    m_list = new QWidget;
    m_listColumn = new QVBoxLayout(m_list);
    m_listColumn->setContentsMargins(0, 4, 0, 0);
    m_listColumn->setSpacing(6);
    column->addWidget(m_list);

    connect(&m_store, &SettingsStore::settingsChanged, this, &GlobalHotkeysGroup::showHotkeys);
    showHotkeys();
}

QStringList GlobalHotkeysGroup::rows() const
{
    QStringList texts;
    for (int i = 0; i < m_listColumn->count(); ++i) {
        if (auto* row = dynamic_cast<HotkeyRow*>(m_listColumn->itemAt(i)->widget()))
            texts.append(row->text());
    }
    return texts;
}

void GlobalHotkeysGroup::showHotkeys()
{
    const AppSettings& settings = m_store.settings();
    const QString prefixGlyphs = glyphs(settings.globalHotkeyPrefix);
    //: Help text of the Global Hotkeys settings. %1 is the chosen modifier key glyphs, e.g. ⌃⌥⇧⌘. Leave the key
    //: glyphs and the 0 unchanged.
    m_help->setText(QCoreApplication::translate("Tavro",
        "Press a system-wide hotkey to open a profile directly, skipping the picker. The combo is the prefix plus the "
        "same key shown on a profile’s picker badge, and %1 0 for your most-recent. Hyper (⌃⌥⇧⌘) is the safe "
        "default. It avoids the macOS shortcuts that plainer combos collide with.")
                        .arg(prefixGlyphs));
    // Shown, but not usable, while the hot keys are off.
    m_prefix->setEnabled(settings.globalHotkeysEnabled);

    while (QLayoutItem* item = m_listColumn->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_list->setVisible(settings.globalHotkeysEnabled);
    if (!settings.globalHotkeysEnabled)
        return;
    const QList<BrowserDestination> visible = settings.visibleDestinations();
    const QHash<QUuid, QString> keys = GlobalHotkeyService::registrableKeys(visible);
    for (const BrowserDestination& destination : visible) {
        const auto key = keys.constFind(destination.id);
        if (key == keys.cend())
            continue;
        m_listColumn->addWidget(new HotkeyRow(prefixGlyphs + QLatin1Char(' ') + key->toUpper(),
            Drawing::elidedName(destination.menuLabel(), Drawing::systemFont(13))));
    }
    if (m_store.lastUsedDestination()) {
        //: Global hotkey list row for the key that opens the most recently used profile.
        m_listColumn->addWidget(
            new HotkeyRow(prefixGlyphs + QStringLiteral(" 0"), QCoreApplication::translate("Tavro", "Most recent")));
    }
}

} // namespace tavro
