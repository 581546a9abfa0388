#include "Tavro/Launch/PrivateWindowError.h"

#include <QCoreApplication>

namespace tavro {

QString PrivateWindowError::description() const
{
    switch (m_kind) {
    case Kind::accessibilityDenied:
        //: Error text when Accessibility permission is missing for opening a private browser window. %1 is the browser
        //: name, e.g. Safari. Use Apple's localized name for the Accessibility privacy setting.
        return QCoreApplication::translate(
            "Tavro", "Tavro needs Accessibility permission to open private windows in %1.")
            .arg(m_browser);
    case Kind::menuItemNotFound:
        //: Error shown when Tavro couldn't open a link in a private browser window. %1 is the browser name, e.g.
        //: Safari.
        return QCoreApplication::translate("Tavro",
            "%1 couldn’t open the link in a private window. If its private browsing is locked, unlock it and try "
            "again. The link wasn’t opened, so it stays private.")
            .arg(m_browser);
    case Kind::unsupported:
        //: Error shown when a browser has no private-window support in Tavro. %1 is the browser name, e.g. ChatGPT
        //: Atlas.
        return QCoreApplication::translate(
            "Tavro", "%1 can’t open private windows from Tavro. The link wasn’t opened, so it stays private.")
            .arg(m_browser);
    case Kind::locked:
        //: Error shown when Safari's private browsing is locked behind a password. %1 is the browser name, e.g. Safari.
        return QCoreApplication::translate("Tavro",
            "Private browsing in %1 is locked. Unlock it, then open the link again. The link wasn’t opened, so it "
            "stays private.")
            .arg(m_browser);
    }
    return {};
}

} // namespace tavro
