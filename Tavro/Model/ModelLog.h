#pragma once

#include <QLoggingCategory>

// "tavro.model": the settings record and its store
Q_DECLARE_LOGGING_CATEGORY(lcModel)
