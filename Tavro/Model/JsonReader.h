#pragma once

#include "Tavro/Model/DecodeError.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>
#include <QUuid>

#include <expected>
#include <optional>

namespace tavro {

// Typed reads from one JSON object, with the strictness stored records need: a required key
// that is missing or null fails, an optional key that is missing or null is absent, and a
// present value of the wrong type fails either way.
class JsonReader
{
public:
    JsonReader(const QJsonObject& object, QString codingPath);

    static std::expected<JsonReader, DecodeError> fromValue(const QJsonValue& value, const QString& codingPath);

    const QJsonObject& object() const { return m_object; }
    const QString& codingPath() const { return m_path; }
    QString pathOf(const QString& key) const;

    // Missing keys and JSON null both count as absent.
    bool isAbsent(const QString& key) const;

    std::expected<QString, DecodeError> string(const QString& key) const;
    std::expected<std::optional<QString>, DecodeError> optionalString(const QString& key) const;
    std::expected<bool, DecodeError> boolean(const QString& key) const;
    std::expected<std::optional<bool>, DecodeError> optionalBoolean(const QString& key) const;
    std::expected<qint64, DecodeError> int64(const QString& key) const;
    std::expected<std::optional<quint32>, DecodeError> optionalUInt32(const QString& key) const;
    std::expected<QUuid, DecodeError> uuid(const QString& key) const;
    std::expected<std::optional<QUuid>, DecodeError> optionalUuid(const QString& key) const;
    std::expected<QStringList, DecodeError> stringArray(const QString& key) const;
    std::expected<QJsonArray, DecodeError> array(const QString& key) const;

    DecodeError error(DecodeError::Kind kind, const QString& key, const QString& description) const;

private:
    QJsonObject m_object;
    QString m_path;
};

// The canonical upper-case text form of a UUID, 8-4-4-4-12 hexadecimal digits.
QString uuidString(const QUuid& uuid);
// Parses exactly the 36-character 8-4-4-4-12 form (either letter case); absent otherwise.
std::optional<QUuid> parseUuid(const QString& text);

} // namespace tavro
