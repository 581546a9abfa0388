#include "Tavro/Platform/UserDefaults.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/AtomicFile.h"
#include "Tavro/Platform/HomeFolder.h"
#include "Tavro/Platform/PlatformLog.h"
#include "Tavro/Platform/PropertyList.h"
#include "Tavro/Platform/RealFileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <functional>
#include <limits>
#include <sys/stat.h>

namespace tavro {

namespace {

const QLatin1String plistSuffix(".plist");

// Characters an XML text node carries unchanged. A carriage return is legal but a reader turns
// it into a line feed, so text holding one (or a control character XML forbids) goes as data.
bool isPlainXmlText(const QString& text)
{
    for (auto it = text.cbegin(); it != text.cend(); ++it) {
        const char16_t c = it->unicode();
        if (c == u'\t' || c == u'\n' || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD))
            continue;
        if (QChar::isHighSurrogate(c) && it + 1 != text.cend() && (it + 1)->isLowSurrogate()) {
            ++it;
            continue;
        }
        return false;
    }
    return true;
}

// The value as the file gives it back, so that what is in memory is what a reopened file holds.
QVariant storable(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return value.toULongLong();
        return value.toLongLong();
    case QMetaType::Float:
    case QMetaType::Double:
        return value.toDouble();
    case QMetaType::QByteArray:
        return value.toByteArray();
    default: {
        const QString text = value.toString();
        return isPlainXmlText(text) ? QVariant(text) : QVariant(text.toUtf8());
    }
    }
}

// The values of a defaults file: a property list whose dictionary holds only strings, data,
// integers, reals and bools. Anything else is not a file these defaults wrote or can keep.
std::optional<QMap<QString, QVariant>> readDefaults(const QByteArray& bytes)
{
    std::optional<QVariantMap> values = PropertyList::parse(bytes);
    if (!values)
        return std::nullopt;
    for (const QVariant& value : std::as_const(*values)) {
        switch (value.typeId()) {
        case QMetaType::QString:
        case QMetaType::QByteArray:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Bool:
            continue;
        default:
            return std::nullopt;
        }
    }
    return values;
}

// A settings file holds a few kilobytes; a file far larger is none (a runaway or sparse file in
// its place) and is not read into memory.
constexpr qint64 maximumFileSize = 4 * 1024 * 1024;

// Whether what lies at `path` can be no settings file at all: a pipe, a device or a socket, or a
// file far larger than any. Reading it would wait or fill the memory, so it is moved aside unread;
// a folder stays where it is.
bool isNoSettingsFile(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISREG(info.st_mode) ? info.st_size > maximumFileSize : !S_ISDIR(info.st_mode);
}

// Whether anything takes up the name, a link that leads nowhere too.
bool isTaken(const QString& path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// The first of "<fileName>", "<fileName>.2", "<fileName>.3"… beside `filePath` that nothing takes
// up, or that `holdsIt` says holds what is to be kept there already.
QString freePathBeside(
    const QString& filePath, const QString& fileName, const std::function<bool(const QString&)>& holdsIt)
{
    const QString base = QFileInfo(filePath).absolutePath() + QLatin1Char('/') + fileName;
    QString path = base;
    for (int n = 2; isTaken(path) && !holdsIt(path); ++n)
        path = base + QLatin1Char('.') + QString::number(n);
    return path;
}

// The text after "=" of `key`'s line in an INI file, as it stands: QSettings drops quotes and
// splits at commas, so its value is not the text the user wrote. A key "group/name" is "name" in
// the section "[group]"; a key without a group is in "[General]".
std::optional<QByteArray> rawIniValue(const QByteArray& ini, const QString& key)
{
    const qsizetype slash = key.indexOf(QLatin1Char('/'));
    const QByteArray section = slash < 0 ? QByteArray("General") : key.left(slash).toUtf8();
    const QByteArray name = (slash < 0 ? key : key.mid(slash + 1)).toUtf8().replace('/', '\\');
    QByteArray current("General");
    std::optional<QByteArray> found; // a key given twice: the later line is the one QSettings reads
    for (const QByteArray& rawLine : ini.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            current = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && current == section && line.left(equals).trimmed() == name)
            found = line.mid(equals + 1).trimmed();
    }
    return found;
}

} // namespace

UserDefaults::UserDefaults(const QString& filePath) : m_filePath(filePath)
{
    load();
}

UserDefaults::~UserDefaults() = default;

UserDefaults& UserDefaults::standard()
{
    static UserDefaults defaults(standardPath());
    return defaults;
}

QString UserDefaults::standardPath()
{
    return HomeFolder::path() + QStringLiteral("/Library/Preferences/") + AppInfo::bundleIdentifier() + plistSuffix;
}

QString UserDefaults::filePath() const
{
    return m_filePath;
}

void UserDefaults::load()
{
    const FileReadOutcome file = RealFileSystem::readRegularFile(m_filePath, maximumFileSize);
    switch (file.kind()) {
    case FileReadOutcome::Kind::data:
        break;
    case FileReadOutcome::Kind::missing:
        migrateLegacyFile();
        return;
    case FileReadOutcome::Kind::denied:
    case FileReadOutcome::Kind::unreadable:
        if (isNoSettingsFile(m_filePath)) {
            qCWarning(lcPlatform) << m_filePath << "is a pipe, a device or an outsized file; it is moved aside unread"
                                  << "before it is replaced";
            m_strayFile = true;
            return;
        }
        qCWarning(lcPlatform) << "cannot read" << m_filePath << "; it will not be written";
        m_unreadableFile = true;
        return;
    }
    if (auto values = readDefaults(file.bytes())) {
        m_values = *values;
        return;
    }
    qCWarning(lcPlatform) << m_filePath << "is not a property list; a copy is kept beside it before it is replaced";
    m_unparsedFile = file.bytes();
}

