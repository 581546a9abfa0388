#include "Tavro/Settings/EmojiCatalog.h"

#include "Tavro/Controls/ResourceBundle.h"
#include "Tavro/Model/Characters.h"
#include "Tavro/Model/JsonReader.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace tavro {

namespace {

// Text as the comparisons see it: canonically composed, so "é" typed one way matches "é" stored
// the other, and split into user-perceived characters, which every count and prefix test uses.
QStringList comparable(const QString& text)
{
    return characters(EmojiCatalog::normalized(text).normalized(QString::NormalizationForm_C));
}

bool isSubsequence(const QStringList& needle, const QStringList& haystack)
{
    qsizetype matched = 0;
    for (const QString& character : haystack) {
        if (matched == needle.size())
            break;
        if (character == needle[matched])
            ++matched;
    }
    return matched == needle.size();
}

bool startsWith(const QStringList& text, const QStringList& prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin());
}

QList<EmojiCatalog::Entry> load()
{
    const auto path = ResourceBundle::path(QStringLiteral("emoji"), QStringLiteral("json"));
    if (!path)
        return {};
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return EmojiCatalog::decode(file.readAll());
}

// Read once per run at the first search that needs it; a failed read stays empty for the run.
const QList<EmojiCatalog::Entry>& all()
{
    static const QList<EmojiCatalog::Entry> entries = load();
    return entries;
}

qint64 score(const EmojiCatalog::Entry& entry, const QStringList& query)
{
    qint64 best = 0;
    for (const QString& alias : entry.aliases) {
        const QStringList normalizedAlias = comparable(alias);
        const qint64 length = normalizedAlias.size();
        if (normalizedAlias == query)
            best = std::max<qint64>(best, 1000);
        else if (startsWith(normalizedAlias, query))
            best = std::max(best, 700 - length);
        else if (isSubsequence(query, normalizedAlias))
            best = std::max(best, 300 - length);
    }
    const QStringList name = comparable(entry.name);
    if (startsWith(name, query))
        return std::max(best, 500 - qint64(name.size()));
    if (isSubsequence(query, name))
        return std::max(best, 200 - qint64(name.size()));
    return best;
}

} // namespace

QString EmojiCatalog::normalized(const QString& text)
{
    QString result = text.toLower().trimmed();
    qsizetype start = 0;
    qsizetype end = result.size();
    while (start < end && result[start] == QLatin1Char(':'))
        ++start;
    while (end > start && result[end - 1] == QLatin1Char(':'))
        --end;
    return result.mid(start, end - start).replace(QLatin1Char(' '), QLatin1Char('_'));
}

qint64 EmojiCatalog::score(const Entry& entry, const QString& query)
{
    return tavro::score(entry, characters(query.normalized(QString::NormalizationForm_C)));
}

QList<EmojiCatalog::Entry> EmojiCatalog::decode(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isArray())
        return {};
    const QJsonArray array = document.array();
    QList<Entry> entries;
    entries.reserve(array.size());
    for (qsizetype index = 0; index < array.size(); ++index) {
        const auto reader = JsonReader::fromValue(array[index], QStringLiteral("[%1]").arg(index));
        if (!reader)
            return {};
        Entry entry;
        FieldDecoder decoder;
        decoder(entry.emoji, reader->string(QStringLiteral("emoji")));
        decoder(entry.name, reader->string(QStringLiteral("name")));
        decoder(entry.aliases, reader->stringArray(QStringLiteral("aliases")));
        if (decoder.failure())
            return {};
        entries.append(entry);
    }
    return entries;
}

QStringList EmojiCatalog::search(const QString& query, qsizetype limit)
{
    if (normalized(query).isEmpty())
        return {};
    return search(all(), query, limit);
}

QStringList EmojiCatalog::search(const QList<Entry>& catalogue, const QString& query, qsizetype limit)
{
    const QStringList wanted = comparable(query);
    if (wanted.isEmpty() || limit <= 0)
        return {};
    struct Scored
    {
        QString emoji;
        qint64 score;
        qsizetype length;
    };
    QList<Scored> kept;
    for (const Entry& entry : catalogue) {
        const qint64 points = tavro::score(entry, wanted);
        if (points > 0)
            kept.append({entry.emoji, points, characters(entry.name).size()});
    }
    std::stable_sort(kept.begin(), kept.end(),
        [](const Scored& a, const Scored& b) { return a.score != b.score ? a.score > b.score : a.length < b.length; });
    QStringList result;
    for (qsizetype i = 0; i < std::min(limit, kept.size()); ++i)
        result.append(kept[i].emoji);
    return result;
}

} // namespace tavro
