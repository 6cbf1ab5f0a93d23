#include "ui/forms/TxCheckBox.h"

#include "ui/FormFont.h"
#include "ui/forms/FocusMove.h"

#include <QKeyEvent>

namespace vq::ui {

TxCheckBox::TxCheckBox(QWidget* parent)
    : QCheckBox(parent)
{
    setFont(formFont());
}

TxCheckBox::TxCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
    setFont(formFont());
}

void TxCheckBox::keyPressEvent(QKeyEvent* event)
{
    const FocusMove move = plainKeyMove(navKeyOf(event), keyStyles_, noModifiers(event));
    if (move != FocusMove::None) {
        event->accept();
        moveFocus(this, move == FocusMove::Next);
        return;
    }
    QCheckBox::keyPressEvent(event);
}

} // namespace vq::ui
