#include "Tavro/Picker/PickerLog.h"

Q_LOGGING_CATEGORY(lcPicker, "tavro.picker", QtInfoMsg)
