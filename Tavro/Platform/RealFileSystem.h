#pragma once
// Stands for the process's default file manager: the real disk, with the home folder taken from HOME.

#include "Tavro/Platform/FileDescriptor.h"
#include "Tavro/Platform/FileSystemReading.h"

#include <expected>

namespace tavro {

class RealFileSystem : public FileSystemReading
{
public:
    // A file larger than this is not read whole: a browser's own files are far smaller, and a
    // bigger one (a sparse or runaway file in their place) would only fill the memory.
    static constexpr qint64 maximumFileSize = 64 * 1024 * 1024;

    QString homeDirectory() const override;
    std::optional<QByteArray> contents(const QString& path) const override;
    bool fileExists(const QString& path) const override;
    FileReadOutcome read(const QString& path) const override;

    // Opens a regular file for reading without waiting: every file taken from another
    // application's folder goes through here, since a named pipe in its place would hold the
    // opener until someone writes to it, and a device would never end. Anything else that exists
    // there is `unreadable`; a failed open is `denied`, `missing` or `unreadable` by its errno.
    [[nodiscard]] static std::expected<FileDescriptor, FileReadOutcome> openRegularFile(const QString& path);
    // The whole of a file opened so; one of more than `maximumSize` bytes is `unreadable`, and its
    // reading stops there.
    static FileReadOutcome readRegularFile(const QString& path, qint64 maximumSize);

    // One shared instance for scans that need no other.
    static const RealFileSystem& shared();
};

} // namespace tavro
