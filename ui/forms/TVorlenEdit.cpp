#include "ui/forms/TVorlenEdit.h"

#include "ui/FormFont.h"
#include "ui/KanaReading.h"
#include "ui/forms/EditContextMenu.h"
#include "ui/forms/FocusMove.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

namespace vq::ui {

namespace {

bool floatStyle(TEditStyle s) { return s == esFloat || s == esFloatMinus; }
bool minusStyle(TEditStyle s) { return s == esNumericMinus || s == esFloatMinus; }

int commas(const QString& text)
{
    return CountOf(text, QStringLiteral(","));
}

// The edit's one rule for its text, applied by the line edit itself to
// whatever the operator puts in: keys, pasting by any way, dropping, the
// input method. A change that breaks it is undone as a whole.
class TextRule : public QValidator {
public:
    explicit TextRule(TVorlenEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int&) const override
    {
        return AmountTextAllowed(input, edit_->EditStyle(), edit_->MaxLength()) ? Acceptable : Invalid;
    }

private:
    TVorlenEdit* edit_;
};

} // namespace

TVorlenEdit::TVorlenEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setFont(formFont());
    setValidator(new TextRule(this));
    connect(this, &QLineEdit::textEdited, this, [this] { changed(); });
}

void TVorlenEdit::setAlignment(TAlignment value)
{
    alignment_ = value;
    switch (value) {
    case taLeftJustify: QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignVCenter); break;
    case taRightJustify: QLineEdit::setAlignment(Qt::AlignRight | Qt::AlignVCenter); break;
    case taCenter: QLineEdit::setAlignment(Qt::AlignHCenter | Qt::AlignVCenter); break;
    }
}

void TVorlenEdit::setComma(bool value)
{
    comma_ = value;
}

void TVorlenEdit::setImeMode(TImeMode value)
{
    imeMode_ = value;
    setAttribute(Qt::WA_InputMethodEnabled, value != imDisable);
}

void TVorlenEdit::setMaxLength(int value)
{
    maxDigits_ = value < 0 ? 0 : value;
}

int TVorlenEdit::digitLength() const
{
    QString t = text();
    if (comma_)
        t.remove(QLatin1Char(','));
    return static_cast<int>(t.size());
}

QChar TVorlenEdit::zeroChar(TZeroKey key) const
{
    switch (key) {
    case zkDot: return QLatin1Char('.');
    case zkPlus: return QLatin1Char('+');
    case zkMinus: return QLatin1Char('-');
    case zkAsterisk: return QLatin1Char('*');
    case zkSlash: return QLatin1Char('/');
    default: return QChar(0);
    }
}

void TVorlenEdit::moveOn(bool next)
{
    moveFocus(this, next);
}

void TVorlenEdit::ApplyFormat(const QString& s)
{
    if (editStyle_ == esNone || outputFormat_.isEmpty() || (allowBlank_ && s.isEmpty()))
        return;
    formatting_ = true;
    setText(FormatAmountText(outputFormat_, s));
    formatting_ = false;
}

TVorlenEdit::Insertion TVorlenEdit::insertion(const QString& typed) const
{
    Insertion in{text(), hasSelectedText() ? selectionStart() : cursorPosition(), typed};
    if (hasSelectedText())
        in.text.remove(selectionStart(), selectedText().size());
    if (maxDigits_ > 0) {
        QString plain = in.text + in.piece;
        plain.remove(QLatin1Char(','));
        const int excess = std::max(0, static_cast<int>(plain.size()) - maxDigits_);
        in.piece.chop(std::min<qsizetype>(excess, in.piece.size()));
    }
    in.text = in.text.left(in.at) + in.piece + in.text.mid(in.at);
    return in;
}

