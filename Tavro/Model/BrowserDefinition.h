#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tavro {

// Safari's bundle identifier: its profiles, its menus and its setup take roads of their own.
inline constexpr QLatin1String safariBundleIdentifier("com.apple.Safari");

// Where a browser keeps its profiles.
enum class ProfileFamily { safari, chromium, firefox, unsupported };

QString rawValue(ProfileFamily family);
std::optional<ProfileFamily> profileFamilyFromRawValue(const QString& raw);

// How a private window is opened in a browser; a browser without one cannot open private windows.
class PrivateWindowMechanism
{
public:
    enum class Kind { launchArgument, accessibilityMenuItem, alwaysPrivate };

    static PrivateWindowMechanism launchArgument(const QString& argument) { return {Kind::launchArgument, argument}; }
    static PrivateWindowMechanism accessibilityMenuItem() { return {Kind::accessibilityMenuItem, {}}; }
    static PrivateWindowMechanism alwaysPrivate() { return {Kind::alwaysPrivate, {}}; }

    Kind kind() const { return m_kind; }
    // The extra command-line argument of `launchArgument`; empty otherwise.
    const QString& argument() const { return m_argument; }

    bool operator==(const PrivateWindowMechanism&) const = default;

private:
    PrivateWindowMechanism(Kind kind, QString argument) : m_kind(kind), m_argument(std::move(argument)) { }

    Kind m_kind;
    QString m_argument;
};

// One row of the fixed table of browsers the application knows.
struct BrowserDefinition
{
    QString id;
    QString displayName;
    QStringList bundleIdentifiers;
    ProfileFamily profileFamily = ProfileFamily::unsupported;
    std::optional<QString> chromiumSupportSubpath;

    bool operator==(const BrowserDefinition&) const = default;

    // The eighteen known browsers, in search order.
    static const QList<BrowserDefinition>& registry();
    // The first row listing exactly this bundle identifier, or the application's identifier within
    // a snap's or a Flatpak's ("org.mozilla.firefox@flatpak" is Firefox).
    static std::optional<BrowserDefinition> definition(const QString& bundleIdentifier);

    // The profile name of the single destination of a browser without profile support.
    std::optional<QString> noProfilesLabel() const;
    std::optional<PrivateWindowMechanism> privateMechanism() const;
};

} // namespace tavro
