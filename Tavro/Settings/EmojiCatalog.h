#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The emoji the popover can search: each with an English name and short aliases, read from
// "emoji.json" in the resource bundle and ranked against what the user types.
namespace tavro::EmojiCatalog {

struct Entry
{
    QString emoji;
    QString name;
    QStringList aliases;
};

// At most `limit` emoji of the bundle's catalogue, best match first; none for a query that is
// empty once normalised (the catalogue is then not even read). English only.
QStringList search(const QString& query, qsizetype limit);

// The same ranking over `catalogue`; ties keep the catalogue's order.
QStringList search(const QList<Entry>& catalogue, const QString& query, qsizetype limit);

// The entries of a catalogue file, in file order; empty when any object lacks one of "emoji",
// "name" and "aliases" or holds the wrong type, so a damaged file shows no half catalogue.
QList<Entry> decode(const QByteArray& json);

// How the query, the names and the aliases are compared: lower case, trimmed of white space and
// then of colons (":smile:" is "smile"), spaces as underscores ("thumbs up" is "thumbs_up").
QString normalized(const QString& text);

// The entry's match score for a normalised, non-empty query; 0 or less is no match.
qint64 score(const Entry& entry, const QString& query);

} // namespace tavro::EmojiCatalog
