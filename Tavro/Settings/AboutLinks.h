#pragma once
// The product website: the pages the About pane lists, and every outbound link to the site, tagged
// with where in Tavro it was clicked.

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

class QUrlQuery;

namespace tavro::AboutLinks {

// The site's root on https, no path and no trailing slash. Help names its host; About, Privacy and
// the share links build on it.
inline constexpr auto siteRoot = "https://tavro.app";

struct Link
{
    QString path; // begins with "/"
    QString icon; // a symbol name
    bool operator==(const Link&) const = default;
};

// The six pages About lists, in its order.
const QList<Link>& all();

// The site root followed by `path`, its own query items first, then the four referral items with
// the campaign "about" and `content`; a fragment in `path` stays last. None when the text does not
// parse as a URL (a space, a broken escape).
std::optional<QUrl> url(const QString& path, const QString& content);

// `address` with the referral items appended after its own: utm_source, utm_medium, `campaign` and
// `content`. Items already named like them are kept, not replaced. None when `address` does not
// parse.
std::optional<QUrl> tagged(const QString& address, const QString& campaign, const QString& content);

// Appends key=value so that any URL parser reads `value` back as given: QUrlQuery leaves "+" (read
// as a blank) and takes "%25" for an escape already made.
void appendQueryItem(QUrlQuery& query, const QString& key, const QString& value);

// The localised title of one of the six pages; any other path comes back as it is.
QString title(const QString& path);

// The site's host name, as Help's intro names it.
QString host();

} // namespace tavro::AboutLinks
