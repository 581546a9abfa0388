#include "Tavro/Platform/Linux/AutostartEntryBackend.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/AtomicFile.h"
#include "Tavro/Platform/DesktopEntry.h"
#include "Tavro/Platform/LaunchEvent.h"

#include <QCoreApplication>
#include <QFile>

namespace tavro::Linux {

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

} // namespace

std::expected<void, AutostartError> AutostartEntryBackend::registerMainApp()
{
    const QString exec = QStringLiteral("env %1=login-item ").arg(QLatin1String(LaunchEvent::kLaunchKindVariable))
        + quotedExecArgument(QCoreApplication::applicationFilePath());
    // TryExec: once the program is gone, the desktop skips the entry instead of failing at each login.
    const QString program = QCoreApplication::applicationFilePath().replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    const QString contents = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nTryExec=%2\nExec=%3\n"
                                            "X-GNOME-Autostart-enabled=true\n")
                                 .arg(AppInfo::displayName(), program, exec);
    if (!AtomicFile::write(AutostartEntry::entryPath(), contents.toUtf8(), AtomicFile::Access::asBefore))
        return std::unexpected(AutostartError::notPermitted);
    return {};
}

std::expected<void, AutostartError> AutostartEntryBackend::unregisterMainApp()
{
    if (!isRegistered())
        return std::unexpected(AutostartError::notRegistered);
    if (!QFile::remove(AutostartEntry::entryPath()))
        return std::unexpected(AutostartError::notPermitted);
    return {};
}

AutostartEntry::Status AutostartEntryBackend::status()
{
    return isRegistered() ? AutostartEntry::Status::enabled : AutostartEntry::Status::notRegistered;
}

} // namespace tavro::Linux
