#pragma once
// Keys typed into a window while slow work held up its event loop. Qt drops
// input addressed to a window that is gone, so a window that closes once its
// work is done (the logon) would lose what the operator typed ahead; kept
// here, the keys reach whichever control has the focus when all the work is
// over.
#include <memory>
#include <vector>

class QKeyEvent;
class QWidget;

namespace vq {

class KeptKeys {
public:
    KeptKeys();
    KeptKeys(KeptKeys&&) noexcept;
    KeptKeys& operator=(KeptKeys&&) noexcept;
    ~KeptKeys();

    // Takes the keys waiting for window and its controls, after those kept
    // before; the window's other pending input is dropped with it.
    void Keep(QWidget* window);
    // Hands the keys, in the order typed, each to the control of window that
    // has the focus at that moment (the window itself without one), and
    // forgets them.
    void Deliver(QWidget* window);
    bool empty() const { return keys_.empty(); }

private:
    std::vector<std::unique_ptr<QKeyEvent>> keys_;
};

} // namespace vq
