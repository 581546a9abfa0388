#pragma once

#include "Tavro/Settings/SettingsCard.h"

#include <QMetaObject>

class QPushButton;

namespace tavro {

class SettingsView;

// What Tavro does with the Accessibility permission and whether it has it. Shown in Permissions
// and in Accessibility; both read and write the view's one `accessibilityGranted`, which the card
// re-reads when it comes on screen, on every activation of the application while it is shown, and
// on "Re-check".
class AccessibilityPermissionCard : public SettingsCard
{
    Q_OBJECT
public:
    explicit AccessibilityPermissionCard(SettingsView& view, QWidget* parent = nullptr);

    // The status area: the granted row or the grant row.
    QWidget* statusArea() const { return m_status; }
    void recheck();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showStatus(bool granted);

    SettingsView& m_view;
    QWidget* m_status = nullptr;
    QMetaObject::Connection m_activation;
};

} // namespace tavro
