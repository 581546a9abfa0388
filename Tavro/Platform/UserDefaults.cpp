#include "Tavro/Platform/UserDefaults.h"

#include "Tavro/Platform/AppInfo.h"

#include <QDir>

namespace tavro {

UserDefaults::UserDefaults(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{ }

UserDefaults::~UserDefaults() = default;

UserDefaults& UserDefaults::standard()
{
    static UserDefaults defaults(standardPath());
    return defaults;
}

QString UserDefaults::standardPath()
{
    return QDir::homePath() + QStringLiteral("/Library/Preferences/") + AppInfo::bundleIdentifier()
        + QStringLiteral(".ini");
}

QString UserDefaults::filePath() const
{
    return m_settings->fileName();
}

bool UserDefaults::contains(const QString& key) const
{
    return m_settings->contains(key);
}

QVariant UserDefaults::value(const QString& key) const
{
    return m_settings->value(key);
}

void UserDefaults::setValue(const QString& key, const QVariant& value)
{
    m_settings->setValue(key, value);
    m_settings->sync();
}

void UserDefaults::remove(const QString& key)
{
    m_settings->remove(key);
    m_settings->sync();
}

std::optional<QByteArray> UserDefaults::data(const QString& key) const
{
    const QVariant stored = m_settings->value(key);
    if (!stored.isValid())
        return std::nullopt;
    const QByteArray bytes = stored.toByteArray();
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes;
}

void UserDefaults::setData(const QString& key, const QByteArray& bytes)
{
    setValue(key, bytes);
}

void UserDefaults::synchronize()
{
    m_settings->sync();
}

} // namespace tavro
