#include "Tavro/Model/LaunchStrategy.h"

#include "Tavro/Model/JsonReader.h"

#include <QHashFunctions>
#include <QJsonArray>

#include <array>

namespace tavro {

namespace {

constexpr std::array kinds{LaunchStrategy::Kind::browserCurrentProfile, LaunchStrategy::Kind::chromiumProfileDirectory,
    LaunchStrategy::Kind::safariProfile, LaunchStrategy::Kind::firefoxProfile, LaunchStrategy::Kind::firefoxProfilePath,
    LaunchStrategy::Kind::custom};

const QString payloadKey = QStringLiteral("_0");
const QString argumentsKey = QStringLiteral("arguments");

bool hasStringPayload(LaunchStrategy::Kind kind)
{
    return kind != LaunchStrategy::Kind::browserCurrentProfile && kind != LaunchStrategy::Kind::custom;
}

} // namespace

LaunchStrategy::LaunchStrategy(Kind kind, QString value, QStringList arguments)
    : m_kind(kind), m_value(std::move(value)), m_arguments(std::move(arguments))
{ }

LaunchStrategy LaunchStrategy::browserCurrentProfile()
{
    return {};
}

LaunchStrategy LaunchStrategy::chromiumProfileDirectory(const QString& directory)
{
    return {Kind::chromiumProfileDirectory, directory, {}};
}

LaunchStrategy LaunchStrategy::safariProfile(const QString& name)
{
    return {Kind::safariProfile, name, {}};
}

LaunchStrategy LaunchStrategy::firefoxProfile(const QString& name)
{
    return {Kind::firefoxProfile, name, {}};
}

LaunchStrategy LaunchStrategy::firefoxProfilePath(const QString& path)
{
    return {Kind::firefoxProfilePath, path, {}};
}

LaunchStrategy LaunchStrategy::custom(const QStringList& arguments)
{
    return {Kind::custom, {}, arguments};
}

QString LaunchStrategy::caseName(Kind kind)
{
    switch (kind) {
    case Kind::browserCurrentProfile:
        return QStringLiteral("browserCurrentProfile");
    case Kind::chromiumProfileDirectory:
        return QStringLiteral("chromiumProfileDirectory");
    case Kind::safariProfile:
        return QStringLiteral("safariProfile");
    case Kind::firefoxProfile:
        return QStringLiteral("firefoxProfile");
    case Kind::firefoxProfilePath:
        return QStringLiteral("firefoxProfilePath");
    case Kind::custom:
        return QStringLiteral("custom");
    }
    Q_UNREACHABLE();
}

QJsonObject LaunchStrategy::toJson() const
{
    QJsonObject payload;
    if (hasStringPayload(m_kind))
        payload.insert(payloadKey, m_value);
    else if (m_kind == Kind::custom)
        payload.insert(argumentsKey, QJsonArray::fromStringList(m_arguments));
    return QJsonObject{{caseName(m_kind), payload}};
}

std::expected<LaunchStrategy, DecodeError> LaunchStrategy::fromJson(const QJsonValue& json, const QString& codingPath)
{
    auto reader = JsonReader::fromValue(json, codingPath);
    if (!reader)
        return std::unexpected(reader.error());

    // Keys that name no case are ignored; exactly one case name must remain.
    std::optional<Kind> found;
    int caseKeys = 0;
    for (Kind kind : kinds) {
        if (reader->object().contains(caseName(kind))) {
            found = kind;
            ++caseKeys;
        }
    }
    if (caseKeys != 1)
        return std::unexpected(DecodeError{DecodeError::Kind::typeMismatch, codingPath,
            QStringLiteral("Invalid number of keys found, expected one.")});

    const QString key = caseName(*found);
    auto nested = JsonReader::fromValue(reader->object().value(key), reader->pathOf(key));
    if (!nested)
        return std::unexpected(nested.error());

    if (*found == Kind::browserCurrentProfile)
        return browserCurrentProfile();
    if (*found == Kind::custom) {
        auto arguments = nested->stringArray(argumentsKey);
        if (!arguments)
            return std::unexpected(arguments.error());
        return custom(*arguments);
    }
    auto value = nested->string(payloadKey);
    if (!value)
        return std::unexpected(value.error());
    return LaunchStrategy(*found, *value, {});
}

size_t qHash(const LaunchStrategy& strategy, size_t seed)
{
    QtPrivate::QHashCombine combine;
    seed = combine(seed, static_cast<int>(strategy.kind()));
    if (strategy.kind() == LaunchStrategy::Kind::custom) {
        seed = combine(seed, strategy.arguments().size());
        for (const QString& argument : strategy.arguments())
            seed = combine(seed, argument);
    } else if (strategy.kind() != LaunchStrategy::Kind::browserCurrentProfile) {
        seed = combine(seed, strategy.value());
    }
    return seed;
}

} // namespace tavro
