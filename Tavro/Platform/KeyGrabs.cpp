#include "Tavro/Platform/KeyGrabs.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/KeyGrabsBackend.h"

namespace tavro {

namespace {
BackendSlot<KeyGrabs::Backend, Linux::KeyGrabsBackend> backendSlot;
} // namespace

const QList<std::pair<QChar, quint32>>& KeyGrabs::usLayoutKeys()
{
    static const QList<std::pair<QChar, quint32>> keys{{u'1', 18}, {u'2', 19}, {u'3', 20}, {u'4', 21}, {u'5', 23},
        {u'6', 22}, {u'7', 26}, {u'8', 28}, {u'9', 25}, {u'0', 29}, {u'a', 0}, {u'b', 11}, {u'c', 8}, {u'd', 2},
        {u'e', 14}, {u'f', 3}, {u'g', 5}, {u'h', 4}, {u'i', 34}, {u'j', 38}, {u'k', 40}, {u'l', 37}, {u'm', 46},
        {u'n', 45}, {u'o', 31}, {u'p', 35}, {u'q', 12}, {u'r', 15}, {u's', 1}, {u't', 17}, {u'u', 32}, {u'v', 9},
        {u'w', 13}, {u'x', 7}, {u'y', 16}, {u'z', 6}};
    return keys;
}

KeyGrabs::Backend& KeyGrabs::systemBackend()
{
    return backendSlot.system();
}

void KeyGrabs::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

KeyGrabs& KeyGrabs::shared()
{
    static KeyGrabs* hotKeys = new KeyGrabs;
    return *hotKeys;
}

std::optional<quint64> KeyGrabs::registerHotKey(const Combination& combination, KeyGrabID id)
{
    for (const Registration& registration : std::as_const(m_registrations)) {
        if (registration.combination == combination)
            return std::nullopt;
    }
    if (!backendSlot.current().grab(combination))
        return std::nullopt;
    const quint64 ref = m_nextRef++;
    m_registrations.insert(ref, {combination, id});
    return ref;
}

void KeyGrabs::unregisterHotKey(quint64 ref)
{
    const auto it = m_registrations.constFind(ref);
    if (it == m_registrations.constEnd())
        return;
    backendSlot.current().ungrab(it->combination);
    m_registrations.erase(it);
}

void KeyGrabs::deliver(const Combination& combination)
{
    for (const Registration& registration : std::as_const(m_registrations)) {
        if (registration.combination == combination) {
            Q_EMIT pressed(registration.id);
            return;
        }
    }
}

} // namespace tavro
