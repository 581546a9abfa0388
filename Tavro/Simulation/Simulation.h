#pragma once
// Tests and diagnostics only (TavroSimulation): routes every Platform facility that tests drive
// through its simulated backend, whose control surfaces are the *Host.h headers.

namespace tavro::Simulation {

void install();
// Puts every simulated backend back in place as install() left it, in place of a backend a test
// installed: no simulated applications, nothing logged, every value the system's own. A test main
// calls it before each test.
void reset();

} // namespace tavro::Simulation
