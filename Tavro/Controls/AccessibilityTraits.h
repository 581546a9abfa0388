#pragma once
// What screen readers are told about a widget beyond what Qt says of it by itself, through one
// accessibility factory keyed on widget properties.
//
// - Hidden: Qt has no flag that keeps a widget out of what assistive technologies read. A widget
//   marked hidden gets an interface with no name, no role and the invisible state: the macOS
//   bridge ignores invisible elements outright, and on AT-SPI the element loses "visible" and
//   "showing", which screen readers skip.
// - Heading: the widget has the heading role, named by its accessible name or, for a label, its
//   text.
// - Link: a button announced with the link role, which a screen reader names in its own words,
//   and pressed with Return or Enter as well as Space, as a link is followed.
// - Expandable: a button that opens and closes what follows it (a question and its answer): read
//   as expanded or collapsed, and each change is sent as such (a checkable button would send a
//   check box's "checked" instead).
// - Radio button: a checkable button that is one choice of several (a segment of a segmented
//   control), inside a radio group.
// - Containers: a list (rows of list items), a page-tab list (the tabs of a sidebar) and a radio
//   group, each named by its accessible name.
// - Labelled pop-up: a control that Qt names after its shown choice (a combo box, on Linux) is
//   named by the label of its row instead, and the shown choice is its value.
// - Value and selected: Qt's interface for a button carries neither. A button opts in by having
//   the property `accessibilityValue` (text) and, when it can be chosen, `accessibilitySelected`
//   (Boolean), read live each time a screen reader asks; it calls installAccessibilityTraits()
//   before anything names it (naming a widget makes Qt build and keep its interface).
//
// A value reaches the macOS bridge as the element's value and AT-SPI clients as the element's
// text, the one place AT-SPI has for a value that is not a number.
//
// Qt keeps one interface per object once it was asked for; every mark drops the one it had, so
// the marks take effect at any time.

#include <QString>

class QAbstractButton;
class QWidget;

namespace tavro {

inline constexpr char accessibilityValueProperty[] = "accessibilityValue";
inline constexpr char accessibilitySelectedProperty[] = "accessibilitySelected";

// Registers the factory with Qt; idempotent.
void installAccessibilityTraits();

// Keeps `widget` from screen readers (a row's label that its control already carries).
QWidget* accessibilityHidden(QWidget* widget);
bool isAccessibilityHidden(const QWidget* widget);

// Announces `widget` as a heading and changes nothing else about it.
QWidget* accessibilityHeading(QWidget* widget);

// Announces `button` as a link, and presses it on Return or Enter.
QAbstractButton* accessibilityLink(QAbstractButton* button);

// Announces `button` (not checkable) as expandable, collapsed until setAccessibilityExpanded().
QAbstractButton* accessibilityExpandable(QAbstractButton* button);
bool isAccessibilityExpanded(const QAbstractButton* button);
// Reads the expandable `button` as expanded or collapsed from now on, and tells screen readers
// when that changed.
void setAccessibilityExpanded(QAbstractButton* button, bool expanded);

// Announces the checkable `button` as a radio button, checked while it is checked.
QAbstractButton* accessibilityRadioButton(QAbstractButton* button);

enum class AccessibleContainer { list, pageTabList, radioGroup };
// Announces `widget` as a container of the kind `kind` around its children.
QWidget* accessibilityContainer(QWidget* widget, AccessibleContainer kind);

// Names `control` by `label`; a pop-up among them also reports its shown choice as its value.
QWidget* accessibilityLabelled(QWidget* control, const QString& label);

// Tells screen readers that the `accessibilityValue` of `widget` changed, when it did since the
// last call (or since it was first read this way).
void accessibilityValueMayHaveChanged(QWidget* widget);

} // namespace tavro
