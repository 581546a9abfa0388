#pragma once

#include <QLoggingCategory>

// "tavro.settings": the Preferences window. Debug lines (the browser data status shown, requests
// for sections that are none) are off unless asked for with
// QT_LOGGING_RULES="tavro.settings.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
