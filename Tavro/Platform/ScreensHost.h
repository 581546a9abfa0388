#pragma once
// Test surface of Screens: replaces the real screens and pointer with fixed ones.

#include "Tavro/Platform/Screens.h"

namespace tavro::ScreensHost {

void setScreens(const QList<Screens::Screen>& screens);
void setPointerLocation(QPoint point);
// Back to the real screens and pointer.
void reset();

} // namespace tavro::ScreensHost
