#pragma once
// Asks for one value: a text, a password, a choice from a list, an amount or
// a date range. The caller sets the fields, calls Apply and shows the dialog
// modally (again after another Apply, to change the prompt), then reads
// Value or Date1 and Date2.
#include "ui/Color.h"
#include "ui/forms/TBSDI.h"
#include "ui/forms/TxEdit.h"

#include <QStringList>

#include <string>

class QLabel;
class QWidget;

namespace vq::ui {

class TVorlenEdit;
class TVorlenExDateEdit;
class TxCheckBox;
class TxComboBox;
class TxPlButton;

class TInputDlgBox : public TBSDI {
    Q_OBJECT
public:
    explicit TInputDlgBox(QWidget* parent = nullptr);

    // 0 text, 1 password, 2 choice from Items, 3 amount, 4 date range.
    std::int32_t Mode = 0;
    std::string DlgCaption;
    std::string MainText;
    TColor MainColor = clWindowText;
    std::string Value;
    double Date1 = 0, MinDate1 = 0, MaxDate1 = 0;
    double Date2 = 0, MinDate2 = 0, MaxDate2 = 0;
    std::string InputHint;
    std::int32_t MaxLen = 0;
    TImeMode InputImeMode = imDontCare;
    // OK refuses an empty value (text and choice); a password is always required.
    bool Required = false;
    std::int32_t KeyFilter = 0;
    QStringList Items;

    // Lays the dialog out for Mode (flag is only kept) and ends the first placement.
    void Apply(int flag);
    // 10 number characters, 20 letters, 30 digits and letters, 40 no file-name
    // signs, 0 none; held to typed keys and pasted text alike.
    void SetKeyFilter(int kind);

    QLabel* lblMain = nullptr;
    QWidget* pnlText = nullptr;
    TxEdit* txtInput = nullptr;
    TxCheckBox* btnFuseji = nullptr;
    QWidget* pnlCombo = nullptr;
    TxComboBox* cmbInput = nullptr;
    QWidget* pnlKingaku = nullptr;
    TVorlenEdit* txtKingaku = nullptr;
    QWidget* pnlDate = nullptr;
    TVorlenExDateEdit* txtHizuke1 = nullptr;
    TVorlenExDateEdit* txtHizuke2 = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    TxPlButton* btnOK = nullptr;
    TxPlButton* btnCancel = nullptr;
    TxPlButton* btnHelp = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnOKClick();
    void btnFusejiClick();
    void showPanel(QWidget* panel);
    QWidget* inputControl() const;

    int flag_ = 0;
};

} // namespace vq::ui
