#include "Tavro/Platform/Linux/ScreensBackend.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace tavro::Linux {

QList<Screens::Screen> ScreensBackend::screens()
{
    QList<Screens::Screen> result;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        result.append({primary->geometry(), primary->availableGeometry()});
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            result.append({screen->geometry(), screen->availableGeometry()});
    }
    return result;
}

QPoint ScreensBackend::pointerLocation()
{
    return QCursor::pos();
}

} // namespace tavro::Linux
