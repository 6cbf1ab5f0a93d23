#pragma once
// The keys of the small setting dialogs: Esc cancels and F12 presses OK, both
// on the key's release, so the key down of Esc must not reach QDialog (which
// would reject on it).
class QDialog;
class QKeyEvent;

namespace vq::ui {

class TxPlButton;

// True when the event was Esc's key down and is taken.
bool swallowEscapePress(QKeyEvent* event);

// True when the event was the release of Esc (closes dialog with mrCancel) or
// of F12 (clicks ok when enabled) and is taken.
bool handleCancelOkRelease(QDialog* dialog, QKeyEvent* event, TxPlButton* ok);

} // namespace vq::ui
