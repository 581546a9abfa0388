#include "Tavro/Simulation/HotKeysHost.h"

namespace tavro {

namespace {

class SimulatedHotKeys final : public HotKeys::Backend
{
public:
    bool grab(const HotKeys::Combination& combination) override
    {
        if (refused.contains(combination))
            return false;
        held.append(combination);
        return true;
    }
    void ungrab(const HotKeys::Combination& combination) override { held.removeOne(combination); }

    QList<HotKeys::Combination> held;
    QList<HotKeys::Combination> refused;
};

SimulatedHotKeys& simulation()
{
    static SimulatedHotKeys s;
    return s;
}

} // namespace

void HotKeysHost::install()
{
    HotKeys::setBackend(&simulation());
}

QList<HotKeys::Combination> HotKeysHost::registered()
{
    return simulation().held;
}

void HotKeysHost::refuse(const HotKeys::Combination& combination)
{
    simulation().refused.append(combination);
}

void HotKeysHost::press(const HotKeys::Combination& combination)
{
    if (simulation().held.contains(combination))
        HotKeys::shared().deliver(combination);
}

void HotKeysHost::reset()
{
    simulation().refused.clear();
}

} // namespace tavro
