#include "Tavro/Platform/LoginItems.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/UserDefaults.h"

#include <QDir>

namespace tavro {

QString description(LoginItemsError error)
{
    switch (error) {
    case LoginItemsError::notPermitted:
        return QStringLiteral("Operation not permitted");
    case LoginItemsError::notRegistered:
        return QStringLiteral("Can’t find the login item to remove");
    }
    return {};
}

namespace {
QString registeredKey()
{
    return AppInfo::bundleIdentifier() + QStringLiteral("/registered");
}
bool isApproved(const UserDefaults& store)
{
    const QVariant approved = store.value(LoginItems::approvalKey());
    return !approved.isValid() || approved.toBool();
}
} // namespace

namespace LoginItems {

QString storePath()
{
    return QDir::homePath() + QStringLiteral("/Library/Preferences/com.apple.backgroundtaskmanagement.plist");
}

QString approvalKey()
{
    return AppInfo::bundleIdentifier() + QStringLiteral("/approved");
}

std::expected<void, LoginItemsError> registerMainApp()
{
    UserDefaults store(storePath());
    if (!isApproved(store))
        return std::unexpected(LoginItemsError::notPermitted);
    store.setValue(registeredKey(), true);
    return {};
}

std::expected<void, LoginItemsError> unregisterMainApp()
{
    UserDefaults store(storePath());
    if (!store.value(registeredKey()).toBool())
        return std::unexpected(LoginItemsError::notRegistered);
    store.setValue(registeredKey(), false);
    return {};
}

Status status()
{
    UserDefaults store(storePath());
    if (!store.value(registeredKey()).toBool())
        return Status::notRegistered;
    return isApproved(store) ? Status::enabled : Status::requiresApproval;
}

} // namespace LoginItems

} // namespace tavro
