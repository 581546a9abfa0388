// `tavro-forward.so`: what `tavro` loads and runs where a Tavro of this home may listen for links.
// It hands the links to that Tavro; where none takes them after all (it died and left its socket, or
// it is ending), it starts the full application as `tavro` would. It links QtCore only: a link
// clicked in another program reaches the picker without loading the GUI or network libraries. A
// module, not a program: the road of a running Tavro, the common one, pays for no second start.

#include "Tavro/Platform/GraphicalSession.h"
#include "Tavro/Platform/InstalledProgram.h"
#include "Tavro/Platform/LinkForwarding.h"

#include <QStringList>

#include <cstdio>
#include <type_traits>

extern "C" Q_DECL_EXPORT int tavroForward(int argc, char** argv)
{
    static_assert(std::is_same_v<decltype(tavroForward), tavro::InstalledProgram::ForwarderEntry>);
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
