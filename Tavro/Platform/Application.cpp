#include "Tavro/Platform/Application.h"
#include "Tavro/Platform/InstalledBackend.h"

#include <QApplication>
#include <QWidget>

namespace tavro {

namespace {

class SystemBackend final : public Application::Backend
{
public:
    // There is no Dock here: a regular application and an accessory look alike.
    void setActivationPolicy(Application::ActivationPolicy) override { }

    void activate(bool) override
    {
        // Here an application has no focus of its own: each window asks the window manager for
        // focus when it is made key, so the window made key last is already in front.
        if (QWidget* window = QApplication::activeWindow())
            window->raise();
    }
};

InstalledBackend<Application::Backend> installedBackend;

} // namespace

Application::Backend& Application::systemBackend()
{
    static SystemBackend system;
    return system;
}

void Application::setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

void Application::setActivationPolicy(ActivationPolicy policy)
{
    installedBackend.orElse(systemBackend()).setActivationPolicy(policy);
}

void Application::activate(bool ignoringOtherApps)
{
    installedBackend.orElse(systemBackend()).activate(ignoringOtherApps);
}

} // namespace tavro
