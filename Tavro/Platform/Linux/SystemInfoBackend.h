#pragma once
// What About reads of the system on Linux: the bundle values set when Tavro is built, the
// distribution's release as the version, the kernel's release as the build, and os-release's
// PRETTY_NAME as the system's name.

#include "Tavro/Platform/SystemInfo.h"

namespace tavro::Linux {

class SystemInfoBackend final : public SystemInfo::Backend
{
public:
    std::optional<QString> bundleString(const QString& key) override;
    SystemInfo::OperatingSystemVersion operatingSystemVersion() override;
    QByteArray osBuild() override;
    std::optional<QString> prettyName() override;
};

} // namespace tavro::Linux
