#pragma once
// Stands for accessibility announcement requests (the announcement-requested notification posted
// on the application with a text and a priority) and the workspace's "VoiceOver is running" flag.

#include <QString>

namespace tavro::Announcements {

// The platform's announcement priorities; the picker and the Settings window use `high`.
enum class Priority { low = 10, medium = 50, high = 90 };

// What the calls below go through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual void post(const QString& text, Priority priority) = 0;
    virtual bool isVoiceOverRunning() = 0;
};
// Routes the calls to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

// Requests that a screen reader speaks `text`. Posted whether or not a screen reader runs.
void post(const QString& text, Priority priority = Priority::high);

bool isVoiceOverRunning();

} // namespace tavro::Announcements
