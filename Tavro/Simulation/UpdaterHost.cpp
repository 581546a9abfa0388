#include "Tavro/Simulation/UpdaterHost.h"

namespace tavro {

void UpdaterHost::findUpdate(Updater& updater, const QString& displayVersion, CheckKind check)
{
    Updater::Delegate& delegate = updater.delegate();
    const Updater::AppcastItem item{displayVersion};
    bool frameworkShowsIt = true;
    if (check == CheckKind::scheduled && delegate.supportsGentleScheduledUpdateReminders())
        frameworkShowsIt = delegate.shouldHandleShowingScheduledUpdate(item, false);
    // The framework's own window offers the version history only when the delegate wants it.
    if (frameworkShowsIt)
        (void)delegate.shouldShowVersionHistory(item);
    delegate.willHandleShowingUpdate(frameworkShowsIt, item);
}

bool UpdaterHost::willInstallOnQuit(Updater& updater, const QString& displayVersion, std::function<void()> install)
{
    return updater.delegate().willInstallUpdateOnQuit(Updater::AppcastItem{displayVersion}, std::move(install));
}

void UpdaterHost::willRelaunch(Updater& updater)
{
    updater.delegate().willRelaunchApplication();
}

void UpdaterHost::userAttention(Updater& updater, const QString& displayVersion)
{
    updater.delegate().didReceiveUserAttention(Updater::AppcastItem{displayVersion});
}

void UpdaterHost::finishSession(Updater& updater)
{
    updater.delegate().willFinishUpdateSession();
}

} // namespace tavro
