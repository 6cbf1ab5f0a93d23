#include "ui/forms/TVorlenDateEdit.h"

#include <QFocusEvent>
#include <QTimer>
#include <QtGlobal>

namespace vq::ui {

TVorlenDateEdit::TVorlenDateEdit(QWidget* parent)
    : TxMaskEdit(parent)
{
    applyLayout();
}

void TVorlenDateEdit::setDate(double value)
{
    date_ = value;
    showDate();
}

void TVorlenDateEdit::setStartDate(double value)
{
    start_ = value;
    holdEnd();
    setDate(value);
}

void TVorlenDateEdit::setEndDate(double value)
{
    end_ = value;
    holdEnd();
}

void TVorlenDateEdit::setStyle(int value)
{
    if (!plainDateStyleAccepted(value)) {
        // A screen built with a style the editor cannot take yet is the
        // developer's mistake; the operator keeps a working editor.
        qWarning("%s", plainDateStyleMessage);
        return;
    }
    config_.style = value;
    applyLayout();
    holdEnd();
}

void TVorlenDateEdit::setEra(bool value)
{
    config_.era = value;
    applyLayout();
    holdEnd();
}

void TVorlenDateEdit::setTwoDigitYear(bool value)
{
    config_.twoDigitYear = value;
    applyLayout();
}

void TVorlenDateEdit::setInputPosition(int value)
{
    inputPosition_ = plainDateInputPosition(config_.style, value);
}

void TVorlenDateEdit::setUseWarekiTable(bool value)
{
    config_.useWarekiTable = value;
    config_.table.clear();
    showDate();
}

void TVorlenDateEdit::SetWarekiTable(const TGengoArray& table)
{
    config_.table = table;
    showDate();
}

QString TVorlenDateEdit::ShortDateFormat() const
{
    return QString::fromStdString(plainDateShortFormat(plainDateTwoDigit(config_)));
}

void TVorlenDateEdit::applyLayout()
{
    const std::string mask = plainDateEditMask(config_.style, plainDateTwoDigit(config_));
    editMask_ = QString::fromStdString(mask);
    setInputMask(QString::fromStdString(qtInputMask(mask)));
    inputPosition_ = plainDateInputPosition(config_.style, inputPosition_);
    showDate();
}

void TVorlenDateEdit::holdEnd()
{
    end_ = plainDateHeldEnd(config_, start_, end_);
}

void TVorlenDateEdit::showDate()
{
    setText(date_ > 0 ? QString::fromStdString(plainDateText(config_, date_)) : QString());
}

void TVorlenDateEdit::focusInEvent(QFocusEvent* event)
{
    TxMaskEdit::focusInEvent(event);
    // QLineEdit places the caret after focus-in handling; start typing at the
    // chosen part once that is done.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            setCursorPosition(plainDateCaretOffset(config_.style, plainDateTwoDigit(config_), inputPosition_));
    });
}

} // namespace vq::ui
