#include "Tavro/Platform/Linux/SystemInfoBackend.h"

#include <QStringList>
#include <QSysInfo>

namespace tavro::Linux {

std::optional<QString> SystemInfoBackend::bundleString(const QString& key)
{
    if (key == QLatin1String("CFBundleShortVersionString"))
        return QStringLiteral(TAVRO_VERSION);
    if (key == QLatin1String("CFBundleVersion"))
        return QStringLiteral(TAVRO_BUILD_NUMBER);
    return std::nullopt;
}

SystemInfo::OperatingSystemVersion SystemInfoBackend::operatingSystemVersion()
{
    // The distribution's release ("12", "24.04"); parts that are not numbers count as 0.
    const QStringList parts = QSysInfo::productVersion().split(QLatin1Char('.'));
    const auto part = [&parts](qsizetype index) { return index < parts.size() ? parts[index].toInt() : 0; };
    return {part(0), part(1), part(2)};
}

QByteArray SystemInfoBackend::osBuild()
{
    return QSysInfo::kernelVersion().toUtf8();
}

// PRETTY_NAME of os-release, or the kernel's name and release without one.
std::optional<QString> SystemInfoBackend::prettyName()
{
    return QSysInfo::prettyProductName();
}

} // namespace tavro::Linux
