#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>

#include <memory>

namespace tavro::test {

// A real X server (Xvfb) on a display of its own for checks that drive real windows, keys
// and pointers. The server stops when the object goes away.
class Xvfb
{
public:
    explicit Xvfb(int width = 1440, int height = 900);
    ~Xvfb();

    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    bool isRunning() const;
    // ":N", or empty when the server did not start.
    QString display() const { return m_display; }
    // What a program of a desktop session on this server sees: HOME, a private XDG_RUNTIME_DIR
    // (made owner-only, as a session's is), DISPLAY, the xcb platform and no Wayland display.
    QProcessEnvironment sessionEnvironment(const QString& home, const QString& runtimeDir) const;
    // Keeps one client connected until the server goes: the server resets (the root's colour, the
    // pointer's place) whenever its last client leaves. True once that client is connected.
    bool keepAlive();
    // Starts Debian's openbox on this server, so that windows are managed as on a desktop: placed,
    // focused by a click, listed. True once it manages the windows that are mapped.
    bool startWindowManager();
    // The last visible window whose name matches `namePattern` (xdotool's id), once there is one;
    // empty when none shows within `timeoutMs`.
    QString waitForWindow(const QString& namePattern, int timeoutMs) const;
    // Whether a client holds the keyboard: a grab of the test's own fails then. The probe's grab
    // lasts one round trip, and a grab asked for in that moment fails and must be asked again.
    bool keyboardIsGrabbed() const;
    // A window's size as the server has it.
    QSize windowSize(const QString& window) const;
    // What an opaque window shows (its id in decimal or 0x hexadecimal, or "root"), as the server
    // reads it back; a null image when there is no such window.
    QImage windowImage(const QString& window) const;
    // Runs `program` with DISPLAY set to this server; returns its exit code (-1 on failure).
    int run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
        int timeoutMs = 10000) const;
    // A program connected to this server that runs until it ends, the server goes or the result is dropped.
    std::unique_ptr<QProcess> startClient(
        const QString& program, const QStringList& arguments, const QProcessEnvironment& overrides = {}) const;

private:
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_keepAlive;
    std::unique_ptr<QProcess> m_windowManager;
    QString m_display;
};

} // namespace tavro::test
