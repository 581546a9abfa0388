#include "Tavro/Model/BrowserDestination.h"

#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/JsonReader.h"
#include "Tavro/Platform/DesktopApplications.h"

namespace tavro {

QString BrowserDestination::matchKey() const
{
    return browserBundleIdentifier + QLatin1Char('#') + profileID.value_or(QString(currentProfileKey));
}

QString BrowserDestination::menuLabel() const
{
    const auto row = BrowserDefinition::definition(browserBundleIdentifier);
    if (row && row->noProfilesLabel())
        return browserDisplayName;
    return browserDisplayName + QStringLiteral(" (") + profileDisplayName + QLatin1Char(')');
}

QString BrowserDestination::describe(const QString& matchKey)
{
    const qsizetype hash = matchKey.indexOf(QLatin1Char('#'));
    const QString bundle = hash < 0 ? matchKey : matchKey.left(hash);
    const std::optional<QString> profile = hash < 0 ? std::nullopt : std::optional(matchKey.mid(hash + 1));

    const QString application = DesktopApplications::applicationIdentifier(bundle);
    const QString install = DesktopApplications::installName(bundle);
    const QStringList pieces = application.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    const QString name = pieces.isEmpty() ? application : pieces.last();
    const QString browser = install.isEmpty() ? name : name + QStringLiteral(" (") + install + QLatin1Char(')');
    if (!profile || *profile == currentProfileKey)
        return browser;
    return browser + QStringLiteral(" (") + *profile + QLatin1Char(')');
}

QJsonObject BrowserDestination::toJson() const
{
    QJsonObject json;
    json.insert(QStringLiteral("id"), uuidString(id));
    json.insert(QStringLiteral("browserID"), browserID);
    json.insert(QStringLiteral("browserDisplayName"), browserDisplayName);
    json.insert(QStringLiteral("browserBundleIdentifier"), browserBundleIdentifier);
    if (browserExecutablePath)
        json.insert(QStringLiteral("browserExecutablePath"), *browserExecutablePath);
    if (profileID)
        json.insert(QStringLiteral("profileID"), *profileID);
    json.insert(QStringLiteral("profileDisplayName"), profileDisplayName);
    json.insert(QStringLiteral("launchStrategy"), launchStrategy.toJson());
    json.insert(QStringLiteral("isVisible"), isVisible);
    json.insert(QStringLiteral("sortOrder"), sortOrder);
    json.insert(QStringLiteral("isAvailable"), isAvailable);
    if (hotkey)
        json.insert(QStringLiteral("hotkey"), *hotkey);
    if (profileEmoji)
        json.insert(QStringLiteral("profileEmoji"), *profileEmoji);
    if (nodeColorHex)
        json.insert(QStringLiteral("nodeColorHex"), static_cast<qint64>(*nodeColorHex));
    if (profilePhotoPath)
        json.insert(QStringLiteral("profilePhotoPath"), *profilePhotoPath);
    json.insert(QStringLiteral("preferEmojiOverPhoto"), preferEmojiOverPhoto);
    return json;
}

std::expected<BrowserDestination, DecodeError> BrowserDestination::fromJson(
    const QJsonValue& json, const QString& codingPath)
{
    auto reader = JsonReader::fromValue(json, codingPath);
    if (!reader)
        return std::unexpected(reader.error());
    const JsonReader& r = *reader;

    BrowserDestination d;
    FieldDecoder read;
    read(d.id, r.uuid(QStringLiteral("id")));
    read(d.browserID, r.string(QStringLiteral("browserID")));
    read(d.browserDisplayName, r.string(QStringLiteral("browserDisplayName")));
    read(d.browserBundleIdentifier, r.string(QStringLiteral("browserBundleIdentifier")));
    read(d.browserExecutablePath, r.optionalString(QStringLiteral("browserExecutablePath")));
    read(d.profileID, r.optionalString(QStringLiteral("profileID")));
    read(d.profileDisplayName, r.string(QStringLiteral("profileDisplayName")));
    const QString strategyKey = QStringLiteral("launchStrategy");
    if (r.isAbsent(strategyKey))
        read.fail(
            r.error(DecodeError::Kind::keyNotFound, strategyKey, QStringLiteral("No value associated with key.")));
    else
        read(d.launchStrategy, LaunchStrategy::fromJson(r.object().value(strategyKey), r.pathOf(strategyKey)));
    read(d.isVisible, r.boolean(QStringLiteral("isVisible")));
    read(d.sortOrder, r.int64(QStringLiteral("sortOrder")));
    read(d.isAvailable, r.boolean(QStringLiteral("isAvailable")));
    read(d.hotkey, r.optionalString(QStringLiteral("hotkey")));
    read(d.profileEmoji, r.optionalString(QStringLiteral("profileEmoji")));
    read(d.nodeColorHex, r.optionalUInt32(QStringLiteral("nodeColorHex")));
    read(d.profilePhotoPath, r.optionalString(QStringLiteral("profilePhotoPath")));
    std::optional<bool> prefer;
    read(prefer, r.optionalBoolean(QStringLiteral("preferEmojiOverPhoto")));
    if (read.failure())
        return std::unexpected(*read.failure());
    d.preferEmojiOverPhoto = prefer.value_or(false);
    return d;
}

} // namespace tavro
