#pragma once
// The control surface of AutostartEntry for tests and diagnostics (in TavroSimulation, never in the
// shipped program): the user's approval of login items, as the user would give it.

namespace tavro::AutostartEntryHost {

// Whether the system lets this application register as a login item (allowed unless refused).
void setApproved(bool approved);
// Whether the system refuses to remove a registered login item (it does not unless told so).
void setRemovalRefused(bool refused);

} // namespace tavro::AutostartEntryHost
