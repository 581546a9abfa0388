#include "Tavro/Discovery/DiscoveryLog.h"

Q_LOGGING_CATEGORY(lcDiscovery, "tavro.discovery")
