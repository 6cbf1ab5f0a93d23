#include "ui/forms/TxKikanPanel16.h"

#include "foundation/FiscalCalendar.h"

#include <QApplication>

namespace vq::ui {

TxKikanPanel16::TxKikanPanel16(QWidget* parent)
    : KikanPanel(16, parent)
    , periods_(16, -1)
{
    resizing_ = true;
    resize(242, 22);
    resizing_ = false;
    double start = 0, end = 0;
    defaultCalendarYear(start, end);
    SetKikan(SimeDayMonthEnd, start, end, start);
}

void TxKikanPanel16::SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen)
{
    // A closing day the calendar does not know only beeps; the dates are then
    // taken as they are.
    if (!IsValidSimeDay(simeDay))
        QApplication::beep();
    simeDay_ = simeDay;
    yearStart_ = yearStart;
    yearEnd_ = yearEnd;
    firstOpen_ = firstOpen;
    const KikanLayout layout = kikanLayout16(simeDay, yearStart, yearEnd, firstOpen, kessan_, kikanMove_);
    lastNo_ = layout.lastNo;
    for (std::size_t i = 0; i < 16; ++i)
        periods_[i] = layout.cells[i].period;
    applyLayout(layout);
}

void TxKikanPanel16::setStno(int value)
{
    if (stno_ == value)
        return;
    stno_ = value;
    UpdateCells();
}

void TxKikanPanel16::setEdno(int value)
{
    value = std::min(value, lastNo_);
    if (edno_ == value)
        return;
    edno_ = value;
    UpdateCells();
}

void TxKikanPanel16::setDisabelColor(TColor value)
{
    if (disabelColor_ != value) {
        disabelColor_ = value;
        UpdateCells();
    }
}

void TxKikanPanel16::setKESSAN(bool value)
{
    if (kessan_ == value)
        return;
    kessan_ = value;
    if (!value) {
        if (lastSel_ >= 0 && lastSel_ < 16) {
            cell(lastSel_)->setCellEnabled(false);
            cell(lastSel_)->clear();
        }
        --lastSel_;
    } else {
        ++lastSel_;
        if (lastSel_ >= 0 && lastSel_ < 16) {
            cell(lastSel_)->setCellEnabled(true);
            cell(lastSel_)->setText(QStringLiteral("決"));
        }
    }
    UpdateCells();
}

int TxKikanPanel16::periodOfCell(int c) const
{
    return (c >= 0 && c < 16) ? periods_[static_cast<std::size_t>(c)] : c;
}

int TxKikanPanel16::StMonthNo() const
{
    return periodOfCell(stno_);
}

int TxKikanPanel16::EdMonthNo() const
{
    return periodOfCell(edno_);
}

void TxKikanPanel16::setKakuteiMode(bool value)
{
    if (mode_ != value) {
        mode_ = value;
        UpdateCells();
    }
}

void TxKikanPanel16::setKakuteiMNo(int value)
{
    if (count_ != value) {
        count_ = value;
        UpdateCells();
    }
}

void TxKikanPanel16::setKakuteiBackColor(TColor value)
{
    if (back_ != value) {
        back_ = value;
        UpdateCells();
    }
}

void TxKikanPanel16::setKakuteiFontColor(TColor value)
{
    if (font_ != value) {
        font_ = value;
        UpdateCells();
    }
}

} // namespace vq::ui
