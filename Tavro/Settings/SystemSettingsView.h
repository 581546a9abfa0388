#pragma once

#include <QWidget>

namespace tavro {

class BrandLabel;
class DefaultHandlerCard;
class SettingsView;
class SwitchToggle;
class UpdatesCard;

// Tavro's place in the system: starting at login, the menu-bar icon, being the default browser,
// and the update preferences.
class SystemSettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit SystemSettingsView(SettingsView& view, QWidget* parent = nullptr);

    SwitchToggle* loginSwitch() const { return m_login; }
    SwitchToggle* menuBarIconSwitch() const { return m_menuBarIcon; }
    // Shown only while the icon is off.
    BrandLabel* menuBarIconCaption() const { return m_iconCaption; }
    DefaultHandlerCard* defaultHandlerCard() const { return m_defaultCard; }
    // Absent when the view has no update controller.
    UpdatesCard* updatesCard() const { return m_updatesCard; }

private:
    void setLaunchAtLogin(bool on);
    void showIconCaption();

    SettingsView& m_view;
    SwitchToggle* m_login;
    SwitchToggle* m_menuBarIcon;
    BrandLabel* m_iconCaption;
    DefaultHandlerCard* m_defaultCard;
    UpdatesCard* m_updatesCard = nullptr;
};

} // namespace tavro
