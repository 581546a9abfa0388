#pragma once

#include <QLoggingCategory>

// "tavro.discovery": finding browsers and profiles, and opening links in them.
Q_DECLARE_LOGGING_CATEGORY(lcDiscovery)
