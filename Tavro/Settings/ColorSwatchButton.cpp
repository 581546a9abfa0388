#include "Tavro/Settings/ColorSwatchButton.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/PointingHandCursor.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"

#include <QCoreApplication>
#include <QPainter>

namespace tavro {

ColorSwatchButton::ColorSwatchButton(std::optional<PetalTint> tint, bool selected, QWidget* parent)
    : QAbstractButton(parent), m_tint(std::move(tint)), m_selected(selected)
{
    installAccessibilityTraits();
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::TabFocus);
    pointingHandCursor(this);
    const QString name = m_tint ? m_tint->name : defaultName();
    setAccessibleName(name);
    setToolTip(name);
}

QString ColorSwatchButton::defaultName()
{
    //: Name of the default petal color (no custom color) in Settings.
    return QCoreApplication::translate("Tavro", "Default");
}

void ColorSwatchButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Appearance appearance = effectiveAppearance(this);
    const QRectF rect(0, 0, side, side);
    const QPainterPath shape = Drawing::roundedRect(rect, 8);
    const ColorPair fill = m_tint ? ColorPair{m_tint->hex, m_tint->darkHex} : Brand::frost;
    painter.fillPath(shape, resolve(fill, appearance));
    if (m_selected)
        Drawing::strokeInside(painter, shape, resolve(Brand::accent, appearance), 2.5);
    else
        Drawing::strokeInside(painter, shape, resolve(Brand::divider, appearance), 1);

    const QRectF symbol(rect.center() - QPointF(6, 6), QSizeF(12, 12));
    if (!m_tint)
        SymbolImage::paint(
            painter, symbol, QStringLiteral("slash.circle"), withOpacity(resolve(Brand::navy, appearance), 0.6));
    else if (m_selected)
        SymbolImage::paint(painter, symbol, QStringLiteral("checkmark"), resolve(Brand::navy, appearance));
    // Inside the selection ring, which keeps showing.
    if (FocusRing::isShown(this))
        FocusRing::paint(painter, Drawing::roundedRect(rect.adjusted(3, 3, -3, -3), 5), this);
}

} // namespace tavro
