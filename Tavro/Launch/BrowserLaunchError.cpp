#include "Tavro/Launch/BrowserLaunchError.h"

#include <QCoreApplication>

namespace tavro {

QString BrowserLaunchError::description() const
{
    switch (m_kind) {
    case Kind::appNotFound:
        //: Error shown in an alert when a browser app can't be found. %1 is the browser name, e.g. Google Chrome.
        return QCoreApplication::translate("Tavro", "Couldn’t find %1. It may have been moved or uninstalled.")
            .arg(m_browser);
    case Kind::launchFailed:
        //: Error shown in an alert when a browser failed to launch. %1 is the browser name; %2 is the system's own
        //: error description.
        return QCoreApplication::translate("Tavro", "Couldn’t open the link in %1: %2").arg(m_browser, m_underlying);
    }
    return {};
}

} // namespace tavro
