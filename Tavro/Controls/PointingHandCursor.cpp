#include "Tavro/Controls/PointingHandCursor.h"

#include <QWidget>

namespace tavro {

void pointingHandCursor(QWidget* widget)
{
    widget->setCursor(Qt::PointingHandCursor);
}

} // namespace tavro
