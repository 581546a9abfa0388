#include "Tavro/Simulation/SystemInfoHost.h"

#include <QHash>

namespace tavro {

namespace {

class SimulatedSystemInfo final : public SystemInfo::Backend
{
public:
    std::optional<QString> bundleString(const QString& key) override
    {
        if (bundle.contains(key))
            return bundle.value(key);
        return SystemInfo::systemBackend().bundleString(key);
    }

    SystemInfo::OperatingSystemVersion operatingSystemVersion() override
    {
        return version.value_or(SystemInfo::systemBackend().operatingSystemVersion());
    }

    QByteArray osBuild() override { return build.value_or(SystemInfo::systemBackend().osBuild()); }
    std::optional<QString> prettyName() override { return name.value_or(SystemInfo::systemBackend().prettyName()); }

    QHash<QString, std::optional<QString>> bundle;
    std::optional<SystemInfo::OperatingSystemVersion> version;
    std::optional<QByteArray> build;
    std::optional<std::optional<QString>> name;
};

SimulatedSystemInfo& simulation()
{
    static SimulatedSystemInfo s;
    return s;
}

} // namespace

void SystemInfoHost::install()
{
    SystemInfo::setBackend(&simulation());
}

void SystemInfoHost::setBundleString(const QString& key, std::optional<QString> value)
{
    simulation().bundle.insert(key, std::move(value));
}

void SystemInfoHost::setOperatingSystemVersion(SystemInfo::OperatingSystemVersion version)
{
    simulation().version = version;
}

void SystemInfoHost::setOSBuild(const QByteArray& build)
{
    simulation().build = build;
}

void SystemInfoHost::setPrettyName(std::optional<QString> name)
{
    simulation().name = std::move(name);
}

void SystemInfoHost::reset()
{
    simulation().name.reset();
    simulation().bundle.clear();
    simulation().version.reset();
    simulation().build.reset();
}

} // namespace tavro
