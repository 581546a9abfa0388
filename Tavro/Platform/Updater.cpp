#include "Tavro/Platform/Updater.h"

#include "Tavro/Platform/PlatformLog.h"
#include "Tavro/Platform/UserDefaults.h"

namespace tavro {

const QString Updater::automaticChecksKey = QStringLiteral("SUEnableAutomaticChecks");
const QString Updater::automaticDownloadsKey = QStringLiteral("SUAutomaticallyUpdate");

QString description(UpdaterError error)
{
    switch (error) {
    case UpdaterError::noUpdateFeed:
        return QStringLiteral("this build has no update feed to check");
    }
    return {};
}

Updater::Updater(UserDefaults& defaults, Delegate& delegate, bool startingUpdater, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_delegate(delegate)
{
    if (startingUpdater)
        start();
}

void Updater::start()
{
    m_started = true;
}

bool Updater::automaticallyChecksForUpdates() const
{
    return m_defaults.value(automaticChecksKey).toBool();
}

void Updater::setAutomaticallyChecksForUpdates(bool on)
{
    setFlag(automaticChecksKey, on, &Updater::automaticallyChecksForUpdatesChanged);
}

bool Updater::automaticallyDownloadsUpdates() const
{
    return m_defaults.value(automaticDownloadsKey).toBool();
}

void Updater::setAutomaticallyDownloadsUpdates(bool on)
{
    setFlag(automaticDownloadsKey, on, &Updater::automaticallyDownloadsUpdatesChanged);
}

void Updater::setFlag(const QString& key, bool on, void (Updater::*changed)())
{
    // Stored even when it equals the default: an explicit choice is what the opt-in migration
    // looks for.
    const bool wasStored = m_defaults.contains(key);
    const bool before = m_defaults.value(key).toBool();
    // A preference that was not saved stays in memory, and the next write of the defaults that succeeds
    // saves it.
    if (const auto written = m_defaults.setValue(key, on); !written)
        qCWarning(lcPlatform) << "The update preference" << key << "was not saved:" << description(written.error());
    if (!wasStored || before != on)
        Q_EMIT(this->*changed)();
}

bool Updater::canCheckForUpdates() const
{
    // Like the framework, an updater that was never started takes no check.
    return m_started;
}

std::optional<QDateTime> Updater::lastUpdateCheckDate() const
{
    return std::nullopt;
}

std::expected<void, UpdaterError> Updater::checkForUpdates()
{
    qCInfo(lcPlatform) << "Update check not made:" << description(UpdaterError::noUpdateFeed);
    return std::unexpected(UpdaterError::noUpdateFeed);
}

} // namespace tavro
