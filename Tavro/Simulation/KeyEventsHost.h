#pragma once
// Test and diagnostics control of the simulated KeyEvents backend (in TavroSimulation, never in the
// shipped program): held modifiers and the log of posted events.

#include "Tavro/Platform/KeyEvents.h"

#include <QList>

namespace tavro {

class KeyEventsHost
{
public:
    // Routes KeyEvents through the simulation.
    static void install();
    // Modifier flags reported as held, in addition to Qt's.
    static void setHeldModifiers(quint64 flags);
    // Every posted event since the last reset, in order.
    static QList<KeyEvent> posted();
    // The key-down events only.
    static QList<KeyEvent> keyDowns();
    static void reset();
};

} // namespace tavro
