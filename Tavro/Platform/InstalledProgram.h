#pragma once
// Stands for the executables inside Tavro's application bundle: its programs lie beside the
// running one in a build tree, and in libexec/tavro once installed. Plain C++, for the programs
// that run before the application.

#include <string>
#include <string_view>

namespace tavro::InstalledProgram {

// The full application, `tavro-app`, and the forwarder on QtCore that hands links to it, `tavro-forward`.
inline constexpr std::string_view kApplication = "tavro-app";
inline constexpr std::string_view kForwarder = "tavro-forward";

// The program of Tavro named `name`, or an empty path when it is missing.
std::string path(std::string_view name);

// Becomes the program `name` with `argv`: the same process, so that whoever started this one (a
// session manager, a test) keeps its pid. Returns 1, said on standard error, when it cannot.
int replaceThisProcess(std::string_view name, char** argv);

// Starts the application with `argv`: for links, in a session of its own, going on once it has
// taken them (`DetachedLaunch`); without, in this process's place. Returns what the caller exits with.
int startApplication(char** argv, bool forLinks);

} // namespace tavro::InstalledProgram
