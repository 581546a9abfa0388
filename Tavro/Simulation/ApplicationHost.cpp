#include "Tavro/Simulation/ApplicationHost.h"

namespace tavro {

namespace {

class RecordingApplication final : public Application::Backend
{
public:
    void setActivationPolicy(Application::ActivationPolicy value) override
    {
        policy = value;
        Application::systemBackend().setActivationPolicy(value);
    }

    void activate(bool ignoringOtherApps) override
    {
        ++activations;
        Application::systemBackend().activate(ignoringOtherApps);
    }

    Application::ActivationPolicy policy = Application::ActivationPolicy::regular;
    int activations = 0;
};

RecordingApplication& simulation()
{
    static RecordingApplication s;
    return s;
}

} // namespace

void ApplicationHost::install()
{
    Application::setBackend(&simulation());
}

Application::ActivationPolicy ApplicationHost::activationPolicy()
{
    return simulation().policy;
}

int ApplicationHost::activationCount()
{
    return simulation().activations;
}

void ApplicationHost::reset()
{
    simulation().policy = Application::ActivationPolicy::regular;
    simulation().activations = 0;
}

} // namespace tavro
