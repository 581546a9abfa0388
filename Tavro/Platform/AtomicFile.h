#pragma once
// Stands for NSData's atomic write: a file replaced whole by a finished copy, or left as it was.

#include <QByteArray>
#include <QString>

namespace tavro::AtomicFile {

// Who may read and write the file written.
enum class Access {
    ownerOnly, // the user alone
    asBefore,  // as the file it replaces allowed; a new file as the umask allows
};

// Where the file lies.
enum class Place {
    // In the user's own folders: the folders on the way are made, and a symbolic link at the
    // path is followed, so that a file the user keeps elsewhere is replaced where it lies. What
    // is no regular file there (a pipe, a device, a folder) is not replaced.
    ownFolder,
    // In a folder others write to as well (the temporary folder): no folder is made, and a link
    // at the path is replaced itself, so that one planted there leads nowhere.
    sharedFolder,
};

// Writes `bytes` to `path` through a fresh file beside it that is written out, flushed and synced
// to the disk, then renamed over the path. A reader sees the old file or the new one; a full
// disk, or any other failure on the way, leaves the old one as it was and no copy beside it.
// Nothing is written beneath a home folder whose name Qt cannot give (HomeFolder::pathIsExact):
// the text would name another folder. A failure is logged with its reason.
bool write(const QString& path, const QByteArray& bytes, Access access, Place place = Place::ownFolder);

} // namespace tavro::AtomicFile
