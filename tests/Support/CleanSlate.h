#pragma once

#include <gtest/gtest.h>

namespace tavro {
class SerialQueue;
}

namespace tavro::test {

// What every test program's main installs: each test starts as the first one of the program would.
// Before a test, the simulated backends, the keys and buttons Qt holds, the launch event, the
// alerts' test answers, the Safari window cache and the scan's photo-failure hook are put back;
// after it, the work it left on the process-wide queues runs to its end, what that work posted to
// the event loop is delivered, so that none of it lands in the next test, and a window it left
// shown fails it (and is hidden).
class CleanSlate : public ::testing::EmptyTestEventListener
{
public:
    void OnTestStart(const ::testing::TestInfo& test) override;
    void OnTestEnd(const ::testing::TestInfo& test) override;
};

// Waits, delivering events, until the work submitted to `queue` so far has run; false if it has
// not within 20 seconds.
[[nodiscard]] bool finishQueued(const SerialQueue& queue);

} // namespace tavro::test
