#include "Tavro/Platform/GlobalEventMonitor.h"
#include "Tavro/Platform/PlatformLog.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>

namespace tavro {

namespace {

constexpr uint32_t leftButton = 1;
constexpr uint32_t rightButton = 3;

// The XInput 2 event mask of one device selection: the header, then one word of mask bits.
struct RawPressMask
{
    xcb_input_event_mask_t header;
    uint32_t bits;
};

} // namespace

struct GlobalEventMonitor::Connection
{
    xcb_connection_t* x = nullptr;
    xcb_window_t root = XCB_NONE;
    uint8_t inputOpcode = 0;
    std::unique_ptr<QSocketNotifier> notifier;

    ~Connection()
    {
        if (x)
            xcb_disconnect(x);
    }

    // Asks for raw presses of the master pointers, and for the maps of the root's children.
    bool watch()
    {
        const xcb_query_extension_reply_t* input = xcb_get_extension_data(x, &xcb_input_id);
        if (!input || !input->present)
            return false;
        inputOpcode = input->major_opcode;
        // Raw events reach a root listener whatever grabs are active only for clients of 2.1 or later.
        xcb_input_xi_query_version_reply_t* version
            = xcb_input_xi_query_version_reply(x, xcb_input_xi_query_version(x, 2, 2), nullptr);
        const bool recent = version && (version->major_version > 2 || version->minor_version >= 1);
        std::free(version);
        if (!recent)
            return false;
        RawPressMask mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS};
        xcb_input_xi_select_events(x, root, 1, &mask.header);
        const uint32_t substructure = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &substructure);
        return xcb_flush(x) > 0;
    }
};

GlobalEventMonitor::GlobalEventMonitor(QObject* parent) : QObject(parent)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto connection = std::make_unique<Connection>();
    int screen = 0;
    connection->x = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(connection->x)) {
        qCWarning(lcPlatform) << "Cannot watch presses outside Tavro: no second connection to the X server";
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection->x));
    for (int i = 0; i < screen && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    connection->root = screens.data->root;
    if (!connection->watch()) {
        qCWarning(lcPlatform) << "Cannot watch presses outside Tavro: the X server has no XInput 2.1";
        return;
    }
    connection->notifier
        = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection->x), QSocketNotifier::Read);
    connect(connection->notifier.get(), &QSocketNotifier::activated, this, &GlobalEventMonitor::readEvents);
    m_connection = std::move(connection);
}

// Closing the connection ends its selections with it.
GlobalEventMonitor::~GlobalEventMonitor() = default;

bool GlobalEventMonitor::isActive() const
{
    return m_connection && m_connection->notifier->isEnabled();
}

void GlobalEventMonitor::readEvents()
{
    bool pressed = false;
    bool mapped = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection->x)) {
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_GE_GENERIC) {
            const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
            const auto* raw = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event);
            if (generic->extension == m_connection->inputOpcode && generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS)
                pressed = pressed || raw->detail == leftButton || raw->detail == rightButton;
        } else if (type == XCB_MAP_NOTIFY) {
            mapped = true;
        }
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection->x)) {
        qCWarning(lcPlatform) << "The X server closed the connection that watched presses outside Tavro";
        m_connection->notifier->setEnabled(false);
    }
    // A receiver may end this monitor.
    const QPointer<GlobalEventMonitor> alive(this);
    if (mapped)
        Q_EMIT windowMapped();
    if (pressed && alive)
        Q_EMIT mouseDown();
}

} // namespace tavro
