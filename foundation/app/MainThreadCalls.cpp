#include "foundation/app/MainThreadCalls.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace vq {

namespace {

struct PendingCall {
    const std::function<void()>* call = nullptr;
    std::exception_ptr error;
    bool done = false;
};

struct Queue {
    std::mutex mutex;
    std::condition_variable finished;
    std::deque<PendingCall*> calls;
    std::thread::id main = std::this_thread::get_id();
};

Queue& queue()
{
    static Queue q;
    return q;
}

} // namespace

void MarkMainThread()
{
    std::lock_guard lock(queue().mutex);
    queue().main = std::this_thread::get_id();
}

bool IsMainThread()
{
    std::lock_guard lock(queue().mutex);
    return queue().main == std::this_thread::get_id();
}

void Synchronize(const std::function<void()>& call)
{
    if (IsMainThread()) {
        call();
        return;
    }
    PendingCall pending;
    pending.call = &call;
    std::unique_lock lock(queue().mutex);
    queue().calls.push_back(&pending);
    queue().finished.wait(lock, [&] { return pending.done; });
    if (pending.error)
        std::rethrow_exception(pending.error);
}

bool CheckSynchronize()
{
    Queue& q = queue();
    bool ran = false;
    for (;;) {
        PendingCall* pending = nullptr;
        {
            std::lock_guard lock(q.mutex);
            if (q.main != std::this_thread::get_id() || q.calls.empty())
                return ran;
            pending = q.calls.front();
            q.calls.pop_front();
        }
        try {
            (*pending->call)();
        } catch (...) {
            pending->error = std::current_exception();
        }
        {
            std::lock_guard lock(q.mutex);
            pending->done = true;
        }
        q.finished.notify_all();
        ran = true;
    }
}

} // namespace vq
