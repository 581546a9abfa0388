#pragma once
// Stands for the system alert sound (the beep that answers a refused action).

namespace tavro::SystemSound {

void beep();

} // namespace tavro::SystemSound
