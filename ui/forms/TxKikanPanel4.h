#pragma once
// The quarter or half-year panel: BtnCnt cells, "1".."4" or "上", "下".
#include "ui/forms/KikanPanel.h"

namespace vq::ui {

class TxKikanPanel4 : public KikanPanel {
    Q_OBJECT
public:
    explicit TxKikanPanel4(QWidget* parent = nullptr);

    void setStno(int value);
    void setEdno(int value);
    int BtnCnt() const { return btnCnt_; }
    // Only 2 and 4 are taken.
    void setBtnCnt(int value);

    void SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen) override;

private:
    int btnCnt_ = 4;
};

} // namespace vq::ui
