#pragma once

#include <QString>

// Names posted on the NotificationCenter.
namespace tavro::Notifications {

// Posted by Help to show the onboarding window again.
inline const QString showOnboarding = QStringLiteral("tavro.showOnboarding");
// Posted by the delegate with a Settings section as payload.
inline const QString showSettingsSection = QStringLiteral("tavro.showSettingsSection");

} // namespace tavro::Notifications
