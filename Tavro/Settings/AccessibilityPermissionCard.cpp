#include "Tavro/Settings/AccessibilityPermissionCard.h"

#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Settings/BrandLabel.h"
#include "Tavro/Settings/LinkButton.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/LoginItem.h"

#include <QCoreApplication>
#include <QVBoxLayout>

namespace tavro {

namespace {
QString recheckText()
{
    //: Link button that re-checks a permission or default-browser status.
    return QCoreApplication::translate("Tavro", "Re-check");
}
} // namespace

AccessibilityPermissionCard::AccessibilityPermissionCard(SettingsView& view, QWidget* parent)
    : SettingsCard(8, parent), m_view(view)
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
    if (m_status) {
        m_status->hide();
        m_status->deleteLater();
    }
    if (granted) {
        m_status = satisfiedRow(
            //: Status line when Accessibility permission is granted.
            QCoreApplication::translate("Tavro", "Tavro has Accessibility access"),
            link(recheckText(), [this] { recheck(); }));
    } else {
        m_status = row({prominentButton(
                            //: Button that opens the Accessibility pane in System Settings. Use Apple's localized
                            //: name for Accessibility.
                            QCoreApplication::translate("Tavro", "Grant Accessibility…"),
                            [] {
                                // Listed first, so the user finds Tavro in the list the button opens.
                                AccessibilityPermission::registerInList();
                                LoginItem::openAccessibilitySettings();
                            }),
                           link(recheckText(), [this] { recheck(); })},
            10);
    }
    column()->addWidget(m_status);
}

void AccessibilityPermissionCard::recheck()
{
    m_view.setAccessibilityGranted(Accessibility::isProcessTrusted());
}

void AccessibilityPermissionCard::showEvent(QShowEvent* event)
{
    SettingsCard::showEvent(event);
    if (m_activation)
        return;
    m_activation
        = connect(&m_view.notificationCenter(), &NotificationCenter::posted, this, [this](const QString& name) {
              if (name == Notifications::applicationDidBecomeActive)
                  recheck();
          });
    recheck();
}

void AccessibilityPermissionCard::hideEvent(QHideEvent* event)
{
    SettingsCard::hideEvent(event);
    disconnect(m_activation);
    m_activation = {};
}

} // namespace tavro
