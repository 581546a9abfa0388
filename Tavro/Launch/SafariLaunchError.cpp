#include "Tavro/Launch/SafariLaunchError.h"

#include <QCoreApplication>

namespace tavro {

QString SafariLaunchError::description() const
{
    switch (m_kind) {
    case Kind::profileWindowNotFound:
        //: Error shown when Safari's File menu has no item for a profile. %1 is the Safari profile name. “New %1
        //: Window” quotes Safari's own English menu item title, which Tavro matches literally.
        return QCoreApplication::translate(
            "Tavro", "Safari has no “New %1 Window” menu item. The profile may have been renamed.")
            .arg(m_profile);
    case Kind::accessibilityDenied:
        //: Error text about the missing Accessibility permission. Use Apple's localized name for the Accessibility
        //: privacy setting.
        return QCoreApplication::translate(
            "Tavro", "Tavro needs Accessibility permission to open links in a specific Safari profile.");
    }
    return {};
}

} // namespace tavro
