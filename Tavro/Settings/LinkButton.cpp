#include "Tavro/Settings/LinkButton.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/PointingHandCursor.h"
#include "Tavro/Model/Brand.h"

#include <QPainter>

namespace tavro {

LinkButton::LinkButton(const QString& text, double points, QWidget* parent) : QPushButton(parent)
{
    // Set here rather than through QPushButton's constructor, as BrandLabel does its text.
    setText(text);
    setFont(Drawing::systemFont(points));
    accessibilityLink(this);
    setFlat(true);
    setAttribute(Qt::WA_Hover);
    pointingHandCursor(this);
}

QSize LinkButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 2, metrics.height() + 2};
}

void LinkButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QFont linkFont = font();
    linkFont.setUnderline(underMouse() && isEnabled());
    painter.setFont(linkFont);
    QColor color = resolve(Brand::ice, this);
    if (isDown())
        color = withOpacity(color, 0.7);
    painter.setPen(color);
    painter.drawText(rect().adjusted(1, 1, -1, -1), Qt::AlignLeft | Qt::AlignVCenter, text());
    if (FocusRing::isShown(this))
        FocusRing::paint(painter, Drawing::roundedRect(QRectF(rect()), 3), this);
}

} // namespace tavro
