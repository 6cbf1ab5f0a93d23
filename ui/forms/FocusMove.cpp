#include "ui/forms/FocusMove.h"

#include <QKeyEvent>
#include <QRadioButton>
#include <QWidget>

namespace vq::ui {

namespace {

// In a group of radio buttons only the chosen one is a tab stop.
bool isUnchosenRadio(QWidget* w)
{
    auto* radio = qobject_cast<QRadioButton*>(w);
    if (!radio || !radio->autoExclusive() || radio->isChecked() || !radio->parentWidget())
        return false;
    const auto siblings = radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (auto* s : siblings)
        if (s != radio && s->autoExclusive() && s->isChecked())
            return true;
    return false;
}

bool takesTabFocus(QWidget* w, QWidget* window)
{
    return !isUnchosenRadio(w) && w->window() == window && !w->focusProxy() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
           w->isVisibleTo(window) && w->isEnabled();
}

} // namespace

bool moveFocus(QWidget* control, bool next)
{
    if (!control)
        return false;
    QWidget* window = control->window();
    if (window == control)
        return false;
    // Start from the widget that holds the focus inside the control (the edit
    // part of a combo box), so the walk leaves the control as a whole.
    QWidget* from = control;
    QWidget* w = from;
    for (;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from)
            return false;
        if (w == control || control->isAncestorOf(w))
            continue;
        if (takesTabFocus(w, window)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

bool applyFocusMove(QWidget* control, FocusMove move)
{
    if (move == FocusMove::None)
        return false;
    moveFocus(control, move == FocusMove::Next);
    return true;
}

bool takeKeyStyleMove(QWidget* control, QKeyEvent* event, TKeyStyles styles)
{
    const FocusMove move = plainKeyMove(navKeyOf(event), styles, noModifiers(event));
    if (move == FocusMove::None)
        return false;
    event->accept();
    moveFocus(control, move == FocusMove::Next);
    return true;
}

NavKey navKeyOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Ctrl+Enter types a line feed and Alt+Enter is a system key: neither
        // is the Enter character that moves on.
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return NavKey::Other;
        return NavKey::Enter;
    case Qt::Key_Left:
        return NavKey::Left;
    case Qt::Key_Up:
        return NavKey::Up;
    case Qt::Key_Right:
        return NavKey::Right;
    case Qt::Key_Down:
        return NavKey::Down;
    default:
        return NavKey::Other;
    }
}

bool noModifiers(const QKeyEvent* event)
{
    return (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
           Qt::NoModifier;
}

} // namespace vq::ui
