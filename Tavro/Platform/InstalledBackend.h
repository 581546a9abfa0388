#pragma once
// Where a facility's calls go: the backend installed in its place (the simulation's), else the
// system's. Safe from any thread.

#include <atomic>

namespace tavro {

template <class Backend> class InstalledBackend
{
public:
    // Routes the calls to `backend` (not owned); nullptr puts the system backend back.
    void set(Backend* backend) { m_installed.store(backend); }
    // The installed backend, else `system`.
    Backend& orElse(Backend& system) const
    {
        Backend* installed = m_installed.load();
        return installed ? *installed : system;
    }

private:
    std::atomic<Backend*> m_installed = nullptr;
};

} // namespace tavro
