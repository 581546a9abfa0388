#pragma once
// The global hot keys: the chosen prefix plus a destination's picker key, or "0" for the
// destination used last, registered with the system and reported as targets when pressed.

#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/GlobalHotkeyTarget.h"
#include "Tavro/Model/SettingsEnums.h"
#include "Tavro/Platform/KeyGrabs.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <optional>

namespace tavro {

class GlobalHotkeyService : public QObject
{
    Q_OBJECT
public:
    using Target = GlobalHotkeyTarget;

    // The four-character code "TVRO", put into every hot-key id.
    static constexpr quint32 kSignature = 0x5456524F;

    explicit GlobalHotkeyService(QObject* parent = nullptr);
    ~GlobalHotkeyService() override;

    // Replaces every registration with `keysByTarget`. Keys outside the table, keys whose code an
    // earlier binding took and combinations the system refuses get no hot key.
    void reload(HotkeyPrefix prefix, const QList<GlobalHotkeyBinding>& keysByTarget, bool enabled);

    static quint32 modifiers(HotkeyPrefix prefix);
    // The virtual key code of a one-character key, case-insensitive; none for a key outside the
    // table, which never gets a hot key.
    static std::optional<quint32> keyCode(const QString& key);
    // The picker keys of the visible destinations `visible` that can be hot keys: those of
    // `HotkeyAssignment::resolve` that have a key code. What lists the hot keys lists these.
    static QHash<QUuid, QString> registrableKeys(const QList<BrowserDestination>& visible);

Q_SIGNALS:
    // Once per press of a registered key.
    void fired(const tavro::GlobalHotkeyTarget& target);

private:
    struct Registration
    {
        quint64 ref;
        Target target;
    };

    void unregisterAll();
    void installHandlerIfNeeded();

    QHash<quint32, Registration> m_registrations;
    // The id the next successful registration gets; ids are never reused within a run, so a
    // press of a key registered before a reload never reaches a later binding.
    quint32 m_nextID = 1;
    bool m_handlerInstalled = false;
};

} // namespace tavro
