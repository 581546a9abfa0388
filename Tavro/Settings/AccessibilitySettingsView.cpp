#include "Tavro/Settings/AccessibilitySettingsView.h"

#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/AccessibilityPermissionCard.h"
#include "Tavro/Settings/BrandLabel.h"
#include "Tavro/Settings/SettingsCard.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Settings/SwitchToggle.h"

#include <QCoreApplication>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tavro {

AccessibilitySettingsView::AccessibilitySettingsView(SettingsView& view, QWidget* parent)
    : QWidget(parent), m_view(view)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    SettingsStore& store = view.store();
    column->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::accessibility)));
    m_reduceAnimations = SettingsView::switchToggle(store.settings().reduceAnimations,
        [&store](bool on) { store.edit([on](AppSettings& s) { s.reduceAnimations = on; }); });
    //: Settings switch label: show the picker without its opening animation.
    column->addWidget(
        SettingsView::settingRow(QCoreApplication::translate("Tavro", "Reduce animations"), m_reduceAnimations));
    auto* caption = SettingsCard::caption(
        //: Caption under the Reduce animations switch. The picker is Tavro's radial link chooser.
        QCoreApplication::translate(
            "Tavro", "When on, the picker appears fully expanded instead of springing open from the center."),
        12);
    column->addWidget(caption);
    m_card = new AccessibilityPermissionCard(view);
    column->addWidget(m_card);
    connect(&store, &SettingsStore::settingsChanged, this, &AccessibilitySettingsView::refresh);
}

void AccessibilitySettingsView::refresh()
{
    const QSignalBlocker block(m_reduceAnimations);
    m_reduceAnimations->setChecked(m_view.store().settings().reduceAnimations);
}

} // namespace tavro
