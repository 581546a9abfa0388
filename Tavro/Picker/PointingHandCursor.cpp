#include "Tavro/Picker/PointingHandCursor.h"

#include <QWidget>

namespace tavro {

void pointingHandCursor(QWidget* widget)
{
    widget->setCursor(Qt::PointingHandCursor);
}

} // namespace tavro
