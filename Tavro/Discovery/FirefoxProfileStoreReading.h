#pragma once

#include "Tavro/Discovery/ProfileDataError.h"

#include <QList>
#include <QString>

#include <expected>

namespace tavro {

// One row of a Firefox profile-group database.
struct FirefoxStoreProfile
{
    QString path; // absolute, or relative to the Firefox data folder
    QString name;

    bool operator==(const FirefoxStoreProfile&) const = default;
};

// Reads the profiles of one profile-group database ("Profile Groups/<id>.sqlite").
class FirefoxProfileStoreReading
{
public:
    virtual ~FirefoxProfileStoreReading() = default;
    // The rows in the store's own order. A store that does not exist has no rows; one that exists
    // but cannot be copied or queried is an error.
    [[nodiscard]] virtual std::expected<QList<FirefoxStoreProfile>, ProfileDataError> profiles(
        const QString& storePath) const = 0;
};

} // namespace tavro
