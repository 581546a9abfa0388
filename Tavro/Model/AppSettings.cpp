#include "Tavro/Model/AppSettings.h"

#include "Tavro/Model/JsonReader.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>

namespace tavro {

BypassModifier AppSettings::privateModifierGivingWayTo(BypassModifier bypass)
{
    return bypass == BypassModifier::shift ? BypassModifier::option : BypassModifier::shift;
}

void AppSettings::setBypassModifierKeepingKeysApart(BypassModifier modifier)
{
    bypassModifier = modifier;
    if (privateModifier == modifier)
        privateModifier = privateModifierGivingWayTo(modifier);
}

void AppSettings::setBypassDestinationKey(const QString& key)
{
    bypassDestinationKey = key.isEmpty() ? std::nullopt : std::optional<QString>(key);
}

std::optional<BrowserDestination> AppSettings::bypassDestination() const
{
    if (!bypassDestinationKey)
        return std::nullopt;
    for (const BrowserDestination& d : destinations) {
        if (d.matchKey() == *bypassDestinationKey)
            return d;
    }
    return std::nullopt;
}

QList<BypassDestinationRow> AppSettings::bypassDestinationRows(BypassDestinationMenu menu) const
{
    QList<const BrowserDestination*> available;
    for (const BrowserDestination& d : destinations) {
        if (d.isAvailable)
            available.append(&d);
    }
    if (menu == BypassDestinationMenu::preferences) {
        std::stable_sort(available.begin(), available.end(),
            [](const BrowserDestination* a, const BrowserDestination* b) { return a->sortOrder < b->sortOrder; });
    }
    //: Option in the What to open bypass setting: open bypassed links in the most recently used browser
    //: profile.
    QList<BypassDestinationRow> rows{{QString(), QCoreApplication::translate("Tavro", "Last Used")}};
    for (const BrowserDestination* destination : std::as_const(available))
        rows.append({destination->matchKey(), destination->menuLabel()});
    if (menu == BypassDestinationMenu::onboarding || !bypassDestinationKey)
        return rows;
    const QString& key = *bypassDestinationKey;
    // Among the destinations' rows: "Last Used" stands for no key at all.
    if (std::any_of(
            std::next(rows.cbegin()), rows.cend(), [&key](const BypassDestinationRow& row) { return row.key == key; }))
        return rows;
    const std::optional<BrowserDestination> stored = bypassDestination();
    const QString label = stored ? stored->menuLabel() : BrowserDestination::describe(key);
    //: Menu option in the What to open bypass setting for a saved profile that can no longer be found. %1 is a
    //: browser and profile, e.g. Chrome (Work).
    rows.append({key, QCoreApplication::translate("Tavro", "%1 (unavailable)").arg(label)});
    return rows;
}

QList<BrowserDestination> AppSettings::visibleDestinations() const
{
    // Sorted by reference and copied once: a record may hold many thousands of destinations.
    QList<const BrowserDestination*> order;
    for (const BrowserDestination& d : destinations) {
        if (d.isVisible && d.isAvailable)
            order.append(&d);
    }
    std::stable_sort(order.begin(), order.end(),
        [](const BrowserDestination* a, const BrowserDestination* b) { return a->sortOrder < b->sortOrder; });
    QList<BrowserDestination> visible;
    visible.reserve(order.size());
    for (const BrowserDestination* d : order)
        visible.append(*d);
    return visible;
}

QJsonObject AppSettings::toJson() const
{
    QJsonArray list;
    for (const BrowserDestination& destination : destinations)
        list.append(destination.toJson());
    QJsonObject json;
    json.insert(QStringLiteral("destinations"), list);
    if (lastUsedDestinationID)
        json.insert(QStringLiteral("lastUsedDestinationID"), uuidString(*lastUsedDestinationID));
    json.insert(QStringLiteral("bypassModifier"), rawValue(bypassModifier));
    json.insert(QStringLiteral("privateModifier"), rawValue(privateModifier));
    if (bypassDestinationKey)
        json.insert(QStringLiteral("bypassDestinationKey"), *bypassDestinationKey);
    json.insert(QStringLiteral("mode"), rawValue(mode));
    json.insert(QStringLiteral("showMenuBarIcon"), showMenuBarIcon);
    json.insert(QStringLiteral("launchAtLogin"), launchAtLogin);
    json.insert(QStringLiteral("hasCompletedOnboarding"), hasCompletedOnboarding);
    json.insert(QStringLiteral("reduceAnimations"), reduceAnimations);
    json.insert(QStringLiteral("emojiPosition"), rawValue(emojiPosition));
    json.insert(QStringLiteral("invertBypass"), invertBypass);
    json.insert(QStringLiteral("demoMode"), demoMode);
    json.insert(QStringLiteral("globalHotkeysEnabled"), globalHotkeysEnabled);
    json.insert(QStringLiteral("globalHotkeyPrefix"), rawValue(globalHotkeyPrefix));
    json.insert(QStringLiteral("appearance"), rawValue(appearance));
    return json;
}

QByteArray AppSettings::toJsonBytes() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}

