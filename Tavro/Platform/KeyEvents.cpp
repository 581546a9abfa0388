#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/KeyEventsBackend.h"

namespace tavro {

namespace {
BackendSlot<KeyEvents::Backend, Linux::KeyEventsBackend> backendSlot;
} // namespace

namespace KeyEvents {

Backend& systemBackend()
{
    return backendSlot.system();
}

void setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

void post(const KeyEvent& event)
{
    backendSlot.current().post(event);
}

quint64 flagsState(int sourceStateIdentifier)
{
    return backendSlot.current().flagsState(sourceStateIdentifier);
}

} // namespace KeyEvents

} // namespace tavro
