#pragma once
// Test and diagnostics control of the simulated KeyGrabs backend (in TavroSimulation, never in the
// shipped program): the combinations held, refused combinations, and presses.

#include "Tavro/Platform/KeyGrabs.h"

#include <QList>

namespace tavro {

class KeyGrabsHost
{
public:
    // Routes registrations through the simulation.
    static void install();
    // The combinations registered now, in the order they were registered.
    static QList<KeyGrabs::Combination> registered();
    // Makes the system refuse `combination`, as when another application holds it.
    static void refuse(const KeyGrabs::Combination& combination);
    // Presses a combination; only a registered one reaches the registrar.
    static void press(const KeyGrabs::Combination& combination);
    static void reset();
};

} // namespace tavro
