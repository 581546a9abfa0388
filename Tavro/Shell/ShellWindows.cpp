#include "Tavro/Shell/ShellWindows.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/CenteredWindowTitle.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Picker/FloatingPickerPanel.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Picker/PickerWindowController.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/NotificationCenter.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace tavro {

ShellWindows::ShellWindows(AppDelegate& delegate, WindowFactory windows, SettingsStore& store,
    NotificationCenter& center, const PickerWindowController& picker, QObject* parent)
    : QObject(parent)
    , m_delegate(delegate)
    , m_windows(std::move(windows))
    , m_store(store)
    , m_center(center)
    , m_picker(picker)
{
    // The windows' closes pass through windowWillClose, which drops a window at once rather than
    // leaving a closed one in its field; the first-run window's paints are told.
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

ShellWindows::~ShellWindows()
{
    // The windows were built for this delegate and go with it.
    delete m_settingsWindow.data();
    delete m_onboardingWindow.data();
}

void ShellWindows::bringForward(QWidget* window)
{
    Application::setActivationPolicy(Application::ActivationPolicy::regular);
    window->setWindowOpacity(1.0);
    window->show();
    window->raise();
    window->activateWindow();
    Application::activate(true);
}

bool ShellWindows::hasVisibleWindows()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() != Qt::Popup && window->windowType() != Qt::ToolTip)
            return true;
    }
    return false;
}

QList<QWidget*> ShellWindows::windows() const
{
    QList<QWidget*> open;
    for (QWidget* window : {m_settingsWindow.data(), m_onboardingWindow.data()}) {
        if (window)
            open.append(window);
    }
    return open;
}

bool ShellWindows::isPickerShown() const
{
    return m_picker.panel() != nullptr;
}

void ShellWindows::installMainMenu()
{
    // Exists so that the Command keys behave while a Tavro window is key; Command-Q never quits.
    m_mainMenu = std::make_unique<QMenu>();
    //: App menu item (Cmd-H) that hides the app's windows.
    QAction* hide = m_mainMenu->addAction(QCoreApplication::translate("Tavro", "Hide Tavro"));
    hide->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
    connect(hide, &QAction::triggered, this, [this] {
        for (QWidget* window : windows())
            window->hide();
    });
    m_mainMenu->addSeparator();
    //: App menu item (Cmd-W) that closes the front window.
    QAction* close = m_mainMenu->addAction(QCoreApplication::translate("Tavro", "Close"));
    close->setShortcut(QKeySequence(QStringLiteral("Ctrl+W")));
    connect(close, &QAction::triggered, this, &ShellWindows::closeFrontWindow);
    //: App menu item (Cmd-Q) that closes the window but keeps Tavro running in the menu bar.
    QAction* keep = m_mainMenu->addAction(QCoreApplication::translate("Tavro", "Close and Keep in Menu Bar"));
    keep->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(keep, &QAction::triggered, this, &ShellWindows::closeFrontWindow);
}

void ShellWindows::showSettings(std::optional<SettingsSection> section)
{
    if (m_settingsWindow) {
        if (section)
            m_center.post(Notifications::showSettingsSection, QVariant::fromValue(*section));
        bringForward(m_settingsWindow);
        return;
    }
    QWidget* window = m_windows.settings(m_delegate, section.value_or(SettingsSection::destinations));
    // The window opens at the smallest size its content allows.
    //: Window title of the Preferences window. Use the same word as the Preferences… menu item.
    hostingWindow(window, QCoreApplication::translate("Tavro", "Tavro Preferences"), window->minimumSize(), true);
    m_settingsWindow = window;
    bringForward(window);
}

void ShellWindows::showOnboarding()
{
    if (m_onboardingWindow) {
        bringForward(m_onboardingWindow);
        return;
    }
    QWidget* window = m_windows.onboarding(m_delegate);
    //: Window title of the first-run onboarding window.
    hostingWindow(window, QCoreApplication::translate("Tavro", "Welcome to Tavro"), kOnboardingSize, false);
    m_onboardingWindow = window;
    bringForward(window);
}

