#pragma once
// Test and diagnostics surface of the simulated Announcements backend (in TavroSimulation, never in
// the shipped program): what was posted, and whether a screen reader runs.

#include "Tavro/Platform/Announcements.h"

#include <QList>
#include <QString>

namespace tavro::AnnouncementsHost {

struct Posted
{
    QString text;
    Announcements::Priority priority;
    friend bool operator==(const Posted&, const Posted&) = default;
};

// Routes Announcements through the simulation.
void install();
QList<Posted> posted();
void clear();
void setVoiceOverRunning(bool running);
// Nothing posted, no screen reader running.
void reset();

} // namespace tavro::AnnouncementsHost
