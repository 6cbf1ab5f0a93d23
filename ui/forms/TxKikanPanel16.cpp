#include "ui/forms/TxKikanPanel16.h"

namespace vq::ui {

TxKikanPanel16::TxKikanPanel16(QWidget* parent)
    : KakuteiKikanPanel(16, parent)
    , periods_(16, -1)
{
    startWithCurrentYear();
}

void TxKikanPanel16::SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen)
{
    storeCalendar(simeDay, yearStart, yearEnd, firstOpen);
    const KikanLayout layout = kikanLayout16(simeDay, yearStart, yearEnd, firstOpen, kessan_, kikanMove_);
    lastNo_ = layout.lastNo;
    for (std::size_t i = 0; i < 16; ++i)
        periods_[i] = layout.cells[i].period;
    applyLayout(layout);
}

void TxKikanPanel16::setStno(int value)
{
    changeAndUpdate(stno_, value);
}

void TxKikanPanel16::setEdno(int value)
{
    value = std::min(value, lastNo_);
    changeAndUpdate(edno_, value);
}

void TxKikanPanel16::setDisabelColor(TColor value)
{
    changeAndUpdate(disabelColor_, value);
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

} // namespace vq::ui
