#pragma once
// The daily check of the support policy: asks, once per run, for an update when the running
// version is older than the oldest supported one. Every failure is silent; the next check tries
// again.

#include "Tavro/Shell/SupportPolicyFetch.h"

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
    using FetchError = SupportPolicyFetch::Error;
    static QString description(FetchError error);
    using Body = SupportPolicyFetch::Body;
    using FetchResult = SupportPolicyFetch::Result;
    using Fetch = std::function<QCoro::Task<FetchResult>(const QUrl&)>;

    struct Timing
    {
        // The first check, once the launch has settled.
        std::chrono::milliseconds firstCheck = std::chrono::seconds(20);
        // The daily checks, counted from start(), not from the first check.
        std::chrono::milliseconds interval = std::chrono::seconds(86400);
    };

    SupportPolicyChecker(const QString& currentVersion, Fetch fetch, Timing timing, QObject* parent = nullptr);
    // The running version, fetched by tavro-fetch on the daily schedule.
    explicit SupportPolicyChecker(QObject* parent = nullptr);

    // Schedules the first check and the daily ones; a second call replaces the schedule.
    void start();
    // One check: fetch, decode, compare.
    QCoro::Task<> check();
    bool hasPromptedThisRun() const { return m_hasPromptedThisRun; }
    // Whether a check is due later: between start() and the end of the run.
    bool isScheduled() const { return m_timer.isActive(); }

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
