#include "Tavro/Platform/Simulation.h"
#include "Tavro/Platform/AccessibilityHost.h"
#include "Tavro/Platform/AnnouncementsHost.h"
#include "Tavro/Platform/HotKeysHost.h"
#include "Tavro/Platform/KeyEventsHost.h"
#include "Tavro/Platform/ScreensHost.h"
#include "Tavro/Platform/SharingPickerHost.h"
#include "Tavro/Platform/StatusItemHost.h"
#include "Tavro/Platform/SystemInfoHost.h"
#include "Tavro/Platform/SystemSoundHost.h"
#include "Tavro/Platform/UrlOpenerHost.h"
#include "Tavro/Platform/WorkspaceHost.h"

namespace tavro {

void Simulation::install()
{
    WorkspaceHost::install();
    AccessibilityHost::install();
    KeyEventsHost::install();
    AnnouncementsHost::install();
    ScreensHost::install();
    SystemSoundHost::install();
    UrlOpenerHost::install();
    SharingPickerHost::install();
    SystemInfoHost::install();
    HotKeysHost::install();
    StatusItemHost::install();
}

} // namespace tavro
