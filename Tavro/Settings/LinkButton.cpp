#include "Tavro/Settings/LinkButton.h"

#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/Drawing.h"
#include "Tavro/Picker/PointingHandCursor.h"

#include <QPainter>

namespace tavro {

LinkButton::LinkButton(const QString& title, double points, QWidget* parent) : QAbstractButton(parent)
{
    setText(title);
    QFont font = Drawing::systemFont(points);
    font.setUnderline(true);
    setFont(font);
    // The same mark the developer credit's name carries: Qt has no link role for a button.
    setAccessibleDescription(QStringLiteral("link"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    pointingHandCursor(this);
}

QSize LinkButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 2, metrics.height()};
}

void LinkButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor color = resolve(Brand::navy, this);
    if (isDown())
        color.setAlphaF(0.6);
    painter.setPen(color);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace tavro