void TVorlenEdit::InsertText(const QString& typed)
{
    const int c1 = commas(text());
    const Insertion in = insertion(typed);
    setText(in.text);
    if (maxDigits_ > 0 && digitLength() >= maxDigits_) {
        autoNextResult_ |= acMaxLength;
        if (autoNext_ & acSendEnter)
            autoNextResult_ |= acSendEnter;
    }
    changed();
    setCursorPosition(in.at + static_cast<int>(in.piece.size()) + (commas(text()) - c1));
}

void TVorlenEdit::changed()
{
    if (formatting_ || !comma_ || !typing_)
        return;
    typing_ = false;
    // A lone minus sign waits for its digits.
    if (text() == QLatin1String("-"))
        return;
    const int p = cursorPosition();
    const int n = static_cast<int>(text().size());
    const int c1 = commas(text());
    ApplyFormat(text());
    const int c2 = commas(text());
    int caret = p;
    if (n == 0 || c2 > c1)
        caret = p + 1;
    else if (c2 < c1)
        caret = p - 1;
    setCursorPosition(std::clamp(caret, 0, static_cast<int>(text().size())));
}

void TVorlenEdit::pasteText(QClipboard::Mode mode)
{
    if (isReadOnly() || pasteLocked())
        return;
    QString pasted = QApplication::clipboard()->text(mode);
    pasted.remove(QLatin1Char('\r'));
    pasted.remove(QLatin1Char('\n'));
    if (editStyle_ != esNone) {
        // An amount copied from elsewhere comes with blanks and separators;
        // what is left must be characters the style takes.
        pasted = pasted.trimmed();
        pasted.remove(QLatin1Char(','));
        for (const QChar c : pasted)
            if (FilterChar(c, editStyle_).isNull() || c.unicode() < 32)
                return;
    }
    // A paste that would not leave a number of the style is refused whole:
    // the field keeps what stood there.
    if (pasted.isEmpty() || !AmountTextAllowed(insertion(pasted).text, editStyle_, maxDigits_))
        return;
    typing_ = true;
    InsertText(pasted);
}

bool TVorlenEdit::keyDown(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool none = mods == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
        if (none && (autoNext_ & acTabKey)) {
            autoNextResult_ |= acTabKey | acSendEnter;
            return true;
        }
        if (none) {
            moveOn(true);
            return true;
        }
        return false;
    case Qt::Key_Backtab:
        moveOn(false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (keyStyles_.contains(ksEnter)) {
            moveOn(true);
            return true;
        }
        return false;
    case Qt::Key_Up:
        if (keyStyles_.contains(ksUp)) {
            moveOn(false);
            return true;
        }
        return false;
    case Qt::Key_Down:
        if (none && (autoNext_ & acDownKey)) {
            autoNextResult_ |= acDownKey | acSendEnter;
            return true;
        }
        if (keyStyles_.contains(ksDown)) {
            moveOn(true);
            return true;
        }
        return false;
    case Qt::Key_Left:
        if (keyStyles_.contains(ksLeft) && !hasSelectedText() && cursorPosition() == 0) {
            moveOn(false);
            return true;
        }
        return false;
    case Qt::Key_Right:
        if (keyStyles_.contains(ksRight) && !hasSelectedText() && cursorPosition() == text().size()) {
            moveOn(true);
            return true;
        }
        return false;
    default: return false;
    }
}

