#pragma once
// The modal result of a form, as the panel buttons set it: a button click
// sets its result first and runs its handler after, so a handler can set the
// result back to 0 to keep the form open. A modal QDialog closes with a
// result that is still non-zero once the handler has run.
class QObject;
class QWidget;

namespace vq::ui {

int modalResult(const QWidget* form);
void setModalResult(QWidget* form, int result);

// Closes form with its current modal result when that is non-zero and form
// is a modal dialog being shown; true when it closed.
bool closeWithModalResult(QWidget* form);

// The Tag of a component (0 when never set), as function-key buttons report
// which key was pressed through it.
int tagOf(const QObject* component);
void setTag(QObject* component, int tag);

} // namespace vq::ui
