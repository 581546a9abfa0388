#include "Tavro/Platform/Linux/KeyGrabsBackend.h"

#include "Tavro/Platform/PlatformLog.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QHash>
#include <QList>
#include <QSet>

#include <xcb/xcb.h>

#include <string_view>

namespace tavro {

namespace {

// The X11 key symbol of a US-layout key: Latin-1 symbols are the characters themselves.
std::optional<xcb_keysym_t> keySymbol(quint32 keyCode)
{
    for (const auto& [character, code] : KeyGrabs::usLayoutKeys()) {
        if (code == keyCode)
            return xcb_keysym_t(character.unicode());
    }
    return std::nullopt;
}

// Passive grabs of the root window. Caps Lock and Num Lock are modifiers to X, so each
// combination is grabbed once for every state of the two, or it would stop working while one is on.
class X11Backend final : public KeyGrabs::Backend, public QAbstractNativeEventFilter
{
public:
    X11Backend(xcb_connection_t* connection) : m_connection(connection)
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    bool grab(const KeyGrabs::Combination& combination) override
    {
        const std::optional<xcb_keycode_t> keycode = keycodeOf(combination.keyCode);
        if (!keycode)
            return false;
        const quint16 modifiers = x11Modifiers(combination.modifiers);
        QList<quint16> grabbed;
        for (const quint16 locks : kLockStates) {
            const xcb_void_cookie_t cookie = xcb_grab_key_checked(
                m_connection, 1, m_root, modifiers | locks, *keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
                // Another client holds the combination (BadAccess): the registration fails as a whole.
                free(error);
                for (const quint16 done : grabbed)
                    xcb_ungrab_key(m_connection, *keycode, m_root, modifiers | done);
                xcb_flush(m_connection);
                qCInfo(lcPlatform) << "The X server refused a hot key grab";
                return false;
            }
            grabbed.append(locks);
        }
        m_grabs.append({combination, *keycode, modifiers});
        qCDebug(lcPlatform).noquote() << "Grabbed hot key" << QChar(char16_t(*keySymbol(combination.keyCode)))
                                      << "with X modifiers" << Qt::hex << modifiers;
        return true;
    }

    void ungrab(const KeyGrabs::Combination& combination) override
    {
        for (qsizetype i = 0; i < m_grabs.size(); ++i) {
            if (m_grabs[i].combination != combination)
                continue;
            for (const quint16 locks : kLockStates)
                xcb_ungrab_key(m_connection, m_grabs[i].keycode, m_root, m_grabs[i].modifiers | locks);
            xcb_flush(m_connection);
            m_grabs.removeAt(i);
            return;
        }
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        const quint8 type = event->response_type & 0x7f;
        if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
            return false;
        // Releases share the layout of presses.
        auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
        if (key->event != m_root)
            return false;
        if (type == XCB_KEY_RELEASE) {
            m_held.remove(key->detail);
            m_releasedAt.insert(key->detail, key->time);
            return false;
        }
        const quint16 modifiers = key->state & kRelevantModifiers;
        for (const Grab& grab : m_grabs) {
            if (grab.keycode != key->detail || grab.modifiers != modifiers)
                continue;
            // A key held down repeats its press: one press fires once, until the key is let go. The
            // server repeats with presses alone, or, for a client that did not ask for that, with
            // release and press pairs that carry one time.
            const bool repeated = m_held.contains(key->detail) || m_releasedAt.value(key->detail) == key->time;
            m_held.insert(key->detail);
            if (repeated)
                return true;
            qCDebug(lcPlatform).noquote() << "Pressed hot key" << QChar(char16_t(*keySymbol(grab.combination.keyCode)));
            KeyGrabs::shared().deliver(grab.combination);
            return true;
        }
        return false;
    }

private:
    static constexpr quint16 kLockStates[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
    static constexpr quint16 kRelevantModifiers
        = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

    struct Grab
    {
        KeyGrabs::Combination combination;
        xcb_keycode_t keycode;
        quint16 modifiers;
    };

    // Control, Option as Alt, Command as Super, Shift.
    static quint16 x11Modifiers(quint32 modifiers)
    {
        quint16 mask = 0;
        if (modifiers & KeyGrabs::controlKey)
            mask |= XCB_MOD_MASK_CONTROL;
        if (modifiers & KeyGrabs::optionKey)
            mask |= XCB_MOD_MASK_1;
        if (modifiers & KeyGrabs::cmdKey)
            mask |= XCB_MOD_MASK_4;
        if (modifiers & KeyGrabs::shiftKey)
            mask |= XCB_MOD_MASK_SHIFT;
        return mask;
    }

    std::optional<xcb_keycode_t> keycodeOf(quint32 keyCode) const
    {
        const std::optional<quint8> keycode = KeyGrabs::x11Keycode(keyCode);
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        if (!keycode || *keycode < setup->min_keycode || *keycode > setup->max_keycode)
            return std::nullopt;
        return xcb_keycode_t(*keycode);
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
    QList<Grab> m_grabs;
    // Grabbed keys pressed and not yet released, and when each key was last released.
    QSet<xcb_keycode_t> m_held;
    QHash<xcb_keycode_t, xcb_timestamp_t> m_releasedAt;
};

// Without an X11 display nothing reaches the keyboard system-wide: registrations are kept, never pressed.
class KeptBackend final : public KeyGrabs::Backend
{
public:
    KeptBackend()
    {
        qCInfo(lcPlatform).noquote() << "Global hot keys need an X11 display; on the" << QGuiApplication::platformName()
                                     << "platform they are kept and never fire";
    }
    bool grab(const KeyGrabs::Combination&) override { return true; }
    void ungrab(const KeyGrabs::Combination&) override { }
};

} // namespace

std::optional<quint8> KeyGrabs::x11Keycode(quint32 keyCode)
{
    const std::optional<xcb_keysym_t> symbol = keySymbol(keyCode);
    if (!symbol)
        return std::nullopt;
    static constexpr std::pair<std::u16string_view, int> rows[]
        = {{u"1234567890", 2}, {u"qwertyuiop", 16}, {u"asdfghjkl", 30}, {u"zxcvbnm", 44}};
    for (const auto& [keys, firstInputCode] : rows) {
        if (const std::size_t at = keys.find(char16_t(*symbol)); at != std::u16string_view::npos)
            return quint8(firstInputCode + int(at) + 8);
    }
    return std::nullopt;
}

Linux::KeyGrabsBackend::KeyGrabsBackend()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app && QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>(); x11 && x11->connection()) {
            m_display = std::make_unique<X11Backend>(x11->connection());
            return;
        }
    }
    m_display = std::make_unique<KeptBackend>();
}

Linux::KeyGrabsBackend::~KeyGrabsBackend() = default;

bool Linux::KeyGrabsBackend::grab(const KeyGrabs::Combination& combination)
{
    return m_display->grab(combination);
}

void Linux::KeyGrabsBackend::ungrab(const KeyGrabs::Combination& combination)
{
    m_display->ungrab(combination);
}

} // namespace tavro
