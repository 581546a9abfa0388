#include "Tavro/Model/ModelLog.h"

Q_LOGGING_CATEGORY(lcModel, "tavro.model")
