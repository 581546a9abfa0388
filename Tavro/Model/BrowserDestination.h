#pragma once

#include "Tavro/Model/DecodeError.h"
#include "Tavro/Model/LaunchStrategy.h"

#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <expected>
#include <optional>

namespace tavro {

// One petal of the picker: one browser with one of its profiles, the recipe that opens it,
// and the user's choices for it.
struct BrowserDestination
{
    QUuid id;
    QString browserID;
    QString browserDisplayName;
    QString browserBundleIdentifier;
    std::optional<QString> browserExecutablePath;
    std::optional<QString> profileID; // absent: the browser's current profile
    QString profileDisplayName;
    LaunchStrategy launchStrategy;
    bool isVisible = true;
    qint64 sortOrder = 0;
    bool isAvailable = true;
    std::optional<QString> hotkey;
    std::optional<QString> profileEmoji;
    std::optional<quint32> nodeColorHex;
    std::optional<QString> profilePhotoPath;
    bool preferEmojiOverPhoto = false;

    bool operator==(const BrowserDestination&) const = default;

    // "<bundle identifier>#<profile id>", "_current" standing for an absent profile id:
    // identifies the same browser profile across scans.
    QString matchKey() const;
    // "Chrome (Work)", or the browser name alone for a browser without profile support.
    QString menuLabel() const;
    // A label made from a bare match key, without looking the browser up: "Chrome (Work)",
    // "firefox (Flatpak) (Work)" for a Flatpak's profile.
    static QString describe(const QString& matchKey);

    QJsonObject toJson() const;
    [[nodiscard]] static std::expected<BrowserDestination, DecodeError> fromJson(
        const QJsonValue& json, const QString& codingPath = {});
};

// The profile part of a match key for a destination that opens the browser's current profile.
inline constexpr QLatin1StringView currentProfileKey{"_current"};

} // namespace tavro
