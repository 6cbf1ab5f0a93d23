#pragma once
// The 12-cell fiscal-period panel: one cell per month of the fiscal year.
#include "ui/forms/KikanPanel.h"

namespace vq::ui {

class TxKikanPanel12 : public KikanPanel, public KakuteiColours {
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
    void setKakuteiMode(bool value);
    void setKakuteiMNo(int value);
    void setKakuteiBackColor(TColor value);
    void setKakuteiFontColor(TColor value);

    void SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen) override;

protected:
    bool closedCell(int i) const override { return mode_ && i < count_; }
    QColor closedBack() const override { return toQColor(back_); }
    QColor closedText() const override { return toQColor(font_); }

private:
    void setRange(int st, int ed);
    int lastNo_ = 0;
};

} // namespace vq::ui
