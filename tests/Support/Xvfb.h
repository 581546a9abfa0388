#pragma once

#include <QProcess>
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
    // Runs `program` with DISPLAY set to this server; returns its exit code (-1 on failure).
    int run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
        int timeoutMs = 10000) const;

private:
    std::unique_ptr<QProcess> m_server;
    QString m_display;
};

} // namespace tavro::test
