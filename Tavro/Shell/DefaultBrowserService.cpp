#include "Tavro/Shell/DefaultBrowserService.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/DefaultBrowser.h"
#include "Tavro/Platform/SerialQueue.h"

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QCoro/QCoroTimer>
#include <QUrl>

#include <atomic>

namespace tavro::DefaultBrowserService {

namespace {
// Any host serves: the default web browser opens every https link.
const char* const kProbeUrl = "https://example.com";

QString ownBundleIdentifier()
{
    const QString identifier = AppInfo::bundleIdentifier();
    return identifier.isEmpty() ? QString::fromLatin1(kFallbackBundleIdentifier) : identifier;
}

// The number of the latest read, across threads.
std::atomic<quint64> readsStarted = 0;
} // namespace

SerialQueue& queryQueue()
{
    // Lives for the whole process: stopping it from a static destructor would wait for an event
    // loop that no longer runs.
    static SerialQueue* const queue = new SerialQueue(QStringLiteral("tavro.default-browser"));
    return *queue;
}

bool isDefault()
{
    const std::optional<QString> handler = DefaultBrowser::applicationToOpen(QUrl(QString::fromLatin1(kProbeUrl)));
    if (!handler || handler->isEmpty())
        return false;
    return handler->compare(ownBundleIdentifier(), Qt::CaseInsensitive) == 0;
}

Answer answer()
{
    const quint64 read = ++readsStarted;
    return {isDefault(), read};
}

std::expected<void, DefaultBrowserError> makeDefault()
{
    // Setting https is enough: the system keeps http with it.
    return DefaultBrowser::setDefaultHandlerForURLScheme(QStringLiteral("https"), AppInfo::bundleIdentifier());
}

QString failureText(DefaultBrowserError error)
{
    //: Shown under the Set Tavro as Default Browser button when the request failed. %1 is the reason, in
    //: English, e.g. the MIME-applications file exists but could not be read.
    return QCoreApplication::translate("Tavro", "Tavro couldn’t become your default browser: %1.")
        .arg(description(error));
}

QCoro::Task<Answer> waitUntilDefault(int maxAttempts, std::chrono::milliseconds interval)
{
    Answer last = co_await queryQueue().run(&answer);
    for (int remaining = maxAttempts; !last.isDefault && remaining > 0; --remaining) {
        co_await QCoro::sleepFor(interval);
        last = co_await queryQueue().run(&answer);
    }
    co_return last;
}

} // namespace tavro::DefaultBrowserService
