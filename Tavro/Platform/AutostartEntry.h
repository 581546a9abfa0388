#pragma once
// Stands for Service Management's login items: whether the main application starts at login.
// Kept as a Linux desktop keeps it: an XDG autostart entry, "$XDG_CONFIG_HOME/autostart/tavro.desktop",
// whose command marks the launch as a login launch.

#include <QString>

#include <expected>

namespace tavro {

enum class AutostartError {
    notPermitted,  // the user (or a policy) does not allow this application to start at login
    notRegistered, // unregistering an application that is not a login item
};

QString description(AutostartError error);

namespace AutostartEntry {

enum class Status { notRegistered, enabled, requiresApproval };

// What the calls below go through. The system backend knows no approval: the desktop runs every
// autostart entry it finds, so it never answers requiresApproval.
class Backend
{
public:
    virtual ~Backend() = default;
    [[nodiscard]] virtual std::expected<void, AutostartError> registerMainApp() = 0;
    [[nodiscard]] virtual std::expected<void, AutostartError> unregisterMainApp() = 0;
    virtual Status status() = 0;
};
Backend& systemBackend();
// Routes the calls below to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

// Registers or unregisters the main application (this program) as a login item. An autostart
// folder that cannot be written to refuses the registration.
[[nodiscard]] std::expected<void, AutostartError> registerMainApp();
[[nodiscard]] std::expected<void, AutostartError> unregisterMainApp();
// An entry the user switched off in the desktop's session settings (Hidden=true, or GNOME's
// X-GNOME-Autostart-enabled=false) is not registered.
Status status();

// The autostart entry.
QString entryPath();

} // namespace AutostartEntry
} // namespace tavro
