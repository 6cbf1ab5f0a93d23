#pragma once
// The 12-cell fiscal-period panel: one cell per month of the fiscal year.
#include "ui/forms/KikanPanel.h"

namespace vq::ui {

class TxKikanPanel12 : public KakuteiKikanPanel {
    Q_OBJECT
public:
    explicit TxKikanPanel12(QWidget* parent = nullptr);

    // Both held within the selectable cells and put in order.
    void setStno(int value);
    void setEdno(int value);
    // Period numbers in the 16-period calendar (cell 3 is period 4).
    int StMonNo() const { return periodOfCell12(stno_); }
    int EdMonNo() const { return periodOfCell12(edno_); }
    int LastNo() const { return lastNo_; }

    void SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen) override;

private:
    void setRange(int st, int ed);
    int lastNo_ = 0;
};

} // namespace vq::ui