void UserDefaults::migrateLegacyFile()
{
    if (!m_filePath.endsWith(plistSuffix))
        return;
    const QString iniPath = m_filePath.chopped(plistSuffix.size()) + QStringLiteral(".ini");
    const FileReadOutcome file = RealFileSystem::readRegularFile(iniPath, maximumFileSize);
    if (file.kind() != FileReadOutcome::Kind::data)
        return;
    // Reading takes no lock file; nothing is set, so nothing is written back to the INI file.
    const QSettings legacy(iniPath, QSettings::IniFormat);
    for (const QString& key : legacy.allKeys()) {
        const QVariant value = legacy.value(key);
        if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) {
            m_values.insert(key, storable(value));
            continue;
        }
        // A list (unquoted commas) or an "@Variant" that does not load: keep the text as written.
        if (const auto raw = rawIniValue(file.bytes(), key))
            m_unreadableValues.insert(key, *raw);
    }
    qCInfo(lcPlatform) << "read" << m_values.size() << "values from" << iniPath;
}

std::expected<void, UserDefaultsError> UserDefaults::write()
{
    m_pendingWrite = true;
    if (m_unreadableFile)
        return std::unexpected(UserDefaultsError::unreadableFile);
    const QString keptName = QFileInfo(m_filePath).fileName() + QStringLiteral(".unreadable");
    if (m_unparsedFile) {
        if (!keepBesideItself(keptName, *m_unparsedFile))
            return std::unexpected(UserDefaultsError::copyNotKept);
        m_unparsedFile.reset();
    }
    if (m_strayFile) {
        if (!moveBesideItself(keptName))
            return std::unexpected(UserDefaultsError::copyNotKept);
        m_strayFile = false;
    }
    const std::optional<QByteArray> bytes = PropertyList::serialize(m_values);
    if (!bytes) {
        qCWarning(lcPlatform) << "a key cannot be written to" << m_filePath;
        return std::unexpected(UserDefaultsError::unstorableKey);
    }
    if (!AtomicFile::write(m_filePath, *bytes, AtomicFile::Access::ownerOnly))
        return std::unexpected(UserDefaultsError::unwritable);
    m_pendingWrite = false;
    return {};
}

std::expected<void, UserDefaultsError> UserDefaults::changed(const QString& key)
{
    m_unreadableValues.remove(key);
    return write();
}

bool UserDefaults::contains(const QString& key) const
{
    return m_values.contains(key);
}

QVariant UserDefaults::value(const QString& key) const
{
    return m_values.value(key);
}

std::expected<void, UserDefaultsError> UserDefaults::setValue(const QString& key, const QVariant& value)
{
    if (!value.isValid())
        return remove(key);
    m_values.insert(key, storable(value));
    return changed(key);
}

std::expected<void, UserDefaultsError> UserDefaults::remove(const QString& key)
{
    if (m_values.remove(key) == 0)
        return {};
    return changed(key);
}

std::optional<QByteArray> UserDefaults::data(const QString& key) const
{
    const QVariant stored = m_values.value(key);
    if (!stored.isValid())
        return std::nullopt;
    const QByteArray bytes = stored.toByteArray();
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes;
}

std::expected<void, UserDefaultsError> UserDefaults::setData(const QString& key, const QByteArray& bytes)
{
    return setValue(key, bytes);
}

std::optional<QByteArray> UserDefaults::unreadableValue(const QString& key) const
{
    const auto it = m_unreadableValues.constFind(key);
    return it == m_unreadableValues.constEnd() ? std::nullopt : std::optional<QByteArray>(*it);
}

std::optional<QString> UserDefaults::keepBesideItself(const QString& fileName, const QByteArray& bytes) const
{
    // Read through the guard: what was moved aside before may be a pipe or a device.
    const QString path = freePathBeside(m_filePath, fileName, [&](const QString& taken) {
        const FileReadOutcome kept = RealFileSystem::readRegularFile(taken, bytes.size());
        return kept.kind() == FileReadOutcome::Kind::data && kept.bytes() == bytes;
    });
    if (isTaken(path))
        return path;
    if (!AtomicFile::write(path, bytes, AtomicFile::Access::ownerOnly))
        return std::nullopt;
    return path;
}

bool UserDefaults::moveBesideItself(const QString& fileName) const
{
    const QString path = freePathBeside(m_filePath, fileName, [](const QString&) { return false; });
    if (::rename(QFile::encodeName(m_filePath).constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    qCWarning(lcPlatform) << "cannot move" << m_filePath << "to" << path << qt_error_string(errno);
    return false;
}

std::expected<void, UserDefaultsError> UserDefaults::synchronize()
{
    if (!m_pendingWrite)
        return {};
    return write();
}

QString description(UserDefaultsError error)
{
    switch (error) {
    case UserDefaultsError::unreadableFile:
        return QStringLiteral("the defaults file exists but could not be read");
    case UserDefaultsError::copyNotKept:
        return QStringLiteral("the unreadable defaults file could not be kept beside itself");
    case UserDefaultsError::unstorableKey:
        return QStringLiteral("a key cannot be written in a property list");
    case UserDefaultsError::unwritable:
        return QStringLiteral("the defaults file could not be written");
    }
    return {};
}

} // namespace tavro
