#include "Tavro/Shell/DefaultBrowserService.h"

#include "Tavro/Platform/AppInfo.h"
#include "Tavro/Platform/DefaultBrowser.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
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

void attempt(int remaining, std::chrono::milliseconds interval, std::function<void(bool)> completion)
{
    QThreadPool::globalInstance()->start([=] {
        const bool answer = isDefault();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [=] {
                if (answer || remaining < 1) {
                    completion(answer);
                    return;
                }
                QTimer::singleShot(
                    interval, QCoreApplication::instance(), [=] { attempt(remaining - 1, interval, completion); });
            },
            Qt::QueuedConnection);
    });
}
} // namespace

bool isDefault()
{
    const std::optional<QString> handler = DefaultBrowser::applicationToOpen(QUrl(QString::fromLatin1(kProbeUrl)));
    if (!handler || handler->isEmpty())
        return false;
    return handler->compare(ownBundleIdentifier(), Qt::CaseInsensitive) == 0;
}

bool makeDefault()
{
    const QString identifier = AppInfo::bundleIdentifier();
    if (identifier.isEmpty())
        return false;
    // Setting https is enough: the system keeps http with it.
    return DefaultBrowser::setDefaultHandlerForURLScheme(QStringLiteral("https"), identifier)
        == DefaultBrowser::kNoError;
}

void waitUntilDefault(int maxAttempts, std::chrono::milliseconds interval, std::function<void(bool)> completion)
{
    attempt(maxAttempts, interval, std::move(completion));
}

} // namespace tavro::DefaultBrowserService
