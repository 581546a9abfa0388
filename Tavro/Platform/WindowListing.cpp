#include "Tavro/Platform/WindowListing.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>

namespace tavro::WindowListing {

namespace {
xcb_atom_t atom(xcb_connection_t* connection, const QByteArray& name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.constData());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}
} // namespace

void keepOutOfWindowLists(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    // The window states of an unmapped window are its own to set: Qt adds its own states (above
    // others) to these when it maps the window, and the window manager reads them all then.
    const std::array<xcb_atom_t, 2> states{
        atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"), atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
        atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, static_cast<uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

} // namespace tavro::WindowListing
