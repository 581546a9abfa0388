#include "Tavro/Platform/DefaultBrowser.h"

#include "Tavro/Platform/UserDefaults.h"

#include <QDir>

namespace tavro::DefaultBrowser {

namespace {
// Schemes are case-insensitive; the table keys them in lower case.
QString keyFor(const QString& scheme)
{
    return QStringLiteral("LSHandlers/") + scheme.toLower();
}
} // namespace

QString storePath()
{
    return QDir::homePath() + QStringLiteral("/Library/Preferences/com.apple.LaunchServices.plist");
}

std::optional<QString> handlerForURLScheme(const QString& scheme)
{
    if (scheme.isEmpty())
        return std::nullopt;
    const QString handler = UserDefaults(storePath()).value(keyFor(scheme)).toString();
    if (handler.isEmpty())
        return std::nullopt;
    return handler;
}

std::optional<QString> applicationToOpen(const QUrl& url)
{
    return handlerForURLScheme(url.scheme());
}

int setDefaultHandlerForURLScheme(const QString& scheme, const QString& bundleIdentifier)
{
    if (scheme.isEmpty() || bundleIdentifier.isEmpty())
        return kParameterError;
    UserDefaults(storePath()).setValue(keyFor(scheme), bundleIdentifier);
    return kNoError;
}

} // namespace tavro::DefaultBrowser
