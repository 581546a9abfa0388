#pragma once
// Stands for the process's default file manager: the real disk, with the home folder taken from HOME.

#include "Tavro/Platform/FileSystemReading.h"

namespace tavro {

class RealFileSystem : public FileSystemReading
{
public:
    QString homeDirectory() const override;
    std::optional<QByteArray> contents(const QString& path) const override;
    bool fileExists(const QString& path) const override;
    FileReadOutcome read(const QString& path) const override;

    // One shared instance for scans that need no other.
    static const RealFileSystem& shared();
};

} // namespace tavro
