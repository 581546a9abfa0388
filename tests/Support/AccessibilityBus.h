#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <memory>

namespace tavro::test {

// A private desktop session bus with the AT-SPI accessibility bus and registry behind it, as a
// desktop with a screen reader has: what Qt's accessibility bridge talks to and what an AT-SPI
// client (pyatspi) reads. Everything stops when the object goes away.
class AccessibilityBus
{
public:
    // `display` is the X server the bus launcher belongs to.
    explicit AccessibilityBus(const QString& display);
    ~AccessibilityBus();

    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    // True once the session bus runs and the accessibility bus answers on it.
    bool isRunning() const { return m_running; }
    // `environment` with this session bus, and Qt's bridge on even without a screen reader.
    QProcessEnvironment environment(QProcessEnvironment environment) const;

private:
    std::unique_ptr<QProcess> m_sessionBus;
    std::unique_ptr<QProcess> m_launcher;
    QString m_address;
    bool m_running = false;
};

} // namespace tavro::test
