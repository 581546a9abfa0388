#include "Tavro/Platform/Screens.h"
#include "Tavro/Platform/InstalledBackend.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace tavro {

namespace {

// Qt's screens, the primary one first.
class SystemBackend final : public Screens::Backend
{
public:
    QList<Screens::Screen> screens() override
    {
        QList<Screens::Screen> result;
        QScreen* primary = QGuiApplication::primaryScreen();
        if (primary)
            result.append({primary->geometry(), primary->availableGeometry()});
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen != primary)
                result.append({screen->geometry(), screen->availableGeometry()});
        }
        return result;
    }
    QPoint pointerLocation() override { return QCursor::pos(); }
};

InstalledBackend<Screens::Backend> installedBackend;

Screens::Backend& backend()
{
    return installedBackend.orElse(Screens::systemBackend());
}

} // namespace

Screens::Backend& Screens::systemBackend()
{
    static SystemBackend system;
    return system;
}

void Screens::setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

QList<Screens::Screen> Screens::screens()
{
    return backend().screens();
}

QPoint Screens::pointerLocation()
{
    return backend().pointerLocation();
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
