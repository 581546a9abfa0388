#include "Tavro/Platform/Announcements.h"
#include "Tavro/Platform/AccessibilityNotifications.h"
#include "Tavro/Platform/InstalledBackend.h"

#include "Tavro/Platform/PlatformLog.h"

#include <QAccessible>

namespace tavro {

namespace {

// A request goes to the screen readers listening on the accessibility bus; one of high
// priority speaks before what they are saying. A screen reader counts as running while the
// toolkit's accessibility bridge is active.
class SystemBackend final : public Announcements::Backend
{
public:
    void post(const QString& text, Announcements::Priority priority) override
    {
        qCDebug(lcPlatform) << "announce" << text << int(priority);
        AccessibilityNotifications::announce(text, priority == Announcements::Priority::high);
    }
    bool isVoiceOverRunning() override { return QAccessible::isActive(); }
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
