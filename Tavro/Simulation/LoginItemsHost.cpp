#include "Tavro/Simulation/LoginItemsHost.h"
#include "Tavro/Platform/LoginItems.h"
#include "Tavro/Platform/UserDefaults.h"

namespace tavro {

void LoginItemsHost::setApproved(bool approved)
{
    UserDefaults(LoginItems::storePath()).setValue(LoginItems::approvalKey(), approved);
}

void LoginItemsHost::setRemovalRefused(bool refused)
{
    UserDefaults(LoginItems::storePath()).setValue(LoginItems::removalRefusalKey(), refused);
}

} // namespace tavro
