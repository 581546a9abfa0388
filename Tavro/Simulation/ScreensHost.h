#pragma once
// Test surface of the simulated Screens backend (in TavroSimulation, never in the shipped program):
// replaces the real screens and pointer with fixed ones.

#include "Tavro/Platform/Screens.h"

namespace tavro::ScreensHost {

// Routes Screens through the simulation, which shows the real screens until told otherwise.
void install();
void setScreens(const QList<Screens::Screen>& screens);
void setPointerLocation(QPoint point);
// Back to the real screens and pointer.
void reset();

} // namespace tavro::ScreensHost
