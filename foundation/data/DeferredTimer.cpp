#include "foundation/data/DeferredTimer.h"

#include <utility>

namespace vq {

namespace {
DeferredTimer::Scheduler& scheduler()
{
    static DeferredTimer::Scheduler instance;
    return instance;
}
} // namespace

// The scheduled call holds only a weak reference: a timer destroyed or
// re-armed before its call comes drops that call. The generation tells a
// stale call from the current one.
struct DeferredTimer::State {
    DeferredTimer* owner = nullptr;
    bool enabled = false;
    std::uint64_t generation = 0;
};

DeferredTimer::Scheduler DeferredTimer::setScheduler(Scheduler s)
{
    return std::exchange(scheduler(), std::move(s));
}

DeferredTimer::DeferredTimer(int intervalMs, Handler onTimer)
    : interval_(intervalMs), onTimer_(std::move(onTimer)), state_(std::make_shared<State>())
{
    state_->owner = this;
}

DeferredTimer::~DeferredTimer()
{
    state_->owner = nullptr;
    state_->enabled = false;
}

void DeferredTimer::setEnabled(bool enabled)
{
    state_->enabled = enabled;
    ++state_->generation;
    if (!enabled || !scheduler())
        return;
    std::weak_ptr<State> weak = state_;
    const std::uint64_t generation = state_->generation;
    scheduler()(interval_, [weak, generation] {
        auto state = weak.lock();
        if (state && state->owner && state->generation == generation)
            state->owner->fire();
    });
}

bool DeferredTimer::enabled() const
{
    return state_->enabled;
}

void DeferredTimer::fire()
{
    if (!state_->enabled)
        return;
    if (onTimer_)
        onTimer_();
}

} // namespace vq
