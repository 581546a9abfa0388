#pragma once
// Stands for the update framework's updater: its two preferences, whether a check may start, the
// date of the last check, and the callbacks it makes to the application's delegate. No update
// feed is published for this build, so a check never finds anything here.

#include <QDateTime>
#include <QObject>
#include <QString>

#include <expected>
#include <functional>
#include <optional>

namespace tavro {

class UserDefaults;

enum class UpdaterError {
    noUpdateFeed, // this build names no feed to check
};

QString description(UpdaterError error);

class Updater : public QObject
{
    Q_OBJECT
public:
    // The framework's own keys in the user defaults.
    static const QString automaticChecksKey;
    static const QString automaticDownloadsKey;

    // An update the framework found, as it describes it to the delegate.
    struct AppcastItem
    {
        QString displayVersionString;
    };

    // What the framework asks of and tells the application, in the delegate's terms.
    class Delegate
    {
    public:
        virtual ~Delegate() = default;
        // An update is ready and would be installed on quit; `immediateInstallation` installs it
        // now. True when the delegate takes over the install.
        virtual bool willInstallUpdateOnQuit(const AppcastItem& item, std::function<void()> immediateInstallation) = 0;
        virtual void willRelaunchApplication() = 0;
        virtual bool supportsGentleScheduledUpdateReminders() const = 0;
        virtual bool shouldShowVersionHistory(const AppcastItem& item) const = 0;
        virtual bool shouldHandleShowingScheduledUpdate(const AppcastItem& item, bool immediateFocus) const = 0;
        // `handleShowingUpdate` is false when the framework leaves announcing the update to the
        // application.
        virtual void willHandleShowingUpdate(bool handleShowingUpdate, const AppcastItem& item) = 0;
        virtual void didReceiveUserAttention(const AppcastItem& item) = 0;
        virtual void willFinishUpdateSession() = 0;
    };

    // Keeps its preferences in `defaults`; starts at once when `startingUpdater` is true.
    Updater(UserDefaults& defaults, Delegate& delegate, bool startingUpdater, QObject* parent = nullptr);

    void start();
    bool isStarted() const { return m_started; }
    Delegate& delegate() const { return m_delegate; }

    bool automaticallyChecksForUpdates() const;
    void setAutomaticallyChecksForUpdates(bool on);
    bool automaticallyDownloadsUpdates() const;
    void setAutomaticallyDownloadsUpdates(bool on);

    bool canCheckForUpdates() const;
    // Absent until a check has reached a feed, which never happens in this build.
    std::optional<QDateTime> lastUpdateCheckDate() const;

    // A check the user asked for. Without a feed it changes nothing and records no check.
    [[nodiscard]] std::expected<void, UpdaterError> checkForUpdates();

Q_SIGNALS:
    void automaticallyChecksForUpdatesChanged();
    void automaticallyDownloadsUpdatesChanged();

private:
    void setFlag(const QString& key, bool on, void (Updater::*changed)());

    UserDefaults& m_defaults;
    Delegate& m_delegate;
    bool m_started = false;
};

} // namespace tavro
