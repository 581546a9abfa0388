#pragma once
// Hot keys on Linux. On an X11 display a registration is a passive key grab on the root window;
// elsewhere (offscreen, Wayland) nothing reaches the keyboard system-wide, and registrations are
// kept and never fire.

#include "Tavro/Platform/KeyGrabs.h"

#include <memory>

namespace tavro::Linux {

class KeyGrabsBackend final : public KeyGrabs::Backend
{
public:
    KeyGrabsBackend();
    ~KeyGrabsBackend() override;
    bool grab(const KeyGrabs::Combination& combination) override;
    void ungrab(const KeyGrabs::Combination& combination) override;

private:
    // The grabs of the display Qt runs on, or the kept registrations without an X11 display.
    std::unique_ptr<KeyGrabs::Backend> m_display;
};

} // namespace tavro::Linux
