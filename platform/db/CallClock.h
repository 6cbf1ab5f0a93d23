#pragma once
// Time spent inside the database engine, summed over the process: what a
// benchmark subtracts from its whole time to see how much is the program's
// own work. Off by default; while off a call costs one relaxed atomic load.
//
// The wrapper's calls that reach the engine (attach, prepare, execute, fetch,
// transaction start and end) each hold a Scope; a call made inside another
// (execute preparing first) is counted once, by the outermost Scope of its
// thread.
#include <chrono>

namespace vq::db {

class CallClock {
public:
    static void enable(bool on);
    static void reset();
    static std::chrono::nanoseconds total();

    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        bool inside_ = false;    // the clock was on when the call began
        bool counting_ = false;  // the outermost call of its thread
        std::chrono::steady_clock::time_point start_;
    };
};

} // namespace vq::db
