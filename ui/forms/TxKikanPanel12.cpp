#include "ui/forms/TxKikanPanel12.h"

#include <algorithm>

namespace vq::ui {

TxKikanPanel12::TxKikanPanel12(QWidget* parent)
    : KakuteiKikanPanel(12, parent)
{
    startWithCurrentYear();
}

void TxKikanPanel12::SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen)
{
    storeCalendar(simeDay, yearStart, yearEnd, firstOpen);
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

} // namespace vq::ui
