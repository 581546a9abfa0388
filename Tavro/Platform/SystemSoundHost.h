#pragma once
// Test surface of SystemSound: how many beeps were played.

namespace tavro::SystemSoundHost {

int beepCount();
void resetBeepCount();

} // namespace tavro::SystemSoundHost
