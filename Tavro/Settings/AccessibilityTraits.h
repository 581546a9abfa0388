#pragma once
// What screen readers are told about a widget beyond what Qt says of it by itself.
//
// Qt has no flag that keeps a widget out of what assistive technologies read. Here a widget
// marked hidden gets an interface of its own (through one accessibility factory keyed on a
// widget property) that has no name, no role and the invisible state: the macOS bridge ignores
// invisible elements outright, and on AT-SPI the element loses "visible" and "showing", which
// screen readers skip. The heading mark goes through the same factory and gives the widget the
// heading role, named by its accessible name or, for a label, its text.
//
// Qt keeps one interface per object once it was asked for; marking a widget drops the one it
// had, so the mark takes effect at any time.

class QWidget;

namespace tavro {

// Keeps `widget` from screen readers (a row's label that its control already carries).
QWidget* accessibilityHidden(QWidget* widget);
bool isAccessibilityHidden(const QWidget* widget);

// Announces `widget` as a heading and changes nothing else about it.
QWidget* accessibilityHeading(QWidget* widget);

} // namespace tavro
