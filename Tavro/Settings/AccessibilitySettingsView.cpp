#include "Tavro/Settings/AccessibilitySettingsView.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/SettingBinding.h"
#include "Tavro/Controls/SwitchToggle.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/AccessibilityPermissionCard.h"
#include "Tavro/Settings/SettingsCard.h"
#include "Tavro/Settings/SettingsView.h"

#include <QCoreApplication>
#include <QVBoxLayout>

namespace tavro {

AccessibilitySettingsView::AccessibilitySettingsView(SettingsView& view, QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    SettingsStore& store = view.store();
    column->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::accessibility)));
    auto* reduceAnimations
        = SettingBinding::bind(new SwitchToggle, SettingBinding::setting(store, &AppSettings::reduceAnimations));
    //: Settings switch label: show the picker without its opening animation.
    column->addWidget(
        SettingsView::settingRow(QCoreApplication::translate("Tavro", "Reduce animations"), reduceAnimations));
    auto* caption = SettingsCard::caption(
        //: Caption under the Reduce animations switch. The picker is Tavro's radial link chooser.
        QCoreApplication::translate(
            "Tavro", "When on, the picker appears fully expanded instead of springing open from the center."),
        12);
    column->addWidget(caption);
    column->addWidget(new AccessibilityPermissionCard(view));
}

} // namespace tavro
