#pragma once
// The names an X11 display server knows atoms by, for the requests Tavro makes beside Qt's.

#include <QByteArrayView>

#include <xcb/xcb.h>

#include <initializer_list>
#include <vector>

namespace tavro::XcbAtoms {

// The atoms of `names`, in their order; XCB_ATOM_NONE for a name the server gave no answer for.
// A server keeps an atom for as long as it runs, so each name is asked of a connection's server
// once: later calls answer from memory, without a wait. The names not known yet go out before the
// first reply is awaited: one wait on the server, however many names.
std::vector<xcb_atom_t> intern(xcb_connection_t* connection, std::initializer_list<QByteArrayView> names);

} // namespace tavro::XcbAtoms
