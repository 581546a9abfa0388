#include "Tavro/Platform/Screens.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/ScreensBackend.h"

namespace tavro {

namespace {
BackendSlot<Screens::Backend, Linux::ScreensBackend> backendSlot;
} // namespace

Screens::Backend& Screens::systemBackend()
{
    return backendSlot.system();
}

void Screens::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

QList<Screens::Screen> Screens::screens()
{
    return backendSlot.current().screens();
}

QPoint Screens::pointerLocation()
{
    return backendSlot.current().pointerLocation();
}

std::optional<Screens::Screen> Screens::screenAt(QPoint point)
{
    const auto all = screens();
    for (const Screen& screen : all) {
        if (screen.frame.contains(point))
            return screen;
    }
    if (all.isEmpty())
        return std::nullopt;
    return all.first();
}

} // namespace tavro
