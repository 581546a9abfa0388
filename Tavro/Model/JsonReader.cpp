#include "Tavro/Model/JsonReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tavro {

namespace {

// Integral JSON numbers only: 2.0 is accepted, 2.5 is not, and values beyond 2^53 keep
// their exact value because Qt parses them as 64-bit integers.
std::optional<qint64> exactInteger(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const QVariant variant = value.toVariant();
    if (variant.typeId() == QMetaType::LongLong || variant.typeId() == QMetaType::Int)
        return variant.toLongLong();
    const double d = value.toDouble();
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (!std::isfinite(d) || std::trunc(d) != d || d < -limit || d >= limit)
        return std::nullopt;
    return static_cast<qint64>(d);
}

} // namespace

JsonReader::JsonReader(const QJsonObject& object, QString codingPath) : m_object(object), m_path(std::move(codingPath))
{ }

std::expected<JsonReader, DecodeError> JsonReader::fromValue(const QJsonValue& value, const QString& codingPath)
{
    if (!value.isObject())
        return std::unexpected(DecodeError{DecodeError::Kind::typeMismatch, codingPath,
            QStringLiteral("Expected to decode a dictionary but found something else.")});
    return JsonReader(value.toObject(), codingPath);
}

QString JsonReader::pathOf(const QString& key) const
{
    return m_path.isEmpty() ? key : m_path + QLatin1Char('.') + key;
}

bool JsonReader::isAbsent(const QString& key) const
{
    const QJsonValue value = m_object.value(key);
    return value.isUndefined() || value.isNull();
}

DecodeError JsonReader::error(DecodeError::Kind kind, const QString& key, const QString& description) const
{
    return DecodeError{kind, pathOf(key), description};
}

namespace {

template <typename T, typename Read>
[[nodiscard]] std::expected<std::optional<T>, DecodeError> readOptional(
    const JsonReader& reader, const QString& key, Read read)
{
    if (reader.isAbsent(key))
        return std::optional<T>();
    auto value = read(reader.object().value(key));
    if (!value)
        return std::unexpected(reader.error(DecodeError::Kind::typeMismatch, key, value.error()));
    return std::optional<T>(*value);
}

template <typename T, typename Read>
[[nodiscard]] std::expected<T, DecodeError> readRequired(const JsonReader& reader, const QString& key, Read read)
{
    if (reader.isAbsent(key)) {
        const bool missing = reader.object().value(key).isUndefined();
        return std::unexpected(reader.error(missing ? DecodeError::Kind::keyNotFound : DecodeError::Kind::valueNotFound,
            key, missing ? QStringLiteral("No value associated with key.") : QStringLiteral("Found a null value.")));
    }
    auto value = read(reader.object().value(key));
    if (!value)
        return std::unexpected(reader.error(DecodeError::Kind::typeMismatch, key, value.error()));
    return *value;
}

[[nodiscard]] std::expected<QString, QString> asString(const QJsonValue& v)
{
    if (!v.isString())
        return std::unexpected(QStringLiteral("Expected a string."));
    return v.toString();
}

[[nodiscard]] std::expected<bool, QString> asBool(const QJsonValue& v)
{
    if (!v.isBool())
        return std::unexpected(QStringLiteral("Expected a Boolean."));
    return v.toBool();
}

[[nodiscard]] std::expected<qint64, QString> asInt64(const QJsonValue& v)
{
    const auto i = exactInteger(v);
    if (!i)
        return std::unexpected(QStringLiteral("Expected a whole number."));
    return *i;
}

[[nodiscard]] std::expected<quint32, QString> asUInt32(const QJsonValue& v)
{
    const auto i = exactInteger(v);
    if (!i || *i < 0 || *i > std::numeric_limits<quint32>::max())
        return std::unexpected(QStringLiteral("Expected a whole number from 0 to 4294967295."));
    return static_cast<quint32>(*i);
}

[[nodiscard]] std::expected<QUuid, QString> asUuid(const QJsonValue& v)
{
    if (!v.isString())
        return std::unexpected(QStringLiteral("Expected a string."));
    const auto uuid = parseUuid(v.toString());
    if (!uuid)
        return std::unexpected(QStringLiteral("Attempted to decode UUID from invalid UUID string."));
    return *uuid;
}

} // namespace

std::expected<QString, DecodeError> JsonReader::string(const QString& key) const
{
    return readRequired<QString>(*this, key, asString);
}

std::expected<std::optional<QString>, DecodeError> JsonReader::optionalString(const QString& key) const
{
    return readOptional<QString>(*this, key, asString);
}

std::expected<bool, DecodeError> JsonReader::boolean(const QString& key) const
{
    return readRequired<bool>(*this, key, asBool);
}

std::expected<std::optional<bool>, DecodeError> JsonReader::optionalBoolean(const QString& key) const
{
    return readOptional<bool>(*this, key, asBool);
}

std::expected<qint64, DecodeError> JsonReader::int64(const QString& key) const
{
    return readRequired<qint64>(*this, key, asInt64);
}

std::expected<std::optional<quint32>, DecodeError> JsonReader::optionalUInt32(const QString& key) const
{
    return readOptional<quint32>(*this, key, asUInt32);
}

std::expected<QUuid, DecodeError> JsonReader::uuid(const QString& key) const
{
    return readRequired<QUuid>(*this, key, asUuid);
}

std::expected<std::optional<QUuid>, DecodeError> JsonReader::optionalUuid(const QString& key) const
{
    return readOptional<QUuid>(*this, key, asUuid);
}

std::expected<QJsonArray, DecodeError> JsonReader::array(const QString& key) const
{
    return readRequired<QJsonArray>(*this, key, [](const QJsonValue& v) -> std::expected<QJsonArray, QString> {
        if (!v.isArray())
            return std::unexpected(QStringLiteral("Expected an array."));
        return v.toArray();
    });
}

std::expected<QStringList, DecodeError> JsonReader::stringArray(const QString& key) const
{
    return readRequired<QStringList>(*this, key, [](const QJsonValue& v) -> std::expected<QStringList, QString> {
        if (!v.isArray())
            return std::unexpected(QStringLiteral("Expected an array of strings."));
        QStringList strings;
        for (const QJsonValue& element : v.toArray()) {
            if (!element.isString())
                return std::unexpected(QStringLiteral("Expected an array of strings."));
            strings.append(element.toString());
        }
        return strings;
    });
}

QString uuidString(const QUuid& uuid)
{
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> parseUuid(const QString& text)
{
    // Eight, four, four, four and twelve hexadecimal digits joined by hyphens, nothing around them.
    const auto isHex = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    };
    constexpr std::array hyphens{8, 13, 18, 23};
    if (text.size() != 36)
        return std::nullopt;
    for (int i = 0; i < 36; ++i) {
        const bool hyphen = std::ranges::find(hyphens, i) != hyphens.end();
        if (hyphen ? text.at(i) != QLatin1Char('-') : !isHex(text.at(i)))
            return std::nullopt;
    }
    return QUuid::fromString(text);
}

} // namespace tavro
