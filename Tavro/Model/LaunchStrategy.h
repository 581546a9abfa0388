#pragma once

#include "Tavro/Model/DecodeError.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <expected>

namespace tavro {

// How a URL is opened in one browser profile; stored inside every destination.
class LaunchStrategy
{
public:
    // In declaration order; the order feeds hashing.
    enum class Kind {
        browserCurrentProfile,
        chromiumProfileDirectory,
        safariProfile,
        firefoxProfile,
        firefoxProfilePath,
        custom
    };

    LaunchStrategy() = default; // browserCurrentProfile

    static LaunchStrategy browserCurrentProfile();
    static LaunchStrategy chromiumProfileDirectory(const QString& directory);
    static LaunchStrategy safariProfile(const QString& name);
    static LaunchStrategy firefoxProfile(const QString& name);
    static LaunchStrategy firefoxProfilePath(const QString& path);
    static LaunchStrategy custom(const QStringList& arguments);

    Kind kind() const { return m_kind; }
    // The string payload of the four string cases; empty for the others.
    const QString& value() const { return m_value; }
    // The argument list of `custom`; empty for the others.
    const QStringList& arguments() const { return m_arguments; }

    bool operator==(const LaunchStrategy&) const = default;

    // {"<case>": {...}}: "_0" holds a string payload, "arguments" the custom list.
    QJsonObject toJson() const;
    [[nodiscard]] static std::expected<LaunchStrategy, DecodeError> fromJson(
        const QJsonValue& json, const QString& codingPath = {});

    static QString caseName(Kind kind);

private:
    LaunchStrategy(Kind kind, QString value, QStringList arguments);

    Kind m_kind = Kind::browserCurrentProfile;
    QString m_value;
    QStringList m_arguments;
};

size_t qHash(const LaunchStrategy& strategy, size_t seed = 0);

} // namespace tavro
