#include "Tavro/Controls/ScrollBarStyle.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>

#include <algorithm>

namespace tavro {

ScrollBarStyle* ScrollBarStyle::shared()
{
    static ScrollBarStyle* const style = new ScrollBarStyle;
    return style;
}

void ScrollBarStyle::apply(QAbstractScrollArea* area)
{
    area->verticalScrollBar()->setStyle(shared());
    area->horizontalScrollBar()->setStyle(shared());
}

void ScrollBarStyle::drawComplexControl(
    ComplexControl control, const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const
{
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->fillRect(bar->rect, resolve(Brand::frost, widget));
    // The arrows as Qt draws them, then the thumb over the track.
    QStyleOptionSlider arrows = *bar;
    arrows.subControls = bar->subControls & (SC_ScrollBarAddLine | SC_ScrollBarSubLine);
    QProxyStyle::drawComplexControl(control, &arrows, painter, widget);
    const QRectF slot = QRectF(subControlRect(control, option, SC_ScrollBarSlider, widget));
    if (slot.isEmpty() || !(bar->subControls & SC_ScrollBarSlider))
        return;
    const QRectF thumb = slot.adjusted(kThumbInset, kThumbInset, -kThumbInset, -kThumbInset);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const double radius = std::min(thumb.width(), thumb.height()) / 2;
    painter->fillPath(Drawing::roundedRect(thumb, radius), resolve(Brand::chainDark, widget));
    painter->restore();
}

} // namespace tavro
