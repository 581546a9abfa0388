#pragma once
// The control surface of AutostartEntry for tests and diagnostics (in TavroSimulation, never in the
// shipped program): the user's approval of login items, as the user would give it on a Mac.

namespace tavro::AutostartEntryHost {

// Routes AutostartEntry through the simulation, which keeps the approval and hands the entry itself
// to the system backend.
void install();
// Whether the system lets this application register as a login item (allowed unless refused); a
// registered entry that is not approved requires approval.
void setApproved(bool approved);
// Whether the system refuses to remove a registered login item (it does not unless told so).
void setRemovalRefused(bool refused);
// Approved, and removal allowed.
void reset();

} // namespace tavro::AutostartEntryHost
