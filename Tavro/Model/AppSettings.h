#pragma once

#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/DecodeError.h"
#include "Tavro/Model/SettingsEnums.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QUuid>

#include <expected>
#include <optional>

namespace tavro {

// A row of a "What to open" menu: the match key it stands for (empty for "Last Used") and its text.
struct BypassDestinationRow
{
    QString key;
    QString label;
    bool operator==(const BypassDestinationRow&) const = default;
};

// The two "What to open" menus. Preferences lists the destinations by sort order and keeps a
// stored key that none of them has as a row of its own, "… (unavailable)"; onboarding, right
// after the scan, lists them as stored, and a key that none has selects no row.
enum class BypassDestinationMenu { preferences, onboarding };

// The one persisted settings record: every destination and every preference.
struct AppSettings
{
    QList<BrowserDestination> destinations;
    std::optional<QUuid> lastUsedDestinationID;
    BypassModifier bypassModifier = BypassModifier::option;
    BypassModifier privateModifier = BypassModifier::shift;
    std::optional<QString> bypassDestinationKey; // a match key; absent: the destination used last
    RoutingMode mode = RoutingMode::alwaysAsk;
    bool showMenuBarIcon = true;
    bool launchAtLogin = false;
    bool hasCompletedOnboarding = false;
    bool reduceAnimations = false;
    EmojiPosition emojiPosition = EmojiPosition::center;
    bool invertBypass = false;
    bool demoMode = false;
    bool globalHotkeysEnabled = true;
    HotkeyPrefix globalHotkeyPrefix = HotkeyPrefix::hyper;
    AppAppearance appearance = AppAppearance::system;

    bool operator==(const AppSettings&) const = default;

    // Visible and available destinations, by sort order; equal orders keep stored order.
    QList<BrowserDestination> visibleDestinations() const;

    // The private key that gives way when it would equal `bypass`: shift, or option when the
    // bypass key is shift itself.
    static BypassModifier privateModifierGivingWayTo(BypassModifier bypass);
    // Sets the bypass key; a private key equal to it gives way at once, as it would at decoding.
    void setBypassModifierKeepingKeysApart(BypassModifier modifier);
    // Sets the bypass destination a menu row names: the empty key of "Last Used" is no key at
    // all, never an empty one.
    void setBypassDestinationKey(const QString& key);
    // The destination the bypass key names, available or not; absent for "Last Used" or a key
    // that names none.
    std::optional<BrowserDestination> bypassDestination() const;
    // The rows of a "What to open" menu: "Last Used", then the available destinations (hidden
    // ones too).
    QList<BypassDestinationRow> bypassDestinationRows(BypassDestinationMenu menu) const;
    // Whether a click skips the picker: holding the bypass key does, unless Invert swaps what a
    // plain click and a modifier-click do.
    bool bypasses(bool bypassKeyHeld) const { return bypassKeyHeld != invertBypass; }

    QJsonObject toJson() const;
    QByteArray toJsonBytes() const;
    // Lenient where it is safe (missing keys take defaults, four keys fall back on bad values),
    // strict elsewhere; a decoded record never has equal bypass and private modifiers.
    [[nodiscard]] static std::expected<AppSettings, DecodeError> fromJson(const QJsonValue& json);
    [[nodiscard]] static std::expected<AppSettings, DecodeError> fromJsonBytes(const QByteArray& bytes);
};

} // namespace tavro
