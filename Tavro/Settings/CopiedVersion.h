#pragma once

#include <QObject>

#include <chrono>

namespace tavro {

// About's "Copied" confirmation. It belongs to the Preferences window, not to the pane, so it
// survives switching sections; its resets stop with the window.
class CopiedVersion : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kResetDelay{2000};

    explicit CopiedVersion(std::chrono::milliseconds resetDelay = kResetDelay, QObject* parent = nullptr);

    bool isOn() const { return m_on; }
    // Turns the confirmation on and ends it `resetDelay` later. Each press starts a reset of its
    // own and none is cancelled, so the earliest press decides when it ends.
    void press();

Q_SIGNALS:
    void changed(bool on);

private:
    void set(bool on);

    std::chrono::milliseconds m_resetDelay;
    bool m_on = false;
};

} // namespace tavro
