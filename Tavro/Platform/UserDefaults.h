#pragma once
// Stands for the user defaults database: one property list per application, an XML plist file.

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QString>
#include <QVariant>

#include <expected>
#include <optional>

namespace tavro {

// Why a change of the defaults did not reach their file. The change stays in memory either way.
enum class UserDefaultsError {
    unreadableFile, // the file exists and could not be read: writing would replace what was never seen
    copyNotKept,    // the file that could not be parsed, or was no file to read, could not be kept beside it first
    unstorableKey,  // a key cannot be written in a property list
    unwritable,     // the file could not be written (a folder or a broken link in its place, a full disk)
};

QString description(UserDefaultsError error);

// The values are kept in memory and every change writes the whole file again, atomically (a
// reader sees the old file or the new one, never half of either) and with no lock file: one
// Tavro runs per home, so nothing else writes it, and no lock left by a crash can stall a write.
//
// A file that cannot be parsed is not lost: the defaults start empty and copy its bytes to
// "<file name>.unreadable" beside it before their first write. A pipe, a device or an outsized
// file in its place is never read (it would hold the reader or fill the memory): the defaults
// start empty and move it there, unread, before their first write. A "<name>.plist" that does not
// exist yet takes its values from the INI file "<name>.ini" that older versions kept, read once
// and left as it is.
class UserDefaults
{
public:
    // Opens the defaults kept in the file at `filePath` (created on the first write).
    explicit UserDefaults(const QString& filePath);
    ~UserDefaults();

    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    // The application's own defaults, "~/Library/Preferences/<bundle identifier>.plist",
    // worked out from HOME when first used.
    static UserDefaults& standard();
    static QString standardPath();

    QString filePath() const;

    bool contains(const QString& key) const;
    // A string, data (QByteArray), integer (qlonglong), real (double) or bool.
    QVariant value(const QString& key) const;
    // Bools, integers, reals and byte arrays keep their type; any other value is stored as its
    // string. An invalid value removes the key. Each change writes the file; its error says why
    // the write failed.
    [[nodiscard]] std::expected<void, UserDefaultsError> setValue(const QString& key, const QVariant& value);
    [[nodiscard]] std::expected<void, UserDefaultsError> remove(const QString& key);

    // A data value; absent when the key is missing or holds no bytes.
    std::optional<QByteArray> data(const QString& key) const;
    [[nodiscard]] std::expected<void, UserDefaultsError> setData(const QString& key, const QByteArray& bytes);

    // The text of an entry of the old INI file that its reader could not give as a string or
    // bytes (a hand edit read as a list, a damaged "@Variant"). Such a key reads as absent; its
    // text stays available here until the key is written.
    std::optional<QByteArray> unreadableValue(const QString& key) const;

    // Copies `bytes` to the file `fileName` beside the defaults, or to the first of
    // "<fileName>.2", "<fileName>.3"… that is free; a copy with the same bytes already there is
    // the copy. Returns the copy's path, or nothing when it could not be written.
    std::optional<QString> keepBesideItself(const QString& fileName, const QByteArray& bytes) const;

    // Writes the values to the file now, when an earlier write did not get through.
    [[nodiscard]] std::expected<void, UserDefaultsError> synchronize();
    // Whether the last change is still not in the file: its write failed (a folder or a broken
    // link where the file should be, a file that could not be read, a full disk).
    bool hasUnsavedChanges() const { return m_pendingWrite; }

private:
    void load();
    void migrateLegacyFile();
    bool moveBesideItself(const QString& fileName) const;
    [[nodiscard]] std::expected<void, UserDefaultsError> write();
    [[nodiscard]] std::expected<void, UserDefaultsError> changed(const QString& key);

    QString m_filePath;
    QMap<QString, QVariant> m_values;
    QHash<QString, QByteArray> m_unreadableValues;
    // The bytes of a file that could not be parsed, until they are copied beside it.
    std::optional<QByteArray> m_unparsedFile;
    // A pipe, a device or an outsized file at the path, until it is moved beside it.
    bool m_strayFile = false;
    // The file exists but could not be read: writing would replace what was never seen.
    bool m_unreadableFile = false;
    bool m_pendingWrite = false;
};

} // namespace tavro
