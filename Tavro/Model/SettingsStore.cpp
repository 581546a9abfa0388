#include "Tavro/Model/SettingsStore.h"

#include "Tavro/Model/Brand.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/Characters.h"
#include "Tavro/Model/EmojiInput.h"
#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Model/ModelLog.h"
#include "Tavro/Model/ProfileDiscoveryDestinations.h"
#include "Tavro/Model/SafariProfileNames.h"
#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/UserDefaults.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <limits>

namespace tavro {

const QString SettingsStore::defaultsKey = QStringLiteral("tavro.settings.v1");

namespace {

bool isCurrentSafari(const BrowserDestination& d)
{
    return d.browserID == QLatin1String("safari")
        && d.launchStrategy.kind() == LaunchStrategy::Kind::browserCurrentProfile;
}

bool isBlankSafariProfile(const BrowserDestination& d)
{
    return d.launchStrategy.kind() == LaunchStrategy::Kind::safariProfile
        && SafariProfileDiscovery::isBlankName(d.launchStrategy.value());
}

QList<BrowserDestination> sortedBySortOrder(QList<BrowserDestination> list)
{
    std::stable_sort(list.begin(), list.end(),
        [](const BrowserDestination& a, const BrowserDestination& b) { return a.sortOrder < b.sortOrder; });
    return list;
}

// One past `value`, held at the largest sort order a damaged record may already use.
qint64 nextSortOrder(qint64 value)
{
    return value == std::numeric_limits<qint64>::max() ? value : value + 1;
}

} // namespace

SettingsStore::SettingsStore(UserDefaults& defaults, QObject* parent) : QObject(parent), m_defaults(defaults)
{
    load();
}

QString SettingsStore::unreadableBackupFileName()
{
    return AppInfo::bundleIdentifier() + QStringLiteral(".settings.unreadable.json");
}

SettingsStore& SettingsStore::shared()
{
    static SettingsStore store(UserDefaults::standard());
    return store;
}

void SettingsStore::load()
{
    const std::optional<QByteArray> stored = m_defaults.data(defaultsKey);
    if (!stored) {
        // An entry of the old INI file that its reader mangled: its text is kept, not decoded.
        m_unreadableData = m_defaults.unreadableValue(defaultsKey);
        return;
    }
    auto decoded = AppSettings::fromJsonBytes(*stored);
    if (decoded) {
        m_settings = repairingBlankSafariProfiles(*decoded);
        return;
    }
    // The record starts from the defaults, but the old bytes are kept until the first write so
    // that one damaged destination does not cost the user every destination they had.
    m_unreadableData = *stored;
}

// The copy lives outside the defaults file, which every write rewrites whole.
bool SettingsStore::keepUnreadableData()
{
    if (!m_unreadableData)
        return true;
    if (!m_defaults.keepBesideItself(unreadableBackupFileName(), *m_unreadableData)) {
        qCWarning(lcModel) << "the unreadable settings record could not be copied; it is not replaced yet";
        return false;
    }
    m_unreadableData.reset();
    return true;
}

void SettingsStore::persist()
{
    if (keepUnreadableData()) {
        if (const auto saved = m_defaults.setData(defaultsKey, m_settings.toJsonBytes()); !saved)
            qCWarning(lcModel) << "the settings were not saved:" << description(saved.error());
    }
    if (m_defaults.hasUnsavedChanges())
        Q_EMIT settingsNotSaved(m_defaults.filePath());
}

void SettingsStore::setSettings(const AppSettings& settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    persist();
    Q_EMIT settingsChanged(m_settings);
}

void SettingsStore::setSafariHint(SafariHint hint)
{
    if (hint == m_safariHint)
        return;
    m_safariHint = hint;
    Q_EMIT safariHintChanged(hint);
}

void SettingsStore::setBrowserDataHint(const BrowserDataHint& hint)
{
    if (hint == m_browserDataHint)
        return;
    m_browserDataHint = hint;
    Q_EMIT browserDataHintChanged(hint);
}

AppSettings SettingsStore::repairingBlankSafariProfiles(const AppSettings& settings)
{
    QSet<QString> blankKeys;
    for (const BrowserDestination& d : settings.destinations) {
        if (isBlankSafariProfile(d))
            blankKeys.insert(d.matchKey());
    }
    if (blankKeys.isEmpty())
        return settings;

    bool haveCurrentSafari = std::any_of(settings.destinations.begin(), settings.destinations.end(), isCurrentSafari);
    QList<BrowserDestination> repaired;
    for (const BrowserDestination& d : settings.destinations) {
        if (!isBlankSafariProfile(d)) {
            repaired.append(d);
            continue;
        }
        if (haveCurrentSafari)
            continue;
        BrowserDestination current = ProfileDiscoveryService::makeSafariDestination(std::nullopt, d.sortOrder);
        current.id = d.id;
        current.isVisible = d.isVisible;
        current.isAvailable = d.isAvailable;
        current.hotkey = d.hotkey;
        current.profileEmoji = d.profileEmoji;
        current.nodeColorHex = d.nodeColorHex;
        current.preferEmojiOverPhoto = d.preferEmojiOverPhoto;
        repaired.append(current);
        haveCurrentSafari = true;
    }

    AppSettings result = settings;
    result.destinations = repaired;
    if (result.bypassDestinationKey && blankKeys.contains(*result.bypassDestinationKey)) {
        const auto current = std::find_if(repaired.begin(), repaired.end(), isCurrentSafari);
        result.bypassDestinationKey
            = current == repaired.end() ? std::nullopt : std::optional<QString>(current->matchKey());
    }
    return result;
}

std::optional<qsizetype> SettingsStore::indexOf(const QUuid& id) const
{
    for (qsizetype i = 0; i < m_settings.destinations.size(); ++i) {
        if (m_settings.destinations[i].id == id)
            return i;
    }
    return std::nullopt;
}

void SettingsStore::setVisible(bool visible, const QUuid& id)
{
    if (const auto index = indexOf(id))
        editDestination(*index, [&](BrowserDestination& d) { d.isVisible = visible; });
}

void SettingsStore::setHotkey(const std::optional<QString>& key, const QUuid& id)
{
    const auto index = indexOf(id);
    if (!index)
        return;
    // Not trimmed: a leading space is a key. The most recent key is no destination's own.
    std::optional<QString> newKey;
    if (key) {
        const QString character = firstCharacter(key->toLower());
        if (!character.isEmpty() && character != HotkeyAssignment::mostRecentKey)
            newKey = character;
    }
    // A key moves: the destination that held it loses it in the same write.
    edit([&](AppSettings& s) {
        for (qsizetype i = 0; i < s.destinations.size(); ++i) {
            if (i != *index && newKey && s.destinations[i].hotkey == newKey)
                s.destinations[i].hotkey.reset();
        }
        s.destinations[*index].hotkey = newKey;
    });
}

void SettingsStore::resetHotkeys()
{
    edit([](AppSettings& s) {
        for (BrowserDestination& d : s.destinations)
            d.hotkey.reset();
    });
}

void SettingsStore::setProfileEmoji(const std::optional<QString>& emoji, const QUuid& id)
{
    const auto index = indexOf(id);
    if (!index)
        return;
    const std::optional<QString> normalized = EmojiInput::normalize(emoji);
    editDestination(*index, [&](BrowserDestination& d) { d.profileEmoji = normalized; });
}

void SettingsStore::setNodeColor(std::optional<quint32> hex, const QUuid& id)
{
    const auto index = indexOf(id);
    if (!index)
        return;
    std::optional<quint32> tint;
    if (hex) {
        const auto& tints = Brand::petalTints();
        if (std::any_of(tints.begin(), tints.end(), [&](const PetalTint& t) { return t.hex == *hex; }))
            tint = hex;
    }
    editDestination(*index, [&](BrowserDestination& d) { d.nodeColorHex = tint; });
}

void SettingsStore::setPreferEmojiOverPhoto(bool value, const QUuid& id)
{
    const auto index = indexOf(id);
    if (index)
        editDestination(*index, [&](BrowserDestination& d) { d.preferEmojiOverPhoto = value; });
}

void SettingsStore::move(const QList<qsizetype>& source, qsizetype destination)
{
    const QList<BrowserDestination> sorted = sortedBySortOrder(m_settings.destinations);
    const qsizetype count = sorted.size();
    // Offsets from a stale list would index past the end: ignore the whole request instead.
    if (destination < 0 || destination > count)
        return;
    QList<bool> moving(count, false);
    for (qsizetype offset : source) {
        if (offset < 0 || offset >= count)
            return;
        moving[offset] = true;
    }

    QList<BrowserDestination> moved;
    QList<BrowserDestination> kept;
    qsizetype insertAt = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (moving[i]) {
            moved.append(sorted[i]);
        } else {
            kept.append(sorted[i]);
            if (i < destination)
                ++insertAt;
        }
    }
    QList<BrowserDestination> reordered = kept.mid(0, insertAt) + moved + kept.mid(insertAt);
    for (qsizetype i = 0; i < reordered.size(); ++i)
        reordered[i].sortOrder = i;
    edit([&](AppSettings& s) { s.destinations = reordered; });
}

