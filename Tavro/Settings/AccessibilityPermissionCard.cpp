#include "Tavro/Settings/AccessibilityPermissionCard.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Settings/LinkButton.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/LoginItem.h"

#include <QCoreApplication>
#include <QVBoxLayout>

namespace tavro {

AccessibilityPermissionCard::AccessibilityPermissionCard(SettingsView& view, QWidget* parent)
    : StatusCard(CheckOnShow::yes, parent), m_view(view)
{
    //: Card title in the Permissions settings pane. Use Apple's localized name for the Accessibility privacy
    //: setting.
    column()->addWidget(title(QCoreApplication::translate("Tavro", "Accessibility permission")));
    //: Permissions pane explanation. Use Apple's localized name for the Accessibility privacy setting.
    column()->addWidget(caption(QCoreApplication::translate("Tavro",
        "Tavro needs Accessibility to read your Safari profiles and open links in them. Other browsers don’t "
        "require it.")));
    column()->addWidget(disclosure(
        //: Permissions pane: what Tavro uses the Accessibility permission for. File and New Window are Safari menu
        //: names; use the names Safari uses in this language.
        QCoreApplication::translate("Tavro",
            "Reads the profile names in Safari’s File menu and presses the matching New Window item, so each link "
            "opens in the right profile. In Arc, it opens a window when none is open so the link has somewhere to "
            "land."),
        //: Permissions pane: what Tavro never does with the Accessibility permission.
        QCoreApplication::translate(
            "Tavro", "It never reads web pages, what you type, or any other app, and never sends anything anywhere.")));
    connect(&view, &SettingsView::accessibilityGrantedChanged, this, &AccessibilityPermissionCard::showStatus);
    showStatus(view.accessibilityGranted());
}

void AccessibilityPermissionCard::showStatus(bool granted)
{
    if (granted) {
        //: Status line when Accessibility permission is granted.
        showSatisfied(QCoreApplication::translate("Tavro", "Tavro has Accessibility access"));
    } else if (LoginItem::systemSettingsOpen()) {
        setStatusArea(row({prominentButton(
                               //: Button that opens the Accessibility pane in System Settings. Use Apple's localized
                               //: name for Accessibility.
                               QCoreApplication::translate("Tavro", "Grant Accessibility…"),
                               [] {
                                   // Listed first, so the user finds Tavro in the list the button opens.
                                   AccessibilityPermission::registerInList();
                                   LoginItem::openAccessibilitySettings();
                               }),
                              recheckLink()},
            10));
    } else {
        //: Permissions pane, in place of the Grant Accessibility button on a desktop that has no such setting.
        setStatusArea(row({caption(QCoreApplication::translate("Tavro",
                               "This desktop has no Accessibility setting to grant: Safari profiles can’t be opened "
                               "here, other browsers work without it.")),
                              recheckLink()},
            10));
    }
}

void AccessibilityPermissionCard::recheck()
{
    m_view.setAccessibilityGranted(Accessibility::isProcessTrusted());
}

} // namespace tavro
