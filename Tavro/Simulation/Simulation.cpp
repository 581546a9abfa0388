#include "Tavro/Simulation/Simulation.h"
#include "Tavro/Simulation/AccessibilityHost.h"
#include "Tavro/Simulation/AnnouncementsHost.h"
#include "Tavro/Simulation/ApplicationHost.h"
#include "Tavro/Simulation/AutostartEntryHost.h"
#include "Tavro/Simulation/KeyEventsHost.h"
#include "Tavro/Simulation/KeyGrabsHost.h"
#include "Tavro/Simulation/ScreensHost.h"
#include "Tavro/Simulation/SharingPickerHost.h"
#include "Tavro/Simulation/StatusItemHost.h"
#include "Tavro/Simulation/SystemInfoHost.h"
#include "Tavro/Simulation/SystemSoundHost.h"
#include "Tavro/Simulation/UrlOpenerHost.h"
#include "Tavro/Simulation/WorkspaceHost.h"

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
    KeyGrabsHost::install();
    StatusItemHost::install();
    AutostartEntryHost::install();
    ApplicationHost::install();
}

void Simulation::reset()
{
    install();
    WorkspaceHost::reset();
    AccessibilityHost::reset();
    KeyEventsHost::reset();
    AnnouncementsHost::reset();
    ScreensHost::reset();
    SystemSoundHost::reset();
    UrlOpenerHost::reset();
    SharingPickerHost::reset();
    SystemInfoHost::reset();
    KeyGrabsHost::reset();
    StatusItemHost::reset();
    AutostartEntryHost::reset();
    ApplicationHost::reset();
}

} // namespace tavro
