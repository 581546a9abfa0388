#pragma once

#include <QWidget>

namespace tavro {

class BrandLabel;
class SettingsView;
class SwitchToggle;

// Tavro's place in the system: starting at login, the menu-bar icon, being the default browser,
// and the update preferences.
class SystemSettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit SystemSettingsView(SettingsView& view, QWidget* parent = nullptr);

    SwitchToggle* menuBarIconSwitch() const { return m_menuBarIcon; }
    // Shown only while the icon is off.
    BrandLabel* menuBarIconCaption() const { return m_iconCaption; }

private:
    void setLaunchAtLogin(bool on);
    void showIconCaption();

    SettingsView& m_view;
    SwitchToggle* m_menuBarIcon;
    BrandLabel* m_iconCaption;
};

} // namespace tavro
