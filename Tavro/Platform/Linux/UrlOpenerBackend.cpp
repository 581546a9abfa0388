#include "Tavro/Platform/Linux/UrlOpenerBackend.h"

#include "Tavro/Platform/PlatformLog.h"

#include <QDesktopServices>

namespace tavro::Linux {

void UrlOpenerBackend::open(const QUrl& url)
{
    if (!UrlOpener::isWebPage(url))
        qCInfo(lcPlatform).noquote() << "No application here opens" << url.toString();
    else if (!QDesktopServices::openUrl(url))
        qCWarning(lcPlatform).noquote() << "The desktop's handler did not open" << url.toString();
}

} // namespace tavro::Linux
