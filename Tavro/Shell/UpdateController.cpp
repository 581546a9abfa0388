#include "Tavro/Shell/UpdateController.h"

#include "Tavro/Platform/Application.h"
#include "Tavro/Shell/Alert.h"
#include "Tavro/Shell/ShellLog.h"
#include "Tavro/Shell/UpdateCheckMigration.h"

#include <QAction>
#include <QCoreApplication>
#include <QPointer>

#include <utility>

namespace tavro {

const QString UpdateController::checkForUpdatesAction = QStringLiteral("checkForUpdates:");

UpdateController::UpdateController(
    bool startingUpdater, UserDefaults& defaults, std::chrono::milliseconds installRetryInterval, QObject* parent)
    : QObject(parent), m_installRetryInterval(installRetryInterval)
{
    m_installRetry.setSingleShot(true);
    connect(&m_installRetry, &QTimer::timeout, this, [this] { installWhenIdle(std::exchange(m_deferredInstall, {})); });
    // Before the updater starts: it reads the preference the migration may set.
    if (startingUpdater)
        UpdateCheckMigration::run(defaults);
    m_updater = std::make_unique<Updater>(defaults, static_cast<Updater::Delegate&>(*this), startingUpdater);
    // Queued: the framework may change its preferences on any thread, views refresh on this one.
    connect(m_updater.get(), &Updater::automaticallyChecksForUpdatesChanged, this,
        &UpdateController::preferencesChanged, Qt::QueuedConnection);
    connect(m_updater.get(), &Updater::automaticallyDownloadsUpdatesChanged, this,
        &UpdateController::preferencesChanged, Qt::QueuedConnection);
}

UpdateController::~UpdateController() = default;

SettingBinding::Value UpdateController::preference(bool (Updater::*read)() const, void (Updater::*write)(bool))
{
    Updater& updater = *m_updater;
    return SettingBinding::value(
        *this, &UpdateController::preferencesChanged, [&updater, read] { return (updater.*read)(); },
        [&updater, write](bool on) { (updater.*write)(on); });
}

void UpdateController::setCanInstallNow(std::function<bool()> canInstallNow)
{
    m_canInstallNow = std::move(canInstallNow);
}

void UpdateController::checkForUpdates(QObject*)
{
    Application::activate(true);
    const auto checked = m_updater->checkForUpdates();
    if (checked)
        return;
    qCInfo(lcShell) << "No update check:" << description(checked.error());
    // The framework answers a check the user started with a window of its own; so does its stand-in.
    Alert alert;
    alert.style = Alert::Style::informational;
    //: Title of the alert that answers Check for Updates… in a build that cannot check for updates.
    alert.messageText = QCoreApplication::translate("Tavro", "Tavro can’t check for updates");
    //: Body of the alert that answers Check for Updates… in a build that cannot check for updates: no address
    //: to look for new versions at was built into this copy of Tavro.
    alert.informativeText = QCoreApplication::translate("Tavro", "This build of Tavro has no update feed to check.");
    //: Button that closes the alert saying this build cannot check for updates.
    alert.addButton(QCoreApplication::translate("Tavro", "OK"));
    alert.runModal();
}

bool UpdateController::validateMenuItem(const QAction& item) const
{
    if (item.objectName() == checkForUpdatesAction)
        return m_updater->canCheckForUpdates();
    return true;
}

bool UpdateController::willInstallUpdateOnQuit(const Updater::AppcastItem&, std::function<void()> immediateInstallation)
{
    // Without automatic downloads the framework installs on quit, as it would anyway.
    if (!m_updater->automaticallyDownloadsUpdates())
        return false;
    QPointer<UpdateController> self(this);
    QTimer::singleShot(0, this, [self, install = std::move(immediateInstallation)] {
        if (self)
            self->installWhenIdle(install);
    });
    return true;
}

void UpdateController::installWhenIdle(std::function<void()> install)
{
    m_installRetry.stop();
    m_deferredInstall = nullptr;
    if (m_canInstallNow()) {
        install();
        return;
    }
    // Not at the moment the picker closes: the retry keeps its own beat, and the install happens
    // at the first tick that finds no picker.
    m_deferredInstall = std::move(install);
    m_installRetry.start(m_installRetryInterval);
}

void UpdateController::willRelaunchApplication()
{
    Q_EMIT willRelaunch();
}

bool UpdateController::supportsGentleScheduledUpdateReminders() const
{
    return true;
}

bool UpdateController::shouldShowVersionHistory(const Updater::AppcastItem&) const
{
    return false;
}

bool UpdateController::shouldHandleShowingScheduledUpdate(const Updater::AppcastItem&, bool) const
{
    // Tavro announces a scheduled update in its status item instead of a window of the framework.
    return false;
}

void UpdateController::willHandleShowingUpdate(bool handleShowingUpdate, const Updater::AppcastItem& item)
{
    if (!handleShowingUpdate)
        setAvailableVersion(item.displayVersionString);
}

void UpdateController::didReceiveUserAttention(const Updater::AppcastItem&)
{
    setAvailableVersion(std::nullopt);
}

void UpdateController::willFinishUpdateSession()
{
    setAvailableVersion(std::nullopt);
}

void UpdateController::setAvailableVersion(const std::optional<QString>& version)
{
    if (m_availableVersion == version)
        return;
    m_availableVersion = version;
    Q_EMIT availableVersionChanged(m_availableVersion);
}

} // namespace tavro
