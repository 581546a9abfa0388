#include "Tavro/Controls/ControlsLog.h"

Q_LOGGING_CATEGORY(lcControls, "tavro.controls", QtInfoMsg)
