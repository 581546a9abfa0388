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

    [[nodiscard]] static std::expected<JsonReader, DecodeError> fromValue(
        const QJsonValue& value, const QString& codingPath);

    const QJsonObject& object() const { return m_object; }
    const QString& codingPath() const { return m_path; }
    QString pathOf(const QString& key) const;

    // Missing keys and JSON null both count as absent.
    bool isAbsent(const QString& key) const;

    [[nodiscard]] std::expected<QString, DecodeError> string(const QString& key) const;
    [[nodiscard]] std::expected<std::optional<QString>, DecodeError> optionalString(const QString& key) const;
    [[nodiscard]] std::expected<bool, DecodeError> boolean(const QString& key) const;
    [[nodiscard]] std::expected<std::optional<bool>, DecodeError> optionalBoolean(const QString& key) const;
    [[nodiscard]] std::expected<qint64, DecodeError> int64(const QString& key) const;
    [[nodiscard]] std::expected<std::optional<quint32>, DecodeError> optionalUInt32(const QString& key) const;
    [[nodiscard]] std::expected<QUuid, DecodeError> uuid(const QString& key) const;
    [[nodiscard]] std::expected<std::optional<QUuid>, DecodeError> optionalUuid(const QString& key) const;
    [[nodiscard]] std::expected<QStringList, DecodeError> stringArray(const QString& key) const;
    [[nodiscard]] std::expected<QJsonArray, DecodeError> array(const QString& key) const;

    [[nodiscard]] DecodeError error(DecodeError::Kind kind, const QString& key, const QString& description) const;

private:
    QJsonObject m_object;
    QString m_path;
};

// Runs a sequence of field reads and keeps the first error; every read after it is skipped,
// so a decoder can list its fields in order and check once at the end.
class FieldDecoder
{
public:
    // Assigns the decoded value; for an optional field an absent value is assigned too.
    template <typename T, typename U> void operator()(T& field, std::expected<U, DecodeError> value)
    {
        if (m_failure)
            return;
        if (value)
            field = *value;
        else
            m_failure = value.error();
    }

    // Assigns a present value; an absent one keeps the default already in `field`.
    template <typename T> void orDefault(T& field, std::expected<std::optional<T>, DecodeError> value)
    {
        if (m_failure)
            return;
        if (!value)
            m_failure = value.error();
        else if (*value)
            field = **value;
    }

    void fail(const DecodeError& error)
    {
        if (!m_failure)
            m_failure = error;
    }
    const std::optional<DecodeError>& failure() const { return m_failure; }

private:
    std::optional<DecodeError> m_failure;
};

// The canonical upper-case text form of a UUID, 8-4-4-4-12 hexadecimal digits.
QString uuidString(const QUuid& uuid);
// Parses exactly the 36-character 8-4-4-4-12 form (either letter case); absent otherwise.
std::optional<QUuid> parseUuid(const QString& text);

} // namespace tavro
