#include "Tavro/Platform/Announcements.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/AnnouncementsBackend.h"

namespace tavro {

namespace {
BackendSlot<Announcements::Backend, Linux::AnnouncementsBackend> backendSlot;
} // namespace

void Announcements::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

void Announcements::post(const QString& text, Priority priority)
{
    backendSlot.current().post(text, priority);
}

bool Announcements::isVoiceOverRunning()
{
    return backendSlot.current().isVoiceOverRunning();
}

} // namespace tavro
