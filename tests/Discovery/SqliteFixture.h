#pragma once
// Builds small SQLite databases for the profile readers' tests.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sqlite3.h>

namespace tavro::test {

// One open database connection; statements run in order and stop the test on failure.
class SqliteDatabase
{
public:
    explicit SqliteDatabase(const QString& path)
    {
        if (sqlite3_open_v2(
                QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
            != SQLITE_OK)
            qFatal("cannot create test database %s", qPrintable(path));
    }
    ~SqliteDatabase() { sqlite3_close(m_db); }

    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    void exec(const QByteArray& sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK)
            qFatal("test SQL failed: %s: %s", sql.constData(), message);
    }

private:
    sqlite3* m_db = nullptr;
};

} // namespace tavro::test
