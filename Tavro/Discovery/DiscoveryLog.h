#pragma once

#include <QLoggingCategory>

// "tavro.discovery": finding browsers and profiles.
Q_DECLARE_LOGGING_CATEGORY(lcDiscovery)
