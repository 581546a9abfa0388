#pragma once
// Stands for the user defaults database: one settings file per application, here an INI file.

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace tavro {

class UserDefaults
{
public:
    // Opens the defaults kept in the file at `filePath` (created on the first write).
    explicit UserDefaults(const QString& filePath);
    ~UserDefaults();

    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    // The application's own defaults, "~/Library/Preferences/<bundle identifier>.ini",
    // worked out from HOME when first used.
    static UserDefaults& standard();
    static QString standardPath();

    QString filePath() const;

    bool contains(const QString& key) const;
    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);

    // A data value; absent when the key is missing or holds no bytes.
    std::optional<QByteArray> data(const QString& key) const;
    void setData(const QString& key, const QByteArray& bytes);

    // Writes pending changes to the file now.
    void synchronize();

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace tavro
