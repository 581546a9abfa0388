#pragma once
// The alert sound on Linux: the toolkit's beep.

#include "Tavro/Platform/SystemSound.h"

namespace tavro::Linux {

class SystemSoundBackend final : public SystemSound::Backend
{
public:
    void beep() override;
};

} // namespace tavro::Linux
