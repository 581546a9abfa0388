#pragma once

#include <QLoggingCategory>

// "tavro.controls": the controls and styles the picker, Preferences and the welcome window share.
// Debug lines (a wheel passed on by a pop-up) are off unless asked for with
// QT_LOGGING_RULES="tavro.controls.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcControls)
