#pragma once
// The application's activation on a Linux desktop: there is no Dock, and the window manager
// focuses windows.

#include "Tavro/Platform/Application.h"

namespace tavro::Linux {

class ApplicationBackend final : public Application::Backend
{
public:
    // A regular application and an accessory look alike.
    void setActivationPolicy(Application::ActivationPolicy) override { }
    void activate(bool ignoringOtherApps) override;
};

} // namespace tavro::Linux
