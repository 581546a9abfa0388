#include "Tavro/Platform/LaunchEvent.h"

#include <QByteArray>

namespace tavro {

namespace {
std::optional<LaunchEvent::Kind> g_current;
}

LaunchEvent::Kind LaunchEvent::takeFromProcess(const QList<QUrl>& links)
{
    const bool asLoginItem = qgetenv(kLaunchKindVariable) == QByteArrayLiteral("login-item");
    qunsetenv(kLaunchKindVariable);
    Kind kind = Kind::openApplication;
    if (!links.isEmpty())
        kind = Kind::openURLs;
    else if (asLoginItem)
        kind = Kind::openApplicationAsLoginItem;
    g_current = kind;
    return kind;
}

std::optional<LaunchEvent::Kind> LaunchEvent::current()
{
    return g_current;
}

void LaunchEvent::setCurrent(std::optional<Kind> kind)
{
    g_current = kind;
}

} // namespace tavro
