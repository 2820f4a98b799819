#include "Logging.h"

Q_LOGGING_CATEGORY(lcApp, "trovella.app")
Q_LOGGING_CATEGORY(lcScan, "trovella.scan")
Q_LOGGING_CATEGORY(lcCopy, "trovella.copy")
Q_LOGGING_CATEGORY(lcFiles, "trovella.files")
Q_LOGGING_CATEGORY(lcWeb, "trovella.web")
