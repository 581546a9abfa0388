#pragma once
// Test and diagnostics only: a running browser that exists as a simulation (Safari and Arc do not
// run here). It registers a running application with the Workspace and builds its Accessibility
// tree: a menu bar (the Apple menu first, then the given menus), windows with an address field,
// a close button and the document they show, focus, and answers to ⌘L, typed text and Return.

#include "Tavro/Platform/Accessibility.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

namespace tavro {

struct KeyEvent;

class SimulatedBrowser
{
public:
    struct MenuItem
    {
        QString identifier; // empty: no "AXIdentifier" attribute
        QString title;
        QString commandChar;                    // empty: no "AXMenuItemCmdChar"
        std::optional<qint64> commandModifiers; // "AXMenuItemCmdModifiers"
        QList<MenuItem> submenu;
        // What a press does; without it the press succeeds and does nothing.
        std::function<void()> onPress;
        bool pressFails = false;
    };
    // A menu item; the press succeeds and runs `onPress`.
    static MenuItem item(const QString& identifier, const QString& title, std::function<void()> onPress = {});
    static MenuItem item(const QString& identifier, const QString& title, const QString& commandChar,
        std::optional<qint64> commandModifiers, std::function<void()> onPress = {});

    struct Menu
    {
        QString title = {};
        QList<MenuItem> items = {};
    };
    struct WindowOptions
    {
        QString document = {}; // the URL it shows; empty for a blank window
        bool isPrivate = false;
        QString subrole = QStringLiteral("AXStandardWindow");
        QString title = {};
    };

    // Starts the simulated application (a new running application in the Workspace).
    SimulatedBrowser(const QString& bundleIdentifier, const QString& bundlePath = {});
    // Quits it.
    ~SimulatedBrowser();

    SimulatedBrowser(const SimulatedBrowser&) = delete;
    SimulatedBrowser& operator=(const SimulatedBrowser&) = delete;

    qint64 processIdentifier() const;
    AXElement application() const;
    bool isRunning() const;
    void quit();

    // Replaces the menu bar; the Apple menu is added in front of `menus`.
    void setMenus(const QList<Menu>& menus);
    int pressCount(const QString& identifierOrTitle) const;
    // The application answers no "AXMenuBar".
    void removeMenuBar();

    // Opens a window and focuses it.
    AXElement openWindow(const WindowOptions& options);
    AXElement openWindow();
    void closeWindow(const AXElement& window);
    QList<AXElement> windows() const;
    AXElement focusedWindow() const;
    void focusWindow(const AXElement& window);
    QString document(const AXElement& window) const;
    AXElement addressField(const AXElement& window) const;
    QString addressText(const AXElement& window) const;
    bool isPrivate(const AXElement& window) const;
    bool isMinimized(const AXElement& window) const;

    // ⌘L in a private window focuses a password field instead of the address field.
    void setPrivateBrowsingLocked(bool locked);
    // The address field refuses writes of "AXValue" (text must be typed).
    void setAddressFieldRefusesValue(bool refuses);
    // "AXRaise" and "AXMain" leave the focus where it is.
    void setRaiseIgnored(bool ignored);
    // The application's "AXFocusedUIElement" cannot be read.
    void setFocusedElementUnreadable(bool unreadable);

    // URLs handed over by the Workspace, in order.
    QList<QUrl> handedUrls() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace tavro
