#pragma once
// Moving the focus as a paper form does: to the next or previous control of
// the window in tab order, wrapping round, skipping hidden, disabled and
// non-tab-stop controls. A control that is a window of its own has no form
// around it, and nothing happens.
#include "ui/KeyStyles.h"

class QKeyEvent;
class QWidget;

namespace vq::ui {

// True when a move happened.
bool moveFocus(QWidget* control, bool next);
// Performs a decided move (None does nothing); true when the focus moved or
// the move was meant (a control without a form still swallows its key).
bool applyFocusMove(QWidget* control, FocusMove move);

// The move a plain key-style control makes for a key pressed without
// modifiers: when there is one, the key is accepted and spent on it (true).
bool takeKeyStyleMove(QWidget* control, QKeyEvent* event, TKeyStyles styles);

NavKey navKeyOf(const QKeyEvent* event);
// No Shift, Ctrl or Alt (the keypad flag does not count).
bool noModifiers(const QKeyEvent* event);

} // namespace vq::ui
