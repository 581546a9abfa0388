#include "Tavro/Controls/Drawing.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <cmath>

namespace tavro {

QFont Drawing::systemFont(double points, QFont::Weight weight)
{
    QFont font = QGuiApplication::font();
    // Pixel sizes keep a point equal to a device-independent pixel whatever the screen's DPI.
    font.setPixelSize(std::max(1, int(std::lround(points))));
    font.setWeight(weight);
    return font;
}

QFont Drawing::emojiFont(double points)
{
    QFont font = systemFont(points);
    font.setFamilies({QStringLiteral("Apple Color Emoji"), QStringLiteral("Noto Color Emoji"), font.family()});
    return font;
}

QFont Drawing::tracked(QFont font, double points)
{
    font.setLetterSpacing(QFont::AbsoluteSpacing, points);
    return font;
}

QPainterPath Drawing::roundedRect(const QRectF& rect, double radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath Drawing::circle(const QPointF& centre, double diameter)
{
    QPainterPath path;
    path.addEllipse(centre, diameter / 2, diameter / 2);
    return path;
}

void Drawing::paintShadow(QPainter& painter, const QPainterPath& shape, double opacity, double radius, QPointF offset)
{
    if (opacity <= 0 || radius <= 0)
        return;
    // Concentric strokes of falling strength stand in for a Gaussian blur of the shape.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath moved = shape.translated(offset);
    const int steps = 8;
    for (int i = steps; i >= 1; --i) {
        const double spread = radius * i / steps;
        const double strength = opacity * (1.0 - double(i) / (steps + 1)) * 2.2 / steps;
        QPen pen(QColor::fromRgbF(0, 0, 0, float(std::min(1.0, strength))), spread, Qt::SolidLine, Qt::RoundCap,
            Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(moved);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(0, 0, 0, float(opacity * 0.6)));
    painter.drawPath(moved);
    painter.restore();
}

void Drawing::strokeInside(
    QPainter& painter, const QPainterPath& path, const QColor& color, double width, const QList<qreal>& dashes)
{
    if (width <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(path, Qt::IntersectClip);
    QPen pen(color, width * 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    if (!dashes.isEmpty()) {
        // A pen's dash pattern is in units of its width, and this pen is twice the visible width.
        QList<qreal> pattern;
        for (const qreal length : dashes)
            pattern.append(length / (width * 2));
        pen.setDashPattern(pattern);
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

void Drawing::stroke(QPainter& painter, const QPainterPath& path, const QColor& color, double width)
{
    if (width <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

void Drawing::drawElidedText(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment)
{
    const QFontMetricsF metrics(painter.font());
    painter.drawText(rect, int(alignment) | Qt::TextSingleLine, metrics.elidedText(text, Qt::ElideRight, rect.width()));
}

QString Drawing::elidedName(const QString& name, const QFont& font)
{
    return QFontMetricsF(font).elidedText(name, Qt::ElideRight, kLongestName);
}

QString Drawing::buttonTitle(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace tavro
