#include "Tavro/Picker/TavroOutlineButtonStyle.h"

#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/Drawing.h"

#include <QAbstractButton>
#include <QPainter>
#include <QStyleOptionButton>

namespace tavro {

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

void TavroOutlineButtonStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    widget->setAttribute(Qt::WA_Hover, false);
}

QSize TavroOutlineButtonStyle::sizeFromContents(
    ContentsType type, const QStyleOption* option, const QSize& contents, const QWidget* widget) const
{
    if (type != CT_PushButton)
        return QProxyStyle::sizeFromContents(type, option, contents, widget);
    return contents + QSize(2 * horizontalPadding, 2 * verticalPadding);
}

void TavroOutlineButtonStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element != CE_PushButton || !button) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const Appearance appearance = effectiveAppearance(widget);
    const bool pressed = option->state & State_Sunken;
    const bool enabled = option->state & State_Enabled;
    const QRectF rect = QRectF(option->rect);
    const QPainterPath shape = Drawing::roundedRect(rect, cornerRadius);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(resolve(pressed ? Brand::iceSoft : Brand::frost, appearance));
    painter->drawPath(shape);
    Drawing::strokeInside(*painter, shape, resolve(Brand::chain, appearance), 1);
    painter->setOpacity(enabled ? 1.0 : disabledTextOpacity);
    painter->setPen(resolve(Brand::navy, appearance));
    painter->setFont(widget ? widget->font() : painter->font());
    painter->drawText(rect, Qt::AlignCenter | Qt::TextShowMnemonic, button->text);
    painter->restore();
}

} // namespace tavro
