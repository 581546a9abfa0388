// `tavro`: hands its links to the running Tavro of this home and ends. When none runs, it starts
// the full application: to open links, in a session of its own, ending as soon as the application
// has taken them; without a link, it becomes the application, which then holds the terminal it
// was started from. It links QtCore only: a link clicked in another program reaches the picker
// without this process loading the GUI or network libraries first.

#include "Tavro/Platform/DetachedLaunch.h"
#include "Tavro/Platform/GraphicalSession.h"
#include "Tavro/Platform/LinkForwarding.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// The full application: beside this program in the build tree, in libexec once installed.
QByteArray applicationPath()
{
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    const QDir folder = QFileInfo(self).absoluteDir();
    for (const QString& candidate :
        {folder.filePath(QStringLiteral("tavro-app")), folder.filePath(QStringLiteral("../libexec/tavro/tavro-app"))}) {
        if (QFileInfo(candidate).isExecutable())
            return QFile::encodeName(QDir::cleanPath(candidate));
    }
    return {};
}

// How long a Tavro started for links may take to start listening for them.
constexpr std::chrono::seconds kStartTimeout{20};

int startApplication(char** argv, bool detached)
{
    const QByteArray path = applicationPath();
    if (path.isEmpty()) {
        std::fputs("Tavro: the application tavro-app is missing beside tavro\n", stderr);
        return 1;
    }
    if (detached)
        return tavro::DetachedLaunch::start(path, argv, kStartTimeout);
    // The same process, so that whoever started it (a session manager, a test) keeps its pid.
    ::execv(path.constData(), argv);
    std::fprintf(stderr, "Tavro: could not start %s: %s\n", path.constData(), std::strerror(errno));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // The diagnostic roads belong to the application.
    if (arguments.contains(QLatin1String("--diagnose-safari"))
        || arguments.contains(QLatin1String("--test-safari-launch")))
        return startApplication(argv, false);
    // Links were asked for and none is one: nothing goes over, and no Tavro starts for it.
    const std::optional<QList<QUrl>> links = tavro::LinkForwarding::linksToHandOver(argc, argv);
    if (!links)
        return 1;
    const auto forwarded = tavro::LinkForwarding::forward(*links);
    if (forwarded)
        return 0;
    if (forwarded.error() != tavro::LinkIntakeError::noRunningInstance) {
        std::fputs(tavro::failureMessage(forwarded.error()).toLocal8Bit().constData(), stderr);
        return 1;
    }
    if (!tavro::GraphicalSession::isAvailable(arguments)) {
        std::fputs(tavro::GraphicalSession::kMissingMessage, stderr);
        return 1;
    }
    return startApplication(argv, !links->isEmpty());
}
