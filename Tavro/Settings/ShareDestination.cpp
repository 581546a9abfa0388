#include "Tavro/Settings/ShareDestination.h"

#include "Tavro/Settings/AboutLinks.h"

#include <QUrlQuery>

namespace tavro {

QString displayName(ShareDestination destination)
{
    switch (destination) {
    case ShareDestination::x:
        return QStringLiteral("X");
    case ShareDestination::bluesky:
        return QStringLiteral("Bluesky");
    case ShareDestination::threads:
        return QStringLiteral("Threads");
    case ShareDestination::mastodon:
        return QStringLiteral("Mastodon");
    case ShareDestination::reddit:
        return QStringLiteral("Reddit");
    case ShareDestination::linkedin:
        return QStringLiteral("LinkedIn");
    case ShareDestination::facebook:
        return QStringLiteral("Facebook");
    case ShareDestination::whatsapp:
        return QStringLiteral("WhatsApp");
    }
    return {};
}

QString iconName(ShareDestination destination)
{
    return QStringLiteral("social-") + rawValue(destination);
}

QChar shortCode(ShareDestination destination)
{
    return rawValue(destination).at(0);
}

std::optional<QUrl> shareLink(QChar code)
{
    const QUrl link(
        QString::fromLatin1(AboutLinks::siteRoot) + QStringLiteral("/s/") + code + QLatin1Char('s'), QUrl::StrictMode);
    if (!link.isValid())
        return std::nullopt;
    return link;
}

std::optional<QUrl> composerURL(ShareDestination destination, const QString& message, const QString& title)
{
    const auto link = shareLink(shortCode(destination));
    if (!link)
        return std::nullopt;
    const QString address = link->toString(QUrl::FullyEncoded);
    const QString joined = message + QLatin1Char(' ') + address;

    QString page;
    QList<std::pair<QString, QString>> items;
    switch (destination) {
    case ShareDestination::x:
        page = QStringLiteral("https://x.com/intent/post");
        items = {{QStringLiteral("text"), message}, {QStringLiteral("url"), address}};
        break;
    case ShareDestination::bluesky:
        page = QStringLiteral("https://bsky.app/intent/compose");
        items = {{QStringLiteral("text"), joined}};
        break;
    case ShareDestination::threads:
        page = QStringLiteral("https://www.threads.net/intent/post");
        items = {{QStringLiteral("text"), joined}};
        break;
    case ShareDestination::mastodon:
        page = QStringLiteral("https://mastodon.social/share");
        items = {{QStringLiteral("text"), joined}};
        break;
    case ShareDestination::reddit:
        page = QStringLiteral("https://www.reddit.com/submit");
        items = {{QStringLiteral("url"), address}, {QStringLiteral("title"), title}};
        break;
    case ShareDestination::linkedin:
        page = QStringLiteral("https://www.linkedin.com/sharing/share-offsite/");
        items = {{QStringLiteral("url"), address}};
        break;
    case ShareDestination::facebook:
        page = QStringLiteral("https://www.facebook.com/sharer/sharer.php");
        items = {{QStringLiteral("u"), address}};
        break;
    case ShareDestination::whatsapp:
        page = QStringLiteral("https://wa.me/");
        items = {{QStringLiteral("text"), joined}};
        break;
    }

    QUrl url(page, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    QUrlQuery query;
    for (const auto& [key, value] : items)
        AboutLinks::appendQueryItem(query, key, value);
    url.setQuery(query);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

} // namespace tavro
