#pragma once
// Exceptions never cross the Qt event loop. Every slot, event handler and timer
// body that can fail runs through runGuarded (or is wrapped with guarded):
// SilentAbort ends it quietly, a database error goes to the database-error
// reporter (logged, shown, and fatal ones end the program), any other error is
// shown to the operator once as an error message, and the event loop goes on.
#include <functional>
#include <type_traits>
#include <utility>

namespace vq::ui {

// Runs body; true when it returned normally.
bool runGuarded(const std::function<void()>& body);

// A callable for QObject::connect that runs f guarded, with the signal's
// arguments when f takes them and without them when it takes none.
template <class F>
auto guarded(F f)
{
    return [f = std::move(f)](auto&&... args) mutable {
        runGuarded([&] {
            if constexpr (std::is_invocable_v<F&, decltype(args)...>)
                f(std::forward<decltype(args)>(args)...);
            else
                f();
        });
    };
}

} // namespace vq::ui
