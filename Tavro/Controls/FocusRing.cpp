#include "Tavro/Controls/FocusRing.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"

#include <QPainter>
#include <QWidget>

namespace tavro::FocusRing {

bool isShown(const QWidget* widget)
{
    return widget->hasFocus() && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void paint(QPainter& painter, const QPainterPath& shape, const QWidget* widget)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Drawing::strokeInside(painter, shape, resolve(Brand::ice, widget), kWidth);
    painter.restore();
}

} // namespace tavro::FocusRing
