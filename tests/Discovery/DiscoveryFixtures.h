#pragma once
// A temporary HOME with browsers installed and their profile data, for scans and the watcher.

#include "Tavro/Platform/FileSystemReading.h"
#include "Tavro/Platform/RealFileSystem.h"
#include "tests/Discovery/SqliteFixture.h"
#include "tests/Support/QtPrinting.h"
#include "tests/Support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <utility>

namespace tavro::test {

inline const QString chromiumSupport = QStringLiteral("Library/Application Support/");
inline const QString safariContainer = QStringLiteral("Library/Containers/com.apple.Safari/Data/Library/Safari");

// An application bundle "~/Applications/<name>.app" with its Info.plist and executable.
inline QString installApp(
    const TempHome& home, const QString& name, const QString& bundleIdentifier, bool withExecutable = true)
{
    const QString bundle = QStringLiteral("Applications/") + name + QStringLiteral(".app");
    const QByteArray plist = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                             "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                             "<plist version=\"1.0\">\n<dict>\n"
                             "\t<key>CFBundleIdentifier</key>\n\t<string>"
        + bundleIdentifier.toUtf8()
        + "</string>\n"
          "\t<key>CFBundleExecutable</key>\n\t<string>"
        + name.toUtf8() + "</string>\n</dict>\n</plist>\n";
    home.writeFile(bundle + QStringLiteral("/Contents/Info.plist"), plist);
    if (withExecutable) {
        const QString executable = home.writeFile(bundle + QStringLiteral("/Contents/MacOS/") + name, "#!/bin/sh\n");
        QFile::setPermissions(executable, QFile::permissions(executable) | QFile::ExeOwner);
    }
    return home.filePath(bundle);
}

// A "Local State" listing these (folder, name) profiles in this order, with their folders.
inline void writeLocalState(
    const TempHome& home, const QString& subpath, const QList<std::pair<QString, QString>>& profiles)
{
    QJsonObject cache;
    QJsonArray order;
    for (const auto& [folder, name] : profiles) {
        cache.insert(folder, QJsonObject{{QStringLiteral("name"), name}});
        order.append(folder);
        QDir().mkpath(home.filePath(chromiumSupport + subpath + QLatin1Char('/') + folder));
    }
    const QJsonObject root{{QStringLiteral("profile"),
        QJsonObject{{QStringLiteral("info_cache"), cache}, {QStringLiteral("profiles_order"), order}}}};
    home.writeFile(chromiumSupport + subpath + QStringLiteral("/Local State"), QJsonDocument(root).toJson());
}

// Safari's tabs database with these profile titles, in order.
inline void writeSafariTabs(const TempHome& home, const QStringList& titles)
{
    QDir().mkpath(home.filePath(safariContainer));
    const QString path = home.filePath(safariContainer + QStringLiteral("/SafariTabs.db"));
    QFile::remove(path);
    SqliteDatabase db(path);
    db.exec("CREATE TABLE bookmarks (external_uuid TEXT, title TEXT, type INTEGER, subtype INTEGER, deleted INTEGER,"
            " order_index INTEGER)");
    for (qsizetype i = 0; i < titles.size(); ++i) {
        db.exec("INSERT INTO bookmarks VALUES ('U" + QByteArray::number(i) + "', '" + titles[i].toUtf8()
            + "', 1, 2, 0, " + QByteArray::number(i) + ")");
    }
}

// The real disk, except that the system refuses the files named here.
class RefusingFileSystem : public FileSystemReading
{
public:
    explicit RefusingFileSystem(QSet<QString> refused) : m_refused(std::move(refused)) { }

    QString homeDirectory() const override { return m_real.homeDirectory(); }
    std::optional<QByteArray> contents(const QString& path) const override
    {
        return m_refused.contains(path) ? std::nullopt : m_real.contents(path);
    }
    bool fileExists(const QString& path) const override { return m_refused.contains(path) || m_real.fileExists(path); }
    FileReadOutcome read(const QString& path) const override
    {
        return m_refused.contains(path) ? FileReadOutcome::denied() : m_real.read(path);
    }

private:
    QSet<QString> m_refused;
    RealFileSystem m_real;
};

} // namespace tavro::test
