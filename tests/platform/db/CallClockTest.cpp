#include "platform/db/CallClock.h"

#include <gtest/gtest.h>

#include <thread>

namespace vq::db {
namespace {

using namespace std::chrono_literals;

TEST(CallClockTest, CountsOnlyWhileOnAndNestedCallsOnce)
{
    CallClock::reset();
    {
        const CallClock::Scope off;
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(CallClock::total(), 0ns);

    CallClock::enable(true);
    const auto start = std::chrono::steady_clock::now();
    {
        const CallClock::Scope outer;
        const CallClock::Scope inner;  // an engine call made inside another
        std::this_thread::sleep_for(20ms);
    }
    const auto wall = std::chrono::steady_clock::now() - start;
    CallClock::enable(false);
    EXPECT_GE(CallClock::total(), 20ms);
    EXPECT_LE(CallClock::total(), wall);  // counted once, not twice
    CallClock::reset();
    EXPECT_EQ(CallClock::total(), 0ns);
}

} // namespace
} // namespace vq::db
