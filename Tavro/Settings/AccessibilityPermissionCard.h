#pragma once

#include "Tavro/Settings/StatusCard.h"

namespace tavro {

class SettingsView;

// What Tavro does with the Accessibility permission and whether it has it. Shown in Permissions
// and in Accessibility; both read and write the view's one `accessibilityGranted`, which the card
// re-reads when it comes on screen, on every activation of the application while it is shown, and
// on "Re-check".
class AccessibilityPermissionCard : public StatusCard
{
    Q_OBJECT
public:
    explicit AccessibilityPermissionCard(SettingsView& view, QWidget* parent = nullptr);

    void recheck() override;

private:
    void showStatus(bool granted);

    SettingsView& m_view;
};

} // namespace tavro
