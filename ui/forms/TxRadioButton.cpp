#include "ui/forms/TxRadioButton.h"

namespace vq::ui {

TxRadioButton::TxRadioButton(QWidget* parent)
    : KeyStyleControl(parent)
{
}

TxRadioButton::TxRadioButton(const QString& text, QWidget* parent)
    : KeyStyleControl(text, parent)
{
}

} // namespace vq::ui
