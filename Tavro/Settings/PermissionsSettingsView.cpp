#include "Tavro/Settings/PermissionsSettingsView.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Settings/AccessibilityPermissionCard.h"
#include "Tavro/Settings/BrowserDataPermissionCard.h"
#include "Tavro/Settings/SettingsView.h"

#include <QVBoxLayout>

namespace tavro {

PermissionsSettingsView::PermissionsSettingsView(SettingsView& view, QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::permissions)));
    column->addWidget(new AccessibilityPermissionCard(view, this));
    column->addWidget(new BrowserDataPermissionCard(view, this));
}

} // namespace tavro
