#include "Tavro/Discovery/ProfileWatcher.h"

#include "Tavro/Discovery/BrowserDiscoveryService.h"
#include "Tavro/Discovery/DiscoveryCoordinator.h"
#include "Tavro/Discovery/SafariProfileDiscovery.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/FileEvents.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QSet>

namespace tavro {

namespace {

const QStringList watchedFileNames{QStringLiteral("Local State"), QStringLiteral("profiles.ini")};

QString lastComponent(const QString& path)
{
    return path.section(QLatin1Char('/'), -1);
}

QString withoutLastComponent(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QCoro::Task<void> passiveRefresh(QPointer<ProfileWatcher> watcher, SettingsStore& store)
{
    co_await DiscoveryCoordinator::refresh(store, DiscoveryCoordinator::SafariScanMode::passive);
    if (watcher)
        Q_EMIT watcher->refreshed();
}

} // namespace

ProfileWatcher::ProfileWatcher(SettingsStore& store, QObject* parent)
    : ProfileWatcher(store, defaultStreamLatency, defaultDebounce, parent)
{ }

ProfileWatcher::ProfileWatcher(
    SettingsStore& store, std::chrono::milliseconds streamLatency, std::chrono::milliseconds debounce, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_streamLatency(streamLatency)
    , m_safariProfilesDir(
          QDir::cleanPath(SafariProfileDiscovery::libraryFolder(QDir::homePath()) + QStringLiteral("/Profiles")))
{
    m_pendingRefresh.setSingleShot(true);
    m_pendingRefresh.setInterval(debounce);
    connect(&m_pendingRefresh, &QTimer::timeout, this, &ProfileWatcher::fire);
}

// The stream goes first, so that no event arrives for a watcher that is half gone.
ProfileWatcher::~ProfileWatcher()
{
    m_stream.reset();
}

QStringList ProfileWatcher::watchDirectories() const
{
    QStringList directories;
    auto add = [&](const QString& path) {
        if (!directories.contains(path))
            directories.append(path);
    };
    for (const InstalledBrowser& browser : BrowserDiscoveryService::discoverInstalled()) {
        switch (browser.definition.profileFamily) {
        case ProfileFamily::safari:
            add(m_safariProfilesDir);
            break;
        case ProfileFamily::chromium:
        case ProfileFamily::firefox:
            if (const auto folder = BrowserDiscoveryService::dataFolder(browser, QDir::homePath()))
                add(*folder);
            break;
        case ProfileFamily::unsupported:
            break;
        }
    }
    directories.removeIf([](const QString& path) { return !QFileInfo::exists(path); });
    return directories;
}

bool ProfileWatcher::isRelevant(const QString& path, const QString& safariProfilesDir)
{
    const QString name = lastComponent(path);
    if (watchedFileNames.contains(name))
        return true;
    // The journal files ("-wal", "-shm") of a store change with every write and are not counted.
    if (path.contains(QLatin1String("/Profile Groups/")) && name.endsWith(QLatin1String(".sqlite")))
        return true;
    return withoutLastComponent(path) == safariProfilesDir;
}

void ProfileWatcher::start()
{
    if (m_stream)
        return;
    const QStringList directories = watchDirectories();
    if (directories.isEmpty())
        return;
    auto stream = std::make_unique<FileEvents>(directories, QStringLiteral("tavro.profilewatcher"), m_streamLatency);
    // Looked at on the event queue, with nothing but immutable values; only a relevant batch
    // crosses to the GUI thread.
    const QString safariProfilesDir = m_safariProfilesDir;
    connect(
        stream.get(), &FileEvents::changed, stream.get(),
        [this, safariProfilesDir](const QStringList& paths) {
            for (const QString& path : paths) {
                if (isRelevant(path, safariProfilesDir)) {
                    QMetaObject::invokeMethod(this, &ProfileWatcher::scheduleRefresh, Qt::QueuedConnection);
                    return;
                }
            }
        },
        Qt::DirectConnection);
    if (stream->start())
        m_stream = std::move(stream);
}

bool ProfileWatcher::isWatching() const
{
    return m_stream != nullptr;
}

void ProfileWatcher::scheduleRefresh()
{
    // Every relevant change restarts the wait: a burst gives one refresh after its last change.
    m_pendingRefresh.start();
}

void ProfileWatcher::fire()
{
    passiveRefresh(QPointer<ProfileWatcher>(this), m_store);
}

} // namespace tavro
