#pragma once

#include "Tavro/Platform/Accessibility.h"

#include <QList>
#include <QString>

#include <optional>

namespace tavro {

// One item of Safari's File menu as read through Accessibility; "" for what cannot be read.
struct SafariMenuItem
{
    QString identifier;
    QString title;

    bool operator==(const SafariMenuItem&) const = default;
};

// Safari's menus and windows through Accessibility: reading the File menu (profile discovery),
// pressing a profile's "New … Window" item, raising, reading and closing windows, posting keys.
// Plain synchronous calls; fileMenuItems() may run on the discovery thread, the rest on the GUI
// thread.
namespace SafariAX {

// The outcome of reading the File menu.
class Result
{
public:
    enum class Kind { items, notRunning, notTrusted, unreadable };

    static Result items(const QList<SafariMenuItem>& items) { return Result(Kind::items, items); }
    static Result notRunning() { return Result(Kind::notRunning, {}); }
    static Result notTrusted() { return Result(Kind::notTrusted, {}); }
    static Result unreadable() { return Result(Kind::unreadable, {}); }

    Kind kind() const { return m_kind; }
    // The menu's items in menu order; empty for the other cases.
    const QList<SafariMenuItem>& menuItems() const { return m_items; }

    bool operator==(const Result&) const = default;

private:
    Result(Kind kind, QList<SafariMenuItem> items) : m_kind(kind), m_items(std::move(items)) { }

    Kind m_kind;
    QList<SafariMenuItem> m_items;
};

// Safari's application element; nullopt when Safari does not run.
std::optional<AXElement> safariApp();
Result fileMenuItems();
// Presses the File-menu item that opens a new window in the named profile ("Default", or a blank
// name, stands for the default profile); true when the press succeeded.
bool openProfileWindow(const QString& name);
// Brings the window and Safari to the front; false when the window no longer exists.
bool raiseWindow(const AXElement& window);
std::optional<AXElement> focusedWindow();
// Closes Safari's windows that show no document, except `keep`.
void closeBlankWindows(const AXElement& keep);
// One key press (down, then up) with the given modifier flags.
void postKey(quint16 keyCode, quint64 flags);

} // namespace SafariAX

} // namespace tavro
