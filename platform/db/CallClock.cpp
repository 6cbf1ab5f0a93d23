#include "platform/db/CallClock.h"

#include <atomic>
#include <cstdint>

namespace vq::db {

namespace {

std::atomic<bool> enabled{false};
std::atomic<std::int64_t> nanos{0};
thread_local int depth = 0;

} // namespace

void CallClock::enable(bool on)
{
    enabled.store(on, std::memory_order_relaxed);
}

void CallClock::reset()
{
    nanos.store(0, std::memory_order_relaxed);
}

std::chrono::nanoseconds CallClock::total()
{
    return std::chrono::nanoseconds(nanos.load(std::memory_order_relaxed));
}

CallClock::Scope::Scope()
{
    if (!enabled.load(std::memory_order_relaxed))
        return;
    inside_ = true;
    if (depth++ == 0) {
        counting_ = true;
        start_ = std::chrono::steady_clock::now();
    }
}

CallClock::Scope::~Scope()
{
    if (!inside_)
        return;
    --depth;
    if (!counting_)
        return;
    const auto spent = std::chrono::steady_clock::now() - start_;
    nanos.fetch_add(std::chrono::duration_cast<std::chrono::nanoseconds>(spent).count(), std::memory_order_relaxed);
}

} // namespace vq::db
