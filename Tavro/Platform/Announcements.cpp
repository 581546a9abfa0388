#include "Tavro/Platform/Announcements.h"
#include "Tavro/Platform/AnnouncementsHost.h"

#include <QLoggingCategory>

namespace tavro {

namespace {

Q_LOGGING_CATEGORY(lcAnnouncements, "tavro.announcements", QtInfoMsg)

// Main thread only, like the platform call it stands for.
struct State
{
    QList<AnnouncementsHost::Posted> posted;
    bool voiceOverRunning = false;
};

State& state()
{
    static State s;
    return s;
}

} // namespace

void Announcements::post(const QString& text, Priority priority)
{
    qCDebug(lcAnnouncements) << "announce" << text << int(priority);
    state().posted.append({text, priority});
}

bool Announcements::isVoiceOverRunning()
{
    return state().voiceOverRunning;
}

QList<AnnouncementsHost::Posted> AnnouncementsHost::posted()
{
    return state().posted;
}

void AnnouncementsHost::clear()
{
    state().posted.clear();
}

void AnnouncementsHost::setVoiceOverRunning(bool running)
{
    state().voiceOverRunning = running;
}

} // namespace tavro
