#include "Tavro/Discovery/SafariProfileDiscovery.h"

#include "Tavro/Platform/FileSystemReading.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextBoundaryFinder>

#include <sqlite3.h>

namespace tavro::SafariProfileDiscovery {

namespace {

// "Whitespace" as the menu texts are trimmed: space separators and tab, not line breaks.
bool isSpaceOrTab(char32_t scalar)
{
    return scalar == U'\t' || QChar::category(scalar) == QChar::Separator_Space;
}

QString trimmedOfSpaces(const QString& text)
{
    const QList<uint> scalars = text.toUcs4();
    qsizetype begin = 0;
    qsizetype end = scalars.size();
    while (begin < end && isSpaceOrTab(scalars.at(begin)))
        ++begin;
    while (end > begin && isSpaceOrTab(scalars.at(end - 1)))
        --end;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(scalars.constData() + begin), end - begin);
}

// User-perceived characters (grapheme clusters).
QStringList characters(const QString& text)
{
    QStringList result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        result.append(text.mid(start, finder.position() - start));
        start = finder.position();
    }
    return result;
}

// A character is white space when its first scalar has the White_Space property.
bool isWhitespaceCharacter(const QString& character)
{
    if (character.isEmpty())
        return false;
    const char32_t first = QStringView(character).toUcs4().value(0);
    return QChar::isSpace(first);
}

// Percent-decoding that fails, rather than guessing, on a stray "%" or bytes that are not UTF-8.
std::optional<QString> percentDecoded(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        if (utf8.at(i) != '%') {
            bytes.append(utf8.at(i));
            continue;
        }
        if (i + 2 >= utf8.size() || !isxdigit(uchar(utf8.at(i + 1))) || !isxdigit(uchar(utf8.at(i + 2))))
            return std::nullopt;
        bytes.append(char(QByteArray(utf8.mid(i + 1, 2)).toInt(nullptr, 16)));
        i += 2;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return decoded;
}

const QLatin1String profileMarker("Window?isDefaultProfile=");

// SQLite URI filenames decode "%HH" and end the path at "?" or "#"; those three characters are
// encoded so that any home folder works. Everything else goes in as it is.
QByteArray uriPath(const QString& path)
{
    QByteArray encoded;
    for (const char c : QFile::encodeName(path)) {
        if (c == '%' || c == '?' || c == '#')
            encoded += '%' + QByteArray::number(uchar(c), 16).toUpper();
        else
            encoded += c;
    }
    return encoded;
}

} // namespace

QString dbPath(const FileSystemReading& fileSystem)
{
    return fileSystem.homeDirectory()
        + QStringLiteral("/Library/Containers/com.apple.Safari/Data/Library/Safari/SafariTabs.db");
}

DBAccess readDB(const FileSystemReading& fileSystem)
{
    const QString path = dbPath(fileSystem);
    if (!fileSystem.fileExists(path))
        return DBAccess::notApplicable();
    sqlite3* db = nullptr;
    const QByteArray uri = "file:" + uriPath(path) + "?immutable=1";
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return DBAccess::needsFullDiskAccess();
    }
    sqlite3_stmt* statement = nullptr;
    const char* query = "SELECT external_uuid, title FROM bookmarks\n"
                        "WHERE type = 1 AND subtype = 2 AND deleted = 0\n"
                        "ORDER BY order_index;";
    if (sqlite3_prepare_v2(db, query, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return DBAccess::malformed();
    }
    QList<DiscoveredProfile> profiles;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* uuid = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        const auto* title = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        if (!uuid)
            continue;
        QString name;
        if (title)
            name = QString::fromUtf8(title);
        else if (qstrcmp(uuid, "DefaultProfile") == 0)
            name = QStringLiteral("Default");
        else
            name = QString::fromUtf8(uuid);
        // Blank names are kept; the callers skip them.
        profiles.append(DiscoveredProfile{name, name, std::nullopt});
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    // A query that fails part-way has not seen every profile.
    if (step != SQLITE_DONE)
        return DBAccess::malformed();
    return DBAccess::rows(profiles);
}

std::optional<MenuProfile> profileIdentifier(const QString& identifier)
{
    if (!identifier.startsWith(QLatin1String("New")))
        return std::nullopt;
    const qsizetype marker = identifier.lastIndexOf(profileMarker);
    if (marker < 3)
        return std::nullopt;
    const QString raw = identifier.mid(3, marker - 3);
    const QString name = percentDecoded(raw).value_or(raw);
    if (name.isEmpty())
        return std::nullopt;
    return MenuProfile{name, identifier.mid(marker + profileMarker.size()) == QLatin1String("true")};
}

QString displayName(const QString& id, const QString& title)
{
    if (title.contains(id))
        return id;
    QStringList pattern = characters(id);
    pattern.removeIf(isWhitespaceCharacter);
    const QStringList text = characters(title);
    if (pattern.isEmpty() || text.isEmpty())
        return id;
    for (qsizetype start = 0; start < text.size(); ++start) {
        if (text.at(start) != pattern.first())
            continue;
        qsizetype matched = 0;
        qsizetype last = start;
        for (qsizetype i = start; i < text.size() && matched < pattern.size(); ++i) {
            if (isWhitespaceCharacter(text.at(i)))
                continue;
            if (text.at(i) != pattern.at(matched))
                break;
            ++matched;
            last = i;
        }
        if (matched == pattern.size())
            return text.mid(start, last - start + 1).join(QString());
    }
    return id;
}

std::optional<QString> englishProfileName(const QString& title)
{
    const QString trimmed = trimmedOfSpaces(title);
    if (!trimmed.startsWith(QLatin1String("New ")) || !trimmed.endsWith(QLatin1String(" Window")))
        return std::nullopt;
    QString middle = trimmed.mid(4);
    middle.chop(std::min<qsizetype>(7, middle.size()));
    middle = trimmedOfSpaces(middle);
    if (middle.isEmpty() || middle == QLatin1String("Private"))
        return std::nullopt;
    return middle;
}

QString squashed(const QString& name)
{
    QStringList kept = characters(name);
    kept.removeIf(isWhitespaceCharacter);
    return kept.join(QString());
}

} // namespace tavro::SafariProfileDiscovery
