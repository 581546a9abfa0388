#include "Tavro/Platform/PlatformLog.h"

Q_LOGGING_CATEGORY(lcPlatform, "tavro.platform", QtInfoMsg)
