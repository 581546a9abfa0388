#include "Tavro/Platform/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavro {

namespace {

QString unescaped(const QString& raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\') || i + 1 == raw.size()) {
            out.append(c);
            continue;
        }
        const QChar next = raw.at(++i);
        switch (next.unicode()) {
        case 's':
            out.append(QLatin1Char(' '));
            break;
        case 'n':
            out.append(QLatin1Char('\n'));
            break;
        case 't':
            out.append(QLatin1Char('\t'));
            break;
        case 'r':
            out.append(QLatin1Char('\r'));
            break;
        case '\\':
            out.append(QLatin1Char('\\'));
            break;
        default:
            // Unknown escapes are kept whole: Exec's own quoting ("\\$") still needs its backslash.
            out.append(QLatin1Char('\\'));
            out.append(next);
        }
    }
    return out;
}

// The keys to try for a localised value, best first.
QStringList localisedKeys(const QString& key, const QString& locale)
{
    QString rest = locale;
    QString modifier;
    if (const qsizetype at = rest.indexOf(QLatin1Char('@')); at >= 0) {
        modifier = rest.mid(at);
        rest.truncate(at);
    }
    if (const qsizetype dot = rest.indexOf(QLatin1Char('.')); dot >= 0)
        rest.truncate(dot);
    QString lang = rest;
    QString country;
    if (const qsizetype underscore = rest.indexOf(QLatin1Char('_')); underscore >= 0) {
        lang = rest.left(underscore);
        country = rest.mid(underscore);
    }
    QStringList keys;
    auto add = [&](const QString& suffix) {
        const QString candidate = key + QLatin1Char('[') + suffix + QLatin1Char(']');
        if (!keys.contains(candidate))
            keys.append(candidate);
    };
    if (!lang.isEmpty()) {
        if (!country.isEmpty() && !modifier.isEmpty())
            add(lang + country + modifier);
        if (!country.isEmpty())
            add(lang + country);
        if (!modifier.isEmpty())
            add(lang + modifier);
        add(lang);
    }
    keys.append(key);
    return keys;
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(file.readAll());
}

std::optional<DesktopEntry> DesktopEntry::parse(const QByteArray& contents)
{
    DesktopEntry entry;
    QHash<QString, QString>* group = nullptr;
    for (const QByteArray& rawLine : contents.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = line.mid(1, line.size() - 2);
            // A group that appears twice is malformed; its first appearance is the one read.
            group = entry.m_groups.contains(name) ? nullptr : &entry.m_groups[name];
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!group || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (!group->contains(key))
            group->insert(key, line.mid(equals + 1).trimmed());
    }
    if (entry.m_groups.isEmpty())
        return std::nullopt;
    return entry;
}

std::optional<QString> DesktopEntry::value(const QString& key, const QString& locale, const QString& group) const
{
    const auto found = m_groups.constFind(group);
    if (found == m_groups.constEnd())
        return std::nullopt;
    for (const QString& candidate : localisedKeys(key, locale)) {
        const auto raw = found->constFind(candidate);
        if (raw != found->constEnd())
            return unescaped(*raw);
    }
    return std::nullopt;
}

bool DesktopEntry::flag(const QString& key) const
{
    return value(key) == QLatin1String("true");
}

std::expected<void, EntryLaunchError> DesktopEntry::checkLaunchable() const
{
    if (flag(QStringLiteral("Hidden")))
        return std::unexpected(EntryLaunchError::notInstalled);
    if (const auto tryExec = value(QStringLiteral("TryExec")); tryExec && !tryExec->isEmpty()) {
        if (const auto found = checkProgram(*tryExec); !found)
            return found;
    }
    const auto exec = splitExec(value(QStringLiteral("Exec")).value_or(QString()));
    if (!exec)
        return std::unexpected(EntryLaunchError::badCommand);
    return checkProgram(exec->first());
}

std::expected<void, EntryLaunchError> DesktopEntry::checkProgram(const QString& program)
{
    if (!QDir::isAbsolutePath(program)) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return std::unexpected(EntryLaunchError::missingProgram);
        return {};
    }
    const QFileInfo file(program);
    if (!file.exists())
        return std::unexpected(EntryLaunchError::missingProgram);
    if (!file.isFile() || !file.isExecutable())
        return std::unexpected(EntryLaunchError::notExecutable);
    return {};
}

std::optional<QStringList> DesktopEntry::splitExec(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size()
                && QStringLiteral("\"`$\\").contains(exec.at(i + 1))) {
                current.append(exec.at(++i));
            } else {
                current.append(c);
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inArgument = true;
        } else {
            current.append(c);
            inArgument = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments.append(current);
    if (arguments.isEmpty())
        return std::nullopt;
    return arguments;
}

QStringList DesktopEntry::expandExec(const QStringList& exec, const QStringList& arguments, const QString& name,
    const QString& icon, const QString& entryPath)
{
    static const QStringList fileCodes{
        QStringLiteral("%u"), QStringLiteral("%U"), QStringLiteral("%f"), QStringLiteral("%F")};
    QStringList expanded;
    bool placed = false;
    for (const QString& argument : exec) {
        if (fileCodes.contains(argument)) {
            // One code takes all the arguments: a browser opens each link it is given.
            if (!placed)
                expanded.append(arguments);
            placed = true;
            continue;
        }
        if (argument == QLatin1String("%i")) {
            if (!icon.isEmpty())
                expanded << QStringLiteral("--icon") << icon;
            continue;
        }
        QString text;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            const QChar c = argument.at(i);
            if (c != QLatin1Char('%') || i + 1 == argument.size()) {
                text.append(c);
                continue;
            }
            const QChar code = argument.at(++i);
            if (code == QLatin1Char('%'))
                text.append(QLatin1Char('%'));
            else if (code == QLatin1Char('c'))
                text.append(name);
            else if (code == QLatin1Char('k'))
                text.append(entryPath);
            // Any other code (the deprecated %d %D %n %N %v %m, or a file code inside a word) is dropped.
        }
        expanded.append(text);
    }
    if (!placed)
        expanded.append(arguments);
    return expanded;
}

QString description(EntryLaunchError error)
{
    switch (error) {
    case EntryLaunchError::notInstalled:
        return QStringLiteral("its desktop entry is not installed");
    case EntryLaunchError::badCommand:
        return QStringLiteral("its desktop entry has no command that can be read");
    case EntryLaunchError::missingProgram:
        return QStringLiteral("the program its desktop entry names is not there");
    case EntryLaunchError::notExecutable:
        return QStringLiteral("the program its desktop entry names cannot be run");
    }
    return {};
}

} // namespace tavro
