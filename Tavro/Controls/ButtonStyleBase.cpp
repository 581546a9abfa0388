#include "Tavro/Controls/ButtonStyleBase.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/SymbolImage.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QWidget>

namespace tavro {

ButtonStyleBase::ButtonStyleBase(int horizontalPadding, int verticalPadding, double cornerRadius)
    : m_horizontalPadding(horizontalPadding), m_verticalPadding(verticalPadding), m_cornerRadius(cornerRadius)
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
    const int symbol = symbolName(widget).isEmpty() ? 0 : kSymbolSize + kSymbolSpacing;
    return contents + QSize(2 * m_horizontalPadding + symbol, 2 * m_verticalPadding);
}

QString ButtonStyleBase::symbolName(const QWidget* widget)
{
    return widget ? widget->property(kSymbolProperty).toString() : QString();
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
    if (widget && FocusRing::isShown(widget))
        FocusRing::paint(*painter, Drawing::roundedRect(rect, m_cornerRadius), widget);
    const QColor color = labelColor(appearance);
    painter->setPen(color);
    painter->setFont(widget ? widget->font() : painter->font());
    const QString symbol = symbolName(widget);
    if (symbol.isEmpty()) {
        painter->drawText(rect, Qt::AlignCenter | Qt::TextShowMnemonic, button->text);
    } else {
        // The symbol, then the title: as one centred run, or from the leading edge.
        const bool leading = widget->property(kSymbolLeadingProperty).toBool();
        const double textWidth = painter->fontMetrics().horizontalAdvance(button->text);
        const double runWidth = kSymbolSize + kSymbolSpacing + textWidth;
        const double left = leading ? rect.left() + m_horizontalPadding : rect.center().x() - runWidth / 2;
        const QRectF symbolRect(left, rect.center().y() - kSymbolSize / 2.0, kSymbolSize, kSymbolSize);
        SymbolImage::paint(*painter, symbolRect, symbol, color);
        const QRectF textRect(symbolRect.right() + kSymbolSpacing, rect.top(), textWidth + 1, rect.height());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, button->text);
    }
    painter->restore();
}

} // namespace tavro
