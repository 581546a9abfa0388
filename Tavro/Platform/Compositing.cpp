#include "Tavro/Platform/Compositing.h"

#include "Tavro/Platform/XcbAtoms.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>

namespace tavro::Compositing {

bool isActive()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return true;
    xcb_connection_t* connection = x11->connection();
    // The screen is the number after the display's dot (":0.1"); Tavro's windows use screen 0 otherwise.
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    const int screen = dot > display.lastIndexOf(':') ? display.mid(dot + 1).toInt() : 0;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    const xcb_atom_t manager = XcbAtoms::intern(connection, {name}).front();
    if (manager == XCB_ATOM_NONE)
        return true;
    const xcb_get_selection_owner_cookie_t ownerCookie = xcb_get_selection_owner(connection, manager);
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(connection, ownerCookie, nullptr);
    if (!owner)
        return true;
    const bool composited = owner->owner != XCB_NONE;
    std::free(owner);
    return composited;
}

} // namespace tavro::Compositing
