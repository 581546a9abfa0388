#pragma once
// Test surface of the simulated SystemInfo backend (in TavroSimulation, never in the shipped
// program): each value answers as the system does until a test sets it.

#include "Tavro/Platform/SystemInfo.h"

namespace tavro::SystemInfoHost {

void install();
// `value` none takes the key out of the information dictionary.
void setBundleString(const QString& key, std::optional<QString> value);
void setOperatingSystemVersion(SystemInfo::OperatingSystemVersion version);
void setOSBuild(const QByteArray& build);
// None answers as macOS does.
void setPrettyName(std::optional<QString> name);
// Back to the system's answers.
void reset();

} // namespace tavro::SystemInfoHost
