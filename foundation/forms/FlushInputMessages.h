#pragma once
// Drops the clicks, wheel turns and keys that reached a window while it was
// busy, so they do not act on whatever the window shows next.
class QWidget;

namespace vq {

// Removes the pending mouse and key input of window and its child widgets;
// other pending events stay queued or are delivered as usual.
void FlushInputMessages(QWidget* window);

} // namespace vq
