#include "Tavro/Shell/GlobalHotkeyService.h"

#include "Tavro/Model/HotkeyAssignment.h"

#include <QSet>

namespace tavro {

namespace {
const QHash<QString, quint32>& keycodeMap()
{
    static const QHash<QString, quint32> map = [] {
        QHash<QString, quint32> keys;
        for (const auto& [character, code] : KeyGrabs::usLayoutKeys())
            keys.insert(QString(character), code);
        return keys;
    }();
    return map;
}
} // namespace

GlobalHotkeyService::GlobalHotkeyService(QObject* parent) : QObject(parent) { }

GlobalHotkeyService::~GlobalHotkeyService()
{
    unregisterAll();
}

quint32 GlobalHotkeyService::modifiers(HotkeyPrefix prefix)
{
    switch (prefix) {
    case HotkeyPrefix::hyper:
        return KeyGrabs::controlKey | KeyGrabs::optionKey | KeyGrabs::shiftKey | KeyGrabs::cmdKey;
    case HotkeyPrefix::controlOptionCommand:
        return KeyGrabs::controlKey | KeyGrabs::optionKey | KeyGrabs::cmdKey;
    case HotkeyPrefix::controlOptionShift:
        return KeyGrabs::controlKey | KeyGrabs::optionKey | KeyGrabs::shiftKey;
    case HotkeyPrefix::optionCommand:
        return KeyGrabs::optionKey | KeyGrabs::cmdKey;
    }
    return 0;
}

std::optional<quint32> GlobalHotkeyService::keyCode(const QString& key)
{
    const auto it = keycodeMap().constFind(key.toLower());
    if (it == keycodeMap().constEnd())
        return std::nullopt;
    return *it;
}

QHash<QUuid, QString> GlobalHotkeyService::registrableKeys(const QList<BrowserDestination>& visible)
{
    QHash<QUuid, QString> keys = HotkeyAssignment::resolve(visible);
    keys.removeIf([](const auto& entry) { return !keyCode(entry.value()); });
    return keys;
}

void GlobalHotkeyService::reload(HotkeyPrefix prefix, const QList<GlobalHotkeyBinding>& keysByTarget, bool enabled)
{
    unregisterAll();
    if (!enabled)
        return;
    const quint32 mask = modifiers(prefix);
    installHandlerIfNeeded();

    QSet<quint32> used;
    for (const GlobalHotkeyBinding& binding : keysByTarget) {
        const std::optional<quint32> code = keyCode(binding.key);
        if (!code || used.contains(*code))
            continue;
        used.insert(*code);
        const std::optional<quint64> ref
            = KeyGrabs::shared().registerHotKey({*code, mask}, KeyGrabID{kSignature, m_nextID});
        // Refused (another application holds it): a later binding of the same key would be refused too.
        if (!ref)
            continue;
        m_registrations.insert(m_nextID, Registration{*ref, binding.target});
        ++m_nextID;
    }
}

void GlobalHotkeyService::unregisterAll()
{
    for (const Registration& registration : std::as_const(m_registrations))
        KeyGrabs::shared().unregisterHotKey(registration.ref);
    m_registrations.clear();
}

void GlobalHotkeyService::installHandlerIfNeeded()
{
    if (m_handlerInstalled)
        return;
    m_handlerInstalled = true;
    connect(&KeyGrabs::shared(), &KeyGrabs::pressed, this, [this](KeyGrabID id) {
        if (id.signature != kSignature)
            return;
        const auto it = m_registrations.constFind(id.id);
        if (it != m_registrations.constEnd())
            Q_EMIT fired(it->target);
    });
}

} // namespace tavro
