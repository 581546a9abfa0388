#pragma once
// Stands for what About reads of the system: the main bundle's information dictionary, the running
// OS version (ProcessInfo's operatingSystemVersion) and the kernel's OS build ("kern.osversion").
// Here the bundle values are set when Tavro is built, the version and build are those of the
// running system, and the system names itself as os-release's PRETTY_NAME does.

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
    virtual std::optional<QString> prettyName() = 0;
};
Backend& systemBackend();
// Routes the calls to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

// The string under `key` ("CFBundleShortVersionString", "CFBundleVersion"); none when missing.
std::optional<QString> bundleString(const QString& key);
OperatingSystemVersion operatingSystemVersion();
// The kernel's buffer as read: the build text, possibly followed by NUL bytes; empty when unknown.
QByteArray osBuild();
// The running system's name with its version as it gives them ("Debian GNU/Linux 12 (bookworm)");
// none on macOS, whose name is built from `operatingSystemVersion`.
std::optional<QString> prettyName();

} // namespace tavro::SystemInfo
