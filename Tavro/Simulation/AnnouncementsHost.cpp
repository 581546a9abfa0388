#include "Tavro/Simulation/AnnouncementsHost.h"

namespace tavro {

namespace {

// Main thread only, like the platform call it stands for.
class SimulatedAnnouncements final : public Announcements::Backend
{
public:
    void post(const QString& text, Announcements::Priority priority) override { posted.append({text, priority}); }
    bool isVoiceOverRunning() override { return voiceOverRunning; }

    QList<AnnouncementsHost::Posted> posted;
    bool voiceOverRunning = false;
};

SimulatedAnnouncements& simulation()
{
    static SimulatedAnnouncements s;
    return s;
}

} // namespace

void AnnouncementsHost::install()
{
    Announcements::setBackend(&simulation());
}

QList<AnnouncementsHost::Posted> AnnouncementsHost::posted()
{
    return simulation().posted;
}

void AnnouncementsHost::clear()
{
    simulation().posted.clear();
}

void AnnouncementsHost::setVoiceOverRunning(bool running)
{
    simulation().voiceOverRunning = running;
}

void AnnouncementsHost::reset()
{
    clear();
    setVoiceOverRunning(false);
}

} // namespace tavro
