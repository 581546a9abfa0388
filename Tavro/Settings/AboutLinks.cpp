#include "Tavro/Settings/AboutLinks.h"

#include <QCoreApplication>
#include <QUrlQuery>

namespace tavro {

const QList<AboutLinks::Link>& AboutLinks::all()
{
    static const QList<Link> links{
        {QStringLiteral("/"), QStringLiteral("globe")},
        {QStringLiteral("/release-notes"), QStringLiteral("doc.text")},
        {QStringLiteral("/help"), QStringLiteral("book")},
        {QStringLiteral("/support"), QStringLiteral("questionmark.circle")},
        {QStringLiteral("/privacy"), QStringLiteral("hand.raised")},
        {QStringLiteral("/terms"), QStringLiteral("doc.plaintext")},
    };
    return links;
}

void AboutLinks::appendQueryItem(QUrlQuery& query, const QString& key, const QString& value)
{
    const auto escaped = [](QString text) {
        return text.replace(QLatin1Char('%'), QStringLiteral("%25")).replace(QLatin1Char('+'), QStringLiteral("%2B"));
    };
    query.addQueryItem(escaped(key), escaped(value));
}

std::optional<QUrl> AboutLinks::tagged(const QString& address, const QString& campaign, const QString& content)
{
    // Strict: the tolerant parser would quietly repair a space or a broken escape into some other page.
    QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    QUrlQuery query(url);
    appendQueryItem(query, QStringLiteral("utm_source"), QStringLiteral("tavro"));
    appendQueryItem(query, QStringLiteral("utm_medium"), QStringLiteral("referral"));
    appendQueryItem(query, QStringLiteral("utm_campaign"), campaign);
    appendQueryItem(query, QStringLiteral("utm_content"), content);
    url.setQuery(query);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

std::optional<QUrl> AboutLinks::url(const QString& path, const QString& content)
{
    return tagged(QString::fromLatin1(siteRoot) + path, QStringLiteral("about"), content);
}

QString AboutLinks::title(const QString& path)
{
    if (path == QLatin1String("/"))
        //: Link in the About settings pane to Tavro's website.
        return QCoreApplication::translate("Tavro", "Website");
    if (path == QLatin1String("/release-notes"))
        //: Link in the About settings pane to Tavro's release notes page.
        return QCoreApplication::translate("Tavro", "Release Notes");
    if (path == QLatin1String("/help"))
        //: Link in the About settings pane to Tavro's help page.
        return QCoreApplication::translate("Tavro", "Help", "website page");
    if (path == QLatin1String("/support"))
        //: Link in the About settings pane to Tavro's support/contact page.
        return QCoreApplication::translate("Tavro", "Contact Support");
    if (path == QLatin1String("/privacy"))
        //: Link in the About settings pane to Tavro's privacy policy page.
        return QCoreApplication::translate("Tavro", "Privacy Policy");
    if (path == QLatin1String("/terms"))
        //: Link in the About settings pane to Tavro's terms of use page.
        return QCoreApplication::translate("Tavro", "Terms of Use");
    return path;
}

QString AboutLinks::host()
{
    return QUrl(QString::fromLatin1(siteRoot)).host();
}

} // namespace tavro
