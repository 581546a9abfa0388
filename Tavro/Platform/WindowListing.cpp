#include "Tavro/Platform/WindowListing.h"

#include "Tavro/Platform/XcbAtoms.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <array>

namespace tavro::WindowListing {

void keepOutOfWindowLists(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const std::vector<xcb_atom_t> names
        = XcbAtoms::intern(connection, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE"});
    // The window states of an unmapped window are its own to set: Qt adds its own states (above
    // others) to these when it maps the window, and the window manager reads them all then.
    const std::array<xcb_atom_t, 2> states{names[0], names[1]};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), names[2],
        XCB_ATOM_ATOM, 32, static_cast<uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

} // namespace tavro::WindowListing
