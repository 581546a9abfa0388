#pragma once

#include <QWidget>

namespace tavro {

class AccessibilityPermissionCard;
class SettingsView;

// "Reduce animations" and the Accessibility permission card of Permissions.
class AccessibilitySettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit AccessibilitySettingsView(SettingsView& view, QWidget* parent = nullptr);

    AccessibilityPermissionCard* accessibilityCard() const { return m_card; }

private:
    AccessibilityPermissionCard* m_card;
};

} // namespace tavro
