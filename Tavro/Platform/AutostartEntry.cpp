#include "Tavro/Platform/AutostartEntry.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/DesktopEntry.h"
#include "Tavro/Platform/LaunchEvent.h"
#include "Tavro/Platform/PlatformLog.h"
#include "Tavro/Platform/UserDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tavro {

QString description(AutostartError error)
{
    switch (error) {
    case AutostartError::notPermitted:
        return QStringLiteral("Operation not permitted");
    case AutostartError::notRegistered:
        return QStringLiteral("Can’t find the login item to remove");
    }
    return {};
}

namespace {
// An Exec argument in double quotes, with the characters the standard reserves escaped (the
// backslash doubled again for the string-value escape) and a percent sign doubled (field codes).
QString quotedExecArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\'))
            quoted += QStringLiteral("\\\\\\\\");
        else if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            quoted += QStringLiteral("\\\\") + c;
        else if (c == QLatin1Char('%'))
            quoted += QStringLiteral("%%");
        else
            quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool isRegistered()
{
    const auto entry = DesktopEntry::read(AutostartEntry::entryPath());
    return entry && !entry->flag(QStringLiteral("Hidden"))
        && entry->value(QStringLiteral("X-GNOME-Autostart-enabled")) != QLatin1String("false");
}

bool isApproved(const UserDefaults& store)
{
    const QVariant approved = store.value(AutostartEntry::approvalKey());
    return !approved.isValid() || approved.toBool();
}
} // namespace

namespace AutostartEntry {

QString entryPath()
{
    return DesktopApplications::configHome() + QStringLiteral("/autostart/tavro.desktop");
}

QString storePath()
{
    return QDir::homePath() + QStringLiteral("/Library/Preferences/com.apple.backgroundtaskmanagement.plist");
}

QString approvalKey()
{
    return AppInfo::bundleIdentifier() + QStringLiteral("/approved");
}

std::expected<void, AutostartError> registerMainApp()
{
    if (!isApproved(UserDefaults(storePath())))
        return std::unexpected(AutostartError::notPermitted);
    const QString exec = QStringLiteral("env %1=login-item ").arg(QLatin1String(LaunchEvent::kLaunchKindVariable))
        + quotedExecArgument(QCoreApplication::applicationFilePath());
    const QString contents = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                            "X-GNOME-Autostart-enabled=true\n")
                                 .arg(AppInfo::displayName(), exec);
    const QString path = entryPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents.toUtf8()) < 0 || !file.commit()) {
        qCWarning(lcPlatform) << "Could not write" << path << file.errorString();
        return std::unexpected(AutostartError::notPermitted);
    }
    return {};
}

QString removalRefusalKey()
{
    return AppInfo::bundleIdentifier() + QStringLiteral("/removalRefused");
}

std::expected<void, AutostartError> unregisterMainApp()
{
    if (!isRegistered())
        return std::unexpected(AutostartError::notRegistered);
    if (UserDefaults(storePath()).value(removalRefusalKey()).toBool() || !QFile::remove(entryPath()))
        return std::unexpected(AutostartError::notPermitted);
    return {};
}

Status status()
{
    if (!isRegistered())
        return Status::notRegistered;
    return isApproved(UserDefaults(storePath())) ? Status::enabled : Status::requiresApproval;
}

} // namespace AutostartEntry

} // namespace tavro
