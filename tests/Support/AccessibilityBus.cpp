#include "tests/Support/AccessibilityBus.h"

#include <QStandardPaths>
#include <QTest>

namespace tavro::test {

namespace {

constexpr auto busLauncher = "/usr/libexec/at-spi-bus-launcher";

void stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished(2000);
}

} // namespace

AccessibilityBus::AccessibilityBus(const QString& display)
    : m_sessionBus(std::make_unique<QProcess>()), m_launcher(std::make_unique<QProcess>())
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        return;
    m_sessionBus->start(QStringLiteral("dbus-daemon"),
        {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!m_sessionBus->waitForStarted(5000))
        return;
    QByteArray address;
    while (!address.contains('\n') && m_sessionBus->waitForReadyRead(10000))
        address += m_sessionBus->readAllStandardOutput();
    m_address = QString::fromLatin1(address.trimmed());
    if (m_address.isEmpty())
        return;

    QProcessEnvironment launcherEnvironment = environment(QProcessEnvironment::systemEnvironment());
    launcherEnvironment.insert(QStringLiteral("DISPLAY"), display);
    // The launcher reads its settings schemas from the system's data folders, which a test's
    // temporary home may have taken out of the list.
    launcherEnvironment.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/local/share:/usr/share"));
    m_launcher->setProcessEnvironment(launcherEnvironment);
    m_launcher->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_launcher->start(QString::fromLatin1(busLauncher), {QStringLiteral("--launch-immediately")});
    if (!m_launcher->waitForStarted(5000))
        return;
    // The launcher owns org.a11y.Bus once it can hand out the accessibility bus's address.
    m_running = QTest::qWaitFor(
        [&] {
            QProcess ask;
            ask.setProcessEnvironment(launcherEnvironment);
            ask.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--print-reply"), QStringLiteral("--dest=org.a11y.Bus"),
                    QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus.GetAddress")});
            return ask.waitForFinished(5000) && ask.exitCode() == 0;
        },
        10000);
}

AccessibilityBus::~AccessibilityBus()
{
    stop(*m_launcher);
    stop(*m_sessionBus);
}

QProcessEnvironment AccessibilityBus::environment(QProcessEnvironment environment) const
{
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    environment.remove(QStringLiteral("NO_AT_BRIDGE"));
    return environment;
}

} // namespace tavro::test
