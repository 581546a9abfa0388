#include "Tavro/Shell/MenuTitle.h"

#include "Tavro/Controls/MenuStyle.h"

#include <QAction>
#include <QApplication>
#include <QFontMetricsF>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionMenuItem>

#include <cmath>

namespace tavro {

namespace {
const QChar kEnSpace(0x2002);
}

QFont MenuTitle::menuFont()
{
    return QApplication::font("QMenu");
}

QFont MenuTitle::smallFont()
{
    // The small system size is 11 points beside the menu's 13.
    QFont font = menuFont();
    font.setPointSizeF(font.pointSizeF() * 11.0 / 13.0);
    return font;
}

qreal MenuTitle::width(const QString& text, const QFont& font)
{
    return std::ceil(QFontMetricsF(font).horizontalAdvance(text));
}

qreal MenuTitle::leadingWidth() const
{
    const QFontMetricsF metrics(font);
    qreal w = metrics.horizontalAdvance(text);
    if (image)
        w += font.pointSizeF() + 2 + metrics.horizontalAdvance(kEnSpace);
    return w;
}

QString MenuTitle::string() const
{
    const QString shown = QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (!column)
        return shown;
    return shown + QLatin1Char('\t') + trailing.value_or(QString());
}

namespace {
constexpr auto trailingColorProperty = "tavroTrailingColor";

class TrailingColourStyle : public MenuStyle
{
public:
    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        const auto* menu = qobject_cast<const QMenu*>(widget);
        const qsizetype tab = item ? item->text.indexOf(QLatin1Char('\t')) : -1;
        QAction* action = menu ? menu->actionAt(option->rect.center()) : nullptr;
        const QVariant colour = action ? action->property(trailingColorProperty) : QVariant();
        if (element != CE_MenuItem || tab < 0 || !colour.isValid()) {
            MenuStyle::drawControl(element, option, painter, widget);
            return;
        }
        // The label as Qt draws it, then the trailing text at the same right edge Qt would use.
        QStyleOptionMenuItem label = *item;
        label.text = item->text.left(tab);
        MenuStyle::drawControl(element, &label, painter, widget);
        const QString trailing = item->text.mid(tab + 1);
        if (trailing.isEmpty())
            return;
        const bool selected = item->state & State_Selected;
        painter->save();
        painter->setFont(item->font);
        painter->setPen(selected ? item->palette.color(QPalette::HighlightedText) : colour.value<QColor>());
        const int margin = pixelMetric(PM_MenuHMargin, option, widget) + pixelMetric(PM_MenuPanelWidth, option, widget);
        const QRect text = item->rect.adjusted(0, 0, -(margin + 2 * (item->menuHasCheckableItems ? 0 : 1) + 6), 0);
        painter->drawText(text, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, trailing);
        painter->restore();
    }
};
} // namespace

void MenuTitle::applyTo(QAction& action) const
{
    action.setIcon(image ? QIcon(QPixmap::fromImage(*image)) : QIcon());
    action.setText(string());
    action.setFont(font);
    action.setProperty(trailingColorProperty, column && trailingColor.isValid() ? QVariant(trailingColor) : QVariant());
}

void MenuTitle::styleMenu(QMenu& menu)
{
    static auto* const style = new TrailingColourStyle;
    menu.setStyle(style);
}

bool MenuTitle::operator==(const MenuTitle& other) const
{
    return image == other.image && text == other.text && trailing == other.trailing && column == other.column
        && trailingColor == other.trailingColor && font == other.font;
}

} // namespace tavro
