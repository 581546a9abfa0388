#include "Tavro/Picker/TavroButtonStyle.h"

#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/Drawing.h"

#include <QAbstractButton>
#include <QPainter>
#include <QStyleOptionButton>

namespace tavro {

TavroButtonStyle::TavroButtonStyle(bool prominent) : m_prominent(prominent) { }

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

void TavroButtonStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    widget->setAttribute(Qt::WA_Hover, false); // no hover look
}

QSize TavroButtonStyle::sizeFromContents(
    ContentsType type, const QStyleOption* option, const QSize& contents, const QWidget* widget) const
{
    if (type != CT_PushButton)
        return QProxyStyle::sizeFromContents(type, option, contents, widget);
    return contents + QSize(2 * horizontalPadding, 2 * verticalPadding);
}

void TavroButtonStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element != CE_PushButton || !button) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const Appearance appearance = effectiveAppearance(widget);
    const bool pressed = option->state & State_Sunken;
    const QRectF rect = QRectF(option->rect);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (pressed) {
        painter->setOpacity(0.75);
        painter->translate(rect.center());
        painter->scale(0.98, 0.98);
        painter->translate(-rect.center());
    }
    painter->setPen(Qt::NoPen);
    painter->setBrush(resolve(m_prominent ? Brand::fill : Brand::frostDeep, appearance));
    painter->drawPath(Drawing::roundedRect(rect, cornerRadius));
    painter->setPen(resolve(m_prominent ? Brand::onFill : Brand::navy, appearance));
    painter->setFont(widget ? widget->font() : painter->font());
    painter->drawText(rect, Qt::AlignCenter | Qt::TextShowMnemonic, button->text);
    painter->restore();
}

} // namespace tavro
