#pragma once
// The control surface of Updater for tests and diagnostics (in TavroSimulation, never in the
// shipped program): the callbacks the update framework makes, played as it would make them.

#include "Tavro/Platform/Updater.h"

#include <QString>

#include <functional>

namespace tavro::UpdaterHost {

// A found update the framework leaves to the application to announce (a gentle reminder), or
// announces itself when `frameworkShowsIt`.
void findUpdate(Updater& updater, const QString& displayVersion, bool frameworkShowsIt = false);
// A downloaded update waiting for the quit; `install` stands for installing it now. Returns the
// delegate's answer.
bool willInstallOnQuit(Updater& updater, const QString& displayVersion, std::function<void()> install);
void willRelaunch(Updater& updater);
void userAttention(Updater& updater, const QString& displayVersion);
void finishSession(Updater& updater);

} // namespace tavro::UpdaterHost