void ShellWindows::hostingWindow(QWidget* window, const QString& title, QSize size, bool resizable)
{
    window->setWindowTitle(title);
    if (resizable) {
        window->setMinimumSize(size);
        window->resize(size);
    } else {
        window->setFixedSize(size);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    setExplicitAppearance(window, appearanceFor(m_store.settings().appearance));
    CenteredWindowTitle::apply(window);
    if (m_mainMenu)
        window->addActions(m_mainMenu->actions());
}

void ShellWindows::windowWillClose(QWidget* window)
{
    if (window == m_settingsWindow)
        m_settingsWindow = nullptr;
    else if (window == m_onboardingWindow)
        m_onboardingWindow = nullptr;
    else
        return;
    // Dropped by its one owner; a closed window is built anew on the next request.
    window->deleteLater();
    if (!m_settingsWindow && !m_onboardingWindow)
        Application::setActivationPolicy(Application::ActivationPolicy::accessory);
}

bool ShellWindows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched->isWidgetType())
        windowWillClose(static_cast<QWidget*>(watched));
    else if (event->type() == QEvent::Paint && watched == m_onboardingWindow.data())
        Q_EMIT onboardingWindowPainted();
    return QObject::eventFilter(watched, event);
}

void ShellWindows::applyAppearance()
{
    const std::optional<Appearance> appearance = appearanceFor(m_store.settings().appearance);
    // The status menu and the alerts follow through the application's palette.
    setApplicationAppearance(appearance);
    for (QWidget* window : windows()) {
        if (explicitAppearance(window) != appearance)
            setExplicitAppearance(window, appearance);
    }
}

void ShellWindows::closeFrontWindow()
{
    QWidget* front = QApplication::activeWindow();
    if (!front)
        front = m_settingsWindow ? m_settingsWindow.data() : m_onboardingWindow.data();
    if (front)
        front->close();
}

void ShellWindows::collapseToTray()
{
    for (QWidget* window : windows()) {
        if (window->isVisible())
            window->hide();
    }
    QTimer::singleShot(0, this, [] { Application::setActivationPolicy(Application::ActivationPolicy::accessory); });
}

void ShellWindows::orderOutForPicker()
{
    for (QWidget* window : windows()) {
        if (window->isVisible())
            m_hiddenForPicker.append(window);
        window->setWindowOpacity(0.0);
        window->hide();
    }
    // A window that was coming forward as this runs would show again after the first pass.
    QTimer::singleShot(0, this, [this] {
        if (!isPickerShown())
            return;
        for (QWidget* window : windows())
            window->hide();
    });
}

void ShellWindows::bringBackHiddenWindows()
{
    for (const QPointer<QWidget>& window : std::exchange(m_hiddenForPicker, {})) {
        // A window closed meanwhile is gone from its field and stays closed.
        if (!window || window->isVisible() || !windows().contains(window.data()))
            continue;
        // Behind whatever has the keyboard now (the link's browser, or the application the user
        // clicked into, which cancels a picker too): shown, but Tavro is not activated.
        window->setWindowOpacity(1.0);
        window->show();
    }
}

void ShellWindows::applicationWillBecomeActive()
{
    if (isPickerShown())
        return;
    for (QWidget* window : windows()) {
        if (window->isVisible())
            window->setWindowOpacity(0.0);
    }
}

void ShellWindows::applicationDidBecomeActive()
{
    QTimer::singleShot(0, this, [this] {
        if (isPickerShown())
            return;
        for (QWidget* window : windows()) {
            if (window->isVisible())
                window->setWindowOpacity(1.0);
        }
        restoreHiddenWindow();
    });
}

void ShellWindows::restoreHiddenWindow()
{
    for (QWidget* window : windows()) {
        if (!window->isVisible()) {
            bringForward(window);
            return;
        }
    }
}

} // namespace tavro