bool TVorlenEdit::keyPress(QChar key, QKeyEvent* event)
{
    if (editStyle_ != esNone) {
        const bool skip2 = (zero2_ == zkDot && floatStyle(editStyle_)) || (zero2_ == zkMinus && minusStyle(editStyle_));
        const bool skip3 = (zero3_ == zkDot && floatStyle(editStyle_)) || (zero3_ == zkMinus && minusStyle(editStyle_));
        if (!skip2 && zero2_ != zkNone && key == zeroChar(zero2_)) {
            InsertText(QStringLiteral("00"));
            return true;
        }
        if (!skip3 && zero3_ != zkNone && key == zeroChar(zero3_)) {
            InsertText(QStringLiteral("000"));
            return true;
        }
        if (FilterChar(key, editStyle_).isNull())
            return true;
        if (key == u'-' && minusStyle(editStyle_) && HasNonZeroValue(text())) {
            // The sign goes only where the digit limit leaves room for it.
            const QString negated = NegatedAmountText(text());
            if (!AmountTextAllowed(negated, editStyle_, maxDigits_))
                return true;
            setText(negated);
            setCursorPosition(static_cast<int>(text().size()));
            changed();
            setCursorPosition(static_cast<int>(text().size()));
            return true;
        }
        if (key == u'.' && floatStyle(editStyle_) && EmptyOrHasPoint(text()))
            return true;
    }
    if (key.unicode() == 8 || key.unicode() == 27 || key.unicode() == 130) {
        autoNextResult_ = 0;
        return key.unicode() == 27;
    }
    autoNextResult_ &= static_cast<TAutoNextCtls>(~(acMaxLength | acSendEnter));
    const int selected = static_cast<int>(selectedText().remove(QLatin1Char(',')).size());
    if (maxDigits_ > 0 && digitLength() + 1 - selected > maxDigits_)
        return true;   // the field is full
    if ((autoNext_ & acMaxLength) && maxDigits_ > 0 && digitLength() + 1 - selected >= maxDigits_) {
        autoNextResult_ |= acMaxLength;
        if (autoNext_ & acSendEnter) {
            autoNextResult_ |= acSendEnter;
            return false;
        }
        InsertText(QString(key));
        moveOn(true);
        return true;
    }
    (void)event;
    return false;
}

bool TVorlenEdit::event(QEvent* e)
{
    // The edit wants Tab itself (it moves on or reports it).
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void TVorlenEdit::keyPressEvent(QKeyEvent* event)
{
    const bool pasteKey = event->matches(QKeySequence::Paste) ||
                          (event->key() == Qt::Key_Insert && (event->modifiers() & Qt::ShiftModifier));
    if (pasteKey) {
        event->accept();
        pasteText(QClipboard::Clipboard);
        return;
    }
    const int k = event->key();
    typing_ = !(k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Return || k == Qt::Key_Enter ||
                k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_Left || k == Qt::Key_Right);
    if (keyDown(event)) {
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool plainChar = typed.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plainChar) {
        const QChar key = typed.at(0);
        if (key.unicode() >= 32 && kanaMode_ != kmNone && !imeOn_)
            appendReading(QString(key));
        if (keyPress(key, event)) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TVorlenEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    autoNextResult_ = 0;
    preedit_.clear();
    if (editStyle_ != esNone && !outputFormat_.isEmpty() && !comma_) {
        QString t = text();
        t.remove(QLatin1Char(','));
        setText(t);
        selectAll();
    }
}

void TVorlenEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    ApplyFormat(text());
    autoNextResult_ = 0;
}

void TVorlenEdit::appendReading(const QString& piece)
{
    if (kanaMode_ == kmNone || piece.isEmpty())
        return;
    std::string reading = toKatakana((kana_ + piece).toStdString());
    if (kanaMode_ == kmHankaku)
        reading = toHalfWidth(reading);
    kana_ = QString::fromStdString(reading);
}

void TVorlenEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const bool composing = !event->preeditString().isEmpty();
    if (composing != imeOn_) {
        imeOn_ = composing;
        emit imeStatusChanged();
    }
    if (composing)
        preedit_.preedit(event->preeditString());
    if (!event->commitString().isEmpty())
        appendReading(preedit_.commit(event->commitString()));
    QLineEdit::inputMethodEvent(event);
}

void TVorlenEdit::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (!pasteLocked())
        execEditContextMenu(this, event->globalPos(), [this] { pasteText(QClipboard::Clipboard); });
}

void TVorlenEdit::mousePressEvent(QMouseEvent* event)
{
    if (pasteLocked() && event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TVorlenEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection of the window system, through
    // the same filter as every other paste.
    if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        event->accept();
        deselect();
        pasteText(QClipboard::Selection);
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace vq::ui
