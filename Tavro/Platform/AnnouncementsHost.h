#pragma once
// Test and diagnostics surface of Announcements: what was posted, and whether a screen reader runs.

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

QList<Posted> posted();
void clear();
void setVoiceOverRunning(bool running);

} // namespace tavro::AnnouncementsHost
