#include "ui/forms/TVorlenEdit.h"

#include "ui/FormFont.h"
#include "ui/KanaReading.h"
#include "ui/forms/FocusMove.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace vq::ui {

namespace {

bool floatStyle(TEditStyle s) { return s == esFloat || s == esFloatMinus; }
bool minusStyle(TEditStyle s) { return s == esNumericMinus || s == esFloatMinus; }

int commas(const QString& text)
{
    return CountOf(text, QStringLiteral(","));
}

} // namespace

TVorlenEdit::TVorlenEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setFont(formFont());
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
    setText(FormatFloat(outputFormat_, TextToCurr(s)));
    formatting_ = false;
}

void TVorlenEdit::InsertText(const QString& typed)
{
    QString s = typed;
    const int p = hasSelectedText() ? selectionStart() : cursorPosition();
    const int c1 = commas(text());
    QString t = text();
    if (hasSelectedText())
        t.remove(selectionStart(), selectedText().size());
    if (maxDigits_ > 0) {
        QString plain = t + s;
        plain.remove(QLatin1Char(','));
        const int excess = std::max(0, static_cast<int>(plain.size()) - maxDigits_);
        s.chop(std::min<qsizetype>(excess, s.size()));
    }
    t = t.left(p) + s + t.mid(p);
    setText(t);
    if (maxDigits_ > 0 && digitLength() >= maxDigits_) {
        autoNextResult_ |= acMaxLength;
        if (autoNext_ & acSendEnter)
            autoNextResult_ |= acSendEnter;
    }
    changed();
    setCursorPosition(p + static_cast<int>(s.size()) + (commas(text()) - c1));
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

void TVorlenEdit::pasteText()
{
    QString pasted = QApplication::clipboard()->text().trimmed();
    if (editStyle_ == esNone) {
        paste();
        return;
    }
    // Only a number the style allows is taken; anything else would turn the
    // field into 0 and lose what stood there.
    pasted.remove(QLatin1Char(','));
    if (pasted.isEmpty())
        return;
    for (const QChar c : pasted)
        if (FilterChar(c, editStyle_).isNull() || c.unicode() < 32)
            return;
    bool ok = false;
    pasted.toDouble(&ok);
    if (!ok)
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
            setText(CurrToStr(-TextToCurr(text())));
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
        if (!pasteLocked())
            pasteText();
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
    if (pasteLocked()) {
        event->accept();
        return;
    }
    QLineEdit::contextMenuEvent(event);
}

void TVorlenEdit::mousePressEvent(QMouseEvent* event)
{
    if (pasteLocked() && event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

} // namespace vq::ui
