#include "Tavro/Controls/ChainGlyph.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"

#include <QPainter>

namespace tavro {

ChainGlyph::ChainGlyph(QWidget* parent) : QWidget(parent) { }

void ChainGlyph::paint(QPainter& painter, const QRectF& rect, Appearance appearance)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(rect.width(), rect.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(resolve(Brand::frost, appearance));
    painter.drawEllipse(rect.center(), side / 2, side / 2);
    // The links keep their size while their spacing follows the width, so a small mark overlaps more.
    const double shift = 0.11 * rect.width();
    const QSizeF link(18, 12);
    QList<QPainterPath> links;
    for (double dx : {-shift, shift}) {
        const QPointF centre = rect.center() + QPointF(dx, 0);
        links.append(Drawing::roundedRect(QRectF(centre - QPointF(9, 6), link), 6));
    }
    painter.setBrush(resolve(Brand::chain, appearance));
    for (const auto& path : links)
        painter.drawPath(path);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(resolve(Brand::navy, appearance), 1.5));
    for (const auto& path : links)
        painter.drawPath(path);
    painter.restore();
}

void ChainGlyph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, rect(), effectiveAppearance(this));
}

} // namespace tavro
