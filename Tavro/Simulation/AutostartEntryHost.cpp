#include "Tavro/Simulation/AutostartEntryHost.h"
#include "Tavro/Platform/AutostartEntry.h"
#include "Tavro/Platform/UserDefaults.h"

namespace tavro {

void AutostartEntryHost::setApproved(bool approved)
{
    UserDefaults(AutostartEntry::storePath()).setValue(AutostartEntry::approvalKey(), approved);
}

void AutostartEntryHost::setRemovalRefused(bool refused)
{
    UserDefaults(AutostartEntry::storePath()).setValue(AutostartEntry::removalRefusalKey(), refused);
}

} // namespace tavro
