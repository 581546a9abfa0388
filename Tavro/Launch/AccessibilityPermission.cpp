#include "Tavro/Launch/AccessibilityPermission.h"
#include "Tavro/Platform/Accessibility.h"

namespace tavro::AccessibilityPermission {

bool registerInList()
{
    if (Accessibility::isProcessTrustedWithOptions(false))
        return true;
    // The value does not matter; the attempt is what enters the application in the list.
    (void)Accessibility::copyAttributeValue(
        Accessibility::createSystemWide(), Accessibility::focusedUIElementAttribute);
    return false;
}

} // namespace tavro::AccessibilityPermission
