#pragma once
// The control surface of LoginItems for tests and diagnostics: the user's approval of login items.

namespace tavro::LoginItemsHost {

// Whether the system lets this application register as a login item (allowed unless refused).
void setApproved(bool approved);

} // namespace tavro::LoginItemsHost
