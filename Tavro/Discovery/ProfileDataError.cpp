#include "Tavro/Discovery/ProfileDataError.h"

namespace tavro {

QString description(ProfileDataError error)
{
    switch (error) {
    case ProfileDataError::unreadable:
        return QStringLiteral("the file exists but could not be read");
    case ProfileDataError::malformed:
        return QStringLiteral("the file is not in the format the browser writes");
    }
    return {};
}

} // namespace tavro
