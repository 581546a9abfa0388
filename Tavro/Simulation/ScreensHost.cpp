#include "Tavro/Simulation/ScreensHost.h"

namespace tavro {

namespace {

class SimulatedScreens final : public Screens::Backend
{
public:
    QList<Screens::Screen> screens() override
    {
        return fixedScreens ? *fixedScreens : Screens::systemBackend().screens();
    }
    QPoint pointerLocation() override
    {
        return fixedPointer ? *fixedPointer : Screens::systemBackend().pointerLocation();
    }

    std::optional<QList<Screens::Screen>> fixedScreens;
    std::optional<QPoint> fixedPointer;
};

SimulatedScreens& simulation()
{
    static SimulatedScreens s;
    return s;
}

} // namespace

void ScreensHost::install()
{
    Screens::setBackend(&simulation());
}

void ScreensHost::setScreens(const QList<Screens::Screen>& screens)
{
    simulation().fixedScreens = screens;
}

void ScreensHost::setPointerLocation(QPoint point)
{
    simulation().fixedPointer = point;
}

void ScreensHost::reset()
{
    simulation().fixedScreens.reset();
    simulation().fixedPointer.reset();
}

} // namespace tavro
