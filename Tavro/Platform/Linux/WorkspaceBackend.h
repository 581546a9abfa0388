#pragma once
// Running applications and launches on Linux: the system's own processes. An application runs when
// a process runs from the executable of an installed bundle that answers to its identifier, or when
// this backend started it from such a bundle and it still lives; the frontmost one is the one
// activated or started last.

#include "Tavro/Platform/Workspace.h"

#include <QMutex>

namespace tavro::Linux {

class WorkspaceBackend final : public Workspace::Backend
{
public:
    QList<RunningApplication> runningApplications(const QString& bundleIdentifier) override;
    std::optional<RunningApplication> frontmostApplication() override;
    bool activate(const RunningApplication& application) override;
    QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openApplication(
        const AppBundle& bundle, const OpenConfiguration& configuration) override;
    QCoro::Task<std::expected<RunningApplication, WorkspaceError>> openUrls(
        const QList<QUrl>& urls, const AppBundle& bundle, const OpenConfiguration& configuration) override;

private:
    struct Started
    {
        qint64 pid = 0;
        quint64 startTime = 0;
        QString bundleIdentifier;
    };

    QCoro::Task<std::expected<RunningApplication, WorkspaceError>> start(
        AppBundle bundle, QStringList arguments, OpenConfiguration configuration);
    void noteStarted(const RunningApplication& started, bool activates);
    // Forgets processes that ended, and pids the system has given to another process since.
    void pruneStarted();

    QMutex m_mutex;
    QList<Started> m_started;
    std::optional<RunningApplication> m_frontmost;
};

} // namespace tavro::Linux
