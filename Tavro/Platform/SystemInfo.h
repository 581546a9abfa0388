#pragma once
// Stands for what About reads of the system: the main bundle's information dictionary, the running
// OS version (ProcessInfo's operatingSystemVersion) and the kernel's OS build ("kern.osversion").
// Here the bundle values are set when Tavro is built, and the version and build are those of the
// running system.

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavro::SystemInfo {

struct OperatingSystemVersion
{
    int majorVersion = 0;
    int minorVersion = 0;
    int patchVersion = 0;
    bool operator==(const OperatingSystemVersion&) const = default;
};

// What the calls below go through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual std::optional<QString> bundleString(const QString& key) = 0;
    virtual OperatingSystemVersion operatingSystemVersion() = 0;
    virtual QByteArray osBuild() = 0;
};
Backend& systemBackend();
// Routes the calls to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

// The string under `key` ("CFBundleShortVersionString", "CFBundleVersion"); none when missing.
std::optional<QString> bundleString(const QString& key);
OperatingSystemVersion operatingSystemVersion();
// The kernel's buffer as read: the build text, possibly followed by NUL bytes; empty when unknown.
QByteArray osBuild();

} // namespace tavro::SystemInfo
