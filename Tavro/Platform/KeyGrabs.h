#pragma once
// Stands for the system's hot-key registry (RegisterEventHotKey and the hot-key-pressed event). On an
// X11 display a registration is a passive key grab on the root window; elsewhere (offscreen, Wayland)
// it is kept and only a test fires it (KeyGrabsHost.h).

#include <QChar>
#include <QHash>
#include <QList>
#include <QObject>
#include <QtGlobal>

#include <optional>
#include <utility>

namespace tavro {

// The system's id of a registered key: the registrar's four-character signature and its number.
struct KeyGrabID
{
    quint32 signature = 0;
    quint32 id = 0;

    bool operator==(const KeyGrabID&) const = default;
};

class KeyGrabs : public QObject
{
    Q_OBJECT
public:
    // Modifier masks of a registration.
    static constexpr quint32 cmdKey = 0x0100;
    static constexpr quint32 shiftKey = 0x0200;
    static constexpr quint32 optionKey = 0x0800;
    static constexpr quint32 controlKey = 0x1000;

    // One combination the backend holds for the whole system.
    struct Combination
    {
        quint32 keyCode = 0; // a virtual key code of the US layout
        quint32 modifiers = 0;

        bool operator==(const Combination&) const = default;
    };

    class Backend
    {
    public:
        virtual ~Backend() = default;
        // Whether the combination is now held for this process; false when the system refuses it.
        virtual bool grab(const Combination& combination) = 0;
        virtual void ungrab(const Combination& combination) = 0;
    };
    static Backend& systemBackend();
    // Routes registrations to `backend` (not owned); nullptr puts the system backend back.
    static void setBackend(Backend* backend);

    // The event dispatcher target: one per process, on the GUI thread.
    static KeyGrabs& shared();

    // The 36 keys a registration can name: each lower-case character of the US layout with its
    // virtual key code. The codes name key positions, so on other layouts a key follows the position.
    static const QList<std::pair<QChar, quint32>>& usLayoutKeys();

    // The X keycode of the key in the US position of a virtual key code, whatever the layout prints
    // on it: on a PC keyboard under evdev (and the older XFree86 codes agree for these keys) it is
    // the Linux input code plus 8, and the input codes run along the keyboard's rows.
    static std::optional<quint8> x11Keycode(quint32 keyCode);

    // A reference to a registration, never 0; none when the combination is refused or already taken.
    std::optional<quint64> registerHotKey(const Combination& combination, KeyGrabID id);
    void unregisterHotKey(quint64 ref);

    // Called by a backend when a registered combination is pressed.
    void deliver(const Combination& combination);

Q_SIGNALS:
    void pressed(tavro::KeyGrabID id);

private:
    KeyGrabs() = default;

    struct Registration
    {
        Combination combination;
        KeyGrabID id;
    };
    QHash<quint64, Registration> m_registrations;
    quint64 m_nextRef = 1;
};

} // namespace tavro
