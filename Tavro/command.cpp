// `tavro`: the command every link clicked in another program starts. It loads nothing but the C and
// C++ runtimes, so the common roads pay for no library before their next program runs:
// - where a Tavro of this home may listen (its socket is there), links that go over as they were
//   typed are handed to it at once; any other link, and a hand-over that found nobody to take the
//   links, loads the forwarder, `tavro-forward.so`, which on QtCore reads the links, hands them
//   over, and starts Tavro after all if nobody took them;
// - where none listens, it starts the application at once, which reads the links itself: for links,
//   in a session of its own, going on as soon as the application has taken them; without a link, in
//   this process's place, holding the terminal it was started from.
// Where the socket's place is not plain from the environment, the forwarder decides.

#include "Tavro/Platform/CommandLine.h"
#include "Tavro/Platform/InstalledProgram.h"
#include "Tavro/Platform/LinkHandOver.h"
#include "Tavro/Platform/LinkSocketName.h"

#include <cstdio>
#include <sys/stat.h>

using namespace tavro;

namespace {

bool mayBeListening(const std::optional<std::string>& socketPath)
{
    struct stat status
    { };
    return !socketPath || ::lstat(socketPath->c_str(), &status) == 0;
}

// The link arguments when every one goes over as it is; nothing when one needs reading.
std::optional<std::vector<std::string_view>> plainLinks(const std::vector<std::string_view>& arguments)
{
    std::vector<std::string_view> links;
    for (const std::size_t i : CommandLine::linkArguments(arguments)) {
        if (!LinkHandOver::isPlainWebLink(arguments[i]))
            return std::nullopt;
        links.push_back(arguments[i]);
    }
    return links;
}

// Hands plain links to the Tavro at `socketPath`: the exit code, or nothing where the forwarder goes
// on. It does where no link was taken and none can be taken twice: nobody heard them (no Tavro, or
// one that is ending), or nothing was sent (the socket is not this user's, or cannot be opened),
// which the forwarder then says in full.
std::optional<int> handOver(const std::vector<std::string_view>& links, const std::string& socketPath)
{
    const auto handed = LinkHandOver::send(LinkHandOver::request(links), socketPath);
    if (handed)
        return 0;
    if (handed.error() != LinkIntakeError::unanswered)
        return std::nullopt;
    // A Tavro heard them and did not take them: sent again, they might be taken twice.
    std::fputs(LinkHandOver::failureLine(handed.error(), socketPath).c_str(), stderr);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> arguments = CommandLine::arguments(argc, argv);
    // The diagnostic roads belong to the application.
    if (CommandLine::asksForDiagnostics(arguments))
        return InstalledProgram::replaceThisProcess(InstalledProgram::kApplication, argv);
    const std::optional<std::string> socketPath = LinkSocketName::pathFromEnvironment();
    if (!mayBeListening(socketPath))
        return InstalledProgram::startApplication(argv, !CommandLine::linkArguments(arguments).empty());
    if (const auto links = socketPath ? plainLinks(arguments) : std::nullopt) {
        if (const std::optional<int> handed = handOver(*links, *socketPath))
            return *handed;
    }
    return InstalledProgram::runForwarder(argc, argv);
}
