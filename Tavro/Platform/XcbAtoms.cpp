#include "Tavro/Platform/XcbAtoms.h"

#include <cstdlib>

namespace tavro::XcbAtoms {

std::vector<xcb_atom_t> intern(xcb_connection_t* connection, std::initializer_list<QByteArrayView> names)
{
    std::vector<xcb_intern_atom_cookie_t> cookies;
    cookies.reserve(names.size());
    for (const QByteArrayView name : names)
        cookies.push_back(xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()));
    std::vector<xcb_atom_t> atoms;
    atoms.reserve(cookies.size());
    for (const xcb_intern_atom_cookie_t cookie : cookies) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        atoms.push_back(reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE));
        std::free(reply);
    }
    return atoms;
}

} // namespace tavro::XcbAtoms
