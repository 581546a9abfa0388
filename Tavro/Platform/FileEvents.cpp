#include "Tavro/Platform/FileEvents.h"

#include "Tavro/Platform/SerialQueue.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <sys/stat.h>

namespace tavro {

namespace {

struct Entry
{
    quint64 inode = 0;
    qint64 modified = 0; // nanoseconds; only for files
    qint64 size = 0;     // only for files
    bool isFolder = false;

    bool operator==(const Entry&) const = default;
};

std::optional<Entry> entryAt(const QString& path)
{
    struct stat info;
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &info) != 0 && ::lstat(native.constData(), &info) != 0)
        return std::nullopt;
    Entry entry;
    entry.inode = info.st_ino;
    entry.isFolder = S_ISDIR(info.st_mode);
    // A folder's own times change with every file inside it; those changes are reported as
    // the files' paths, not as the folder's.
    if (!entry.isFolder) {
        entry.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        entry.size = info.st_size;
    }
    return entry;
}

QHash<QString, Entry> listing(const QString& folder)
{
    QHash<QString, Entry> entries;
    const QStringList names
        = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (auto entry = entryAt(folder + QLatin1Char('/') + name))
            entries.insert(name, *entry);
    }
    return entries;
}

} // namespace

// Everything below lives on the queue's thread.
struct FileEvents::Stream
{
    int maxDepth = 1;
    std::chrono::milliseconds latency{0};
    std::unique_ptr<QFileSystemWatcher> watcher;
    std::unique_ptr<QTimer> latencyTimer;
    QHash<QString, QHash<QString, Entry>> listings; // watched folder → its entries
    QHash<QString, int> depths;                     // watched folder → levels below its root
    QHash<QString, quint64> files;                  // watched file → inode the watch is on
    // A watched root folder that disappeared stays in the stream: the nearest folder above it
    // that exists is watched in its place until the root is back.
    QHash<QString, QString> awaiting; // vanished root → the folder watched in its place
    QStringList pending;
    std::function<void(const QStringList&)> deliver;

    // The stream does not defer: the first change after a quiet spell goes out at once (with
    // whatever arrived together with it), and each delivery opens a window of the latency in
    // which further changes gather into the next batch.
    void note(const QString& path)
    {
        if (!pending.contains(path))
            pending.append(path);
        if (!latencyTimer->isActive())
            latencyTimer->start(0);
    }

    void flush()
    {
        if (pending.isEmpty())
            return;
        const QStringList batch = std::exchange(pending, {});
        deliver(batch);
        latencyTimer->start(latency);
    }

    // QFileSystemWatcher watches the inode a path named when it was added; a file replaced by a
    // rename keeps the old inode's watch (or loses it), so a new inode means watching afresh.
    void watchFile(const QString& path, quint64 inode, bool force = false)
    {
        const auto known = files.constFind(path);
        if (known != files.cend() && *known == inode && !force)
            return;
        if (known != files.cend())
            watcher->removePath(path);
        watcher->addPath(path);
        files.insert(path, inode);
    }

    void unwatch(const QString& path)
    {
        const QString prefix = path + QLatin1Char('/');
        QStringList gone;
        for (auto it = files.begin(); it != files.end();) {
            if (it.key() == path || it.key().startsWith(prefix)) {
                gone.append(it.key());
                it = files.erase(it);
            } else {
                ++it;
            }
        }
        for (auto it = listings.begin(); it != listings.end();) {
            if (it.key() == path || it.key().startsWith(prefix)) {
                gone.append(it.key());
                depths.remove(it.key());
                it = listings.erase(it);
            } else {
                ++it;
            }
        }
        if (!gone.isEmpty())
            watcher->removePaths(gone);
    }

