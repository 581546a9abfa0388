#include "Tavro/Discovery/SQLiteFirefoxProfileStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace tavro {

namespace {

// Made readable by this user alone from the start; a file already there is never reused.
bool writePrivateFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner)
        && file.write(bytes) == bytes.size();
}

} // namespace

SQLiteFirefoxProfileStore::SQLiteFirefoxProfileStore(const FileSystemReading& fileSystem) : m_fileSystem(fileSystem) { }

std::optional<SQLiteFirefoxProfileStore::Snapshot> SQLiteFirefoxProfileStore::snapshot(
    const QString& storePath, const FileSystemReading& fileSystem)
{
    // A folder of mode 0700 under an unguessable name, made by mkdtemp: a folder planted in the
    // shared temporary folder is never reused.
    Snapshot copy{QTemporaryDir(QDir::tempPath() + QStringLiteral("/tavro-ffstore-XXXXXX")), QString()};
    if (!copy.dir.isValid())
        return std::nullopt;
    const QString baseName = QFileInfo(storePath).fileName();
    for (const QLatin1String suffix : {QLatin1String(""), QLatin1String("-wal"), QLatin1String("-shm")}) {
        const QString source = storePath + suffix;
        if (!fileSystem.fileExists(source))
            continue;
        const std::optional<QByteArray> bytes = fileSystem.contents(source);
        const bool copied = bytes && writePrivateFile(copy.dir.filePath(baseName + suffix), *bytes);
        if (!copied && suffix.isEmpty())
            return std::nullopt;
    }
    copy.db = copy.dir.filePath(baseName);
    if (!QFileInfo::exists(copy.db))
        return std::nullopt;
    return copy;
}

std::expected<QList<FirefoxStoreProfile>, ProfileDataError> SQLiteFirefoxProfileStore::profiles(
    const QString& storePath) const
{
    if (!m_fileSystem.fileExists(storePath))
        return QList<FirefoxStoreProfile>{};
    // Removed when this function returns, however it returns.
    const std::optional<Snapshot> copy = snapshot(storePath, m_fileSystem);
    if (!copy)
        return std::unexpected(ProfileDataError::unreadable);

    // Read-write on the copy, so that SQLite may fold the copied write-ahead log into it.
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(copy->db).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        if (db)
            sqlite3_close(db);
        return std::unexpected(ProfileDataError::unreadable);
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT path, name FROM Profiles ORDER BY id", -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return std::unexpected(ProfileDataError::malformed);
    }
    QList<FirefoxStoreProfile> rows;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* path = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        if (!path || !name || !*path)
            continue;
        rows.append(FirefoxStoreProfile{QString::fromUtf8(path), QString::fromUtf8(name)});
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    // A store caught half-written can fail part-way; the rows read until then are not all of them.
    if (step != SQLITE_DONE)
        return std::unexpected(ProfileDataError::malformed);
    return rows;
}

} // namespace tavro
