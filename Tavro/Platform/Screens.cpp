#include "Tavro/Platform/Screens.h"
#include "Tavro/Platform/ScreensHost.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace tavro {

namespace {

std::optional<QList<Screens::Screen>> fixedScreens;
std::optional<QPoint> fixedPointer;

} // namespace

QList<Screens::Screen> Screens::screens()
{
    if (fixedScreens)
        return *fixedScreens;
    QList<Screen> result;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        result.append({primary->geometry(), primary->availableGeometry()});
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            result.append({screen->geometry(), screen->availableGeometry()});
    }
    return result;
}

QPoint Screens::pointerLocation()
{
    return fixedPointer ? *fixedPointer : QCursor::pos();
}

std::optional<Screens::Screen> Screens::screenAt(QPoint point)
{
    const auto all = screens();
    for (const Screen& screen : all) {
        if (screen.frame.contains(point))
            return screen;
    }
    if (all.isEmpty())
        return std::nullopt;
    return all.first();
}

void ScreensHost::setScreens(const QList<Screens::Screen>& screens)
{
    fixedScreens = screens;
}

void ScreensHost::setPointerLocation(QPoint point)
{
    fixedPointer = point;
}

void ScreensHost::reset()
{
    fixedScreens.reset();
    fixedPointer.reset();
}

} // namespace tavro
