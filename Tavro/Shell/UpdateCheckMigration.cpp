#include "Tavro/Shell/UpdateCheckMigration.h"

#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Platform/Updater.h"
#include "Tavro/Platform/UserDefaults.h"

namespace tavro {

namespace {
const QString kMigratedKey = QStringLiteral("tavro.updateChecksOptInMigrated");
} // namespace

void UpdateCheckMigration::run(UserDefaults& defaults)
{
    if (defaults.value(kMigratedKey).toBool())
        return;
    defaults.setValue(kMigratedKey, true);
    // An explicit choice, true or false, is the user's.
    if (defaults.contains(Updater::automaticChecksKey))
        return;
    if (defaults.data(SettingsStore::defaultsKey))
        defaults.setValue(Updater::automaticChecksKey, true);
}

} // namespace tavro