void SettingsStore::recordUse(const BrowserDestination& destination)
{
    edit([&](AppSettings& s) { s.lastUsedDestinationID = destination.id; });
}

void SettingsStore::mergeDiscovered(const QList<BrowserDestination>& scanned, const QSet<QString>& unreliableBundles)
{
    const QList<BrowserDestination>& stored = m_settings.destinations;
    QHash<QString, BrowserDestination> storedByKey;
    for (const BrowserDestination& s : stored)
        storedByKey.insert(s.matchKey(), s); // a later duplicate wins

    QSet<QString> scannedKeys;
    QSet<QString> scannedBundles;
    for (const BrowserDestination& d : scanned) {
        scannedKeys.insert(d.matchKey());
        scannedBundles.insert(d.browserBundleIdentifier);
    }

    QList<BrowserDestination> result;
    QSet<QString> claimedKeys;
    std::optional<qint64> largestSortOrder;
    for (BrowserDestination d : scanned) {
        const QString key = d.matchKey();
        // A scan that reports one profile twice would store two destinations under one key (or
        // hand a stored identity to both); the first report is the one kept.
        if (claimedKeys.contains(key))
            continue;
        claimedKeys.insert(key);
        const auto match = storedByKey.constFind(key);
        if (match != storedByKey.constEnd()) {
            d.id = match->id;
            d.isVisible = match->isVisible;
            d.sortOrder = match->sortOrder;
            d.hotkey = match->hotkey;
            d.profileEmoji = match->profileEmoji;
            d.nodeColorHex = match->nodeColorHex;
            d.preferEmojiOverPhoto = match->preferEmojiOverPhoto;
        } else {
            d.sortOrder = nextSortOrder(largestSortOrder.value_or(stored.size()));
        }
        d.isAvailable = true;
        largestSortOrder = std::max(largestSortOrder.value_or(d.sortOrder), d.sortOrder);
        result.append(d);
    }

    std::optional<QUuid> replacementLastUsed;
    for (const BrowserDestination& s : stored) {
        if (scannedKeys.contains(s.matchKey()))
            continue;
        if (unreliableBundles.contains(s.browserBundleIdentifier)) {
            result.append(s);
        } else if (scannedBundles.contains(s.browserBundleIdentifier)) {
            if (s.id == m_settings.lastUsedDestinationID
                && s.launchStrategy.kind() == LaunchStrategy::Kind::browserCurrentProfile) {
                const auto sibling = std::find_if(result.begin(), result.end(), [&](const BrowserDestination& r) {
                    return r.browserBundleIdentifier == s.browserBundleIdentifier;
                });
                replacementLastUsed = sibling == result.end() ? std::nullopt : std::optional<QUuid>(sibling->id);
            }
        } else {
            BrowserDestination unavailable = s;
            unavailable.isAvailable = false;
            result.append(unavailable);
        }
    }

    result = sortedBySortOrder(result);
    edit([&](AppSettings& s) {
        s.destinations = result;
        if (replacementLastUsed)
            s.lastUsedDestinationID = replacementLastUsed;
    });
}

