#pragma once

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/BypassTarget.h"
#include "Tavro/Model/DiscoveryHints.h"
#include "Tavro/Model/GlobalHotkeyTarget.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QUuid>

#include <optional>

namespace tavro {

class UserDefaults;

// Owns the settings record while the application runs. Every write, of the whole record or of
// one field in it, stores the whole record under "tavro.settings.v1" and then emits
// settingsChanged: one write, one signal, no batching. Loading writes and emits nothing.
// GUI thread only.
class SettingsStore : public QObject
{
    Q_OBJECT
public:
    static const QString defaultsKey;
    // The file beside the defaults (or the first free "<name>.2", "<name>.3"…) that keeps
    // undecodable stored bytes before the first write replaces them.
    static QString unreadableBackupFileName();

    explicit SettingsStore(UserDefaults& defaults, QObject* parent = nullptr);

    // The instance on the standard user defaults; only the shell's wiring uses it.
    static SettingsStore& shared();

    const AppSettings& settings() const { return m_settings; }
    // Replaces the whole record: one write.
    void setSettings(const AppSettings& settings);
    // Edits the record in place: one write, also when `change` changes nothing.
    template <typename Change> void edit(Change&& change)
    {
        AppSettings next = m_settings;
        change(next);
        setSettings(next);
    }

    SafariHint safariHint() const { return m_safariHint; }
    void setSafariHint(SafariHint hint);
    const BrowserDataHint& browserDataHint() const { return m_browserDataHint; }
    void setBrowserDataHint(const BrowserDataHint& hint);

    // Safari destinations stored with a blank profile name become the current-profile
    // destination (or go, when one exists already); run at load.
    static AppSettings repairingBlankSafariProfiles(const AppSettings& settings);

    // Editing operations: an id that names no destination does nothing at all.
    void setVisible(bool visible, const QUuid& id);
    void setHotkey(const std::optional<QString>& key, const QUuid& id);
    void resetHotkeys();
    void setProfileEmoji(const std::optional<QString>& emoji, const QUuid& id);
    void setNodeColor(std::optional<quint32> hex, const QUuid& id);
    void setPreferEmojiOverPhoto(bool value, const QUuid& id);
    // Moves the destinations at `source` (offsets into all destinations sorted by sort order)
    // before the one at `destination`, then renumbers sort orders from 0.
    void move(const QList<qsizetype>& source, qsizetype destination);
    void recordUse(const BrowserDestination& destination);

    // Folds one scan into the stored destinations, keeping the user's choices for every
    // profile found again; writes only when the list changed.
    void mergeDiscovered(const QList<BrowserDestination>& scanned, const QSet<QString>& unreliableBundles);

    std::optional<BrowserDestination> lastUsedDestination() const;
    std::optional<BrowserDestination> bypassDestination() const;
    std::optional<QString> bypassDestinationLabel() const;
    BypassTarget bypassTarget() const;
    QList<GlobalHotkeyBinding> globalHotkeyBindings() const;

Q_SIGNALS:
    void settingsChanged(const tavro::AppSettings& settings);
    void safariHintChanged(tavro::SafariHint hint);
    void browserDataHintChanged(const tavro::BrowserDataHint& hint);
    // A write did not reach the defaults file at `path`: the record lives in memory only.
    void settingsNotSaved(const QString& path);

private:
    void load();
    void persist();
    bool keepUnreadableData();
    std::optional<qsizetype> indexOf(const QUuid& id) const;
    // One write of one destination's field.
    template <typename Change> void editDestination(qsizetype index, Change&& change)
    {
        edit([&](AppSettings& s) { change(s.destinations[index]); });
    }

    UserDefaults& m_defaults;
    AppSettings m_settings;
    SafariHint m_safariHint = SafariHint::none;
    BrowserDataHint m_browserDataHint;
    std::optional<QByteArray> m_unreadableData;
};

} // namespace tavro
