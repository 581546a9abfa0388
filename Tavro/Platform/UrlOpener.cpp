#include "Tavro/Platform/UrlOpener.h"
#include "Tavro/Platform/BackendSlot.h"
#include "Tavro/Platform/Linux/UrlOpenerBackend.h"

namespace tavro {

namespace {
BackendSlot<UrlOpener::Backend, Linux::UrlOpenerBackend> backendSlot;
} // namespace

UrlOpener::Backend& UrlOpener::systemBackend()
{
    return backendSlot.system();
}

void UrlOpener::setBackend(Backend* backend)
{
    backendSlot.install(backend);
}

bool UrlOpener::isWebPage(const QUrl& url)
{
    return url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http");
}

void UrlOpener::open(const QUrl& url)
{
    backendSlot.current().open(url);
}

bool UrlOpener::opens(const QUrl& url)
{
    return backendSlot.current().opens(url);
}

} // namespace tavro
