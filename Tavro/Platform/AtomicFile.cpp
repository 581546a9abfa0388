#include "Tavro/Platform/AtomicFile.h"

#include "Tavro/Platform/FileDescriptor.h"
#include "Tavro/Platform/HomeFolder.h"
#include "Tavro/Platform/PlatformLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavro::AtomicFile {

namespace {

bool isBeneathInexactHome(const QString& path)
{
    if (HomeFolder::pathIsExact())
        return false;
    const QString home = HomeFolder::path();
    const QString cleaned = QDir::cleanPath(path);
    return cleaned == home || cleaned.startsWith(home + QLatin1Char('/'));
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// Where the chain of links at `path` ends: the path itself when it is no link. A link that leads
// nowhere ends at the file it names, which the write then makes if its folder exists.
QByteArray linkTarget(QByteArray path)
{
    for (int depth = 0; depth < 40; ++depth) {
        char target[PATH_MAX];
        const ssize_t size = ::readlink(path.constData(), target, sizeof target);
        if (size < 0 || size_t(size) == sizeof target)
            break;
        const QByteArray next(target, size);
        path = next.startsWith('/') ? next : folderOf(path) + '/' + next;
    }
    return path;
}

// A pipe, a device or a folder where the links end is left alone: renaming over it would
// replace it, a device too where the user is root.
bool isReplaceable(const QByteArray& target)
{
    struct stat info;
    return ::stat(target.constData(), &info) != 0 || S_ISREG(info.st_mode);
}

// A new file beside `target`, under a name nobody else uses: created with O_EXCL, it is never a
// file or a link someone put there.
FileDescriptor createBeside(const QByteArray& target, QByteArray& temporaryPath)
{
    const QByteArray prefix = folderOf(target) + "/." + target.mid(target.lastIndexOf('/') + 1) + '.';
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporaryPath = prefix + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        FileDescriptor fd(::open(temporaryPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() >= 0 || errno != EEXIST)
            return fd;
    }
    return FileDescriptor(-1);
}

bool setAccess(int fd, const QByteArray& target, Access access)
{
    if (access == Access::ownerOnly)
        return ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
    struct stat replaced;
    if (::stat(target.constData(), &replaced) != 0)
        return true; // a new file: the mode it was made with, less the umask
    return ::fchmod(fd, replaced.st_mode & 07777) == 0;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
}

} // namespace

bool write(const QString& path, const QByteArray& bytes, Access access, Place place)
{
    if (isBeneathInexactHome(path)) {
        qCWarning(lcPlatform) << "cannot write" << path
                              << "- HOME is not valid UTF-8, and this text names another folder";
        return false;
    }
    if (place == Place::ownFolder)
        QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray native = QFile::encodeName(path);
    const QByteArray target = place == Place::ownFolder ? linkTarget(native) : native;
    if (place == Place::ownFolder && !isReplaceable(target)) {
        qCWarning(lcPlatform) << "cannot write" << path << "- it is no regular file";
        return false;
    }
    QByteArray temporary;
    const FileDescriptor file = createBeside(target, temporary);
    // Synced before the rename: a file renamed into place and then lost with the power is as
    // empty as one that never got its bytes.
    const bool written = file.get() >= 0 && setAccess(file.get(), target, access) && writeAll(file.get(), bytes)
        && ::fsync(file.get()) == 0 && ::rename(temporary.constData(), target.constData()) == 0;
    if (written)
        return true;
    const int error = errno;
    if (file.get() >= 0)
        ::unlink(temporary.constData());
    qCWarning(lcPlatform) << "cannot write" << path << qt_error_string(error);
    return false;
}

} // namespace tavro::AtomicFile
