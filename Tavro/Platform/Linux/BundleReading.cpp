#include "Tavro/Platform/Workspace.h"

#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/DesktopEntry.h"
#include "Tavro/Platform/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace tavro {

bool AppBundle::isDesktopEntry() const
{
    return bundlePath.endsWith(QLatin1String(".desktop"));
}

QString AppBundle::executablePath() const
{
    if (executableName.isEmpty())
        return {};
    if (isDesktopEntry())
        return QDir::isAbsolutePath(executableName) ? executableName : QStandardPaths::findExecutable(executableName);
    return bundlePath + QStringLiteral("/Contents/MacOS/") + executableName;
}

QStringList AppBundle::commandLine(const QStringList& arguments) const
{
    if (!isDesktopEntry())
        return QStringList{executablePath()} + arguments;
    return QStringList{executablePath()} + DesktopEntry::expandExec(exec, arguments, name, iconFile, bundlePath);
}

std::optional<QHash<QString, QString>> Workspace::readPropertyList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<QVariantMap> values = PropertyList::parse(file.readAll());
    if (!values)
        return std::nullopt;
    // Values other than strings (arrays, numbers, booleans) are not needed.
    QHash<QString, QString> strings;
    for (auto it = values->cbegin(); it != values->cend(); ++it) {
        if (it->typeId() == QMetaType::QString)
            strings.insert(it.key(), it->toString());
    }
    return strings;
}

std::optional<AppBundle> Workspace::desktopEntry(const QString& entryPath)
{
    const auto identifier = DesktopApplications::bundleIdentifier(QFileInfo(entryPath).fileName());
    if (!identifier)
        return std::nullopt;
    const auto entry = DesktopEntry::read(entryPath);
    if (!entry || entry->value(QStringLiteral("Type")) != QLatin1String("Application")
        || entry->flag(QStringLiteral("Hidden")))
        return std::nullopt;
    // A TryExec that is not there means the package was removed but left its entry behind.
    if (const auto tryExec = entry->value(QStringLiteral("TryExec")); tryExec && !tryExec->isEmpty()) {
        if (!DesktopEntry::checkProgram(*tryExec))
            return std::nullopt;
    }
    const auto exec = DesktopEntry::splitExec(entry->value(QStringLiteral("Exec")).value_or(QString()));
    if (!exec)
        return std::nullopt;
    AppBundle bundle;
    bundle.bundlePath = QDir::cleanPath(entryPath);
    bundle.bundleIdentifier
        = DesktopApplications::installIdentifier(*identifier, DesktopApplications::installOf(entryPath));
    bundle.executableName = exec->first();
    bundle.exec = exec->mid(1);
    bundle.iconFile = entry->value(QStringLiteral("Icon")).value_or(QString());
    bundle.name = entry->value(QStringLiteral("Name"), QLocale::system().name()).value_or(QString());
    if (bundle.name.isEmpty())
        bundle.name = QFileInfo(bundle.bundlePath).completeBaseName();
    return bundle;
}

std::optional<AppBundle> Workspace::bundle(const QString& bundlePath)
{
    if (bundlePath.endsWith(QLatin1String(".desktop")))
        return desktopEntry(bundlePath);
    const auto plist = readPropertyList(bundlePath + QStringLiteral("/Contents/Info.plist"));
    if (!plist)
        return std::nullopt;
    const QString identifier = plist->value(QStringLiteral("CFBundleIdentifier"));
    if (identifier.isEmpty())
        return std::nullopt;
    AppBundle bundle;
    bundle.bundlePath = QDir::cleanPath(bundlePath);
    bundle.bundleIdentifier = identifier;
    bundle.executableName = plist->value(QStringLiteral("CFBundleExecutable"));
    bundle.iconFile = plist->value(QStringLiteral("CFBundleIconFile"));
    bundle.name = plist->value(QStringLiteral("CFBundleName"));
    if (bundle.name.isEmpty())
        bundle.name = QFileInfo(bundle.bundlePath).completeBaseName();
    return bundle;
}

} // namespace tavro
