#include "Tavro/Shell/ShellLog.h"

Q_LOGGING_CATEGORY(lcShell, "tavro.shell")
