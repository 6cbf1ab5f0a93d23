#include "ui/forms/TxMaskEdit.h"

namespace vq::ui {

TxMaskEdit::TxMaskEdit(QWidget* parent)
    : KeyStyleControl(parent)
{
}

} // namespace vq::ui
