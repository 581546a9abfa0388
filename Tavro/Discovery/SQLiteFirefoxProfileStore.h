#pragma once

#include "Tavro/Discovery/FirefoxProfileStoreReading.h"

#include <optional>

namespace tavro {

// Reads a profile-group database from a private copy in the temporary folder: a running Firefox
// holds the store open and writes to it, so the store itself is only ever copied, together with
// its "-wal" and "-shm" journal files. The copy never outlives the call.
class SQLiteFirefoxProfileStore : public FirefoxProfileStoreReading
{
public:
    std::expected<QList<FirefoxStoreProfile>, ProfileDataError> profiles(const QString& storePath) const override;

    // The copy's folder and database file.
    struct Snapshot
    {
        QString dir;
        QString db;
    };
    // Copies the store and its journal files into a new folder under the temporary folder;
    // nothing when the store itself could not be copied.
    static std::optional<Snapshot> snapshot(const QString& storePath);
};

} // namespace tavro
