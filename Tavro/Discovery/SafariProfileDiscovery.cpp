#include "Tavro/Discovery/SafariProfileDiscovery.h"

#include "Tavro/Launch/SafariAX.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/FileSystemReading.h"
#include "Tavro/Platform/RealFileSystem.h"
#include "Tavro/Platform/Workspace.h"

#include <QFile>
#include <QSet>
#include <QTextBoundaryFinder>

#include <sqlite3.h>

namespace tavro::SafariProfileDiscovery {

namespace {

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

QString libraryFolder(const QString& home)
{
    return home + QStringLiteral("/Library/Containers/") + safariBundleIdentifier
        + QStringLiteral("/Data/Library/Safari");
}

QString dbPath(const FileSystemReading& fileSystem)
{
    return libraryFolder(fileSystem.homeDirectory()) + QStringLiteral("/SafariTabs.db");
}

DBAccess readDB(const FileSystemReading& fileSystem)
{
    const QString path = dbPath(fileSystem);
    if (!fileSystem.fileExists(path))
        return DBAccess::notApplicable();
    // SQLite opens the path itself and would wait on a named pipe in the database's place.
    if (!RealFileSystem::openRegularFile(path))
        return DBAccess::needsFullDiskAccess();
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
    const QString trimmed = SafariMenuText::trimmedSpaces(title);
    if (!trimmed.startsWith(QLatin1String("New ")) || !trimmed.endsWith(QLatin1String(" Window")))
        return std::nullopt;
    const QString middle = SafariMenuText::trimmedSpaces(SafariMenuText::betweenNewAndWindow(trimmed));
    if (middle.isEmpty() || middle == QLatin1String("Private"))
        return std::nullopt;
    return middle;
}

QList<DiscoveredProfile> parseProfiles(const QList<SafariMenuItem>& items)
{
    QList<DiscoveredProfile> profiles;
    QSet<QString> taken;
    for (const SafariMenuItem& item : items) {
        std::optional<QString> found;
        if (const auto marker = profileIdentifier(item.identifier))
            found = SafariMenuText::trimmedSpaces(displayName(marker->name, item.title));
        else
            found = englishProfileName(item.title);
        // An item and its submenu twin name the same profile: the first one counts.
        if (!found || isBlankName(*found) || taken.contains(*found))
            continue;
        taken.insert(*found);
        profiles.append(DiscoveredProfile{*found, *found, std::nullopt});
    }
    return profiles;
}

QString listDescription(const QStringList& list)
{
    QStringList quoted;
    for (const QString& element : list) {
        QString literal = QStringLiteral("\"");
        for (const char32_t scalar : element.toUcs4()) {
            switch (scalar) {
            case U'"':
                literal += QStringLiteral("\\\"");
                break;
            case U'\\':
                literal += QStringLiteral("\\\\");
                break;
            // The standard form escapes the single quote too: "it\'s".
            case U'\'':
                literal += QStringLiteral("\\'");
                break;
            case U'\0':
                literal += QStringLiteral("\\0");
                break;
            case U'\n':
                literal += QStringLiteral("\\n");
                break;
            case U'\r':
                literal += QStringLiteral("\\r");
                break;
            case U'\t':
                literal += QStringLiteral("\\t");
                break;
            default:
                // Other control characters as two upper-case hex digits: "\u{1B}".
                if (scalar < 0x20 || scalar == 0x7f)
                    literal += QStringLiteral("\\u{")
                        + QString::number(uint(scalar), 16).rightJustified(2, QLatin1Char('0')).toUpper()
                        + QLatin1Char('}');
                else
                    literal += QString::fromUcs4(&scalar, 1);
            }
        }
        literal += QLatin1Char('"');
        quoted.append(literal);
    }
    return QLatin1Char('[') + quoted.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString diagnostics(const FileSystemReading& fileSystem)
{
    QStringList lines;
    lines << QStringLiteral("=== Tavro Safari diagnostics ===");
    const bool installed = Workspace::shared().urlForApplication(safariBundleIdentifier).has_value();
    lines << QStringLiteral("safariInstalled: ") + (installed ? QStringLiteral("true") : QStringLiteral("false"));

    const DBAccess access = readDB(fileSystem);
    switch (access.kind()) {
    case DBAccess::Kind::notApplicable:
        lines << QStringLiteral("DB: notApplicable");
        break;
    case DBAccess::Kind::needsFullDiskAccess:
        lines << QStringLiteral("DB: needsFullDiskAccess (TCC denied)");
        break;
    case DBAccess::Kind::malformed:
        lines << QStringLiteral("DB: malformed (query failed)");
        break;
    case DBAccess::Kind::rows: {
        QStringList names;
        for (const DiscoveredProfile& profile : access.profiles())
            names << profile.displayName;
        lines << QStringLiteral("DB: profiles ") + listDescription(names);
        break;
    }
    }

    lines << QStringLiteral("AXIsProcessTrusted: ")
            + (Accessibility::isProcessTrusted() ? QStringLiteral("true") : QStringLiteral("false"));

    const SafariAX::Result menu = SafariAX::fileMenuItems();
    switch (menu.kind()) {
    case SafariAX::Result::Kind::notRunning:
        lines << QStringLiteral("AX: Safari not running");
        break;
    case SafariAX::Result::Kind::notTrusted:
        lines << QStringLiteral("AX: not trusted (grant Accessibility)");
        break;
    case SafariAX::Result::Kind::unreadable:
        lines << QStringLiteral("AX: failed to read menu");
        break;
    case SafariAX::Result::Kind::items: {
        QStringList items;
        for (const SafariMenuItem& item : menu.menuItems())
            items << item.title + QStringLiteral(" [") + item.identifier + QLatin1Char(']');
        QStringList parsed;
        for (const DiscoveredProfile& profile : parseProfiles(menu.menuItems()))
            parsed << profile.displayName;
        lines << QStringLiteral("AX File-menu items: ") + listDescription(items);
        lines << QStringLiteral("AX parsed profiles: ") + listDescription(parsed);
        break;
    }
    }
    lines << QStringLiteral("=== end ===\n");
    return lines.join(QLatin1Char('\n'));
}

} // namespace tavro::SafariProfileDiscovery
