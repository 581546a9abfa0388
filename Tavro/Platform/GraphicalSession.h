#pragma once
// Stands for the window server every Mac application has: on Linux a desktop session gives one
// (an X11 display, or a Wayland compositor), a terminal over ssh or a service may not.

#include <QString>
#include <QStringList>

namespace tavro::GraphicalSession {

// What a program prints, and then exits 1, where there is none.
inline constexpr const char* kMissingMessage
    = "Tavro needs a graphical session: an X11 display, or Wayland with XWayland (DISPLAY is not set)\n";

// Whether Qt can start with the platform that `arguments` ("-platform NAME") or QT_QPA_PLATFORM
// names: xcb needs DISPLAY (or "-display"), wayland WAYLAND_DISPLAY, a platform that draws into
// memory (offscreen, minimal) nothing. Without a platform named, either display will do.
bool isAvailable(const QStringList& arguments);

} // namespace tavro::GraphicalSession
