#include "Tavro/Launch/LaunchLog.h"

Q_LOGGING_CATEGORY(lcLaunch, "tavro.launch")
