#pragma once
// Keystrokes on Linux: they only ever go to an application's Accessibility elements, which no
// desktop here offers, so none is posted; the modifier state is Qt's.

#include "Tavro/Platform/KeyEvents.h"

namespace tavro::Linux {

class KeyEventsBackend final : public KeyEvents::Backend
{
public:
    void post(const KeyEvent&) override { }
    quint64 flagsState(int sourceStateIdentifier) override;
};

} // namespace tavro::Linux
