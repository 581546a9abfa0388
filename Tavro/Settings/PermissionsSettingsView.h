#pragma once

#include <QWidget>

namespace tavro {

class AccessibilityPermissionCard;
class BrowserDataPermissionCard;
class SettingsView;

// The two system permissions Tavro depends on, each with where to grant it and a re-check.
class PermissionsSettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit PermissionsSettingsView(SettingsView& view, QWidget* parent = nullptr);

    AccessibilityPermissionCard* accessibilityCard() const { return m_accessibility; }
    BrowserDataPermissionCard* browserDataCard() const { return m_browserData; }

private:
    AccessibilityPermissionCard* m_accessibility;
    BrowserDataPermissionCard* m_browserData;
};

} // namespace tavro
