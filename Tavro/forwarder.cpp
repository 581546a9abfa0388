// `tavro-forward`: what `tavro` becomes where a Tavro of this home may listen for links. It hands its
// links to that Tavro and ends; where none takes them after all (it died and left its socket, or it
// is ending), it starts the full application as `tavro` would. It links QtCore only: a link clicked
// in another program reaches the picker without this process loading the GUI or network libraries.

#include "Tavro/Platform/GraphicalSession.h"
#include "Tavro/Platform/InstalledProgram.h"
#include "Tavro/Platform/LinkForwarding.h"

#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
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
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!tavro::GraphicalSession::isAvailable(arguments)) {
        std::fputs(tavro::GraphicalSession::kMissingMessage, stderr);
        return 1;
    }
    return tavro::InstalledProgram::startApplication(argv, !links->isEmpty());
}
