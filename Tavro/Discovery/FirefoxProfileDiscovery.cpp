#include "Tavro/Discovery/FirefoxProfileDiscovery.h"

#include "Tavro/Platform/FileSystemReading.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

namespace tavro::FirefoxProfileDiscovery {

namespace {

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case 0x000A: // line feed
    case 0x000B: // vertical tab
    case 0x000C: // form feed
    case 0x000D: // carriage return
    case 0x0085: // next line
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
        return true;
    default:
        return false;
    }
}

// Splitting at every break and dropping empty lines treats CR LF like a single break.
QStringList nonEmptyLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isLineBreak(text.at(i))) {
            if (i > start)
                lines.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

QString trimmedOfSpacesAndTabs(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (end > begin && blank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// A path of "profiles.ini" or of a store row: absolute, or relative to the Firefox data folder.
QString profileFolder(const QString& firefoxRoot, const QString& path)
{
    return path.startsWith(QLatin1Char('/')) ? path : firefoxRoot + QLatin1Char('/') + path;
}

// How many sections carry each Name: "-P" opens the first section of the name it is given.
// Names that differ in case alone count as one, so that "-P" is never trusted with either.
QHash<QString, int> nameCounts(const QList<IniSection>& sections)
{
    QHash<QString, int> counts;
    for (const IniSection& section : sections) {
        if (section.name)
            ++counts[section.name->toCaseFolded()];
    }
    return counts;
}

// A section's profile is opened by its Name when that Name is its own; a section that names a
// profile-group store carries the group's Name, which names no profile. There, and where two
// sections share a Name, the profile is opened by its folder; a section without a Path has no
// other way than its Name.
LaunchStrategy sectionLaunch(const IniSection& section, const QString& firefoxRoot, const QHash<QString, int>& names)
{
    const bool namesGroup = section.storeID && !section.storeID->isEmpty();
    if (section.path && !section.path->isEmpty() && (namesGroup || names.value(section.name->toCaseFolded()) > 1))
        return LaunchStrategy::firefoxProfilePath(profileFolder(firefoxRoot, *section.path));
    return LaunchStrategy::firefoxProfile(*section.name);
}

} // namespace

DataAccess dataAccess(const QString& firefoxRoot, const FileSystemReading& fileSystem)
{
    switch (fileSystem.read(firefoxRoot + QStringLiteral("/profiles.ini")).kind()) {
    case FileReadOutcome::Kind::data:
        return DataAccess::readable;
    case FileReadOutcome::Kind::denied:
        return DataAccess::denied;
    case FileReadOutcome::Kind::missing:
    case FileReadOutcome::Kind::unreadable:
        break;
    }
    return DataAccess::notApplicable;
}

ProfileRead profiles(
    const QString& firefoxRoot, const FileSystemReading& fileSystem, const FirefoxProfileStoreReading& store)
{
    const QString& root = firefoxRoot;
    const QString iniPath = root + QStringLiteral("/profiles.ini");
    const std::optional<QByteArray> bytes = fileSystem.contents(iniPath);
    if (!bytes) {
        if (fileSystem.fileExists(iniPath))
            return ProfileRead{{}, ProfileDataError::unreadable};
        return ProfileRead{};
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(*bytes);
    // Firefox never leaves "profiles.ini" empty; an empty one was caught while being rewritten.
    if (decoder.hasError() || text.trimmed().isEmpty())
        return ProfileRead{{}, ProfileDataError::malformed};
    return resolve(parseSections(text), root, store);
}

QList<IniSection> parseSections(const QString& ini)
{
    QList<IniSection> sections;
    bool inProfile = false;
    IniSection current;
    for (const QString& rawLine : nonEmptyLines(ini)) {
        const QString line = trimmedOfSpacesAndTabs(rawLine);
        if (line.startsWith(QLatin1Char('['))) {
            if (inProfile)
                sections.append(current);
            current = IniSection{};
            inProfile = line.toLower().startsWith(QLatin1String("[profile"));
            continue;
        }
        if (!inProfile)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = trimmedOfSpacesAndTabs(line.left(equals));
        const QString value = trimmedOfSpacesAndTabs(line.mid(equals + 1));
        if (key.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
            current.name = value;
        else if (key.compare(QLatin1String("Path"), Qt::CaseInsensitive) == 0)
            current.path = value;
        else if (key.compare(QLatin1String("StoreID"), Qt::CaseInsensitive) == 0)
            current.storeID = value;
    }
    if (inProfile)
        sections.append(current);
    return sections;
}

ProfileRead resolve(
    const QList<IniSection>& sections, const QString& firefoxRoot, const FirefoxProfileStoreReading& store)
{
    QSet<QString> storesRead;
    QSet<QString> emitted; // profile ids, from both "profiles.ini" and the stores
    const QHash<QString, int> names = nameCounts(sections);
    ProfileRead result;
    for (const IniSection& section : sections) {
        if (section.storeID && !section.storeID->isEmpty()) {
            // Each store is copied once per scan, however many sections name it.
            if (storesRead.contains(*section.storeID))
                continue;
            storesRead.insert(*section.storeID);
            const auto rows = store.profiles(
                firefoxRoot + QStringLiteral("/Profile Groups/") + *section.storeID + QStringLiteral(".sqlite"));
            // A store Firefox changed the shape of, or caught half-written, hides only its own
            // profiles; the section still has its Name, and the other sections are readable.
            if (!rows && !result.error)
                result.error = rows.error();
            if (rows && !rows->isEmpty()) {
                for (const FirefoxStoreProfile& row : *rows) {
                    if (emitted.contains(row.path))
                        continue;
                    emitted.insert(row.path);
                    result.profiles.append(DiscoveredFirefoxProfile{
                        row.path, row.name, LaunchStrategy::firefoxProfilePath(profileFolder(firefoxRoot, row.path))});
                }
                continue;
            }
        }
        if (!section.name)
            continue;
        const QString id = section.path ? *section.path : *section.name;
        if (emitted.contains(id))
            continue;
        emitted.insert(id);
        result.profiles.append(DiscoveredFirefoxProfile{id, *section.name, sectionLaunch(section, firefoxRoot, names)});
    }
    return result;
}

} // namespace tavro::FirefoxProfileDiscovery
