#pragma once
// The sections of the Preferences window, in sidebar order. A value of its own, below the
// windows, so that whoever opens Preferences on a section can name it without the window's code.

namespace tavro {

enum class SettingsSection {
    destinations,
    appearance,
    shortcuts,
    system,
    permissions,
    accessibility,
    privacy,
    otherProjects,
    help,
    about,
};

} // namespace tavro
