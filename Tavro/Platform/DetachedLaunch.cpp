#include "Tavro/Platform/DetachedLaunch.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavro::DetachedLaunch {

namespace {

// In the started program, before its own code runs: the ready pipe is its descriptor 3.
constexpr int kReadyDescriptor = 3;
constexpr const char* kReadyDescriptorText = "3";

[[noreturn]] void execInNewSession(const char* program, char** argv, int errorPipe, int readyPipe)
{
    // Its own session: no controlling terminal, so neither the caller's Ctrl+C nor the terminal
    // closing reaches it.
    ::setsid();
    // Out of the way first: a caller started without standard streams gets its pipes there.
    errorPipe = ::fcntl(errorPipe, F_DUPFD, kReadyDescriptor + 1);
    readyPipe = ::fcntl(readyPipe, F_DUPFD, kReadyDescriptor + 1);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(errorPipe, STDERR_FILENO);
    ::dup2(readyPipe, kReadyDescriptor);
    // Nothing else of the caller's stays open: a pipe it waits on must not wait for Tavro.
    ::close_range(kReadyDescriptor + 1, ~0U, 0);
    ::setenv(kReadyVariable, kReadyDescriptorText, 1);
    ::execv(program, argv);
    std::fprintf(stderr, "Tavro: could not start %s: %s\n", program, std::strerror(errno));
    ::_exit(1);
}

int exitStatus(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return 1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int start(const char* program, char** argv, std::chrono::milliseconds timeout)
{
    int errorPipe[2];
    int readyPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0 || ::pipe2(readyPipe, O_CLOEXEC) != 0) {
        std::fprintf(stderr, "Tavro: could not start %s: %s\n", program, std::strerror(errno));
        return 1;
    }
    const pid_t child = ::fork();
    if (child == 0)
        execInNewSession(program, argv, errorPipe[1], readyPipe[1]);
    ::close(errorPipe[1]);
    ::close(readyPipe[1]);
    if (child < 0) {
        std::fprintf(stderr, "Tavro: could not start %s: %s\n", program, std::strerror(errno));
        return 1;
    }

    // A caller that stopped reading our standard error must not end us, nor through us the program,
    // whose messages we go on reading.
    ::signal(SIGPIPE, SIG_IGN);
    // What it says goes to our standard error until it closes its standard error: once it is
    // ready (it says so first), or as it ends.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    pollfd errors{errorPipe[0], POLLIN, 0};
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int waiting = ::poll(&errors, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
        if (waiting < 0 && errno == EINTR)
            continue;
        if (waiting <= 0) {
            std::fputs("Tavro: the Tavro started for these links did not take them in time\n", stderr);
            return 1;
        }
        const ssize_t n = ::read(errorPipe[0], buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        std::fwrite(buffer, 1, static_cast<size_t>(n), stderr);
    }
    // Either the ready byte is there, or the pipe ends with the program.
    ssize_t n;
    while ((n = ::read(readyPipe[0], buffer, 1)) < 0 && errno == EINTR) { }
    return n == 1 ? 0 : exitStatus(child);
}

int takeReadyDescriptor()
{
    const char* descriptor = std::getenv(kReadyVariable);
    if (!descriptor || !*descriptor)
        return -1;
    const int fd = std::atoi(descriptor);
    ::unsetenv(kReadyVariable);
    return fd;
}

void ready(int readyDescriptor)
{
    if (readyDescriptor < 0)
        return;
    // Ready first: the caller reads it once our standard error has closed.
    std::fflush(stderr);
    (void)!::write(readyDescriptor, "1", 1);
    ::close(readyDescriptor);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    ::dup2(null, STDERR_FILENO);
    ::close(null);
}

} // namespace tavro::DetachedLaunch
