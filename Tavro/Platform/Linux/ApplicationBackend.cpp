#include "Tavro/Platform/Linux/ApplicationBackend.h"

#include <QApplication>
#include <QWidget>

namespace tavro::Linux {

void ApplicationBackend::activate(bool)
{
    // Here an application has no focus of its own: each window asks the window manager for
    // focus when it is made key, so the window made key last is already in front.
    if (QWidget* window = QApplication::activeWindow())
        window->raise();
}

} // namespace tavro::Linux
