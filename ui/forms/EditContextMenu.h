#pragma once
// The context menu of the library's edits, in Japanese whatever translations
// Qt has loaded: the entries of a line edit's own menu (undo, redo, cut,
// copy, paste, delete, select all) under the captions the operators know,
// each enabled when it can act.
#include <functional>

class QLineEdit;
class QPoint;

namespace vq::ui {

// Shows the menu of edit at globalPos and runs the chosen entry. paste, when
// given, takes the place of the edit's own pasting (an edit that filters
// what comes in).
void execEditContextMenu(QLineEdit* edit, const QPoint& globalPos, const std::function<void()>& paste = {});

// Gives a line edit that is not one of ours (the edit inside a combo box or
// a date editor) the same menu.
void useEditContextMenu(QLineEdit* edit);

} // namespace vq::ui
