#pragma once
// The confirmation before a relay-server slot is deleted or released: the
// operator ticks "削除処理を実行します" (or the caption the caller set) and
// types the slot's password; OK closes with mrOk only when both are right.
// The caller puts the expected password into Label2 and may replace the
// caption, the tick box's caption and the hint line.
#include "ui/forms/TBSDI.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;

namespace vq::ui {
class TxEdit;
class TxPlButton;
}

namespace vq::comm {

class TfmTusinSettiPas : public ui::TBSDI {
    Q_OBJECT
public:
    explicit TfmTusinSettiPas(QWidget* parent = nullptr);

    // The caption, tick box and hint of the release of a stuck slot.
    void SetReleaseTexts();
    void btnOKClick();
    // Leaving the password edit: a text with a blank is refused.
    bool txtConPasswdExit();

    QCheckBox* CheckBox1 = nullptr;
    QLabel* Label16 = nullptr;
    ui::TxEdit* txtConPasswd = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    ui::TxPlButton* btnOK = nullptr;
    ui::TxPlButton* ESC = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vq::comm
