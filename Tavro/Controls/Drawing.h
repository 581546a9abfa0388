#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;

// Small painting helpers shared by the custom-drawn views: sizes are in points, one point being
// one device-independent pixel, as on the platform the designs come from.
namespace tavro::Drawing {

// The system font at `points`, with a weight and, for key caps, the rounded design.
QFont systemFont(double points, QFont::Weight weight = QFont::Normal);
// The system font at `points` for text that is one emoji: the colour emoji font first. Matched
// character by character, a text font that also holds "❤" or "☕" would draw them in black even
// with the emoji variation selector after them.
QFont emojiFont(double points);
// Letter spacing ("tracking") in points.
QFont tracked(QFont font, double points);

// `text` as a button title that shows every "&": a lone one would mark the next letter as a
// keyboard mnemonic and vanish ("Files & Folders" would read "Files _Folders").
QString buttonTitle(QString text);

QPainterPath roundedRect(const QRectF& rect, double radius);
QPainterPath circle(const QPointF& centre, double diameter);

// A soft drop shadow under `shape`: black at `opacity`, blurred over `radius`, moved by `offset`.
void paintShadow(QPainter& painter, const QPainterPath& shape, double opacity, double radius, QPointF offset);

// Draws `path` stroked inside its edge (as the designs' borders are) in `color` at `width`; dashed
// when `dashes` gives drawn and gap lengths in points.
void strokeInside(
    QPainter& painter, const QPainterPath& path, const QColor& color, double width, const QList<qreal>& dashes = {});
// Draws `path` stroked on its edge, half the width inside and half outside (the petals' and the
// hub's outlines).
void stroke(QPainter& painter, const QPainterPath& path, const QColor& color, double width);

// `text` on one line inside `rect`, cut with an ellipsis at the end when too long.
void drawElidedText(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment);
// The widest a browser or profile name is shown in a menu, a pop-up or a line of text, in pixels.
inline constexpr double kLongestName = 300;
// `name` cut with an ellipsis at the end where, in `font`, it is wider than kLongestName: a name
// of any length leaves the menu or pane around it its size.
QString elidedName(const QString& name, const QFont& font);

} // namespace tavro::Drawing
