#pragma once
// Stands for the list of screens (frame and visible frame) and the mouse location. Coordinates are
// Qt's global ones: y grows downwards, and the visible frame leaves out panels and docks.

#include <QList>
#include <QPoint>
#include <QRect>

#include <optional>

namespace tavro::Screens {

struct Screen
{
    QRect frame;
    QRect visibleFrame;
    friend bool operator==(const Screen&, const Screen&) = default;
};

// What screens() and pointerLocation() go through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual QList<Screen> screens() = 0;
    virtual QPoint pointerLocation() = 0;
};
Backend& systemBackend();
// Routes the calls to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

// The first screen is the main one.
QList<Screen> screens();
QPoint pointerLocation();

// The first screen whose frame holds `point`, else the main screen; none without screens.
std::optional<Screen> screenAt(QPoint point);

} // namespace tavro::Screens
