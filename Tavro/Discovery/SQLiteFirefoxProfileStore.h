#pragma once

#include "Tavro/Discovery/FirefoxProfileStoreReading.h"
#include "Tavro/Platform/RealFileSystem.h"

#include <QTemporaryDir>

#include <optional>

namespace tavro {

// Reads a profile-group database from a private copy in the temporary folder: a running Firefox
// holds the store open and writes to it, so the store itself is only ever copied, together with
// its "-wal" and "-shm" journal files. The copy never outlives the call, and no other local user
// can read it while it exists: it names the user's profiles and where they live.
class SQLiteFirefoxProfileStore : public FirefoxProfileStoreReading
{
public:
    // The store and its journals are read through `fileSystem`, which hands over regular files alone.
    explicit SQLiteFirefoxProfileStore(const FileSystemReading& fileSystem = RealFileSystem::shared());

    [[nodiscard]] std::expected<QList<FirefoxStoreProfile>, ProfileDataError> profiles(
        const QString& storePath) const override;

    // The copy's folder, removed with the snapshot, and its database file.
    struct Snapshot
    {
        QTemporaryDir dir;
        QString db;
    };
    // Copies the store and its journal files into a new folder under the temporary folder that
    // only this user can enter, each copy readable by this user alone; nothing when the store
    // itself could not be copied.
    static std::optional<Snapshot> snapshot(const QString& storePath, const FileSystemReading& fileSystem);

private:
    const FileSystemReading& m_fileSystem;
};

} // namespace tavro
