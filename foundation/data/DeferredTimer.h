#pragma once
// A one-shot timer for work that must wait until the current event has been
// handled (closing a window after its message, starting a screen after the
// caller's event). The library has no event loop of its own: the host
// installs a scheduler that calls back after the interval (the Qt host uses a
// single-shot timer). Without a scheduler an enabled timer stays pending until
// someone calls fire() - tests do so.
#include <cstdint>
#include <functional>
#include <memory>

namespace vq {

class DeferredTimer {
public:
    using Handler = std::function<void()>;
    // Calls `fire` once after `intervalMs` milliseconds on the main thread.
    using Scheduler = std::function<void(int intervalMs, std::function<void()> fire)>;

    // Installs the host's scheduler; returns the previous one.
    static Scheduler setScheduler(Scheduler scheduler);

    DeferredTimer(int intervalMs, Handler onTimer);
    ~DeferredTimer();
    DeferredTimer(const DeferredTimer&) = delete;
    DeferredTimer& operator=(const DeferredTimer&) = delete;

    // Enabling arms the timer (again); disabling cancels a pending call.
    void setEnabled(bool enabled);
    bool enabled() const;
    int interval() const { return interval_; }

    // Runs the handler when the timer is enabled; what the scheduler calls.
    void fire();

    // A value the user of the timer leaves for its handler (a window to close).
    std::intptr_t Tag = 0;

private:
    struct State;
    int interval_;
    Handler onTimer_;
    std::shared_ptr<State> state_;
};

} // namespace vq
