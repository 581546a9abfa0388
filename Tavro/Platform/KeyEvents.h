#pragma once
// Stands for synthetic keyboard events and the combined modifier state. The modifier state is Qt's;
// the system backend has no application to post keystrokes to. Tests install a simulated backend
// (KeyEventsHost.h) that hands them to the frontmost simulated application.

#include <QString>
#include <QtGlobal>

namespace tavro {

struct KeyEvent
{
    quint16 keyCode = 0;
    bool keyDown = true;
    quint64 flags = 0;
    QString text; // the event's Unicode string, empty for a plain key

    bool operator==(const KeyEvent&) const = default;
};

namespace KeyEvents {

// Modifier flags of a keyboard event.
inline constexpr quint64 maskShift = 0x20000;
inline constexpr quint64 maskControl = 0x40000;
inline constexpr quint64 maskAlternate = 0x80000;
inline constexpr quint64 maskCommand = 0x100000;

// Event source state identifiers: the combined session state and the hardware state.
inline constexpr int combinedSessionState = 0;
inline constexpr int hidSystemState = 1;

// Virtual key codes Tavro posts.
inline constexpr quint16 keyA = 0;
inline constexpr quint16 keyL = 37;
inline constexpr quint16 keyReturn = 36;

// What the calls below go through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual void post(const KeyEvent& event) = 0;
    virtual quint64 flagsState(int sourceStateIdentifier) = 0;
};
Backend& systemBackend();
// Routes the calls to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

// Posts one event at the session tap.
void post(const KeyEvent& event);
// The modifier flags held down for the given source state.
quint64 flagsState(int sourceStateIdentifier);

} // namespace KeyEvents

} // namespace tavro
