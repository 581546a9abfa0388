#pragma once
// Stands for the read-only part of the file manager that the profile scanners use, always on
// absolute paths, so that tests can put a refusing or failing file system in its place.

#include "Tavro/Platform/FileReadOutcome.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavro {

class FileSystemReading
{
public:
    virtual ~FileSystemReading() = default;

    // The current user's home folder, without a trailing slash.
    virtual QString homeDirectory() const = 0;
    // The whole file, or nothing when it cannot be read for any reason.
    virtual std::optional<QByteArray> contents(const QString& path) const = 0;
    // True when a file or folder exists at the path.
    virtual bool fileExists(const QString& path) const = 0;
    // The file's bytes, or why they could not be read.
    virtual FileReadOutcome read(const QString& path) const = 0;
};

} // namespace tavro
