#pragma once
// Stands for NSEvent's global monitor of mouse-down events: a left or right press anywhere on the
// display, in other programs too, seen without being taken from them. On X11 it reads XInput 2 raw
// button events on the root window over a connection of its own, so it grabs nothing and leaves
// Qt's own connection as it is. The same connection reports another program's window being mapped,
// which on a display without a window manager lands above every window that was there.

#include <QObject>

#include <memory>

namespace tavro {

class GlobalEventMonitor : public QObject
{
    Q_OBJECT
public:
    // Starts watching at once; stops when the object goes.
    explicit GlobalEventMonitor(QObject* parent = nullptr);
    ~GlobalEventMonitor() override;

    // Whether the display reports presses at all: false off X11 (a test's offscreen platform, a
    // Wayland session without XWayland) or where the X server lacks XInput 2.
    bool isActive() const;

Q_SIGNALS:
    // The left or the right button went down somewhere; where the pointer is, the caller asks.
    void mouseDown();
    // A window of any program was mapped.
    void windowMapped();

private:
    struct Connection;
    void readEvents();

    std::unique_ptr<Connection> m_connection;
};

} // namespace tavro
