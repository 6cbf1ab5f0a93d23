#include "ui/forms/TxMaskEdit.h"

#include "ui/FormFont.h"
#include "ui/forms/FocusMove.h"

#include <QKeyEvent>

namespace vq::ui {

TxMaskEdit::TxMaskEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setFont(formFont());
}

void TxMaskEdit::keyPressEvent(QKeyEvent* event)
{
    const FocusMove move = plainKeyMove(navKeyOf(event), keyStyles_, noModifiers(event));
    if (move != FocusMove::None) {
        event->accept();
        moveFocus(this, move == FocusMove::Next);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace vq::ui
