#include "tests/Support/Xvfb.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

#include <memory>

namespace tavro::test {

Xvfb::Xvfb(int width, int height) : m_server(std::make_unique<QProcess>())
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return;
    // -displayfd lets the server pick a free display and tell us its number once it accepts clients.
    m_server->setProcessChannelMode(QProcess::SeparateChannels);
    m_server->start(QStringLiteral("Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
            QStringLiteral("%1x%2x24").arg(width).arg(height), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server->waitForStarted(5000))
        return;
    QByteArray number;
    while (!number.contains('\n') && m_server->waitForReadyRead(10000))
        number += m_server->readAllStandardOutput();
    number = number.trimmed();
    if (!number.isEmpty())
        m_display = QStringLiteral(":") + QString::fromLatin1(number);
}

Xvfb::~Xvfb()
{
    for (const auto* client : {&m_windowManager, &m_keepAlive}) {
        if (*client) {
            (*client)->kill();
            (*client)->waitForFinished(2000);
        }
    }
    if (m_server->state() != QProcess::NotRunning) {
        m_server->terminate();
        if (!m_server->waitForFinished(5000))
            m_server->kill();
        m_server->waitForFinished(2000);
    }
}

bool Xvfb::isRunning() const
{
    return !m_display.isEmpty() && m_server->state() == QProcess::Running;
}

QProcessEnvironment Xvfb::sessionEnvironment(const QString& home, const QString& runtimeDir) const
{
    QFile::setPermissions(runtimeDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

std::unique_ptr<QProcess> Xvfb::startClient(
    const QString& program, const QStringList& arguments, const QProcessEnvironment& overrides) const
{
    auto client = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(overrides);
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    client->setProcessEnvironment(environment);
    client->start(program, arguments);
    return client;
}

bool Xvfb::keepAlive()
{
    if (m_keepAlive)
        return true;
    m_keepAlive = startClient(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-spy")});
    // It prints the root's properties once connected.
    return m_keepAlive->waitForStarted() && m_keepAlive->waitForReadyRead(10000);
}

bool Xvfb::startWindowManager()
{
    if (m_windowManager)
        return true;
    // The window manager is the desktop's, not the test home's: its themes are under /usr/share even
    // where a check points XDG_DATA_DIRS at a temporary folder.
    QProcessEnvironment desktop;
    desktop.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/local/share:/usr/share"));
    desktop.insert(QStringLiteral("XDG_CONFIG_DIRS"), QStringLiteral("/etc/xdg"));
    m_windowManager = startClient(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")}, desktop);
    if (!m_windowManager->waitForStarted())
        return false;
    // Ready once it manages a window. One mapped while it is still starting may stay unmanaged, so
    // a probe that is not managed within a second is tried again.
    const auto managesAWindow = [&] {
        QByteArray output;
        return run(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST"}, &output) == 0 && output.contains("0x");
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
        const std::unique_ptr<QProcess> probe = startClient(
            QStringLiteral("xmessage"), {QStringLiteral("-geometry"), QStringLiteral("+0+0"), QStringLiteral("probe")});
        const bool managed = QTest::qWaitFor(managesAWindow, 1000);
        probe->kill();
        probe->waitForFinished(2000);
        if (managed)
            return QTest::qWaitFor([&] { return !managesAWindow(); }, 5000);
    }
    return false;
}

QString Xvfb::waitForWindow(const QString& namePattern, int timeoutMs) const
{
    QString window;
    const bool shown = QTest::qWaitFor(
        [&] {
            QByteArray output;
            if (run(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", namePattern}, &output) != 0)
                return false;
            window = QString::fromLatin1(output.trimmed().split('\n').last());
            return !window.isEmpty();
        },
        timeoutMs);
    return shown ? window : QString();
}

bool Xvfb::keyboardIsGrabbed() const
{
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(m_display.toLatin1().constData(), nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data->root;
    const std::unique_ptr<xcb_grab_keyboard_reply_t, decltype(&free)> reply(
        xcb_grab_keyboard_reply(connection.get(),
            xcb_grab_keyboard(connection.get(), 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
            nullptr),
        &free);
    if (reply && reply->status == XCB_GRAB_STATUS_SUCCESS)
        xcb_ungrab_keyboard(connection.get(), XCB_CURRENT_TIME);
    return reply && reply->status == XCB_GRAB_STATUS_ALREADY_GRABBED;
}

QImage Xvfb::windowImage(const QString& window) const
{
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(m_display.toLatin1().constData(), nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        return {};
    const xcb_window_t id = window == QLatin1String("root")
        ? xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data->root
        : xcb_window_t(window.toUInt(nullptr, 0));
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> geometry(
        xcb_get_geometry_reply(connection.get(), xcb_get_geometry(connection.get(), id), nullptr), &free);
    if (!geometry || (geometry->depth != 24 && geometry->depth != 32))
        return {};
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&free)> image(
        xcb_get_image_reply(connection.get(),
            xcb_get_image(
                connection.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, id, 0, 0, geometry->width, geometry->height, ~0u),
            nullptr),
        &free);
    const int bytesPerLine = geometry->width * 4;
    if (!image || xcb_get_image_data_length(image.get()) != bytesPerLine * geometry->height)
        return {};
    // Four bytes a pixel, blue first: QImage's RGB32 on this little-endian machine.
    return QImage(
        xcb_get_image_data(image.get()), geometry->width, geometry->height, bytesPerLine, QImage::Format_RGB32)
        .copy();
}

QSize Xvfb::windowSize(const QString& window) const
{
    QByteArray output;
    run(QStringLiteral("xwininfo"), {"-id", window}, &output);
    const auto width = QRegularExpression(QStringLiteral(R"(Width: (\d+))")).match(QString::fromLatin1(output));
    const auto height = QRegularExpression(QStringLiteral(R"(Height: (\d+))")).match(QString::fromLatin1(output));
    return {width.captured(1).toInt(), height.captured(1).toInt()};
}

int Xvfb::run(const QString& program, const QStringList& arguments, QByteArray* output, int timeoutMs) const
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return -1;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace tavro::test
