#include "Tavro/Settings/CopiedVersion.h"

#include <QTimer>

namespace tavro {

CopiedVersion::CopiedVersion(std::chrono::milliseconds resetDelay, QObject* parent)
    : QObject(parent), m_resetDelay(resetDelay)
{ }

void CopiedVersion::press()
{
    set(true);
    // Context `this`: a window closed before the reset takes its timers with it.
    QTimer::singleShot(m_resetDelay, this, [this] { set(false); });
}

void CopiedVersion::set(bool on)
{
    if (m_on == on)
        return;
    m_on = on;
    Q_EMIT changed(on);
}

} // namespace tavro
