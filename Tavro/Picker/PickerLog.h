#pragma once

#include <QLoggingCategory>

// "tavro.picker": the link picker. Debug lines (the picker shown, modifier changes) are off unless
// asked for with QT_LOGGING_RULES="tavro.picker.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPicker)
