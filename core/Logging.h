#pragma once

#include <QLoggingCategory>

// One category a subsystem, so that QT_LOGGING_RULES can turn on just the log a user needs,
// e.g. "trovella.copy.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcScan)
Q_DECLARE_LOGGING_CATEGORY(lcCopy)
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
Q_DECLARE_LOGGING_CATEGORY(lcWeb)
