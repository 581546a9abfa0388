#pragma once
// Starting Tavro at login, and the System Settings panes Tavro sends the user to.

#include "Tavro/Picker/HintBanner.h"
#include "Tavro/Platform/AutostartEntry.h"

#include <expected>

namespace tavro::LoginItem {

// Registers (true) or unregisters (false) Tavro as a login item. A refusal is logged and
// returned, so that the caller can put its switch back.
std::expected<void, AutostartError> setEnabled(bool enabled);

void openDefaultBrowserSettings();
void openAccessibilitySettings();
void openFilesAndFoldersSettings();

// What the hint banners' buttons do wherever a banner shows: list Tavro where the system asks
// (Accessibility, Files & Folders), then open that pane of System Settings.
HintBannerActions hintBannerActions();

} // namespace tavro::LoginItem
