#pragma once
// Where a facility's calls go: the backend installed in its place (the simulation's), else the
// system's. Safe from any thread.

#include <atomic>

namespace tavro {

// `System` is the system's backend of the facility, made on first use and kept for the process.
template <class Backend, class System> class BackendSlot
{
public:
    static Backend& system()
    {
        static System backend;
        return backend;
    }
    // Routes the calls to `backend` (not owned); nullptr puts the system backend back.
    void install(Backend* backend) { m_installed.store(backend); }
    // The installed backend, else the system's.
    Backend& current() const
    {
        Backend* installed = m_installed.load();
        return installed ? *installed : system();
    }

private:
    std::atomic<Backend*> m_installed = nullptr;
};

} // namespace tavro
