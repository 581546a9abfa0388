// `tavro-fetch URL`: the support policy's daily fetch, in a program of its own (see
// SupportPolicyFetch.h). One uncached GET with no cookies, "User-Agent: Tavro" and a 15 s limit:
// the body of a 200 answer goes to standard output, read no further than the policy's limit, and
// the exit status is 0, or the SupportPolicyFetch::Error that ended the fetch.

#include "Tavro/Shell/SupportPolicyFetch.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <QCoro/QCoroNetworkReply>

#include <cstdio>
#include <memory>

namespace {

namespace Fetch = tavro::SupportPolicyFetch;
using FetchError = Fetch::Error;

QCoro::Task<int> fetch(QUrl url)
{
    // The abort below may come from inside the reply's own readyRead: both go with deleteLater.
    std::unique_ptr<QNetworkAccessManager, Fetch::DeleteLater> manager(new QNetworkAccessManager);
    manager->setTransferTimeout(static_cast<int>(Fetch::kTransferTimeout.count()));

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Tavro"));
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    std::unique_ptr<QNetworkReply, Fetch::DeleteLater> reply(manager->get(request));
    // Qt reads from the socket only as far as this buffer has room, so a server that keeps
    // sending costs no more memory than one byte past the limit.
    reply->setReadBufferSize(Fetch::kMaxBytes + 1);
    auto body = std::make_shared<Fetch::CappedBody>();
    QNetworkReply* raw = reply.get();
    QObject::connect(raw, &QNetworkReply::readyRead, raw, [raw, body] {
        if (!body->tooLarge && !body->take(raw->readAll()))
            raw->abort();
    });

    co_await raw;
    if (!body->take(reply->readAll()))
        co_return int(FetchError::tooLarge);
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() != 200)
        co_return int(FetchError::badServerResponse);
    if (reply->error() != QNetworkReply::NoError || !status.isValid())
        co_return int(FetchError::transport);
    const QByteArray& bytes = body->bytes;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size())
        || std::fflush(stdout) != 0)
        co_return int(FetchError::transport);
    co_return 0;
}

QCoro::Task<> fetchThenQuit(QUrl url)
{
    const int status = co_await fetch(url);
    QCoreApplication::exit(status);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QUrl url = arguments.size() == 2 ? QUrl(arguments.at(1), QUrl::StrictMode) : QUrl();
    if (!url.isValid() || url.isRelative()) {
        std::fputs("usage: tavro-fetch URL\n", stderr);
        return int(FetchError::transport);
    }
    // Started from the event loop, so that the exit at the end of the fetch reaches it.
    QTimer::singleShot(0, &app, [url] { fetchThenQuit(url); });
    return QCoreApplication::exec();
}
