#pragma once

#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/ProfileDiscoveryDestinations.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace tavro::test {

// A Chrome-like destination for profile `profile` (absent: the current profile).
inline BrowserDestination destination(
    const QString& bundle, const std::optional<QString>& profile, qint64 sortOrder = 0)
{
    BrowserDestination d = ProfileDiscoveryService::makeDestination();
    d.browserID = bundle.section(QLatin1Char('.'), -1).toLower();
    d.browserDisplayName = bundle.section(QLatin1Char('.'), -1);
    d.browserBundleIdentifier = bundle;
    d.profileID = profile;
    d.profileDisplayName = profile.value_or(QStringLiteral("Current Profile"));
    d.launchStrategy
        = profile ? LaunchStrategy::chromiumProfileDirectory(*profile) : LaunchStrategy::browserCurrentProfile();
    d.sortOrder = sortOrder;
    return d;
}

inline QJsonObject parseObject(const QByteArray& json)
{
    return QJsonDocument::fromJson(json).object();
}

} // namespace tavro::test
