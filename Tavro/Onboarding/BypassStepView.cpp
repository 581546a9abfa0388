#include "Tavro/Onboarding/BypassStepView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/PopUpButton.h"
#include "Tavro/Controls/SettingBinding.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Onboarding/OnboardingParts.h"
#include "Tavro/Shell/UpdateController.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tavro {

BypassStepView::BypassStepView(SettingsStore& store, UpdateController& updates, QWidget* parent)
    : QWidget(parent), m_store(store), m_updates(updates), m_shownChoices(choices(store.settings()))
{
    setObjectName(QStringLiteral("bypass"));
    auto* column = OnboardingParts::column(this, 18);
    //: Onboarding final step title: configure the modifier-key gesture that skips the picker.
    column->addWidget(OnboardingParts::title(QCoreApplication::translate("Tavro", "Set up your bypass")));
    //: Onboarding bypass step explanation. A modifier is a modifier key such as Option or Command; the picker is
    //: Tavro's radial link chooser.
    column->addWidget(BrandLabel::wrapping(
        QCoreApplication::translate("Tavro",
            "Hold a modifier while opening a link to skip the picker and go straight to a browser. "
            "You can change this later in Settings, including inverting it so every link goes "
            "straight there unless you hold the modifier."),
        Brand::textSecondary, Drawing::systemFont(13)));
    //: Onboarding label above the menu for choosing the bypass modifier key.
    column->addLayout(captioned(QCoreApplication::translate("Tavro", "Bypass with"), modifierMenu()));
    //: Bypass setting label: which browser profile a bypassed link opens in.
    column->addLayout(captioned(QCoreApplication::translate("Tavro", "What to open"), destinationMenu()));
    column->addLayout(updatesRow());
    column->addStretch(1);
}

bool BypassStepView::showsCurrentChoices() const
{
    return choices(m_store.settings()) == m_shownChoices;
}

QStringList BypassStepView::choices(const AppSettings& settings)
{
    // Only the rows: the bindings show each choice made, and a step built again for one would take
    // the keyboard off the menu the user is working in.
    QStringList choices;
    for (const BypassDestinationRow& row : settings.bypassDestinationRows(BypassDestinationMenu::onboarding))
        choices << row.label << row.key;
    return choices;
}

QLayout* BypassStepView::captioned(const QString& caption, QComboBox* menu)
{
    auto* group = new QVBoxLayout;
    group->setSpacing(6);
    auto* label = new BrandLabel(caption, Brand::navy, Drawing::systemFont(13, QFont::DemiBold));
    accessibilityHidden(label);
    group->addWidget(label);
    accessibilityLabelled(menu, caption);
    menu->setFixedWidth(kPickerWidth);
    group->addWidget(menu, 0, Qt::AlignLeft);
    return group;
}

QComboBox* BypassStepView::modifierMenu()
{
    auto* modifiers = new PopUpButton;
    modifiers->setObjectName(QStringLiteral("bypassModifier"));
    for (BypassModifier modifier : allCases<BypassModifier>())
        modifiers->addItem(menuRow(modifier), int(modifier));
    return SettingBinding::bind(modifiers,
        SettingBinding::setting(
            m_store, [](const AppSettings& s) { return s.bypassModifier; },
            [this](BypassModifier modifier) {
                // Equal bypass and private keys would be told apart at the next launch by changing
                // the private one; it changes now instead, in the same write, so what is shown is
                // what is kept.
                m_store.edit([modifier](AppSettings& s) { s.setBypassModifierKeepingKeysApart(modifier); });
            }));
}

QComboBox* BypassStepView::destinationMenu()
{
    auto* destinations = new PopUpButton;
    destinations->setObjectName(QStringLiteral("bypassDestination"));
    // The rows stay as built: the window builds the step again when they change. A stored key
    // that names no row selects none and stays stored until the user picks one.
    for (const BypassDestinationRow& row : m_store.settings().bypassDestinationRows(BypassDestinationMenu::onboarding))
        destinations->addItem(Drawing::elidedName(row.label, destinations->font()), row.key);
    return SettingBinding::bind(destinations,
        SettingBinding::setting(
            m_store, [](const AppSettings& s) { return s.bypassDestinationKey.value_or(QString()); },
            [this](const QString& key) { m_store.edit([&key](AppSettings& s) { s.setBypassDestinationKey(key); }); }));
}

QLayout* BypassStepView::updatesRow()
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 4, 0, 0);
    row->setSpacing(10);
    //: Settings switch label: check for app updates automatically in the background.
    const QString notifyText = QCoreApplication::translate("Tavro", "Notify me when there is an update");
    auto* checkbox = SettingBinding::bind(new QCheckBox,
        m_updates.preference(&Updater::automaticallyChecksForUpdates, &Updater::setAutomaticallyChecksForUpdates));
    checkbox->setObjectName(QStringLiteral("automaticChecks"));
    checkbox->setAccessibleName(notifyText);
    row->addWidget(checkbox, 0, Qt::AlignTop);
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
    row->addLayout(texts, 1);
    return row;
}

} // namespace tavro
