#include "Tavro/Platform/SystemInfo.h"
#include "Tavro/Platform/InstalledBackend.h"

#include <QStringList>
#include <QSysInfo>

namespace tavro {

namespace {

class SystemBackend final : public SystemInfo::Backend
{
public:
    std::optional<QString> bundleString(const QString& key) override
    {
        if (key == QLatin1String("CFBundleShortVersionString"))
            return QStringLiteral(TAVRO_VERSION);
        if (key == QLatin1String("CFBundleVersion"))
            return QStringLiteral(TAVRO_BUILD_NUMBER);
        return std::nullopt;
    }

    SystemInfo::OperatingSystemVersion operatingSystemVersion() override
    {
        // The distribution's release ("12", "24.04"); parts that are not numbers count as 0.
        const QStringList parts = QSysInfo::productVersion().split(QLatin1Char('.'));
        const auto part = [&parts](qsizetype index) { return index < parts.size() ? parts[index].toInt() : 0; };
        return {part(0), part(1), part(2)};
    }

    QByteArray osBuild() override { return QSysInfo::kernelVersion().toUtf8(); }

    // PRETTY_NAME of os-release, or the kernel's name and release without one.
    std::optional<QString> prettyName() override { return QSysInfo::prettyProductName(); }
};

InstalledBackend<SystemInfo::Backend> installedBackend;

SystemInfo::Backend& current()
{
    return installedBackend.orElse(SystemInfo::systemBackend());
}

} // namespace

SystemInfo::Backend& SystemInfo::systemBackend()
{
    static SystemBackend system;
    return system;
}

void SystemInfo::setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

std::optional<QString> SystemInfo::bundleString(const QString& key)
{
    return current().bundleString(key);
}

SystemInfo::OperatingSystemVersion SystemInfo::operatingSystemVersion()
{
    return current().operatingSystemVersion();
}

QByteArray SystemInfo::osBuild()
{
    return current().osBuild();
}

std::optional<QString> SystemInfo::prettyName()
{
    return current().prettyName();
}

} // namespace tavro
