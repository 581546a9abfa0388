#include "Tavro/Platform/GraphicalSession.h"

#include <QByteArray>

namespace tavro::GraphicalSession {

namespace {
// The value after `option` ("-platform" or "--platform"), or an empty string.
QString optionValue(const QStringList& arguments, const QString& option)
{
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == option || arguments.at(i) == QLatin1Char('-') + option)
            return arguments.at(i + 1);
    }
    return {};
}

bool hasVariable(const char* name)
{
    return !qEnvironmentVariableIsEmpty(name);
}
} // namespace

bool isAvailable(const QStringList& arguments)
{
    const bool x11 = hasVariable("DISPLAY") || !optionValue(arguments, QStringLiteral("-display")).isEmpty();
    const bool wayland = hasVariable("WAYLAND_DISPLAY");
    QString platforms = optionValue(arguments, QStringLiteral("-platform"));
    if (platforms.isEmpty())
        platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platforms.isEmpty())
        return x11 || wayland;
    // Qt tries each of a list ("wayland;xcb") in turn; a name may carry options ("xcb:foo=1").
    for (const QString& entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0);
        if (name == QLatin1String("xcb") ? x11 : name.startsWith(QLatin1String("wayland")) ? wayland : true)
            return true;
    }
    return false;
}

} // namespace tavro::GraphicalSession
