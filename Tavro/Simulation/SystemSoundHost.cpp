#include "Tavro/Simulation/SystemSoundHost.h"
#include "Tavro/Platform/SystemSound.h"

namespace tavro {

namespace {

class CountingSystemSound final : public SystemSound::Backend
{
public:
    void beep() override
    {
        ++count;
        SystemSound::systemBackend().beep();
    }

    int count = 0;
};

CountingSystemSound& simulation()
{
    static CountingSystemSound s;
    return s;
}

} // namespace

void SystemSoundHost::install()
{
    SystemSound::setBackend(&simulation());
}

int SystemSoundHost::beepCount()
{
    return simulation().count;
}

void SystemSoundHost::reset()
{
    simulation().count = 0;
}

} // namespace tavro
