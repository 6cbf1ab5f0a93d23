#include "ui/forms/DialogKeys.h"

#include <QDialog>
#include <QKeyEvent>

#include "ui/ModalResult.h"
#include "ui/forms/TxPlButton.h"

namespace vq::ui {

bool swallowEscapePress(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    event->accept();
    return true;
}

bool handleCancelOkRelease(QDialog* dialog, QKeyEvent* event, TxPlButton* ok)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        dialog->done(mrCancel);
        return true;
    case Qt::Key_F12:
        event->accept();
        if (ok->isEnabled())
            ok->Click();
        return true;
    default:
        return false;
    }
}

} // namespace vq::ui
