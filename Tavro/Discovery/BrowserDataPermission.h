#pragma once

namespace tavro::BrowserDataPermission {

// Touches the "Local State" of every installed Chromium-family browser, so that the system
// records the access attempt and the user can then allow it in the Files & Folders settings.
// The outcomes are not used.
void probe();

} // namespace tavro::BrowserDataPermission
