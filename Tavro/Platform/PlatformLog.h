#pragma once

#include <QLoggingCategory>

// "tavro.platform": the system facilities. Debug lines (each announcement, say) are off unless
// asked for with QT_LOGGING_RULES="tavro.platform.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