std::optional<BrowserDestination> SettingsStore::lastUsedDestination() const
{
    if (!m_settings.lastUsedDestinationID)
        return std::nullopt;
    if (const auto index = indexOf(*m_settings.lastUsedDestinationID))
        return m_settings.destinations[*index];
    return std::nullopt;
}

std::optional<BrowserDestination> SettingsStore::bypassDestination() const
{
    return m_settings.bypassDestination();
}

std::optional<QString> SettingsStore::bypassDestinationLabel() const
{
    if (!m_settings.bypassDestinationKey)
        return std::nullopt;
    if (const auto destination = bypassDestination())
        return destination->menuLabel();
    return BrowserDestination::describe(*m_settings.bypassDestinationKey);
}

BypassTarget SettingsStore::bypassTarget() const
{
    if (!m_settings.bypassDestinationKey) {
        const auto last = lastUsedDestination();
        return last && last->isAvailable ? BypassTarget::destination(*last) : BypassTarget::picker();
    }
    const auto destination = bypassDestination();
    if (destination && destination->isAvailable)
        return BypassTarget::destination(*destination);
    //: Notice shown above the profile picker when the configured bypass browser profile is missing. %1 is a browser and
    //: profile, e.g. Chrome (Work).
    return BypassTarget::picker(QCoreApplication::translate("Tavro", "%1 isn’t available right now")
                                    .arg(bypassDestinationLabel().value_or(QString())));
}

QList<GlobalHotkeyBinding> SettingsStore::globalHotkeyBindings() const
{
    const QList<BrowserDestination> visible = m_settings.visibleDestinations();
    const QHash<QUuid, QString> keys = HotkeyAssignment::resolve(visible);
    QList<GlobalHotkeyBinding> bindings;
    for (const BrowserDestination& d : visible) {
        const auto key = keys.constFind(d.id);
        if (key != keys.constEnd())
            bindings.append({*key, GlobalHotkeyTarget::destination(d.id)});
    }
    if (m_settings.lastUsedDestinationID)
        bindings.append({HotkeyAssignment::mostRecentKey, GlobalHotkeyTarget::mostRecent()});
    return bindings;
}

} // namespace tavro
