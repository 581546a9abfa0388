#include "Tavro/Platform/SystemSound.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/SystemSoundBackend.h"

namespace tavro {

namespace {
BackendSlot<SystemSound::Backend, Linux::SystemSoundBackend> backendSlot;
} // namespace

SystemSound::Backend& SystemSound::systemBackend()
{
    return backendSlot.system();
}

void SystemSound::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

void SystemSound::beep()
{
    backendSlot.current().beep();
}

} // namespace tavro
