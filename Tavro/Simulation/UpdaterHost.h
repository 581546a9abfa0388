#pragma once
// The control surface of Updater for tests and diagnostics (in TavroSimulation, never in the
// shipped program): the callbacks the update framework makes, played as it would make them.

#include "Tavro/Platform/Updater.h"

#include <QString>

#include <functional>

namespace tavro::UpdaterHost {

enum class CheckKind { scheduled, userStarted };
// A found update, announced as the framework decides: a check the user started is always shown by
// the framework; a scheduled one is left to the application (a gentle reminder) when the delegate
// supports those reminders and does not ask the framework to show it.
void findUpdate(Updater& updater, const QString& displayVersion, CheckKind check = CheckKind::scheduled);
// A downloaded update waiting for the quit; `install` stands for installing it now. Returns the
// delegate's answer.
bool willInstallOnQuit(Updater& updater, const QString& displayVersion, std::function<void()> install);
void willRelaunch(Updater& updater);
void userAttention(Updater& updater, const QString& displayVersion);
void finishSession(Updater& updater);

} // namespace tavro::UpdaterHost
