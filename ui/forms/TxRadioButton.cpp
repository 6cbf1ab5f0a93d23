#include "ui/forms/TxRadioButton.h"

#include "ui/FormFont.h"
#include "ui/forms/FocusMove.h"

#include <QKeyEvent>

namespace vq::ui {

TxRadioButton::TxRadioButton(QWidget* parent)
    : QRadioButton(parent)
{
    setFont(formFont());
}

TxRadioButton::TxRadioButton(const QString& text, QWidget* parent)
    : QRadioButton(text, parent)
{
    setFont(formFont());
}

void TxRadioButton::keyPressEvent(QKeyEvent* event)
{
    const FocusMove move = plainKeyMove(navKeyOf(event), keyStyles_, noModifiers(event));
    if (move != FocusMove::None) {
        event->accept();
        moveFocus(this, move == FocusMove::Next);
        return;
    }
    QRadioButton::keyPressEvent(event);
}

} // namespace vq::ui
