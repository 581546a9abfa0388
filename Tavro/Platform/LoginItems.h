#pragma once
// Stands for Service Management's login items: whether the main application starts at login.
// Kept in a defaults file of its own under the user's Preferences.

#include <QString>

#include <expected>

namespace tavro {

enum class LoginItemsError {
    notPermitted,  // the user (or a policy) does not allow this application to start at login
    notRegistered, // unregistering an application that is not a login item
};

QString description(LoginItemsError error);

namespace LoginItems {

enum class Status { notRegistered, enabled, requiresApproval };

// Registers or unregisters the main application (this bundle identifier) as a login item.
std::expected<void, LoginItemsError> registerMainApp();
std::expected<void, LoginItemsError> unregisterMainApp();
Status status();

QString storePath();
// The store's key for the user's approval of this application; allowed while it is absent.
QString approvalKey();

} // namespace LoginItems
} // namespace tavro
