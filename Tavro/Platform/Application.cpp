#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/ApplicationBackend.h"

namespace tavro {

namespace {
BackendSlot<Application::Backend, Linux::ApplicationBackend> backendSlot;
} // namespace

Application::Backend& Application::systemBackend()
{
    return backendSlot.system();
}

void Application::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

void Application::setActivationPolicy(ActivationPolicy policy)
{
    backendSlot.current().setActivationPolicy(policy);
}

void Application::activate(bool ignoringOtherApps)
{
    backendSlot.current().activate(ignoringOtherApps);
}

} // namespace tavro
