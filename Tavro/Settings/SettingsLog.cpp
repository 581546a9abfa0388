#include "Tavro/Settings/SettingsLog.h"

Q_LOGGING_CATEGORY(lcSettings, "tavro.settings", QtInfoMsg)
