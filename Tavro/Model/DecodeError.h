#pragma once

#include <QString>

namespace tavro {

// Why a stored JSON value could not be decoded, with the path of keys that led to it
// ("destinations.2.launchStrategy").
struct DecodeError
{
    enum class Kind { typeMismatch, keyNotFound, valueNotFound, dataCorrupted };

    Kind kind = Kind::dataCorrupted;
    QString codingPath;
    QString debugDescription;

    QString description() const;
    bool operator==(const DecodeError&) const = default;
};

} // namespace tavro
