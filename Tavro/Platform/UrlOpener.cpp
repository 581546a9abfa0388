#include "Tavro/Platform/UrlOpener.h"

#include "Tavro/Platform/PlatformLog.h"

#include <atomic>

namespace tavro {

namespace {

class SystemBackend final : public UrlOpener::Backend
{
public:
    bool open(const QUrl& url) override
    {
        qCInfo(lcPlatform).noquote() << "No application here opens" << url.toString();
        return false;
    }
};

std::atomic<UrlOpener::Backend*> installedBackend = nullptr;

} // namespace

UrlOpener::Backend& UrlOpener::systemBackend()
{
    static SystemBackend system;
    return system;
}

void UrlOpener::setBackend(Backend* backend)
{
    installedBackend.store(backend);
}

bool UrlOpener::open(const QUrl& url)
{
    Backend* installed = installedBackend.load();
    return (installed ? *installed : systemBackend()).open(url);
}

} // namespace tavro
