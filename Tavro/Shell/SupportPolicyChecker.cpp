#include "Tavro/Shell/SupportPolicyChecker.h"

#include "Tavro/Shell/AppVersion.h"
#include "Tavro/Shell/ShellLog.h"
#include "Tavro/Shell/SupportPolicy.h"

#include <QPointer>

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
    : SupportPolicyChecker(
        AppVersion::current(),
        [](const QUrl& url) { return SupportPolicyFetch::run(url, SupportPolicyFetch::program()); }, Timing{}, parent)
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

} // namespace tavro
