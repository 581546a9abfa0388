#include "Tavro/Controls/TavroTextFieldStyle.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOption>

namespace tavro {

TavroTextFieldStyle* TavroTextFieldStyle::shared()
{
    static TavroTextFieldStyle* const style = new TavroTextFieldStyle;
    return style;
}

void TavroTextFieldStyle::apply(QLineEdit* field)
{
    field->setStyle(shared());
    field->setAttribute(Qt::WA_MacShowFocusRect, false);
    field->setTextMargins(horizontalPadding, verticalPadding, horizontalPadding, verticalPadding);
    field->installEventFilter(shared());
    updateTextColour(field);
}

void TavroTextFieldStyle::updateTextColour(QWidget* field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, resolve(Brand::navy, field));
    field->setPalette(palette);
}

bool TavroTextFieldStyle::eventFilter(QObject* watched, QEvent* event)
{
    // The text colour lives in the palette, so it is brought up to date whenever the field is shown
    // and whenever its appearance changes.
    if (event->type() == QEvent::Show || event->type() == appearanceChanged()
        || event->type() == QEvent::ApplicationPaletteChange) {
        if (auto* field = qobject_cast<QLineEdit*>(watched))
            updateTextColour(field);
    }
    return QProxyStyle::eventFilter(watched, event);
}

void TavroTextFieldStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    widget->setAttribute(Qt::WA_Hover, false);
}

int TavroTextFieldStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_DefaultFrameWidth)
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void TavroTextFieldStyle::drawPrimitive(
    PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    switch (element) {
    case PE_PanelLineEdit: {
        const Appearance appearance = effectiveAppearance(widget);
        const QPainterPath shape = Drawing::roundedRect(QRectF(option->rect), cornerRadius);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(resolve(Brand::frost, appearance));
        painter->drawPath(shape);
        Drawing::strokeInside(*painter, shape, resolve(Brand::chain, appearance), 1);
        painter->restore();
        return;
    }
    case PE_FrameLineEdit:
    case PE_FrameFocusRect:
        return; // no bezel and no focus ring
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

} // namespace tavro
