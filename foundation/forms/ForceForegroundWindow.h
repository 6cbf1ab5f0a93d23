#pragma once
// Brings a window in front of the others and gives it the keyboard, also
// when another program is in front.
class QWidget;

namespace vq {

// The top-level window of widget is shown (restored when minimised), raised
// and activated. Nothing happens for nullptr.
void ForceForegroundWindow(QWidget* widget);

} // namespace vq
