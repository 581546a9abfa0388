#include "Tavro/Platform/XcbAtoms.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>

#include <cstdlib>
#include <utility>

namespace tavro::XcbAtoms {

std::vector<xcb_atom_t> intern(xcb_connection_t* connection, std::initializer_list<QByteArrayView> names)
{
    // The atoms each connection was given, by name. Qt's connection lasts as long as the application.
    static QMutex mutex;
    static QHash<std::pair<xcb_connection_t*, QByteArray>, xcb_atom_t> known;
    const QMutexLocker lock(&mutex);
    std::vector<xcb_atom_t> atoms(names.size(), XCB_ATOM_NONE);
    std::vector<std::pair<std::size_t, xcb_intern_atom_cookie_t>> asked;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QByteArrayView name = std::data(names)[i];
        const auto found = known.constFind({connection, name.toByteArray()});
        if (found != known.constEnd())
            atoms[i] = *found;
        else
            asked.emplace_back(i, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()));
    }
    for (const auto& [index, cookie] : asked) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        if (reply && reply->atom != XCB_ATOM_NONE) {
            atoms[index] = reply->atom;
            known.insert({connection, std::data(names)[index].toByteArray()}, reply->atom);
        }
        std::free(reply);
    }
    return atoms;
}

} // namespace tavro::XcbAtoms
