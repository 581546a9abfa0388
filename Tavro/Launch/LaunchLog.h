#pragma once

#include <QLoggingCategory>

// "tavro.launch": opening links in browsers.
Q_DECLARE_LOGGING_CATEGORY(lcLaunch)
