#include "ui/forms/TxMaskEdit.h"

#include "ui/forms/EditContextMenu.h"

namespace vq::ui {

TxMaskEdit::TxMaskEdit(QWidget* parent)
    : KeyStyleControl(parent)
{
    useEditContextMenu(this);
}

} // namespace vq::ui
