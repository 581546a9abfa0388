#pragma once

#include <QColor>
#include <QPointF>
#include <QString>

class QPainter;

namespace tavro {

// The round key cap on petals and, with "0", on the picker's hub.
struct HotkeyBadge
{
    QString key;
    QColor foreground;
    QColor background;
    QColor stroke;

    static constexpr double diameter = 18;

    void paint(QPainter& painter, const QPointF& centre) const;
};

} // namespace tavro
