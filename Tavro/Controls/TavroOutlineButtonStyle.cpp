#include "Tavro/Controls/TavroOutlineButtonStyle.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

namespace tavro {

TavroOutlineButtonStyle::TavroOutlineButtonStyle() : ButtonStyleBase(horizontalPadding, verticalPadding, cornerRadius)
{ }

TavroOutlineButtonStyle* TavroOutlineButtonStyle::shared()
{
    static TavroOutlineButtonStyle* const style = new TavroOutlineButtonStyle;
    return style;
}

void TavroOutlineButtonStyle::apply(QAbstractButton* button)
{
    button->setStyle(shared());
    button->setFont(Drawing::systemFont(12, QFont::Medium));
}

void TavroOutlineButtonStyle::drawBackground(
    QPainter& painter, const QRectF& rect, const QStyleOption& option, Appearance appearance) const
{
    const QPainterPath shape = Drawing::roundedRect(rect, cornerRadius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(resolve(option.state & State_Sunken ? Brand::iceSoft : Brand::frost, appearance));
    painter.drawPath(shape);
    Drawing::strokeInside(painter, shape, resolve(Brand::chain, appearance), 1);
    // Disabled dims the label alone: the fill and the border keep full strength.
    painter.setOpacity(option.state & State_Enabled ? 1.0 : disabledTextOpacity);
}

QColor TavroOutlineButtonStyle::labelColor(Appearance appearance) const
{
    return resolve(Brand::navy, appearance);
}

} // namespace tavro
