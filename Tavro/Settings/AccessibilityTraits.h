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
// - Value and selected: Qt's interface for a button carries neither. A button opts in by having
//   the property `accessibilityValue` (text) and, when it can be chosen, `accessibilitySelected`
//   (Boolean), read live each time a screen reader asks; it calls installAccessibilityTraits()
//   before anything names it (naming a widget makes Qt build and keep its interface).
//
// Qt keeps one interface per object once it was asked for; marking a widget hidden or as a
// heading drops the one it had, so those marks take effect at any time.

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

} // namespace tavro
