#include "Tavro/Platform/Linux/KeyEventsBackend.h"

#include "Tavro/Platform/ModifierFlags.h"

#include <QGuiApplication>
#include <QThread>

namespace tavro::Linux {

quint64 KeyEventsBackend::flagsState(int)
{
    // The pointer's platform knows the keyboard only on the GUI thread.
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread())
        return 0;
    return ModifierFlag::fromQt(QGuiApplication::queryKeyboardModifiers());
}

} // namespace tavro::Linux
