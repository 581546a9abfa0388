#include "Tavro/Picker/ButtonStyleBase.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QWidget>

namespace tavro {

ButtonStyleBase::ButtonStyleBase(int horizontalPadding, int verticalPadding)
    : m_horizontalPadding(horizontalPadding), m_verticalPadding(verticalPadding)
{ }

void ButtonStyleBase::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    widget->setAttribute(Qt::WA_Hover, false); // no hover look
}

QSize ButtonStyleBase::sizeFromContents(
    ContentsType type, const QStyleOption* option, const QSize& contents, const QWidget* widget) const
{
    if (type != CT_PushButton)
        return QProxyStyle::sizeFromContents(type, option, contents, widget);
    return contents + QSize(2 * m_horizontalPadding, 2 * m_verticalPadding);
}

void ButtonStyleBase::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element != CE_PushButton || !button) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const Appearance appearance = effectiveAppearance(widget);
    const QRectF rect = QRectF(option->rect);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    drawBackground(*painter, rect, *option, appearance);
    painter->setPen(labelColor(appearance));
    painter->setFont(widget ? widget->font() : painter->font());
    painter->drawText(rect, Qt::AlignCenter | Qt::TextShowMnemonic, button->text);
    painter->restore();
}

} // namespace tavro
