#pragma once
// Tests and diagnostics only (TavroSimulation): routes every Platform facility that tests drive
// through its simulated backend, whose control surfaces are the *Host.h headers.

namespace tavro::Simulation {

void install();

} // namespace tavro::Simulation
