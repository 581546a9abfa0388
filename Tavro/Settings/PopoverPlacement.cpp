#include "Tavro/Settings/PopoverPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tavro {

QPoint PopoverPlacement::topLeft(const QWidget& anchor, QSize size, int gap)
{
    const QRect anchored(anchor.mapToGlobal(QPoint(0, 0)), anchor.size());
    QPoint topLeft(anchored.center().x() - size.width() / 2, anchored.bottom() + 1 + gap);
    const QScreen* screen = anchor.screen();
    if (!screen)
        return topLeft;
    const QRect available = screen->availableGeometry();
    if (topLeft.y() + size.height() > available.bottom() + 1)
        topLeft.setY(anchored.top() - gap - size.height());
    topLeft.setX(
        std::clamp(topLeft.x(), available.left(), std::max(available.left(), available.right() + 1 - size.width())));
    topLeft.setY(
        std::clamp(topLeft.y(), available.top(), std::max(available.top(), available.bottom() + 1 - size.height())));
    return topLeft;
}

} // namespace tavro
