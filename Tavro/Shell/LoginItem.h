#pragma once
// Starting Tavro at login, and the System Settings panes Tavro sends the user to.

#include "Tavro/Platform/AutostartEntry.h"

#include <expected>

namespace tavro {
class HintBanner;
}

namespace tavro::LoginItem {

// Registers (true) or unregisters (false) Tavro as a login item. A refusal is logged and
// returned, so that the caller can put its switch back.
[[nodiscard]] std::expected<void, AutostartError> setEnabled(bool enabled);

// Whether this desktop opens System Settings' panes; where it does not, the buttons below lead
// nowhere and are not offered.
bool systemSettingsOpen();
void openDefaultBrowserSettings();
void openAccessibilitySettings();
void openFilesAndFoldersSettings();

// What a hint banner's buttons do wherever a banner shows: list Tavro where the system asks
// (Accessibility, Files & Folders), then open that pane of System Settings. "Re-check" is the
// banner's host's to connect.
void connectHintBanner(const HintBanner* banner);
} // namespace tavro::LoginItem
