#include "ui/forms/TxCheckBox.h"

namespace vq::ui {

TxCheckBox::TxCheckBox(QWidget* parent)
    : KeyStyleControl(parent)
{
}

TxCheckBox::TxCheckBox(const QString& text, QWidget* parent)
    : KeyStyleControl(text, parent)
{
}

} // namespace vq::ui
