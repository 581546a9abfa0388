#pragma once
// The ring a control draws while it has the keyboard focus, as a Mac draws it: only when the
// focus came there by the keyboard (Tab, a shortcut), not by a click.

class QPainter;
class QPainterPath;
class QWidget;

namespace tavro::FocusRing {

inline constexpr double kWidth = 2.5;

// True while `widget` has the focus and its window's focus last moved by the keyboard.
bool isShown(const QWidget* widget);
// Strokes the ring just inside the edge of `shape` (the control's outline), in the ice of the
// window's appearance.
void paint(QPainter& painter, const QPainterPath& shape, const QWidget* widget);

} // namespace tavro::FocusRing
