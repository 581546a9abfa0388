#pragma once

#include "Tavro/Discovery/InstalledBrowser.h"
#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/DiscoveryHints.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>

namespace tavro {

class FileSystemReading;
class SerialQueue;
class SettingsStore;

// Runs one discovery scan on the "tavro.discovery" queue and hands its outcome to the store:
// the installed browsers' profiles as destinations, hints for what the user must allow, and the
// browsers whose stored destinations must stay as they are because their data could not be used.
namespace DiscoveryCoordinator {

// An interactive scan may read Safari's File menu through Accessibility when Safari's tabs
// database cannot be used; a passive scan never touches another application's interface.
enum class SafariScanMode { passive, interactive };

using SafariHint = tavro::SafariHint;
using BrowserDataHint = tavro::BrowserDataHint;

struct ScanOutcome
{
    QList<BrowserDestination> destinations; // in scan order
    SafariHint hint = SafariHint::none;
    // Bundle identifiers of browsers whose stored destinations stay unchanged when not found again.
    QSet<QString> unreliable;
    BrowserDataHint browserDataHint;
    // The installed browsers the scan went through, each under the identifier it was found by.
    QList<InstalledBrowser> installed;
};

// Scans off the GUI thread, then on it, in this order: sets the store's Safari hint, its
// browser-data hint, moves stored destinations to the identifier their install is now found by,
// merges the destinations, and resets the remembered profile-photo failures.
// Call on the GUI thread; concurrent refreshes scan one after the other.
QCoro::Task<void> refresh(SettingsStore& store, SafariScanMode mode);
// The same over another file system (tests put a refusing one in place).
QCoro::Task<void> refresh(
    SettingsStore& store, SafariScanMode mode, std::shared_ptr<const FileSystemReading> fileSystem);

// The scan itself; runs on the calling thread. `browsersWithStoredProfiles` are the bundle
// identifiers with a stored destination that has a profile id: a browser among them whose data
// could not be used gets no current-profile destination beside its stored ones. `storedIdentifiers`
// are those of every stored destination: an install keeps the identifier its destinations have.
ScanOutcome fullScan(bool hasRealSafariProfile, SafariScanMode mode, const FileSystemReading& fileSystem,
    const QSet<QString>& browsersWithStoredProfiles = {}, const QSet<QString>& storedIdentifiers = {});

// The serial queue scans run on, created on first use.
SerialQueue& scanQueue();

// Called after each merge, on the GUI thread: the picker's photo cache forgets the photos that
// failed to load, so that they are tried again. Set once by the application's wiring.
void setPhotoFailuresReset(std::function<void()> reset);

} // namespace DiscoveryCoordinator

} // namespace tavro
