#include "ui/forms/TxEdit.h"

#include "platform/Cp932.h"
#include "ui/FormFont.h"
#include "ui/KanaReading.h"
#include "ui/forms/EditContextMenu.h"
#include "ui/forms/FocusMove.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <cmath>

namespace vq::ui {

namespace {

// The reading buffer of the input method held 1,024 bytes; a longer reading
// is cut there rather than overrunning anything.
constexpr std::size_t readingLimit = 1024;

} // namespace

TxEdit::TxEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setFont(formFont());
}

void TxEdit::setAlignment(TAlignment value)
{
    alignment_ = value;
    switch (value) {
    case taLeftJustify: QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignVCenter); break;
    case taRightJustify: QLineEdit::setAlignment(Qt::AlignRight | Qt::AlignVCenter); break;
    case taCenter: QLineEdit::setAlignment(Qt::AlignHCenter | Qt::AlignVCenter); break;
    }
}

void TxEdit::setKeyEdit3D(TBorderStyle value)
{
    border_ = value;
    setFrame(value == bsSingle);
}

double TxEdit::Curr() const
{
    bool ok = false;
    const double v = text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0.0;
    // Amounts carry four decimals.
    return std::round(v * 10000.0) / 10000.0;
}

void TxEdit::setCurr(double value)
{
    if (value == 0.0)
        return;
    QString s = QString::number(std::round(value * 10000.0) / 10000.0, 'f', 4);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    setText(s);
}

int TxEdit::Long() const
{
    bool ok = false;
    const int v = text().trimmed().toInt(&ok);
    return ok ? v : 0;
}

void TxEdit::setLong(int value)
{
    if (value != 0)
        setText(QString::number(value));
}

std::string TxEdit::kana()
{
    reading_ = toKatakana(reading_);
    return toHalfWidth(reading_);
}

void TxEdit::setKana(const std::string& value)
{
    if (!value.empty())
        reading_ = vq::platform::cp932::cutBytes(value, readingLimit);
}

void TxEdit::setImeMode(TImeMode value)
{
    imeMode_ = value;
    setAttribute(Qt::WA_InputMethodEnabled, value != imDisable);
}

void TxEdit::appendReading(const QString& text)
{
    if (!capturing_ || text.isEmpty())
        return;
    reading_ = vq::platform::cp932::cutBytes(reading_ + text.toStdString(), readingLimit);
}

void TxEdit::keyPressEvent(QKeyEvent* event)
{
    if (pasteLocked() && (event->matches(QKeySequence::Paste) ||
                          (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier))) {
        event->accept();
        return;
    }
    const NavKey key = navKeyOf(event);
    if (key != NavKey::Other) {
        // A control standing alone (no form around it) keeps its keys.
        const bool hasForm = window() != this;
        const EditCaret caret{hasSelectedText() ? selectionStart() : cursorPosition(),
                              static_cast<int>(selectedText().size()), static_cast<int>(text().size())};
        const FocusMove move = editKeyMove(key, keyStyles_, noModifiers(event), caret);
        if (move != FocusMove::None && hasForm) {
            event->accept();
            moveFocus(this, move == FocusMove::Next);
            return;
        }
    }
    // Typed characters with the input method closed are part of the reading.
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).unicode() > 31 && typed.at(0).unicode() != 127 &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        appendReading(typed);
    QLineEdit::keyPressEvent(event);
}

void TxEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    // A mouse click places the caret itself right after this.
    switch (cursorPos_) {
    case cpAllSel: setSelection(0, static_cast<int>(text().size())); break;
    case cpLeft: setCursorPosition(0); break;
    case cpRight: setCursorPosition(static_cast<int>(text().size())); break;
    }
    reading_.clear();
    preedit_.clear();
    capturing_ = kanaSw_;
}

void TxEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        capturing_ = false;
}

void TxEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // The commit carries the converted text ("山田"); the reading is the kana
    // the operator typed, seen in the pre-edit before conversion.
    if (!event->preeditString().isEmpty())
        preedit_.preedit(event->preeditString());
    if (!event->commitString().isEmpty())
        appendReading(preedit_.commit(event->commitString()));
    QLineEdit::inputMethodEvent(event);
}

void TxEdit::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (!pasteLocked())
        execEditContextMenu(this, event->globalPos());
}

void TxEdit::mousePressEvent(QMouseEvent* event)
{
    if (pasteLocked() && event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TxEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the X11 selection.
    if (pasteLocked() && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TxEdit::dragEnterEvent(QDragEnterEvent* event)
{
    // Dropping text is pasting by another way.
    if (pasteLocked()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void TxEdit::dropEvent(QDropEvent* event)
{
    if (pasteLocked()) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

} // namespace vq::ui
