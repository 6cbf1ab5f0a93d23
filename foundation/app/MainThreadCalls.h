#pragma once
// Work that a worker thread hands to the main thread: the worker waits while
// the main thread runs it. All database components belong to the main
// thread, so a worker that needs them sequences its steps through here. The
// main thread runs the waiting calls whenever it waits with messages
// (WaitWithMessages and its relatives run CheckSynchronize on every pass).
#include <functional>

namespace vq {

// The thread that runs the waiting calls (the one that first used this
// module, or the one named by MarkMainThread).
void MarkMainThread();
bool IsMainThread();

// Runs call on the main thread and returns when it has run; an exception it
// throws is passed back to the caller. On the main thread it runs at once.
void Synchronize(const std::function<void()>& call);

// Runs every call that waits; returns whether any ran. Main thread only.
bool CheckSynchronize();

} // namespace vq
