#pragma once
// Stands for the platform's modifier-key flags: the same bit values, so stored masks and
// comparisons read as they would on a Mac.

#include <Qt>
#include <QtGlobal>

namespace tavro::ModifierFlag {

inline constexpr quint64 shift = 0x20000;
inline constexpr quint64 control = 0x40000;
inline constexpr quint64 option = 0x80000;
inline constexpr quint64 command = 0x100000;

// Qt's modifiers as platform flags on a PC keyboard: Alt is Option and Meta (the Super key)
// is Command.
constexpr quint64 fromQt(Qt::KeyboardModifiers modifiers)
{
    quint64 flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= shift;
    if (modifiers & Qt::ControlModifier)
        flags |= control;
    if (modifiers & Qt::AltModifier)
        flags |= option;
    if (modifiers & Qt::MetaModifier)
        flags |= command;
    return flags;
}

} // namespace tavro::ModifierFlag
