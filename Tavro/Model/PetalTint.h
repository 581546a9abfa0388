#pragma once

#include <QString>
#include <QtGlobal>

namespace tavro {

// One of the eight pastel tints a user can give a destination's petal. `hex` (the light value)
// is what a destination stores and is the tint's identity.
struct PetalTint
{
    QString name;
    quint32 hex = 0;
    quint32 darkHex = 0;

    quint32 id() const { return hex; }
    bool operator==(const PetalTint&) const = default;
};

} // namespace tavro
