#pragma once

#include <QString>

// Names posted on the NotificationCenter.
namespace tavro::Notifications {

// Posted after every write of the settings record, with no payload.
inline const QString settingsChanged = QStringLiteral("tavro.settingsChanged");
// Posted by Help to show the onboarding window again.
inline const QString showOnboarding = QStringLiteral("tavro.showOnboarding");
// Posted by the delegate with a Settings section as payload.
inline const QString showSettingsSection = QStringLiteral("tavro.showSettingsSection");

} // namespace tavro::Notifications
