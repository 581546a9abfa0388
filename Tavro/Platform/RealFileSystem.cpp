#include "Tavro/Platform/RealFileSystem.h"

#include "Tavro/Platform/HomeFolder.h"

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
    return HomeFolder::path();
}

// Plain POSIX calls, so that the errno of a refused open is the system's own and nothing in
// between retries or reinterprets it.
std::expected<FileDescriptor, FileReadOutcome> RealFileSystem::openRegularFile(const QString& path)
{
    FileDescriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return std::unexpected(FileReadOutcome::fromErrno(errno));
    // Asked of the open file, so that nothing can be put in its place between the look and the open.
    struct stat info;
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::unexpected(FileReadOutcome::unreadable());
    return fd;
}

FileReadOutcome RealFileSystem::read(const QString& path) const
{
    return readRegularFile(path, maximumFileSize);
}

FileReadOutcome RealFileSystem::readRegularFile(const QString& path, qint64 maximumSize)
{
    const auto fd = openRegularFile(path);
    if (!fd)
        return fd.error();
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd->get(), buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return FileReadOutcome::unreadable();
        }
        // Checked as it grows, not from its size at the open: the file may grow while it is read.
        if (bytes.size() + count > maximumSize)
            return FileReadOutcome::unreadable();
        bytes.append(buffer, count);
    }
    return FileReadOutcome::data(std::move(bytes));
}

std::optional<QByteArray> RealFileSystem::contents(const QString& path) const
{
    FileReadOutcome outcome = read(path);
    if (outcome.kind() != FileReadOutcome::Kind::data)
        return std::nullopt;
    return outcome.bytes();
}

bool RealFileSystem::fileExists(const QString& path) const
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

const RealFileSystem& RealFileSystem::shared()
{
    static const RealFileSystem fileSystem;
    return fileSystem;
}

} // namespace tavro
