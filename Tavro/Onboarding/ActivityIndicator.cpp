#include "Tavro/Onboarding/ActivityIndicator.h"

#include "Tavro/Controls/Appearance.h"

#include <QPainter>

#include <cmath>

namespace tavro {

ActivityIndicator::ActivityIndicator(double size, const ColorPair& color, QWidget* parent)
    : QWidget(parent), m_color(color)
{
    const int side = int(std::ceil(size));
    setFixedSize(side, side);
    m_frames.setInterval(kFrameInterval);
    connect(&m_frames, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + kDegreesPerFrame) % 360;
        update();
    });
}

void ActivityIndicator::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_frames.start();
}

void ActivityIndicator::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_frames.stop();
}

void ActivityIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double pen = std::max(1.5, width() / 8.0);
    const QRectF box = QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    QColor color = resolve(m_color, this);
    QColor track = color;
    track.setAlphaF(0.2);
    painter.setPen(QPen(track, pen));
    painter.drawEllipse(box);
    painter.setPen(QPen(color, pen, Qt::SolidLine, Qt::RoundCap));
    // Qt counts arcs in sixteenths of a degree, counter-clockwise.
    painter.drawArc(box, -m_angle * 16, 100 * 16);
}

} // namespace tavro
