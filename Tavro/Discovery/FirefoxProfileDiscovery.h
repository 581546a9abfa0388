#pragma once

#include "Tavro/Discovery/FirefoxProfileStoreReading.h"
#include "Tavro/Discovery/ProfileDataError.h"
#include "Tavro/Model/LaunchStrategy.h"

#include <QList>
#include <QString>

#include <optional>

namespace tavro {

class FileSystemReading;

// One Firefox profile found in a scan.
struct DiscoveredFirefoxProfile
{
    QString id; // identity within one scan; becomes the destination's profile id
    QString displayName;
    LaunchStrategy launch; // firefoxProfile(name) or firefoxProfilePath(path)

    bool operator==(const DiscoveredFirefoxProfile&) const = default;
};

} // namespace tavro

// The Firefox profiles, from "profiles.ini" and the profile-group databases of the Firefox data
// folder `firefoxRoot` (BrowserDiscoveryService::dataFolder).
namespace tavro::FirefoxProfileDiscovery {

// One profile section of "profiles.ini".
struct IniSection
{
    std::optional<QString> name;
    std::optional<QString> path;
    std::optional<QString> storeID;

    bool operator==(const IniSection&) const = default;
};

enum class DataAccess { readable, denied, notApplicable };

// The profiles that could be read and, when some of the data could not be used, why: the list
// then lacks whatever that data held, so it is not all of the user's profiles.
struct ProfileRead
{
    QList<DiscoveredFirefoxProfile> profiles;
    std::optional<ProfileDataError> error;
};

// Whether the system hands over "profiles.ini": a refusal marks the browser as blocked.
DataAccess dataAccess(const QString& firefoxRoot, const FileSystemReading& fileSystem);

// No "profiles.ini": no profiles. One that exists but cannot be read, is not UTF-8 text or is
// empty: no profiles and an error. A profile-group database that exists but cannot be read: the
// profiles of `resolve`, with its error.
ProfileRead profiles(
    const QString& firefoxRoot, const FileSystemReading& fileSystem, const FirefoxProfileStoreReading& store);

// The [Profile…] sections, in file order.
QList<IniSection> parseSections(const QString& ini);

// The profiles of the sections: a section's profile-group database when it names one with rows,
// else the section's own profile, opened by its Name where that Name names it alone and by its
// folder otherwise. The first occurrence of an id wins. A database that cannot be read counts as
// one without rows, and the first such failure is the read's error.
ProfileRead resolve(
    const QList<IniSection>& sections, const QString& firefoxRoot, const FirefoxProfileStoreReading& store);

} // namespace tavro::FirefoxProfileDiscovery
