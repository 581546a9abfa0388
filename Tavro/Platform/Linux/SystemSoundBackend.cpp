#include "Tavro/Platform/Linux/SystemSoundBackend.h"

#include <QApplication>

namespace tavro::Linux {

void SystemSoundBackend::beep()
{
    QApplication::beep();
}

} // namespace tavro::Linux
