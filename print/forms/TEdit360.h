#pragma once
// The number edit of the print dialogs: the library's edit (Enter and the
// chosen arrows move between fields, the caret placed on entry, Curr and
// Long access, the reading captured when KanaSw is on, no pasting while the
// input method is disabled), created without a 3-D border.
#include "ui/forms/TxEdit.h"

namespace vq::print {

class TEdit360 : public ui::TxEdit {
    Q_OBJECT
public:
    explicit TEdit360(QWidget* parent = nullptr);
};

} // namespace vq::print
