#include "Tavro/Platform/SystemSound.h"
#include "Tavro/Platform/SystemSoundHost.h"

#include <QApplication>

namespace tavro {

namespace {
int beeps = 0;
} // namespace

void SystemSound::beep()
{
    ++beeps;
    QApplication::beep();
}

int SystemSoundHost::beepCount()
{
    return beeps;
}

void SystemSoundHost::resetBeepCount()
{
    beeps = 0;
}

} // namespace tavro
