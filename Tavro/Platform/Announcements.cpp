#include "Tavro/Platform/Announcements.h"
#include "Tavro/Platform/InstalledBackend.h"

#include "Tavro/Platform/PlatformLog.h"

namespace tavro {

namespace {

// No screen-reader bridge here: a request is only logged.
class SystemBackend final : public Announcements::Backend
{
public:
    void post(const QString& text, Announcements::Priority priority) override
    {
        qCDebug(lcPlatform) << "announce" << text << int(priority);
    }
    bool isVoiceOverRunning() override { return false; }
};

InstalledBackend<Announcements::Backend> installedBackend;

Announcements::Backend& backend()
{
    static SystemBackend system;
    return installedBackend.orElse(system);
}

} // namespace

void Announcements::setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

void Announcements::post(const QString& text, Priority priority)
{
    backend().post(text, priority);
}

bool Announcements::isVoiceOverRunning()
{
    return backend().isVoiceOverRunning();
}

} // namespace tavro
