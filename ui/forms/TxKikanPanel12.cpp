#include "ui/forms/TxKikanPanel12.h"

#include "foundation/FiscalCalendar.h"

#include <QApplication>

#include <algorithm>

namespace vq::ui {

TxKikanPanel12::TxKikanPanel12(QWidget* parent)
    : KikanPanel(12, parent)
{
    resizing_ = true;
    resize(242, 22);
    resizing_ = false;
    double start = 0, end = 0;
    defaultCalendarYear(start, end);
    SetKikan(SimeDayMonthEnd, start, end, start);
}

void TxKikanPanel12::SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen)
{
    if (!IsValidSimeDay(simeDay))
        QApplication::beep();
    simeDay_ = simeDay;
    yearStart_ = yearStart;
    yearEnd_ = yearEnd;
    firstOpen_ = firstOpen;
    const KikanLayout layout = kikanLayout12(simeDay, yearStart, yearEnd, firstOpen, kikanMove_);
    lastNo_ = layout.lastNo;
    applyLayout(layout);
}

void TxKikanPanel12::setRange(int st, int ed)
{
    st = std::clamp(st, 0, lastSel_);
    ed = std::clamp(ed, 0, lastSel_);
    if (st > ed)
        std::swap(st, ed);
    stno_ = anchor_ = st;
    edno_ = end_ = ed;
    UpdateCells();
}

void TxKikanPanel12::setStno(int value)
{
    if (stno_ != value)
        setRange(value, edno_);
}

void TxKikanPanel12::setEdno(int value)
{
    if (edno_ != value)
        setRange(stno_, value);
}

void TxKikanPanel12::setKakuteiMode(bool value)
{
    if (mode_ != value) {
        mode_ = value;
        UpdateCells();
    }
}

void TxKikanPanel12::setKakuteiMNo(int value)
{
    if (count_ != value) {
        count_ = value;
        UpdateCells();
    }
}

void TxKikanPanel12::setKakuteiBackColor(TColor value)
{
    if (back_ != value) {
        back_ = value;
        UpdateCells();
    }
}

void TxKikanPanel12::setKakuteiFontColor(TColor value)
{
    if (font_ != value) {
        font_ = value;
        UpdateCells();
    }
}

} // namespace vq::ui
