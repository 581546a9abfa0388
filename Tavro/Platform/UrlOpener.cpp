#include "Tavro/Platform/UrlOpener.h"
#include "Tavro/Platform/InstalledBackend.h"

#include "Tavro/Platform/PlatformLog.h"

#include <QDesktopServices>

namespace tavro {

namespace {

class SystemBackend final : public UrlOpener::Backend
{
public:
    void open(const QUrl& url) override
    {
        if (!UrlOpener::isWebPage(url))
            qCInfo(lcPlatform).noquote() << "No application here opens" << url.toString();
        else if (!QDesktopServices::openUrl(url))
            qCWarning(lcPlatform).noquote() << "The desktop's handler did not open" << url.toString();
    }
    bool opens(const QUrl& url) override { return UrlOpener::isWebPage(url); }
};

InstalledBackend<UrlOpener::Backend> installedBackend;

} // namespace

UrlOpener::Backend& UrlOpener::systemBackend()
{
    static SystemBackend system;
    return system;
}

void UrlOpener::setBackend(Backend* backend)
{
    installedBackend.set(backend);
}

bool UrlOpener::isWebPage(const QUrl& url)
{
    return url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http");
}

void UrlOpener::open(const QUrl& url)
{
    installedBackend.orElse(systemBackend()).open(url);
}

bool UrlOpener::opens(const QUrl& url)
{
    return installedBackend.orElse(systemBackend()).opens(url);
}

} // namespace tavro
