#include "Tavro/Simulation/AutostartEntryHost.h"
#include "Tavro/Platform/AutostartEntry.h"

#include <atomic>

namespace tavro {

namespace {

class SimulatedAutostartEntry final : public AutostartEntry::Backend
{
public:
    std::expected<void, AutostartError> registerMainApp() override
    {
        if (!approved)
            return std::unexpected(AutostartError::notPermitted);
        return system().registerMainApp();
    }

    std::expected<void, AutostartError> unregisterMainApp() override
    {
        if (removalRefused && system().status() != AutostartEntry::Status::notRegistered)
            return std::unexpected(AutostartError::notPermitted);
        return system().unregisterMainApp();
    }

    AutostartEntry::Status status() override
    {
        const AutostartEntry::Status entry = system().status();
        if (entry == AutostartEntry::Status::enabled && !approved)
            return AutostartEntry::Status::requiresApproval;
        return entry;
    }

    std::atomic<bool> approved = true;
    std::atomic<bool> removalRefused = false;

private:
    static AutostartEntry::Backend& system() { return AutostartEntry::systemBackend(); }
};

SimulatedAutostartEntry& simulation()
{
    static SimulatedAutostartEntry s;
    return s;
}

} // namespace

void AutostartEntryHost::install()
{
    AutostartEntry::setBackend(&simulation());
}

void AutostartEntryHost::setApproved(bool approved)
{
    simulation().approved = approved;
}

void AutostartEntryHost::setRemovalRefused(bool refused)
{
    simulation().removalRefused = refused;
}

void AutostartEntryHost::reset()
{
    setApproved(true);
    setRemovalRefused(false);
}

} // namespace tavro
