#include "Tavro/Onboarding/StepDots.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Model/Brand.h"

#include <QCoreApplication>
#include <QPainter>

namespace tavro {

StepDots::StepDots(int count, int active, QWidget* parent) : QWidget(parent), m_count(count), m_active(active)
{
    setFixedSize(sizeHint());
    setAccessibleName(label(m_active, m_count));
}

void StepDots::setActive(int active)
{
    m_active = active;
    setAccessibleName(label(m_active, m_count));
    update();
}

QString StepDots::label(int active, int count)
{
    //: VoiceOver description of the onboarding progress dots. The numbers are the current step and the total, e.g.
    //: Step 2 of 4.
    return QCoreApplication::translate("Tavro", "Step %1 of %2").arg(active + 1).arg(count);
}

QSize StepDots::sizeHint() const
{
    return {m_count > 0 ? m_count * kDiameter + (m_count - 1) * kSpacing : 0, kDiameter};
}

void StepDots::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double top = (height() - kDiameter) / 2.0;
    for (int index = 0; index < m_count; ++index) {
        painter.setBrush(resolve(index == m_active ? Brand::navy : Brand::divider, this));
        painter.drawEllipse(QRectF(index * (kDiameter + kSpacing), top, kDiameter, kDiameter));
    }
}

} // namespace tavro
