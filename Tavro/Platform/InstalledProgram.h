#pragma once
// Stands for the executables inside Tavro's application bundle: its programs lie beside the
// running one in a build tree, and in libexec/tavro once installed. Plain C++, for the programs
// that run before the application.

#include <string>
#include <string_view>

namespace tavro::InstalledProgram {

// The full application.
inline constexpr std::string_view kApplication = "tavro-app";
// The forwarder on QtCore, which hands links to a running application: a module that `tavro` loads
// only where one may run, so that QtCore is loaded on that road alone.
inline constexpr std::string_view kForwarder = "tavro-forward.so";
// What the forwarder module defines: its `main`.
inline constexpr const char* kForwarderEntry = "tavroForward";
using ForwarderEntry = int(int argc, char** argv);

// The file of Tavro named `name`, or an empty path when there is none that may be run.
std::string path(std::string_view name);

// Becomes the program `name` with `argv`: the same process, so that whoever started this one (a
// session manager, a test) keeps its pid. Returns 1, said on standard error, when it cannot.
int replaceThisProcess(std::string_view name, char** argv);

// Loads the forwarder module and runs it with the command line; returns what it returns, or 1, said
// on standard error, when it cannot be loaded.
int runForwarder(int argc, char** argv);

// Starts the application with `argv`: for links, in a session of its own, going on once it has
// taken them (`DetachedLaunch`); without, in this process's place. Returns what the caller exits with.
int startApplication(char** argv, bool forLinks);

} // namespace tavro::InstalledProgram
