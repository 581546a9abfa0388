#include "Tavro/Platform/RealFileSystem.h"

#include "Tavro/Platform/FileDescriptor.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavro {

FileReadOutcome FileReadOutcome::fromErrno(int error)
{
    switch (error) {
    case EPERM:
    case EACCES:
        return denied();
    case ENOENT:
    case ENOTDIR:
        return missing();
    default:
        return unreadable();
    }
}

QString RealFileSystem::homeDirectory() const
{
    return QDir::homePath();
}

// Plain POSIX calls, so that the errno of a refused open is the system's own and nothing in
// between retries or reinterprets it.
std::optional<QByteArray> RealFileSystem::contents(const QString& path) const
{
    const QByteArray native = QFile::encodeName(path);
    // Without O_NONBLOCK a named pipe in place of the file would hold the scan until someone
    // writes to it.
    const FileDescriptor fd(::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return std::nullopt;
    // Only a regular file has contents to give: a device such as /dev/zero would never end.
    struct stat info;
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        bytes.append(buffer, count);
    }
    return bytes;
}

bool RealFileSystem::fileExists(const QString& path) const
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

FileReadOutcome RealFileSystem::read(const QString& path) const
{
    if (auto bytes = contents(path))
        return FileReadOutcome::data(std::move(*bytes));
    // The contents call does not say why it failed; a second open does.
    const FileDescriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    return fd.get() >= 0 ? FileReadOutcome::unreadable() : FileReadOutcome::fromErrno(errno);
}

const RealFileSystem& RealFileSystem::shared()
{
    static const RealFileSystem fileSystem;
    return fileSystem;
}

} // namespace tavro
