#include "Tavro/Discovery/DiscoveryCoordinator.h"

#include "Tavro/Discovery/BrowserDiscoveryService.h"
#include "Tavro/Discovery/ChromiumProfileDiscovery.h"
#include "Tavro/Discovery/DiscoveryLog.h"
#include "Tavro/Discovery/FirefoxProfileDiscovery.h"
#include "Tavro/Discovery/ProfileDiscoveryService.h"
#include "Tavro/Discovery/SQLiteFirefoxProfileStore.h"
#include "Tavro/Discovery/SafariProfileDiscovery.h"
#include "Tavro/Launch/SafariAX.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/DesktopApplications.h"
#include "Tavro/Platform/RealFileSystem.h"
#include "Tavro/Platform/SerialQueue.h"

#include <QCoro/QCoroFuture>
#include <QFuture>
#include <QMutex>
#include <QPointer>

#include <algorithm>

namespace tavro::DiscoveryCoordinator {

namespace {

struct NonSafariScan
{
    QList<InstalledBrowser> installed;
    QList<BrowserDestination> destinations;
    bool safariInstalled = false;
    QStringList unreliable;   // bundle identifiers, in scan order
    QStringList blockedNames; // display names of the browsers whose data was refused
};

struct SafariResolution
{
    QList<BrowserDestination> destinations;
    SafariHint hint = SafariHint::none;
    bool resolved = false;
};

QMutex photoResetLock;
std::function<void()>& photoFailuresReset()
{
    static std::function<void()> reset;
    return reset;
}

void markBlocked(NonSafariScan& scan, const InstalledBrowser& browser)
{
    scan.unreliable.append(browser.bundleIdentifier);
    scan.blockedNames.append(browser.displayName());
}

// A browser's profiles as destinations, one per profile in the reader's order; its current
// profile when it has none. Data that exists but could not be used (a file caught half-written, a
// store whose shape the browser changed) may hide profiles: the browser is then unreliable, so that
// its stored destinations stay, and the user has nothing to allow, so no hint names it. What was
// read still comes out; when nothing was, the current profile stands in unless stored profiles of
// the browser do, as a second destination beside them would only come and go.
template <typename Profile, typename MakeDestination>
void appendProfiles(NonSafariScan& scan, const InstalledBrowser& browser, const QList<Profile>& profiles,
    std::optional<ProfileDataError> error, bool hasStoredProfiles, MakeDestination makeDestination)
{
    if (error) {
        qCInfo(lcDiscovery) << "profiles of" << browser.displayName() << "not all read:" << description(*error);
        scan.unreliable.append(browser.bundleIdentifier);
    }
    if (profiles.isEmpty()) {
        if (!error || !hasStoredProfiles)
            scan.destinations.append(ProfileDiscoveryService::currentProfileDestination(browser));
        return;
    }
    for (qsizetype i = 0; i < profiles.size(); ++i)
        scan.destinations.append(makeDestination(profiles.at(i), i));
}

NonSafariScan scanNonSafari(const FileSystemReading& fs, const QSet<QString>& browsersWithStoredProfiles,
    const QSet<QString>& storedIdentifiers)
{
    NonSafariScan scan;
    scan.installed = BrowserDiscoveryService::discoverInstalled(storedIdentifiers);
    const SQLiteFirefoxProfileStore firefoxStore(fs);
    for (const InstalledBrowser& browser : std::as_const(scan.installed)) {
        switch (browser.definition.profileFamily) {
        case ProfileFamily::safari:
            scan.safariInstalled = true;
            break;
        case ProfileFamily::chromium: {
            const auto dataDir = BrowserDiscoveryService::dataFolder(browser, fs.homeDirectory());
            if (dataDir) {
                const QString localState = *dataDir + QStringLiteral("/Local State");
                if (fs.read(localState).kind() == FileReadOutcome::Kind::denied) {
                    markBlocked(scan, browser);
                    break;
                }
            }
            const auto profiles = ChromiumProfileDiscovery::profiles(dataDir, fs);
            appendProfiles(scan, browser, profiles.value_or(QList<DiscoveredProfile>{}),
                profiles ? std::nullopt : std::optional(profiles.error()),
                browsersWithStoredProfiles.contains(browser.bundleIdentifier),
                [&](const DiscoveredProfile& p, qsizetype i) {
                    return ProfileDiscoveryService::profileDestination(
                        browser, p.id, p.displayName, LaunchStrategy::chromiumProfileDirectory(p.id), i, p.photoPath);
                });
            break;
        }
        case ProfileFamily::firefox: {
            const QString root = BrowserDiscoveryService::dataFolder(browser, fs.homeDirectory()).value_or(QString());
            if (FirefoxProfileDiscovery::dataAccess(root, fs) == FirefoxProfileDiscovery::DataAccess::denied) {
                markBlocked(scan, browser);
                break;
            }
            const FirefoxProfileDiscovery::ProfileRead read = FirefoxProfileDiscovery::profiles(root, fs, firefoxStore);
            appendProfiles(scan, browser, read.profiles, read.error,
                browsersWithStoredProfiles.contains(browser.bundleIdentifier),
                [&](const DiscoveredFirefoxProfile& p, qsizetype i) {
                    return ProfileDiscoveryService::profileDestination(browser, p.id, p.displayName, p.launch, i);
                });
            break;
        }
        case ProfileFamily::unsupported:
            scan.destinations.append(ProfileDiscoveryService::currentProfileDestination(browser));
            break;
        }
    }
    return scan;
}

// One destination per profile whose name is not blank; the fallback when none is left.
QList<BrowserDestination> profileDests(
    const QList<DiscoveredProfile>& profiles, const QList<BrowserDestination>& fallback)
{
    QList<BrowserDestination> destinations;
    for (const DiscoveredProfile& profile : profiles) {
        if (SafariProfileDiscovery::isBlankName(profile.id))
            continue;
        destinations.append(ProfileDiscoveryService::makeSafariDestination(profile, destinations.size()));
    }
    return destinations.isEmpty() ? fallback : destinations;
}

SafariResolution resolveSafari(SafariScanMode mode, const FileSystemReading& fs)
{
    const QList<BrowserDestination> fallback{ProfileDiscoveryService::makeSafariDestination(std::nullopt, 0)};
    const SafariProfileDiscovery::DBAccess access = SafariProfileDiscovery::readDB(fs);
    if (access.kind() == SafariProfileDiscovery::DBAccess::Kind::rows)
        return {profileDests(access.profiles(), fallback), SafariHint::none, true};
    if (mode == SafariScanMode::passive)
        return {fallback, SafariHint::none, false};
    const SafariAX::Result menu = SafariAX::fileMenuItems();
    switch (menu.kind()) {
    case SafariAX::Result::Kind::notRunning:
        return {fallback, SafariHint::safariNotRunning, false};
    case SafariAX::Result::Kind::notTrusted:
    case SafariAX::Result::Kind::unreadable:
        return {fallback, SafariHint::accessibilityNeeded, false};
    case SafariAX::Result::Kind::items:
        break;
    }
    return {profileDests(SafariProfileDiscovery::parseProfiles(menu.menuItems()), fallback), SafariHint::none, true};
}

// The install whose program made a destination stored under the application's identifier, when that
// install now has an identifier of its own: a package of the browser appeared beside the snap or
// Flatpak the destination came from and answers to the application's identifier instead.
const InstalledBrowser* movedInstall(const BrowserDestination& destination, const QList<InstalledBrowser>& installed)
{
    const QString& identifier = destination.browserBundleIdentifier;
    if (!destination.browserExecutablePath || DesktopApplications::applicationIdentifier(identifier) != identifier)
        return nullptr;
    const auto sameProgram
        = [&](const InstalledBrowser& b) { return b.executablePath == destination.browserExecutablePath; };
    const auto answering = std::ranges::find(installed, identifier, &InstalledBrowser::bundleIdentifier);
    if (answering != installed.cend() && sameProgram(*answering))
        return nullptr;
    const auto maker = std::ranges::find_if(installed, [&](const InstalledBrowser& b) {
        return b.bundleIdentifier != identifier
            && DesktopApplications::applicationIdentifier(b.bundleIdentifier) == identifier && sameProgram(b);
    });
    return maker != installed.cend() ? &*maker : nullptr;
}

// Destinations follow the install that made them to its own identifier, with all their settings, and
// so does the bypass choice that names one of them: the install that newly answers to theirs never
// takes them over.
void followMovedInstalls(AppSettings& settings, const QList<InstalledBrowser>& installed)
{
    for (BrowserDestination& destination : settings.destinations) {
        const InstalledBrowser* install = movedInstall(destination, installed);
        if (!install)
            continue;
        const QString previousKey = destination.matchKey();
        destination.browserBundleIdentifier = install->bundleIdentifier;
        destination.browserDisplayName = install->displayName();
        if (settings.bypassDestinationKey == previousKey)
            settings.bypassDestinationKey = destination.matchKey();
    }
}

} // namespace

ScanOutcome fullScan(bool hasRealSafariProfile, SafariScanMode mode, const FileSystemReading& fileSystem,
    const QSet<QString>& browsersWithStoredProfiles, const QSet<QString>& storedIdentifiers)
{
    const NonSafariScan scan = scanNonSafari(fileSystem, browsersWithStoredProfiles, storedIdentifiers);
    ScanOutcome outcome;
    outcome.installed = scan.installed;
    outcome.destinations = scan.destinations;
    outcome.unreliable = QSet<QString>(scan.unreliable.cbegin(), scan.unreliable.cend());
    if (!scan.blockedNames.isEmpty())
        outcome.browserDataHint = BrowserDataHint::blocked(scan.blockedNames);
    if (!scan.safariInstalled)
        return outcome;

    const SafariResolution safari = resolveSafari(mode, fileSystem);
    if (safari.resolved) {
        outcome.destinations += safari.destinations;
        return outcome;
    }
    // Whatever Safari's profiles were, this scan could not see them: keep the stored ones.
    outcome.unreliable.insert(safariBundleIdentifier);
    if (!hasRealSafariProfile) {
        outcome.destinations += safari.destinations;
        outcome.hint = safari.hint;
    }
    return outcome;
}

SerialQueue& scanQueue()
{
    // Lives for the whole process: stopping it from a static destructor, after the application
    // object is gone, would wait for an event loop that no longer runs.
    static SerialQueue* const queue = new SerialQueue(QStringLiteral("tavro.discovery"));
    return *queue;
}

void setPhotoFailuresReset(std::function<void()> reset)
{
    QMutexLocker lock(&photoResetLock);
    photoFailuresReset() = std::move(reset);
}

QCoro::Task<void> refresh(SettingsStore& store, SafariScanMode mode)
{
    // A file system shared with the queue that outlives every scan.
    static const std::shared_ptr<const FileSystemReading> realFileSystem = std::make_shared<RealFileSystem>();
    co_await refresh(store, mode, realFileSystem);
}

QCoro::Task<void> refresh(
    SettingsStore& store, SafariScanMode mode, std::shared_ptr<const FileSystemReading> fileSystem)
{
    QSet<QString> browsersWithStoredProfiles;
    QSet<QString> storedIdentifiers;
    for (const BrowserDestination& destination : store.settings().destinations) {
        if (destination.profileID)
            browsersWithStoredProfiles.insert(destination.browserBundleIdentifier);
        storedIdentifiers.insert(destination.browserBundleIdentifier);
    }
    const bool hasRealSafariProfile = browsersWithStoredProfiles.contains(safariBundleIdentifier);

    QFuture<ScanOutcome> scan
        = scanQueue().run([hasRealSafariProfile, mode, fileSystem, browsersWithStoredProfiles, storedIdentifiers] {
              return fullScan(hasRealSafariProfile, mode, *fileSystem, browsersWithStoredProfiles, storedIdentifiers);
          });
    QPointer<SettingsStore> guard(&store);
    const ScanOutcome outcome = co_await scan;
    if (!guard)
        co_return;

    store.setSafariHint(outcome.hint);
    store.setBrowserDataHint(outcome.browserDataHint);
    store.edit([&](AppSettings& settings) { followMovedInstalls(settings, outcome.installed); });
    store.mergeDiscovered(outcome.destinations, outcome.unreliable);
    std::function<void()> reset;
    {
        QMutexLocker lock(&photoResetLock);
        reset = photoFailuresReset();
    }
    if (reset)
        reset();
}

} // namespace tavro::DiscoveryCoordinator
