#include "Tavro/Shell/MenuTitle.h"

#include <QAction>
#include <QApplication>
#include <QFontMetricsF>
#include <QIcon>
#include <QPixmap>

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
    if (!column)
        return text;
    return text + QLatin1Char('\t') + trailing.value_or(QString());
}

void MenuTitle::applyTo(QAction& action) const
{
    action.setIcon(image ? QIcon(QPixmap::fromImage(*image)) : QIcon());
    action.setText(string());
    action.setFont(font);
}

bool MenuTitle::operator==(const MenuTitle& other) const
{
    return image == other.image && text == other.text && trailing == other.trailing && column == other.column
        && trailingColor == other.trailingColor && font == other.font;
}

} // namespace tavro
