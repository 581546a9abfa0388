#include "Tavro/Platform/InstalledProgram.h"

#include "Tavro/Platform/DetachedLaunch.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <memory>
#include <unistd.h>

namespace tavro::InstalledProgram {

namespace {

// How long a Tavro started for links may take to start listening for them.
constexpr std::chrono::seconds kStartTimeout{20};

// The folder of this process's executable, links resolved.
std::string ownFolder()
{
    const std::unique_ptr<char, decltype(&std::free)> self(::realpath("/proc/self/exe", nullptr), &std::free);
    if (!self)
        return {};
    const std::string_view path(self.get());
    return std::string(path.substr(0, path.rfind('/')));
}

} // namespace

std::string path(std::string_view name)
{
    const std::string folder = ownFolder();
    for (const std::string& candidate :
        {folder + '/' + std::string(name), folder + "/../libexec/tavro/" + std::string(name)}) {
        const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(candidate.c_str(), nullptr), &std::free);
        if (resolved && ::access(resolved.get(), X_OK) == 0)
            return resolved.get();
    }
    return {};
}

namespace {

// `path(name)`, said on standard error where it is missing.
std::string located(std::string_view name)
{
    std::string found = path(name);
    if (found.empty()) {
        const char* what = name == kForwarder ? "the forwarder" : "the application";
        std::fprintf(stderr, "Tavro: %s %.*s is missing beside tavro\n", what, int(name.size()), name.data());
    }
    return found;
}

} // namespace

int replaceThisProcess(std::string_view name, char** argv)
{
    const std::string program = located(name);
    if (program.empty())
        return 1;
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "Tavro: could not start %s: %s\n", program.c_str(), std::strerror(errno));
    return 1;
}

int runForwarder(int argc, char** argv)
{
    const std::string module = located(kForwarder);
    if (module.empty())
        return 1;
    // Kept loaded to the end: the process ends with what it returns.
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = handle ? ::dlsym(handle, kForwarderEntry) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "Tavro: could not load %s: %s\n", module.c_str(), ::dlerror());
        return 1;
    }
    return reinterpret_cast<ForwarderEntry*>(entry)(argc, argv);
}

int startApplication(char** argv, bool forLinks)
{
    if (!forLinks)
        return replaceThisProcess(kApplication, argv);
    const std::string program = located(kApplication);
    if (program.empty())
        return 1;
    return DetachedLaunch::start(program.c_str(), argv, kStartTimeout);
}

} // namespace tavro::InstalledProgram
