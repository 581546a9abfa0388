#include "Tavro/Shell/DefaultBrowserService.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/DefaultBrowser.h"
#include "Tavro/Platform/SerialQueue.h"

#include <QCoro/QCoroFuture>
#include <QCoro/QCoroTimer>
#include <QUrl>

namespace tavro::DefaultBrowserService {

namespace {
// Any host serves: the default web browser opens every https link.
const char* const kProbeUrl = "https://example.com";

QString ownBundleIdentifier()
{
    const QString identifier = AppInfo::bundleIdentifier();
    return identifier.isEmpty() ? QString::fromLatin1(kFallbackBundleIdentifier) : identifier;
}

SerialQueue& queryQueue()
{
    // Lives for the whole process: stopping it from a static destructor would wait for an event
    // loop that no longer runs.
    static SerialQueue* const queue = new SerialQueue(QStringLiteral("tavro.default-browser"));
    return *queue;
}
} // namespace

bool isDefault()
{
    const std::optional<QString> handler = DefaultBrowser::applicationToOpen(QUrl(QString::fromLatin1(kProbeUrl)));
    if (!handler || handler->isEmpty())
        return false;
    return handler->compare(ownBundleIdentifier(), Qt::CaseInsensitive) == 0;
}

std::expected<void, DefaultBrowserError> makeDefault()
{
    // Setting https is enough: the system keeps http with it.
    return DefaultBrowser::setDefaultHandlerForURLScheme(QStringLiteral("https"), AppInfo::bundleIdentifier());
}

QCoro::Task<bool> waitUntilDefault(int maxAttempts, std::chrono::milliseconds interval)
{
    bool answer = co_await queryQueue().run(&isDefault);
    for (int remaining = maxAttempts; !answer && remaining > 0; --remaining) {
        co_await QCoro::sleepFor(interval);
        answer = co_await queryQueue().run(&isDefault);
    }
    co_return answer;
}

} // namespace tavro::DefaultBrowserService
