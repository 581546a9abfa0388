#include "Tavro/Controls/TavroButtonStyle.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"

#include <QAbstractButton>
#include <QPainter>
#include <QStyleOption>

namespace tavro {

TavroButtonStyle::TavroButtonStyle(bool prominent)
    : ButtonStyleBase(horizontalPadding, verticalPadding, cornerRadius), m_prominent(prominent)
{ }

TavroButtonStyle* TavroButtonStyle::shared(bool prominent)
{
    // Stateless, so every button of a variant shares one; it lives as long as the process.
    static TavroButtonStyle* const filled = new TavroButtonStyle(true);
    static TavroButtonStyle* const quiet = new TavroButtonStyle(false);
    return prominent ? filled : quiet;
}

void TavroButtonStyle::apply(QAbstractButton* button, bool prominent)
{
    button->setStyle(shared(prominent));
    button->setFont(Drawing::systemFont(13, QFont::DemiBold));
}

void TavroButtonStyle::drawBackground(
    QPainter& painter, const QRectF& rect, const QStyleOption& option, Appearance appearance) const
{
    if (option.state & State_Sunken) {
        painter.setOpacity(0.75);
        painter.translate(rect.center());
        painter.scale(0.98, 0.98);
        painter.translate(-rect.center());
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(resolve(m_prominent ? Brand::fill : Brand::frostDeep, appearance));
    painter.drawPath(Drawing::roundedRect(rect, cornerRadius));
}

QColor TavroButtonStyle::labelColor(Appearance appearance) const
{
    return resolve(m_prominent ? Brand::onFill : Brand::navy, appearance);
}

} // namespace tavro
