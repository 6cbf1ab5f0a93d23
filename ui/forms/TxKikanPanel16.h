#pragma once
// The 16-cell fiscal-period panel: three month cells, a quarter adjustment
// cell "・", ... and the year-end settlement cell "決", as the library's
// 16-period calendar lays a fiscal year out.
#include "ui/forms/KikanPanel.h"

namespace vq::ui {

class TxKikanPanel16 : public KakuteiKikanPanel {
    Q_OBJECT
public:
    explicit TxKikanPanel16(QWidget* parent = nullptr);

    void setStno(int value);
    // Held at LastNo.
    void setEdno(int value);
    TColor DisabelColor() const { return disabelColor_; }
    void setDisabelColor(TColor value);
    bool KESSAN() const { return kessan_; }
    void setKESSAN(bool value);
    // Period numbers (0-based in the 16-period calendar; 15 the settlement).
    int StMonthNo() const;
    int EdMonthNo() const;
    int LastNo() const { return lastNo_; }
    int periodOfCell(int cell) const;

    void SetKikan(int simeDay, double yearStart, double yearEnd, double firstOpen) override;

protected:
    QColor disabledSelection() const override { return toQColor(disabelColor_); }
    bool clearsKbdMouseOnEnter() const override { return true; }

private:
    TColor disabelColor_ = clSilver;
    bool kessan_ = true;
    int lastNo_ = 0;
    std::vector<int> periods_;
};

} // namespace vq::ui
