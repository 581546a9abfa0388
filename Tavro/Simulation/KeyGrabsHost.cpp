#include "Tavro/Simulation/KeyGrabsHost.h"

namespace tavro {

namespace {

class SimulatedKeyGrabs final : public KeyGrabs::Backend
{
public:
    bool grab(const KeyGrabs::Combination& combination) override
    {
        if (refused.contains(combination))
            return false;
        held.append(combination);
        return true;
    }
    void ungrab(const KeyGrabs::Combination& combination) override { held.removeOne(combination); }

    QList<KeyGrabs::Combination> held;
    QList<KeyGrabs::Combination> refused;
};

SimulatedKeyGrabs& simulation()
{
    static SimulatedKeyGrabs s;
    return s;
}

} // namespace

void KeyGrabsHost::install()
{
    KeyGrabs::setBackend(&simulation());
}

QList<KeyGrabs::Combination> KeyGrabsHost::registered()
{
    return simulation().held;
}

void KeyGrabsHost::refuse(const KeyGrabs::Combination& combination)
{
    simulation().refused.append(combination);
}

void KeyGrabsHost::press(const KeyGrabs::Combination& combination)
{
    if (simulation().held.contains(combination))
        KeyGrabs::shared().deliver(combination);
}

void KeyGrabsHost::reset()
{
    simulation().refused.clear();
}

} // namespace tavro
