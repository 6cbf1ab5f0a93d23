#pragma once
// "データの持ち出し／持ち帰り": asks whether a server data set is taken out to
// this computer or brought back from it. A row that is taken out already
// (its operator lock is set) can only be brought back.
#include "ui/forms/TBSDI.h"

#include <cstdint>

class QPlainTextEdit;

namespace vq::ui {
class TxPlButton;
class TxRadioButton;
}

namespace vq {

class TWhichDataSetBox : public ui::TBSDI {
    Q_OBJECT
public:
    explicit TWhichDataSetBox(QWidget* parent = nullptr);

    bool Modal = false;
    std::int32_t Choice = 0;    // 0 take out, 1 bring back
    std::int32_t TakenOut = 0;  // 1: the row is locked already

    void PrepareShow(bool modal);
    void ApplySettings();
    void LoadHints();
    void btnOKClick();

    ui::TxRadioButton* btnMochidashi = nullptr;
    ui::TxRadioButton* btnMochikaeri = nullptr;
    ui::TxPlButton* btnOK = nullptr;
    ui::TxPlButton* btnCancel = nullptr;
    QPlainTextEdit* HintArea = nullptr;

protected:
    bool FormKeyUp(QKeyEvent* event) override;
    void FormShow() override;
};

} // namespace vq
