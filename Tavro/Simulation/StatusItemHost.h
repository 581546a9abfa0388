#pragma once
// Test and diagnostics control of the simulated status bar (in TavroSimulation, never in the
// shipped program): the items in the bar, the menus they were given and a click on one.

#include "Tavro/Platform/StatusItem.h"

#include <QList>

namespace tavro {

class StatusItemHost
{
public:
    // Routes status items through the simulation.
    static void install();
    // The items in the bar now, oldest first.
    static QList<StatusItem*> items();
    // Opens the menu of the newest item; false without an item or a menu.
    static bool click();
    // Whether a bar shows the items (true unless set otherwise).
    static void setAvailable(bool available);
    // How many menus the items have been given in this run, each new menu counted once.
    static int menusGiven();
    // An empty bar that shows items, no menus given.
    static void reset();
};

} // namespace tavro
