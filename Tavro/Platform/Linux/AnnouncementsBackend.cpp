#include "Tavro/Platform/Linux/AnnouncementsBackend.h"

#include "Tavro/Platform/AccessibilityNotifications.h"
#include "Tavro/Platform/PlatformLog.h"

#include <QAccessible>

namespace tavro::Linux {

void AnnouncementsBackend::post(const QString& text, Announcements::Priority priority)
{
    qCDebug(lcPlatform) << "announce" << text << int(priority);
    AccessibilityNotifications::announce(text, priority == Announcements::Priority::high);
}

bool AnnouncementsBackend::isVoiceOverRunning()
{
    return QAccessible::isActive();
}

} // namespace tavro::Linux
