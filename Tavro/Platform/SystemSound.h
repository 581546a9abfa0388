#pragma once
// Stands for the system alert sound (the beep that answers a refused action).

namespace tavro::SystemSound {

// What beep() goes through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual void beep() = 0;
};
Backend& systemBackend();
// Routes beep() to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

void beep();

} // namespace tavro::SystemSound
