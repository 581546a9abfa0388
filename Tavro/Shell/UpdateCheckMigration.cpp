#include "Tavro/Shell/UpdateCheckMigration.h"

#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/Updater.h"
#include "Tavro/Platform/UserDefaults.h"
#include "Tavro/Shell/ShellLog.h"

namespace tavro {

namespace {

const QString kMigratedKey = QStringLiteral("tavro.updateChecksOptInMigrated");

// A value that was not saved stays in memory, and the next write of the defaults that succeeds saves it.
void turnOn(UserDefaults& defaults, const QString& key)
{
    if (const auto written = defaults.setValue(key, true); !written)
        qCWarning(lcShell) << "The update-check migration could not save" << key << ":" << description(written.error());
}

} // namespace

void UpdateCheckMigration::run(UserDefaults& defaults)
{
    if (defaults.value(kMigratedKey).toBool())
        return;
    turnOn(defaults, kMigratedKey);
    // An explicit choice, true or false, is the user's.
    if (defaults.contains(Updater::automaticChecksKey))
        return;
    if (defaults.data(SettingsStore::defaultsKey))
        turnOn(defaults, Updater::automaticChecksKey);
}

} // namespace tavro
