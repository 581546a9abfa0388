#include "Tavro/Picker/HotkeyBadge.h"

#include "Tavro/Controls/Drawing.h"

#include <QPainter>

namespace tavro {

void HotkeyBadge::paint(QPainter& painter, const QPointF& centre) const
{
    const QRectF rect(centre - QPointF(diameter / 2, diameter / 2), QSizeF(diameter, diameter));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawEllipse(rect);
    // The ring is centred on the disc's edge, drawn over it.
    painter.setPen(QPen(stroke, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(rect);
    QFont font = Drawing::systemFont(10, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    painter.setFont(font);
    painter.setPen(foreground);
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, key);
    painter.restore();
}

} // namespace tavro