namespace {

// An enumeration stored as its raw value: absent keeps the default, a non-string or unknown
// name is an error the caller either reports or swallows.
template <typename E> std::expected<std::optional<E>, DecodeError> readEnum(const JsonReader& r, const QString& key)
{
    auto raw = r.optionalString(key);
    if (!raw)
        return std::unexpected(raw.error());
    if (!*raw)
        return std::optional<E>();
    auto value = fromRawValue<E>(**raw);
    if (!value)
        return std::unexpected(r.error(DecodeError::Kind::dataCorrupted, key,
            QStringLiteral("Cannot initialize from invalid String value %1").arg(**raw)));
    return value;
}

// Reads leniently: any error keeps the default already in `field`.
template <typename T> void readLenient(T& field, std::expected<std::optional<T>, DecodeError> value)
{
    if (value && *value)
        field = **value;
}

AppAppearance appearanceFromString(const QString& raw)
{
    return fromRawValue<AppAppearance>(raw).value_or(AppAppearance::system);
}

} // namespace

std::expected<AppSettings, DecodeError> AppSettings::fromJson(const QJsonValue& json)
{
    auto reader = JsonReader::fromValue(json, {});
    if (!reader)
        return std::unexpected(reader.error());
    const JsonReader& r = *reader;

    AppSettings s;
    FieldDecoder read;

    const QString destinationsKey = QStringLiteral("destinations");
    if (!r.isAbsent(destinationsKey)) {
        auto array = r.array(destinationsKey);
        if (!array)
            return std::unexpected(array.error());
        for (qsizetype i = 0; i < array->size(); ++i) {
            auto destination = BrowserDestination::fromJson(
                array->at(i), r.pathOf(destinationsKey) + QLatin1Char('.') + QString::number(i));
            if (!destination)
                return std::unexpected(destination.error());
            s.destinations.append(*destination);
        }
    }

    read(s.lastUsedDestinationID, r.optionalUuid(QStringLiteral("lastUsedDestinationID")));
    read.orDefault(s.bypassModifier, readEnum<BypassModifier>(r, QStringLiteral("bypassModifier")));
    if (read.failure())
        return std::unexpected(*read.failure());

    // A decoded record never holds equal bypass and private keys: the private key gives way.
    BypassModifier requestedPrivate = BypassModifier::shift;
    readLenient(requestedPrivate, readEnum<BypassModifier>(r, QStringLiteral("privateModifier")));
    if (requestedPrivate != s.bypassModifier)
        s.privateModifier = requestedPrivate;
    else
        s.privateModifier = privateModifierGivingWayTo(s.bypassModifier);

    read(s.bypassDestinationKey, r.optionalString(QStringLiteral("bypassDestinationKey")));
    read.orDefault(s.mode, readEnum<RoutingMode>(r, QStringLiteral("mode")));
    read.orDefault(s.showMenuBarIcon, r.optionalBoolean(QStringLiteral("showMenuBarIcon")));
    read.orDefault(s.launchAtLogin, r.optionalBoolean(QStringLiteral("launchAtLogin")));
    read.orDefault(s.hasCompletedOnboarding, r.optionalBoolean(QStringLiteral("hasCompletedOnboarding")));
    read.orDefault(s.reduceAnimations, r.optionalBoolean(QStringLiteral("reduceAnimations")));
    if (read.failure())
        return std::unexpected(*read.failure());
    readLenient(s.emojiPosition, readEnum<EmojiPosition>(r, QStringLiteral("emojiPosition")));
    read.orDefault(s.invertBypass, r.optionalBoolean(QStringLiteral("invertBypass")));
    read.orDefault(s.demoMode, r.optionalBoolean(QStringLiteral("demoMode")));
    read.orDefault(s.globalHotkeysEnabled, r.optionalBoolean(QStringLiteral("globalHotkeysEnabled")));
    if (read.failure())
        return std::unexpected(*read.failure());
    readLenient(s.globalHotkeyPrefix, readEnum<HotkeyPrefix>(r, QStringLiteral("globalHotkeyPrefix")));

    // The appearance maps any unknown string to `system`; only a value that is no string is an
    // error, and that error is swallowed too.
    const QJsonValue appearance = r.object().value(QStringLiteral("appearance"));
    if (appearance.isString())
        s.appearance = appearanceFromString(appearance.toString());
    return s;
}

std::expected<AppSettings, DecodeError> AppSettings::fromJsonBytes(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return std::unexpected(DecodeError{DecodeError::Kind::dataCorrupted, {},
            QStringLiteral("The given data was not valid JSON: %1").arg(error.errorString())});
    if (!document.isObject())
        return std::unexpected(DecodeError{DecodeError::Kind::typeMismatch, {},
            QStringLiteral("Expected to decode a dictionary but found something else.")});
    return fromJson(document.object());
}

} // namespace tavro
