#include "Tavro/Platform/Linux/BundleIndex.h"

#include "Tavro/Platform/DesktopApplications.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <sys/stat.h>
#include <time.h>

namespace tavro {

namespace {

// A folder's modification time moves whenever a bundle is added, removed or renamed in it. Linux
// stamps it from a coarse clock that lags by up to a scheduler tick, so a change made just after
// a reading may carry the very time that reading saw; an index read this close after the folder's
// last change is read again on the next lookup.
constexpr qint64 racyChangeNanoseconds = 50'000'000;

struct FolderIndex
{
    bool exists = false;
    timespec modified{};
    bool settled = false; // the folder had not changed for a while when it was read
    QList<AppBundle> bundles;
    // Desktop-entry ids present here but hidden: they hide the same ids in later folders too.
    QStringList hiddenIds;
};

enum class FolderKind { bundles, desktopEntries };

qint64 nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// The names in `dir` that end in `suffix` in any case, as the name filter "*" + `suffix` takes
// them, in the order of their names. Filtered here: Qt matches a name filter with a regular
// expression, which PCRE compiles anew for every folder read.
QStringList namesEndingIn(const QDir& dir, QLatin1StringView suffix, QDir::Filters filters)
{
    QStringList names = dir.entryList(filters, QDir::Name);
    names.removeIf([suffix](const QString& name) { return !name.endsWith(suffix, Qt::CaseInsensitive); });
    return names;
}

FolderIndex readFolder(const QString& folder, FolderKind kind)
{
    FolderIndex index;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    struct stat info
    { };
    index.exists = ::stat(QFile::encodeName(folder).constData(), &info) == 0;
    if (!index.exists) {
        index.settled = true;
        return index;
    }
    index.modified = info.st_mtim;
    index.settled = nanoseconds(info.st_mtim) < nanoseconds(now) - racyChangeNanoseconds;
    const QDir dir(folder);
    if (kind == FolderKind::bundles) {
        const QStringList names = namesEndingIn(dir, QLatin1StringView(".app"), QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& name : names) {
            if (auto bundle = Workspace::bundle(dir.filePath(name)))
                index.bundles.append(*bundle);
        }
        return index;
    }
    // Only the entries of the table's ids are read: a desktop holds hundreds of others.
    const QStringList names = namesEndingIn(dir, QLatin1StringView(".desktop"), QDir::Files);
    for (const QString& name : names) {
        if (!DesktopApplications::bundleIdentifier(name))
            continue;
        if (auto entry = Workspace::desktopEntry(dir.filePath(name)))
            index.bundles.append(*entry);
        else
            index.hiddenIds.append(name);
    }
    return index;
}

bool unchanged(const FolderIndex& index, const QString& folder)
{
    if (!index.settled)
        return false;
    struct stat info
    { };
    const bool exists = ::stat(QFile::encodeName(folder).constData(), &info) == 0;
    if (exists != index.exists)
        return false;
    return !exists || (info.st_mtim.tv_sec == index.modified.tv_sec && info.st_mtim.tv_nsec == index.modified.tv_nsec);
}

} // namespace

QList<AppBundle> Linux::installedBundles()
{
    static QMutex mutex;
    static QHash<QString, FolderIndex> indexes;
    QMutexLocker lock(&mutex);
    QHash<QString, FolderIndex> current;
    auto indexOf = [&](const QString& folder, FolderKind kind) {
        auto known = indexes.constFind(folder);
        const FolderIndex index
            = known != indexes.constEnd() && unchanged(*known, folder) ? *known : readFolder(folder, kind);
        current.insert(folder, index);
        return index;
    };
    QList<AppBundle> result;
    for (const QString& folder : Workspace::applicationFolders())
        result.append(indexOf(folder, FolderKind::bundles).bundles);
    // An entry in an earlier folder (the user's own) replaces or hides the one with its id after it.
    QStringList seenIds;
    for (const QString& folder : DesktopApplications::entryFolders()) {
        const FolderIndex index = indexOf(folder, FolderKind::desktopEntries);
        for (const AppBundle& entry : index.bundles) {
            const QString id = QFileInfo(entry.bundlePath).fileName();
            if (!seenIds.contains(id))
                result.append(entry);
            seenIds.append(id);
        }
        seenIds.append(index.hiddenIds);
    }
    // Only the folders of the current HOME stay.
    indexes = current;
    return result;
}

QString Linux::answeringIdentifier(const QString& identifier, const QList<AppBundle>& bundles)
{
    if (std::ranges::any_of(bundles, [&](const AppBundle& b) { return b.bundleIdentifier == identifier; }))
        return identifier;
    for (const AppBundle& bundle : bundles) {
        if (DesktopApplications::applicationIdentifier(bundle.bundleIdentifier) == identifier)
            return bundle.bundleIdentifier;
    }
    return identifier;
}

QStringList Workspace::applicationFolders()
{
    return {QStringLiteral("/Applications"), QDir::homePath() + QStringLiteral("/Applications")};
}

std::optional<QString> Workspace::urlForApplication(const QString& bundleIdentifier) const
{
    const QList<AppBundle> bundles = Linux::installedBundles();
    const QString answering = Linux::answeringIdentifier(bundleIdentifier, bundles);
    for (const AppBundle& bundle : bundles) {
        if (bundle.bundleIdentifier == answering)
            return bundle.bundlePath;
    }
    return std::nullopt;
}

} // namespace tavro
