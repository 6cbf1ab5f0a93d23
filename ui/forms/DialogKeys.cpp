#include "ui/forms/DialogKeys.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>

#include "ui/ModalResult.h"
#include "ui/forms/TxPlButton.h"

namespace vq::ui {

DialogKeys::DialogKeys(QDialog* dialog, TxPlButton* ok, Escape escape)
    : QObject(dialog), dialog_(dialog), ok_(ok), escape_(escape)
{
    // The application sees a key before the focused control does; a filter
    // on the dialog alone would miss what a line edit takes for itself.
    qApp->installEventFilter(this);
}

DialogKeys::~DialogKeys()
{
    qApp->removeEventFilter(this);
}

bool DialogKeys::firstDelivery(QObject* watched) const
{
    // A key travels from the focused control up to the dialog; it is taken
    // once, where it starts: at the focused control of this dialog, or at the
    // dialog when none of its controls has the focus.
    QWidget* focus = QApplication::focusWidget();
    const bool focusHere = focus != nullptr && (focus == dialog_ || dialog_->isAncestorOf(focus));
    return focusHere ? watched == focus : watched == dialog_;
}

bool DialogKeys::released(QKeyEvent* key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (key->isAutoRepeat() || mods != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
        if (escape_ == Escape::Cancels)
            dialog_->done(mrCancel);
        return true;
    case Qt::Key_F12:
        if (ok_->isVisibleTo(dialog_) && ok_->isEnabled())
            ok_->Click();
        return true;
    default: return false;
    }
}

bool DialogKeys::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !dialog_->isVisible() ||
        !firstDelivery(watched))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress)
        return key->key() == Qt::Key_Escape;
    return released(key);
}

} // namespace vq::ui
