#include "Tavro/Platform/AutostartEntry.h"
#include "Tavro/Platform/InstalledBackend.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/AtomicFile.h"
#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/DesktopEntry.h"
#include "Tavro/Platform/LaunchEvent.h"

#include <QCoreApplication>
#include <QFile>

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

class SystemBackend final : public AutostartEntry::Backend
{
public:
    std::expected<void, AutostartError> registerMainApp() override
    {
        const QString exec = QStringLiteral("env %1=login-item ").arg(QLatin1String(LaunchEvent::kLaunchKindVariable))
            + quotedExecArgument(QCoreApplication::applicationFilePath());
        // TryExec: once the program is gone, the desktop skips the entry instead of failing at each login.
        const QString program
            = QCoreApplication::applicationFilePath().replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        const QString contents = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nTryExec=%2\nExec=%3\n"
                                                "X-GNOME-Autostart-enabled=true\n")
                                     .arg(AppInfo::displayName(), program, exec);
        if (!AtomicFile::write(AutostartEntry::entryPath(), contents.toUtf8(), AtomicFile::Access::asBefore))
            return std::unexpected(AutostartError::notPermitted);
        return {};
    }

    std::expected<void, AutostartError> unregisterMainApp() override
    {
        if (!isRegistered())
            return std::unexpected(AutostartError::notRegistered);
        if (!QFile::remove(AutostartEntry::entryPath()))
            return std::unexpected(AutostartError::notPermitted);
        return {};
    }

    AutostartEntry::Status status() override
    {
        return isRegistered() ? AutostartEntry::Status::enabled : AutostartEntry::Status::notRegistered;
    }
};

InstalledBackend<AutostartEntry::Backend> installedBackend;

AutostartEntry::Backend& backend()
{
    return installedBackend.orElse(AutostartEntry::systemBackend());
}
} // namespace

namespace AutostartEntry {

Backend& systemBackend()
{
    static SystemBackend system;
    return system;
}

void setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

QString entryPath()
{
    return DesktopApplications::configHome() + QStringLiteral("/autostart/tavro.desktop");
}

std::expected<void, AutostartError> registerMainApp()
{
    return backend().registerMainApp();
}

std::expected<void, AutostartError> unregisterMainApp()
{
    return backend().unregisterMainApp();
}

Status status()
{
    return backend().status();
}

} // namespace AutostartEntry

} // namespace tavro