    // Watches `folder`, its files and its folders down to the depth limit. With `report`, every
    // entry found counts as changed: it appeared before its folder's watch was in place.
    void watchFolder(const QString& folder, int depth, bool report)
    {
        if (listings.contains(folder))
            return;
        watcher->addPath(folder);
        const QHash<QString, Entry> entries = listing(folder);
        listings.insert(folder, entries);
        depths.insert(folder, depth);
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            const QString path = folder + QLatin1Char('/') + it.key();
            if (report)
                note(path);
            if (!it->isFolder)
                watchFile(path, it->inode);
            else if (depth < maxDepth)
                watchFolder(path, depth + 1, report);
        }
    }

    static QString nearestFolderAbove(QString path)
    {
        do
            path = QFileInfo(path).path();
        while (path != QLatin1String("/") && !QFileInfo(path).isDir());
        return path;
    }

    bool isStandIn(const QString& folder) const
    {
        return std::find(awaiting.cbegin(), awaiting.cend(), folder) != awaiting.cend();
    }

    // After a change in a folder that stands in for vanished roots: a root that is back is
    // watched again with all it holds; for the others the stand-in moves to where it must be.
    void lookForVanishedRoots()
    {
        const QHash<QString, QString> before = std::exchange(awaiting, {});
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (QFileInfo(it.key()).isDir()) {
                note(it.key());
                watchFolder(it.key(), 0, true);
            } else {
                awaiting.insert(it.key(), nearestFolderAbove(it.key()));
            }
        }
        const QStringList watched = watcher->directories();
        for (const QString& folder : before) {
            if (!isStandIn(folder) && !listings.contains(folder) && watched.contains(folder))
                watcher->removePath(folder);
        }
        for (const QString& folder : std::as_const(awaiting)) {
            if (!watcher->directories().contains(folder))
                watcher->addPath(folder);
        }
    }

    void folderChanged(const QString& folder)
    {
        if (isStandIn(folder))
            lookForVanishedRoots();
        const auto known = listings.constFind(folder);
        if (known == listings.cend())
            return;
        const int depth = depths.value(folder);
        const QHash<QString, Entry> before = *known;
        if (!QFileInfo(folder).isDir()) {
            note(folder);
            unwatch(folder);
            if (depth == 0) {
                awaiting.insert(folder, folder);
                lookForVanishedRoots();
            }
            return;
        }
        const QHash<QString, Entry> after = listing(folder);
        listings.insert(folder, after);
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (after.contains(it.key()))
                continue;
            const QString path = folder + QLatin1Char('/') + it.key();
            note(path);
            unwatch(path);
        }
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            const QString path = folder + QLatin1Char('/') + it.key();
            const auto old = before.constFind(it.key());
            if (old != before.cend() && *old == *it)
                continue;
            note(path);
            if (old != before.cend() && old->isFolder != it->isFolder)
                unwatch(path);
            if (!it->isFolder)
                watchFile(path, it->inode);
            else if (depth < maxDepth)
                watchFolder(path, depth + 1, true);
        }
    }

    void fileChanged(const QString& path)
    {
        if (!files.contains(path))
            return;
        note(path);
        // Deleted or renamed away: the folder's own event settles it. Still there: the watcher
        // may have dropped it (a rename over it), so it is added again.
        if (const auto entry = entryAt(path); entry && !entry->isFolder)
            watchFile(path, entry->inode, true);
        else
            files.remove(path);
    }
};

FileEvents::FileEvents(const QStringList& folders, const QString& queueLabel, std::chrono::milliseconds latency,
    int depth, QObject* parent)
    : QObject(parent), m_folders(folders), m_queueLabel(queueLabel), m_latency(latency), m_depth(depth)
{ }

FileEvents::~FileEvents()
{
    stop();
}

bool FileEvents::start()
{
    if (m_queue)
        return true;
    QStringList existing;
    for (const QString& folder : std::as_const(m_folders)) {
        if (QFileInfo(folder).isDir())
            existing.append(QDir::cleanPath(folder));
    }
    if (existing.isEmpty())
        return false;

    m_queue = std::make_unique<SerialQueue>(m_queueLabel, QThread::LowPriority);
    m_stream = std::make_shared<Stream>();
    std::shared_ptr<Stream> stream = m_stream;
    stream->maxDepth = m_depth;
    stream->latency = m_latency;
    stream->deliver = [this](const QStringList& paths) { Q_EMIT changed(paths); };
    QMetaObject::invokeMethod(
        m_queue->context(),
        [stream, existing] {
            stream->watcher = std::make_unique<QFileSystemWatcher>();
            stream->latencyTimer = std::make_unique<QTimer>();
            stream->latencyTimer->setSingleShot(true);
            QObject::connect(stream->latencyTimer.get(), &QTimer::timeout, [s = stream.get()] { s->flush(); });
            QObject::connect(stream->watcher.get(), &QFileSystemWatcher::directoryChanged,
                [s = stream.get()](const QString& folder) { s->folderChanged(folder); });
            QObject::connect(stream->watcher.get(), &QFileSystemWatcher::fileChanged,
                [s = stream.get()](const QString& path) { s->fileChanged(path); });
            for (const QString& folder : existing)
                stream->watchFolder(folder, 0, false);
        },
        Qt::BlockingQueuedConnection);
    return true;
}

void FileEvents::stop()
{
    if (!m_queue)
        return;
    std::shared_ptr<Stream> stream = std::exchange(m_stream, nullptr);
    // The watcher and the timer belong to the queue's thread and are destroyed there.
    m_queue->async([stream] {
        stream->latencyTimer.reset();
        stream->watcher.reset();
        stream->deliver = nullptr;
    });
    m_queue.reset();
}

bool FileEvents::isRunning() const
{
    return m_queue != nullptr;
}

} // namespace tavro
