#pragma once

#include <QWidget>

namespace tavro {

class BrandLabel;
class SettingsView;

// Tavro's place in the system: starting at login, the menu-bar icon, being the default browser,
// and the update preferences.
class SystemSettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit SystemSettingsView(SettingsView& view, QWidget* parent = nullptr);

private:
    void setLaunchAtLogin(bool on);
    void showIconCaption();

    SettingsView& m_view;
    // Shown only while the icon is off.
    BrandLabel* m_iconCaption;
};

} // namespace tavro
