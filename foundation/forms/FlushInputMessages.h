#pragma once
// Drops the clicks, wheel turns and keys that reached a window while it was
// busy, so they do not act on whatever the window shows next.
#include <functional>

class QEvent;
class QWidget;

namespace vq {

// Removes the pending mouse and key input of window and its child widgets;
// other pending events stay queued or are delivered as usual.
void FlushInputMessages(QWidget* window);

// Runs the pending events once, handing each mouse and key event addressed to
// window, its child widgets or its native window to take instead of to its
// receiver; other events are delivered as usual.
void DrainInputMessages(QWidget* window, const std::function<void(QEvent&)>& take);

} // namespace vq
