#pragma once

#include <QWidget>

namespace tavro {

class AccessibilityPermissionCard;
class SettingsView;
class SwitchToggle;

// "Reduce animations" and the Accessibility permission card of Permissions.
class AccessibilitySettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit AccessibilitySettingsView(SettingsView& view, QWidget* parent = nullptr);

    SwitchToggle* reduceAnimationsSwitch() const { return m_reduceAnimations; }
    AccessibilityPermissionCard* accessibilityCard() const { return m_card; }

private:
    void refresh();

    SettingsView& m_view;
    SwitchToggle* m_reduceAnimations;
    AccessibilityPermissionCard* m_card;
};

} // namespace tavro
