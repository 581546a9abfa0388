#include "Tavro/Platform/UrlOpener.h"

#include <QLoggingCategory>

#include <atomic>

namespace tavro {

namespace {

Q_LOGGING_CATEGORY(lcUrlOpener, "tavro.platform.urlopener")

class SystemBackend final : public UrlOpener::Backend
{
public:
    bool open(const QUrl& url) override
    {
        qCInfo(lcUrlOpener).noquote() << "No application here opens" << url.toString();
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
