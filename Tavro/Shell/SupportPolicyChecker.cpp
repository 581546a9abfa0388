#include "Tavro/Shell/SupportPolicyChecker.h"

#include "Tavro/Shell/AppVersion.h"
#include "Tavro/Shell/ShellLog.h"
#include "Tavro/Shell/SupportPolicy.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

#include <QCoro/QCoroNetworkReply>

#include <memory>
#include <optional>

namespace tavro {

QString SupportPolicyChecker::description(FetchError error)
{
    switch (error) {
    case FetchError::transport:
        return QStringLiteral("the server could not be reached or broke off");
    case FetchError::badServerResponse:
        return QStringLiteral("the server answered with something other than the file");
    case FetchError::tooLarge:
        return QStringLiteral("the answer is longer than a policy file can be");
    }
    return {};
}

SupportPolicyChecker::SupportPolicyChecker(const QString& currentVersion, Fetch fetch, Timing timing, QObject* parent)
    : QObject(parent), m_currentVersion(currentVersion), m_fetch(std::move(fetch)), m_timing(timing)
{
    connect(&m_timer, &QTimer::timeout, this, &SupportPolicyChecker::checkDetached);
}

SupportPolicyChecker::SupportPolicyChecker(QObject* parent)
    : SupportPolicyChecker(AppVersion::current(), &SupportPolicyChecker::liveFetch, Timing{}, parent)
{ }

void SupportPolicyChecker::start()
{
    m_timer.stop();
    // The context object drops the shot if the checker is gone by then.
    QTimer::singleShot(m_timing.firstCheck, this, &SupportPolicyChecker::checkDetached);
    m_timer.start(m_timing.interval);
}

void SupportPolicyChecker::checkDetached()
{
    check();
}

QCoro::Task<> SupportPolicyChecker::check()
{
    if (m_hasPromptedThisRun)
        co_return;
    QPointer<SupportPolicyChecker> self(this);
    const FetchResult data = co_await m_fetch(SupportPolicy::url());
    if (!self)
        co_return;
    if (!data) {
        qCInfo(lcShell) << "Support policy not fetched:" << description(data.error());
        co_return;
    }
    const std::optional<SupportPolicy> policy = SupportPolicy::decode(data->bytes);
    if (!policy) {
        qCInfo(lcShell) << "Support policy unreadable";
        co_return;
    }
    // A check that finished while another waited for the network may have asked already.
    if (m_hasPromptedThisRun)
        co_return;
    if (AppVersion::compare(m_currentVersion, policy->minimumVersion) == std::strong_ordering::less) {
        m_hasPromptedThisRun = true;
        Q_EMIT updateRequired(policy->minimumVersion);
    }
}

QCoro::Task<SupportPolicyChecker::FetchResult> SupportPolicyChecker::liveFetch(const QUrl& url)
{
    // The reply may finish from inside its own readyRead (the abort below), so the coroutine can
    // end while Qt is still in the reply's code: both objects go with deleteLater, never at once.
    struct DeleteLater
    {
        void operator()(QObject* object) const { object->deleteLater(); }
    };
    // A manager of its own per fetch: nothing kept from one check to the next.
    std::unique_ptr<QNetworkAccessManager, DeleteLater> manager(new QNetworkAccessManager);
    manager->setTransferTimeout(static_cast<int>(Timing::kTransferTimeout.count()));

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Tavro"));
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    std::unique_ptr<QNetworkReply, DeleteLater> reply(manager->get(request));
    // Qt reads from the socket only as far as this buffer has room, so a server that keeps
    // sending costs no more memory than one byte past the limit.
    reply->setReadBufferSize(SupportPolicy::kMaxBytes + 1);
    auto body = std::make_shared<QByteArray>();
    auto tooLarge = std::make_shared<bool>(false);
    QNetworkReply* raw = reply.get();
    QObject::connect(raw, &QNetworkReply::readyRead, raw, [raw, body, tooLarge] {
        if (*tooLarge)
            return;
        body->append(raw->readAll());
        if (body->size() > SupportPolicy::kMaxBytes) {
            *tooLarge = true;
            body->clear();
            raw->abort();
        }
    });

    co_await raw;
    if (*tooLarge)
        co_return std::unexpected(FetchError::tooLarge);
    body->append(reply->readAll());
    if (body->size() > SupportPolicy::kMaxBytes)
        co_return std::unexpected(FetchError::tooLarge);
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() != 200)
        co_return std::unexpected(FetchError::badServerResponse);
    if (reply->error() != QNetworkReply::NoError || !status.isValid())
        co_return std::unexpected(FetchError::transport);
    co_return Body{std::move(*body)};
}

} // namespace tavro
