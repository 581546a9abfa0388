#pragma once
// Stands for the accessibility notifications posted for one element or for the application
// (NSAccessibilityPostNotification) that the toolkit's own bridge does not carry to a screen
// reader: an element expanded or collapsed, an element selected or no longer selected, and an
// announcement. Here they go out as the AT-SPI events screen readers listen for, from the
// connection Qt's bridge opened to the accessibility bus; while no bridge is active, nothing is sent.

class QAccessibleInterface;
class QString;

namespace tavro::AccessibilityNotifications {

enum class State { expanded, selected };

// Tells screen readers that `element` has become `state` (`on`) or stopped being it. A change of
// `expanded` is also told as the opposite change of "collapsed".
void stateChanged(QAccessibleInterface* element, State state, bool on);

// Asks screen readers to speak `text` at once, before what they are saying (`interrupt`) or after it.
void announce(const QString& text, bool interrupt);

} // namespace tavro::AccessibilityNotifications
