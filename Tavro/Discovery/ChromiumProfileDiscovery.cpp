#include "Tavro/Discovery/ChromiumProfileDiscovery.h"

#include "Tavro/Platform/FileSystemReading.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

namespace tavro::ChromiumProfileDiscovery {

std::expected<QList<DiscoveredProfile>, ProfileDataError> profiles(
    const std::optional<QString>& userDataDir, const FileSystemReading& fileSystem)
{
    if (!userDataDir)
        return QList<DiscoveredProfile>{};
    const QString& dataDir = *userDataDir;
    const QString localStatePath = dataDir + QStringLiteral("/Local State");
    const std::optional<QByteArray> localState = fileSystem.contents(localStatePath);
    if (!localState) {
        if (fileSystem.fileExists(localStatePath))
            return std::unexpected(ProfileDataError::unreadable);
        return QList<DiscoveredProfile>{};
    }
    return parse(*localState, dataDir, fileSystem);
}

std::expected<QList<DiscoveredProfile>, ProfileDataError> parse(
    const QByteArray& localState, const QString& userDataDir, const FileSystemReading& fileSystem)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(localState, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::unexpected(ProfileDataError::malformed);
    // The browser keeps one object per profile in "profile" → "info_cache". Any other shape is a
    // file caught half-written, or not the browser's: it says nothing about the profiles, and read
    // as a browser without any it would cost the user every stored profile and its settings.
    const QJsonValue profile = document.object().value(QLatin1String("profile"));
    const QJsonValue infoCacheValue = profile.toObject().value(QLatin1String("info_cache"));
    if (!profile.isObject() || !infoCacheValue.isObject())
        return std::unexpected(ProfileDataError::malformed);
    const QJsonObject infoCache = infoCacheValue.toObject();
    if (!std::all_of(infoCache.begin(), infoCache.end(), [](const QJsonValue& entry) { return entry.isObject(); }))
        return std::unexpected(ProfileDataError::malformed);

    QStringList order;
    // Only a list of strings counts; a list with anything else in it is no order at all.
    if (const QJsonValue orderValue = profile.toObject().value(QLatin1String("profiles_order")); orderValue.isArray()) {
        const QJsonArray array = orderValue.toArray();
        const bool allStrings
            = std::all_of(array.begin(), array.end(), [](const QJsonValue& v) { return v.isString(); });
        if (allStrings) {
            for (const QJsonValue& key : array)
                order.append(key.toString());
        }
    }

    QSet<QString> handled;
    QList<DiscoveredProfile> result;
    auto handle = [&](const QString& key) {
        if (handled.contains(key))
            return;
        // A key of the order that the cache lacks.
        const QJsonValue entryValue = infoCache.value(key);
        if (!entryValue.isObject())
            return;
        const QJsonObject entry = entryValue.toObject();
        const QString profileDir = userDataDir + QLatin1Char('/') + key;
        if (!fileSystem.fileExists(profileDir))
            return;
        const QJsonValue name = entry.value(QLatin1String("name"));
        const QString displayName = name.isString() && !name.toString().isEmpty() ? name.toString() : key;
        std::optional<QString> photo;
        const QJsonValue picture = entry.value(QLatin1String("gaia_picture_file_name"));
        if (picture.isString() && !picture.toString().isEmpty()) {
            const QString photoPath = profileDir + QLatin1Char('/') + picture.toString();
            if (fileSystem.fileExists(photoPath))
                photo = photoPath;
        }
        result.append(DiscoveredProfile{key, displayName, photo});
        handled.insert(key);
    };

    for (const QString& key : std::as_const(order))
        handle(key);
    // Plain code-unit order: "Profile 10" sorts before "Profile 2".
    QStringList keys = infoCache.keys();
    std::sort(keys.begin(), keys.end());
    for (const QString& key : std::as_const(keys))
        handle(key);
    return result;
}

} // namespace tavro::ChromiumProfileDiscovery
