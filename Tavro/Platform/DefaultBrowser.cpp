#include "Tavro/Platform/DefaultBrowser.h"

#include "Tavro/Platform/AtomicFile.h"
#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/DesktopEntry.h"
#include "Tavro/Platform/PlatformLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavro::DefaultBrowser {

namespace {

const QString defaultsGroup = QStringLiteral("Default Applications");

// Schemes are case-insensitive; the files key them in lower case.
QStringList mimeTypesFor(const QString& scheme)
{
    const QString lower = scheme.toLower();
    if (lower == QLatin1String("http") || lower == QLatin1String("https"))
        return {QStringLiteral("x-scheme-handler/http"), QStringLiteral("x-scheme-handler/https"),
            QStringLiteral("text/html")};
    return {QStringLiteral("x-scheme-handler/") + lower};
}

QStringList configDirs()
{
    QStringList dirs;
    for (const QString& dir : qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            dirs.append(QDir::cleanPath(dir));
    }
    return dirs.isEmpty() ? QStringList{QStringLiteral("/etc/xdg")} : dirs;
}

// Sets `values` in the group of `lines`, adding the group or keys where missing.
QStringList withDefaults(QStringList lines, const QList<std::pair<QString, QString>>& values)
{
    qsizetype groupStart = -1;
    qsizetype groupEnd = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (!line.startsWith(QLatin1Char('[')))
            continue;
        if (groupStart >= 0) {
            groupEnd = i;
            break;
        }
        if (line == QLatin1Char('[') + defaultsGroup + QLatin1Char(']'))
            groupStart = i;
    }
    if (groupStart < 0) {
        if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + defaultsGroup + QLatin1Char(']'));
        groupStart = lines.size() - 1;
        groupEnd = lines.size();
    }
    for (const auto& [key, value] : values) {
        const QString newLine = key + QLatin1Char('=') + value;
        bool replaced = false;
        for (qsizetype i = groupStart + 1; i < groupEnd; ++i) {
            const QString line = lines.at(i);
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals > 0 && line.left(equals).trimmed() == key) {
                lines[i] = newLine;
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            // After the group's last key, before the blank lines that end it.
            qsizetype at = groupEnd;
            while (at > groupStart + 1 && lines.at(at - 1).trimmed().isEmpty())
                --at;
            lines.insert(at, newLine);
            ++groupEnd;
        }
    }
    return lines;
}

// A file that is there and cannot be read holds the user's other defaults: writing it anew would
// erase them.
std::unexpected<DefaultBrowserError> leftAsItIs(const QString& path, const QString& reason)
{
    qCWarning(lcPlatform) << "Cannot read" << path << reason << "- the default is not changed";
    return std::unexpected(DefaultBrowserError::unreadable);
}

} // namespace

QString storePath()
{
    return DesktopApplications::configHome() + QStringLiteral("/mimeapps.list");
}

QStringList lookupPaths()
{
    QStringList paths{storePath()};
    for (const QString& dir : configDirs())
        paths.append(dir + QStringLiteral("/mimeapps.list"));
    // The entry folders hold the distribution's and the packages' defaults (the user's own folder
    // there is a place older desktops wrote to).
    for (const QString& folder : DesktopApplications::entryFolders()) {
        paths.append(folder + QStringLiteral("/mimeapps.list"));
        paths.append(folder + QStringLiteral("/defaults.list"));
    }
    return paths;
}

std::optional<QString> handlerEntryForURLScheme(const QString& scheme)
{
    if (scheme.isEmpty())
        return std::nullopt;
    const QString key = QStringLiteral("x-scheme-handler/") + scheme.toLower();
    for (const QString& path : lookupPaths()) {
        const auto file = DesktopEntry::read(path);
        // A missing file is ordinary; one that exists and cannot be read hides the user's choice.
        if (!file && QFileInfo::exists(path))
            qCWarning(lcPlatform) << "Cannot read" << path;
        const auto value = file ? file->value(key, {}, defaultsGroup) : std::nullopt;
        if (!value)
            continue;
        // A list: the first entry names the default.
        const QString first = value->section(QLatin1Char(';'), 0, 0).trimmed();
        if (!first.isEmpty())
            return first;
    }
    return std::nullopt;
}

std::optional<QString> handlerForURLScheme(const QString& scheme)
{
    return handlerEntryForURLScheme(scheme).transform(&DesktopApplications::identifierForDesktopId);
}

std::expected<void, EntryLaunchError> checkLaunchable(const QString& desktopId)
{
    for (const QString& folder : DesktopApplications::entryFolders()) {
        const QString path = folder + QLatin1Char('/') + desktopId;
        if (!QFileInfo::exists(path))
            continue;
        const auto entry = DesktopEntry::read(path);
        if (!entry)
            return std::unexpected(EntryLaunchError::badCommand);
        return entry->checkLaunchable();
    }
    return std::unexpected(EntryLaunchError::notInstalled);
}

std::expected<void, DefaultBrowserError> setDefaultHandlerForURLScheme(
    const QString& scheme, const QString& bundleIdentifier)
{
    if (scheme.isEmpty() || bundleIdentifier.isEmpty())
        return std::unexpected(DefaultBrowserError::missingArgument);
    const QString desktopId = DesktopApplications::preferredDesktopId(bundleIdentifier);
    QList<std::pair<QString, QString>> values;
    for (const QString& mimeType : mimeTypesFor(scheme))
        values.append({mimeType, desktopId + QLatin1Char(';')});

    const QString path = storePath();
    QStringList lines;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return leftAsItIs(path, existing.errorString());
        lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.constLast().isEmpty())
            lines.removeLast();
    } else if (QFileInfo::exists(path)) {
        return leftAsItIs(path, existing.errorString());
    }
    lines = withDefaults(lines, values);
    // Written whole or not at all: a crash or a full disk half-way must not cost the user's other defaults.
    const QByteArray bytes = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (!AtomicFile::write(path, bytes, AtomicFile::Access::asBefore))
        return std::unexpected(DefaultBrowserError::unwritable);
    return {};
}

} // namespace tavro::DefaultBrowser

namespace tavro {

QString description(DefaultBrowserError error)
{
    switch (error) {
    case DefaultBrowserError::missingArgument:
        return QStringLiteral("no scheme or no application was named");
    case DefaultBrowserError::unreadable:
        return QStringLiteral("the MIME-applications file exists but could not be read");
    case DefaultBrowserError::unwritable:
        return QStringLiteral("the MIME-applications file could not be written");
    }
    return {};
}

} // namespace tavro
