#pragma once
// The one object between Tavro and the update framework: runs the opt-in migration, starts the
// updater, republishes its preferences, announces a found update for the status item, and holds
// an automatic install back while the link picker is on screen.

#include "Tavro/Controls/SettingBinding.h"
#include "Tavro/Platform/Updater.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QAction;

namespace tavro {

class UserDefaults;

class UpdateController : public QObject, private Updater::Delegate
{
    Q_OBJECT
public:
    // How long a deferred install waits before it asks again.
    static constexpr std::chrono::milliseconds kInstallRetryInterval = std::chrono::seconds(30);
    // The object name of the menu items that start a check, which validateMenuItem() enables.
    static const QString checkForUpdatesAction;

    // Runs the migration on `defaults` and starts the updater when `startingUpdater`; neither
    // otherwise.
    explicit UpdateController(bool startingUpdater, UserDefaults& defaults,
        std::chrono::milliseconds installRetryInterval = kInstallRetryInterval, QObject* parent = nullptr);
    ~UpdateController() override;

    // The display version of a found update that Tavro announces itself; absent when none.
    std::optional<QString> availableVersion() const { return m_availableVersion; }
    // Asked before an automatic install; the install waits in steps of the retry interval while
    // it answers false.
    void setCanInstallNow(std::function<bool()> canInstallNow);

    Updater& updaterController() { return *m_updater; }
    const Updater& updaterController() const { return *m_updater; }
    // One of the updater's two preferences as a control binds it: shown again whenever this
    // controller announces a change, wherever it was made.
    SettingBinding::Value preference(bool (Updater::*read)() const, void (Updater::*write)(bool));

    // Brings Tavro to the front, then asks the updater for a check.
    void checkForUpdates(QObject* sender = nullptr);
    // Items that start a check are enabled while the updater can check; every other item is.
    bool validateMenuItem(const QAction& item) const;

Q_SIGNALS:
    void availableVersionChanged(const std::optional<QString>& version);
    // Just before the framework relaunches the app to finish an update.
    void willRelaunch();
    // One of the updater's two preferences changed; delivered on the GUI thread.
    void preferencesChanged();

private:
    bool willInstallUpdateOnQuit(
        const Updater::AppcastItem& item, std::function<void()> immediateInstallation) override;
    void willRelaunchApplication() override;
    bool supportsGentleScheduledUpdateReminders() const override;
    bool shouldShowVersionHistory(const Updater::AppcastItem& item) const override;
    bool shouldHandleShowingScheduledUpdate(const Updater::AppcastItem& item, bool immediateFocus) const override;
    void willHandleShowingUpdate(bool handleShowingUpdate, const Updater::AppcastItem& item) override;
    void didReceiveUserAttention(const Updater::AppcastItem& item) override;
    void willFinishUpdateSession() override;

    void setAvailableVersion(const std::optional<QString>& version);
    void installWhenIdle(std::function<void()> install);

    std::optional<QString> m_availableVersion;
    std::function<bool()> m_canInstallNow = [] { return true; };
    std::chrono::milliseconds m_installRetryInterval;
    // The pending retry of a deferred install, and that install.
    QTimer m_installRetry;
    std::function<void()> m_deferredInstall;
    std::unique_ptr<Updater> m_updater;
};

} // namespace tavro
