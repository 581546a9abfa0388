#include "Tavro/Onboarding/RoundedCard.h"

#include "Tavro/Controls/Appearance.h"

#include <QPainter>
#include <QPainterPath>

namespace tavro {

RoundedCard::RoundedCard(const ColorPair& fill, double fillOpacity, std::optional<Stroke> stroke, QWidget* parent)
    : QWidget(parent), m_fill(fill), m_fillOpacity(fillOpacity), m_stroke(stroke)
{ }

void RoundedCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Half a point in, so that the stroke lies whole inside the widget.
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(box, kCornerRadius, kCornerRadius);
    QColor fill = resolve(m_fill, this);
    fill.setAlphaF(fill.alphaF() * m_fillOpacity);
    painter.fillPath(path, fill);
    if (m_stroke) {
        QColor line = resolve(m_stroke->color, this);
        line.setAlphaF(line.alphaF() * m_stroke->opacity);
        painter.setPen(QPen(line, 1));
        painter.drawPath(path);
    }
}

} // namespace tavro
