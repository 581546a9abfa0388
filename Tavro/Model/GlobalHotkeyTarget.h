#pragma once

#include <QString>
#include <QUuid>

namespace tavro {

// What a global hot key opens: one destination, or the one used last (looked up when pressed).
class GlobalHotkeyTarget
{
public:
    enum class Kind { destination, mostRecent };

    static GlobalHotkeyTarget destination(const QUuid& id) { return GlobalHotkeyTarget(Kind::destination, id); }
    static GlobalHotkeyTarget mostRecent() { return GlobalHotkeyTarget(Kind::mostRecent, {}); }

    Kind kind() const { return m_kind; }
    // The destination's id; null for `mostRecent`.
    const QUuid& id() const { return m_id; }

    bool operator==(const GlobalHotkeyTarget&) const = default;

private:
    GlobalHotkeyTarget(Kind kind, const QUuid& id) : m_kind(kind), m_id(id) { }

    Kind m_kind;
    QUuid m_id;
};

// One global hot key: the destination's picker key and what it opens.
struct GlobalHotkeyBinding
{
    QString key;
    GlobalHotkeyTarget target;

    bool operator==(const GlobalHotkeyBinding&) const = default;
};

} // namespace tavro
