#pragma once
// Announcements on Linux: a request goes to the screen readers listening on the accessibility bus;
// one of high priority speaks before what they are saying. A screen reader counts as running while
// the toolkit's accessibility bridge is active.

#include "Tavro/Platform/Announcements.h"

namespace tavro::Linux {

class AnnouncementsBackend final : public Announcements::Backend
{
public:
    void post(const QString& text, Announcements::Priority priority) override;
    bool isVoiceOverRunning() override;
};

} // namespace tavro::Linux
