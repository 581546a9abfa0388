#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <memory>

namespace tavro {

class FileEvents;
class SettingsStore;

// Keeps the destinations current while the application runs: watches the installed browsers'
// data folders and, once a burst of relevant changes has settled, runs one passive refresh.
// Lives on the GUI thread; the file events arrive on the "tavro.profilewatcher" queue.
class ProfileWatcher : public QObject
{
    Q_OBJECT
public:
    // Changes gather this long on the event queue before they are looked at.
    static constexpr std::chrono::milliseconds defaultStreamLatency{500};
    // A refresh runs this long after the last relevant change.
    static constexpr std::chrono::milliseconds defaultDebounce{1500};

    explicit ProfileWatcher(SettingsStore& store, QObject* parent = nullptr);
    ProfileWatcher(SettingsStore& store, std::chrono::milliseconds streamLatency, std::chrono::milliseconds debounce,
        QObject* parent = nullptr);
    ~ProfileWatcher() override;

    // Starts watching the data folders of the browsers installed now; call once. Nothing is
    // watched when none of those folders exists. There is no stop: the watcher stops when it
    // is destroyed.
    void start();
    bool isWatching() const;

    // The data folders of the installed browsers that exist now.
    QStringList watchDirectories() const;
    // Whether a changed path concerns the profile lists: "Local State", "profiles.ini", a
    // profile-group database, or an entry directly in Safari's "Profiles" folder.
    static bool isRelevant(const QString& path, const QString& safariProfilesDir);

Q_SIGNALS:
    // A refresh that this watcher started has updated the store.
    void refreshed();

private:
    void scheduleRefresh();
    void fire();

    SettingsStore& m_store;
    std::chrono::milliseconds m_streamLatency;
    std::unique_ptr<FileEvents> m_stream;
    QTimer m_pendingRefresh;
    const QString m_safariProfilesDir;
};

} // namespace tavro
