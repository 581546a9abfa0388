#pragma once

#include "Tavro/Launch/AutomationTiming.h"
#include "Tavro/Platform/Accessibility.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include <chrono>
#include <optional>

namespace tavro {

// Opening a private window the way a user would, for browsers without a command-line switch for
// one: press the browser's private-window menu item, wait for the window, bring it to the front,
// put the link into its address field and press Return. Each step has its own wait; the launch
// service strings them together. GUI thread only; waits are coroutine sleeps.
namespace PrivateWindowAX {

// Accessibility identifiers and English titles of the private-window item in browsers' menus.
const QSet<QString>& knownIdentifiers();
const QSet<QString>& englishTitles();

// One menu item as read through Accessibility.
struct MenuItem
{
    QString identifier;           // "" when unreadable
    QString title;                // "" when unreadable
    QString commandChar;          // the key equivalent, "" when unreadable
    qint64 commandModifiers = -1; // Command is implied, 1 means Shift; -1 when unreadable

    bool operator==(const MenuItem&) const = default;
};

// The outcome of putting a URL into a window.
enum class LoadResult {
    loaded, // entered, Return posted
    locked, // a password field took the focus: private browsing is locked
    failed, // anything else
};

// What has the keyboard focus where an address is to be entered.
enum class FieldKind {
    address, // a text field, combo box or text area that is no password field
    secure,  // a password field
    other,   // anything else: a web page's own controls, nothing, or something unreadable
};

// The kind of `element`, the application's focused element after ⌘L. Only an address field may
// receive a link: a page that keeps ⌘L to itself leaves the focus in one of its form fields.
FieldKind fieldKind(const std::optional<AXElement>& element);

// How well an item matches: 0 by identifier, 1 by English title, 2 by ⇧⌘N; nullopt otherwise.
std::optional<int> matchRank(const MenuItem& item);
MenuItem describe(const AXElement& element);
// The best-ranked item in the first three menus after the Apple menu and one level of their
// submenus; nullopt when none ranks.
std::optional<AXElement> privateWindowItem(const AXElement& app);

// The windows of the first running application with this bundle identifier.
QList<AXElement> windows(const QString& bundleID);

// Presses the private-window item, retrying until `timeout`; true once a press succeeded.
QCoro::Task<bool> openPrivateWindow(QString bundleID, std::chrono::milliseconds timeout, AutomationTiming timing = {});
// Waits for a standard window not in `excluding`.
QCoro::Task<std::optional<AXElement>> newWindow(
    QString bundleID, QList<AXElement> excluding, std::chrono::milliseconds timeout, AutomationTiming timing = {});
// Brings the window and its application to the front; true when it is the focused window of
// the frontmost application.
QCoro::Task<bool> focus(
    AXElement window, QString bundleID, std::chrono::milliseconds timeout, AutomationTiming timing = {});
// Focuses the window, enters the URL in its address field and posts Return.
QCoro::Task<LoadResult> loadURL(QUrl url, AXElement window, QString bundleID, AutomationTiming timing = {});

// One key press as synthetic events.
void postKey(quint16 keyCode, quint64 flags);
// Types text as Unicode keyboard events, at most 20 UTF-16 units per event.
void type(const QString& text);

} // namespace PrivateWindowAX

} // namespace tavro
