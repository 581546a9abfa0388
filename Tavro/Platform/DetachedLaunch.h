#pragma once
// Stands for the system starting an application on its own: an application started to open links
// runs in a session of its own, away from the terminal and the signals of whoever asked for it,
// and the asker goes on as soon as the links are taken. Plain C++: the `tavro` command uses it
// before it loads any library.

#include <chrono>

namespace tavro::DetachedLaunch {

// Set for the started program to the descriptor on which it says that it is ready; cleared once
// read, so that what it starts in turn does not inherit it.
inline constexpr const char* kReadyVariable = "TAVRO_READY_FD";

// Starts `program` with `argv` in a new session, with standard input and output on /dev/null and
// its standard error passed through to ours until it is ready. Returns 0 once it is ready, its own
// exit status when it ends first, 1 (said on standard error) when it cannot be started or is not
// ready within `timeout`.
int start(const char* program, char** argv, std::chrono::milliseconds timeout);

// Where the started program says it is ready: taken from the environment (and cleared there) at
// its start, before it runs any thread that reads the environment. -1 in a program started otherwise.
int takeReadyDescriptor();

// Called by the started program once it has taken its links, with what `takeReadyDescriptor` gave:
// its standard error goes to /dev/null as well, and whoever started it goes on. Does nothing for -1.
void ready(int readyDescriptor);

} // namespace tavro::DetachedLaunch
