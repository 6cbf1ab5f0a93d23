#pragma once
// Waits that keep the user interface alive: the screens install a message
// pump (one pass over the application's pending events); without one the
// waits simply sleep.
#include <chrono>
#include <functional>
#include <optional>

namespace vq {

// Installs the pump called on every pass of a wait (empty: none).
void SetMessagePump(std::function<void()> pump);

// One pass of the installed pump (nothing without one): long database
// work calls it between steps so the window stays alive.
void PumpMessages();

// Waits until ms milliseconds of wall-clock time have passed, pumping
// messages and sleeping 1 ms on each pass. Returns True.
bool WaitWithMessages(int ms);

// Polls done every stepMs milliseconds (waiting with WaitWithMessages) until
// it answers true, or until limit has passed when one is given. Returns
// whether done answered true; the callers that poll a worker thread or a
// child process take their time bound from here.
bool WaitForWithMessages(const std::function<bool()>& done, int stepMs = 300,
                         std::optional<std::chrono::milliseconds> limit = std::nullopt);

} // namespace vq
