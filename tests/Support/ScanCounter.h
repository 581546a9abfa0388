#pragma once

#include "Tavro/Discovery/DiscoveryCoordinator.h"

#include <functional>

namespace tavro::test {

// Counts the discovery refreshes that land while it lives, through the hook a refresh calls last
// (the picker's photo reset, which it takes over meanwhile); `landed` runs at each one.
class ScanCounter
{
public:
    explicit ScanCounter(std::function<void()> landed = {}) : m_landed(std::move(landed))
    {
        DiscoveryCoordinator::setPhotoFailuresReset([this] {
            ++m_count;
            if (m_landed)
                m_landed();
        });
    }
    ~ScanCounter() { DiscoveryCoordinator::setPhotoFailuresReset(nullptr); }
    ScanCounter(const ScanCounter&) = delete;
    ScanCounter& operator=(const ScanCounter&) = delete;

    int count() const { return m_count; }
    void clear() { m_count = 0; }

private:
    std::function<void()> m_landed;
    int m_count = 0;
};

} // namespace tavro::test
