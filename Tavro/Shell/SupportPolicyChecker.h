#pragma once
// The daily check of the support policy: asks, once per run, for an update when the running
// version is older than the oldest supported one. Every failure is silent; the next check tries
// again.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <QCoro/QCoroTask>

#include <chrono>
#include <expected>
#include <functional>

namespace tavro {

class SupportPolicyChecker : public QObject
{
    Q_OBJECT
public:
    enum class FetchError {
        transport,         // no answer, a broken connection or the time-out
        badServerResponse, // an answer other than 200
        tooLarge,          // a body longer than a policy file can be
    };
    static QString description(FetchError error);

    // The body of a successful fetch. Awaiting a task of std::expected<QByteArray, …> trips
    // g++ 12 over QByteArray's comparison templates, so the bytes come wrapped.
    struct Body
    {
        QByteArray bytes;
        bool operator==(const Body&) const = default;
    };
    using FetchResult = std::expected<Body, FetchError>;
    using Fetch = std::function<QCoro::Task<FetchResult>(const QUrl&)>;

    struct Timing
    {
        // The first check, once the launch has settled.
        std::chrono::milliseconds firstCheck = std::chrono::seconds(20);
        // The daily checks, counted from start(), not from the first check.
        std::chrono::milliseconds interval = std::chrono::seconds(86400);
        // liveFetch's request time-out: a transfer that brings no data for this long fails.
        static constexpr std::chrono::milliseconds kTransferTimeout = std::chrono::seconds(15);
    };

    SupportPolicyChecker(const QString& currentVersion, Fetch fetch, Timing timing, QObject* parent = nullptr);
    // The running version, fetched with liveFetch on the daily schedule.
    explicit SupportPolicyChecker(QObject* parent = nullptr);

    // Schedules the first check and the daily ones; a second call replaces the schedule.
    void start();
    // One check: fetch, decode, compare.
    QCoro::Task<> check();
    bool hasPromptedThisRun() const { return m_hasPromptedThisRun; }
    // Whether a check is due later: between start() and the end of the run.
    bool isScheduled() const { return m_timer.isActive(); }

    // One uncached GET with no cookies, "User-Agent: Tavro" and a 15 s limit. Only a 200 answer
    // succeeds, and a body is read no further than SupportPolicy::kMaxBytes.
    [[nodiscard]] static QCoro::Task<FetchResult> liveFetch(const QUrl& url);

Q_SIGNALS:
    // The running version is older than `minimum`; emitted at most once per run.
    void updateRequired(const QString& minimum);

private:
    void checkDetached();

    QString m_currentVersion;
    Fetch m_fetch;
    Timing m_timing;
    QTimer m_timer;
    bool m_hasPromptedThisRun = false;
};

} // namespace tavro
