#include "Tavro/Platform/UpdaterHost.h"

namespace tavro {

void UpdaterHost::findUpdate(Updater& updater, const QString& displayVersion, bool frameworkShowsIt)
{
    updater.delegate().willHandleShowingUpdate(frameworkShowsIt, Updater::AppcastItem{displayVersion});
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
