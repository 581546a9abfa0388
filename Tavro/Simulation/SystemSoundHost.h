#pragma once
// Test surface of the simulated SystemSound backend (in TavroSimulation, never in the shipped
// program): how many beeps were played.

namespace tavro::SystemSoundHost {

// Routes SystemSound through the simulation, which counts each beep and plays it.
void install();
int beepCount();
void reset();

} // namespace tavro::SystemSoundHost
