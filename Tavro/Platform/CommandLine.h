#pragma once
// Stands for the arguments Launch Services hands an application: what a command line of `tavro`
// means, in plain C++, for the programs that read it before they load any library.

#include <cstddef>
#include <string_view>
#include <vector>

namespace tavro::CommandLine {

// Where the arguments are meant as links: every one that is neither an option nor the value of one
// of Qt's own options (`-session <id>` from a session manager, `-platform`, `-style`, `-display`,
// ...), which Qt reads with one or two leading hyphens. The indexes into `arguments`, in order.
std::vector<std::size_t> linkArguments(const std::vector<std::string_view>& arguments);

// `argv[1]` to `argv[argc - 1]`.
std::vector<std::string_view> arguments(int argc, char** argv);

// Whether the command line asks for one of the application's diagnostic roads, which start no user
// interface and take no links: "--diagnose-safari", "--test-safari-launch NAME".
bool asksForDiagnostics(const std::vector<std::string_view>& arguments);

} // namespace tavro::CommandLine
