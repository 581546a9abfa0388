#pragma once
// Hosts the two windows of the application, Preferences and the first-run window: builds them
// through the window factory, gives them their title, size, appearance and the application menu's
// keys, brings them forward, orders them out for a picker and back, and drops a closed one.

#include "Tavro/Model/SettingsSection.h"
#include "Tavro/Shell/WindowFactory.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>

#include <memory>
#include <optional>

class QMenu;
class QWidget;

namespace tavro {

class AppDelegate;
class NotificationCenter;
class PickerWindowController;
class SettingsStore;

class ShellWindows : public QObject
{
    Q_OBJECT
public:
    static constexpr QSize kOnboardingSize{560, 620};

    // `windows` builds the windows, handing them `delegate`; a window is not brought back while
    // `picker` shows a picker.
    ShellWindows(AppDelegate& delegate, WindowFactory windows, SettingsStore& store, NotificationCenter& center,
        const PickerWindowController& picker, QObject* parent = nullptr);
    ~ShellWindows() override;

    QWidget* settingsWindow() const { return m_settingsWindow; }
    QWidget* onboardingWindow() const { return m_onboardingWindow; }
    // The application menu: its keys work while a Tavro window is key.
    QMenu* mainMenu() const { return m_mainMenu.get(); }

    // Makes the application a regular one and brings `window` to the front.
    static void bringForward(QWidget* window);
    // Whether any top-level window other than a pop-up or a tooltip is on the screen.
    static bool hasVisibleWindows();

    void installMainMenu();
    // Opens Preferences on `section` (Browsers when none), or brings the open window forward and,
    // when a section is given, switches it there.
    void showSettings(std::optional<SettingsSection> section);
    // Opens the "Welcome to Tavro" window, or brings the open one forward.
    void showOnboarding();
    // The application's palette and the windows follow the appearance setting.
    void applyAppearance();
    // "Close" and "Close and Keep in Menu Bar": the key window, else Preferences, else the first-run window.
    void closeFrontWindow();
    // Hides the windows and leaves the menu bar alone on the screen.
    void collapseToTray();
    // Brings forward a window that is open but ordered out.
    void restoreHiddenWindow();
    // The application is becoming the active one: shown windows stay transparent until it is.
    void applicationWillBecomeActive();
    void applicationDidBecomeActive();

    // Orders the windows out while a picker is up, to come back with bringBackHiddenWindows.
    void orderOutForPicker();
    // Shows again, behind the front window, the windows a picker ordered out.
    void bringBackHiddenWindows();

Q_SIGNALS:
    // The first-run window paints a frame. Emitted as the paint begins: a queued receiver runs once
    // the frame is drawn.
    void onboardingWindowPainted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Gives a new top-level window its title, size, appearance and the application menu's keys.
    void hostingWindow(QWidget* window, const QString& title, QSize size, bool resizable);
    // Drops the closed window: it is built anew on the next request.
    void windowWillClose(QWidget* window);
    bool isPickerShown() const;
    // The two windows, either of which may be gone.
    QList<QWidget*> windows() const;

    AppDelegate& m_delegate;
    WindowFactory m_windows;
    SettingsStore& m_store;
    NotificationCenter& m_center;
    const PickerWindowController& m_picker;
    QPointer<QWidget> m_onboardingWindow;
    QPointer<QWidget> m_settingsWindow;
    std::unique_ptr<QMenu> m_mainMenu;
    // Windows a picker ordered out, to come back when the pickers are done.
    QList<QPointer<QWidget>> m_hiddenForPicker;
};

} // namespace tavro
