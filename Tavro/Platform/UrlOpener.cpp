#include "Tavro/Platform/UrlOpener.h"

#include <QLoggingCategory>

namespace tavro {

namespace {
Q_LOGGING_CATEGORY(lcUrlOpener, "tavro.platform.urlopener")

QList<QUrl>& opened()
{
    static QList<QUrl> list;
    return list;
}
} // namespace

bool UrlOpener::open(const QUrl& url)
{
    opened().append(url);
    qCInfo(lcUrlOpener).noquote() << "No application here opens" << url.toString();
    return false;
}

QList<QUrl> UrlOpenerHost::openedUrls()
{
    return opened();
}

void UrlOpenerHost::clear()
{
    opened().clear();
}

} // namespace tavro
