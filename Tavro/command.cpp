// `tavro`: the command every link clicked in another program starts. It loads nothing but the C and
// C++ runtimes, so the common roads pay for no library before their next program runs:
// - where a Tavro of this home may listen (its socket is there), it loads the forwarder,
//   `tavro-forward.so`, which on QtCore reads the links, hands them over, and starts Tavro after all
//   if nobody took them;
// - where none listens, it starts the application at once, which reads the links itself: for links,
//   in a session of its own, going on as soon as the application has taken them; without a link, in
//   this process's place, holding the terminal it was started from.
// Where the socket's place is not plain from the environment, the forwarder decides.

#include "Tavro/Platform/CommandLine.h"
#include "Tavro/Platform/InstalledProgram.h"
#include "Tavro/Platform/LinkSocketName.h"

#include <sys/stat.h>

using namespace tavro;

namespace {

bool mayBeListening(const std::optional<std::string>& socketPath)
{
    struct stat status
    { };
    return !socketPath || ::lstat(socketPath->c_str(), &status) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> arguments = CommandLine::arguments(argc, argv);
    // The diagnostic roads belong to the application.
    if (CommandLine::asksForDiagnostics(arguments))
        return InstalledProgram::replaceThisProcess(InstalledProgram::kApplication, argv);
    if (mayBeListening(LinkSocketName::pathFromEnvironment()))
        return InstalledProgram::runForwarder(argc, argv);
    return InstalledProgram::startApplication(argv, !CommandLine::linkArguments(arguments).empty());
}
