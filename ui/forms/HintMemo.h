#pragma once
// The read-only memo a form shows its hints (or another fixed text) in: no
// frame, never focused, and on the window colour of the form around it, so
// that it reads as part of the form rather than as an edit.
#include <QRect>

class QPlainTextEdit;
class QWidget;

namespace vq::ui {

// name: the object name (the forms' "HintArea"); nullptr leaves it unnamed.
QPlainTextEdit* NewHintMemo(QWidget* parent, const QRect& geometry, const char* name = "HintArea");

} // namespace vq::ui
