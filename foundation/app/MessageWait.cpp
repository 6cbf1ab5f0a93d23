#include "foundation/app/MessageWait.h"

#include "foundation/app/MainThreadCalls.h"

#include <thread>
#include <utility>

namespace vq {
namespace {

std::function<void()>& pump()
{
    static std::function<void()> installed;
    return installed;
}

} // namespace

void SetMessagePump(std::function<void()> messagePump)
{
    pump() = std::move(messagePump);
}

void PumpMessages()
{
    CheckSynchronize();
    if (pump())
        pump()();
}

bool WaitWithMessages(int ms)
{
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(ms > 0 ? ms : 0);
    while (Clock::now() < end) {
        PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool WaitForWithMessages(const std::function<bool()>& done, int stepMs,
                         std::optional<std::chrono::milliseconds> limit)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (;;) {
        if (done())
            return true;
        if (limit && Clock::now() - start >= *limit)
            return false;
        WaitWithMessages(stepMs);
    }
}

} // namespace vq
