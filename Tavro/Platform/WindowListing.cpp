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
// Every request goes out before the first reply is awaited: one wait on the display server, not one
// for each name.
template <std::size_t N>
std::array<xcb_atom_t, N> atoms(xcb_connection_t* connection, const std::array<QByteArray, N>& names)
{
    std::array<xcb_intern_atom_cookie_t, N> cookies{};
    for (std::size_t i = 0; i < N; ++i)
        cookies[i] = xcb_intern_atom(connection, 0, static_cast<uint16_t>(names[i].size()), names[i].constData());
    std::array<xcb_atom_t, N> result{};
    for (std::size_t i = 0; i < N; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
        result[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
    }
    return result;
}
} // namespace

void keepOutOfWindowLists(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto [skipTaskbar, skipPager, windowState] = atoms<3>(connection,
        {QByteArrayLiteral("_NET_WM_STATE_SKIP_TASKBAR"), QByteArrayLiteral("_NET_WM_STATE_SKIP_PAGER"),
            QByteArrayLiteral("_NET_WM_STATE")});
    // The window states of an unmapped window are its own to set: Qt adds its own states (above
    // others) to these when it maps the window, and the window manager reads them all then.
    const std::array<xcb_atom_t, 2> states{skipTaskbar, skipPager};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), windowState,
        XCB_ATOM_ATOM, 32, static_cast<uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

} // namespace tavro::WindowListing
