#pragma once
// A message with a coloured main text, an optional scrolling list of detail
// lines and an optional agreement check box, with OK and Cancel (or a single
// OK). Shown through ShowMessageBox, or made directly by callers that fill
// its fields and call Apply and SetLines.
#include "ui/Color.h"
#include "ui/forms/TBSDI.h"

#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace vq::ui {

class TxCheckBox;
class TxPlButton;

enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };

struct TMessageInfoRec {
    // 1 one OK button; 2 agreement box shown, OK only while it is ticked;
    // 3 agreement box shown, not required; other values OK and Cancel.
    std::int32_t Kind = 0;
    TPosition Position = poOwnerFormCenter;
    std::string Caption;
    std::string MainText;
    TColor MainColor = clRed;
    std::vector<std::string> Lines;
    std::string AgreeCaption;
};

void InitMessageInfo(TMessageInfoRec& info);
// Shows the message modally over parent; the button's result (mrOk, mrCancel).
int ShowMessageBox(TMessageInfoRec& info, QWidget* parent = nullptr);

class TMessageBox : public TBSDI {
    Q_OBJECT
public:
    explicit TMessageBox(QWidget* parent = nullptr);

    std::int32_t Kind = 0;
    std::string Caption;
    std::string MainText;
    TColor MainColor = clWindowText;
    std::string AgreeCaption = "同意する";
    bool Agreed = false;

    void SetLines(const std::vector<std::string>& lines);
    // Lays the dialog out from its fields (flag is only kept).
    void Apply(int flag);

    QLabel* lblMain = nullptr;
    QPlainTextEdit* MessageArea = nullptr;
    TxCheckBox* cboxAgree = nullptr;
    TxPlButton* btnOK = nullptr;
    TxPlButton* btnCancel = nullptr;

protected:
    void FormShow() override;
    void showEvent(QShowEvent* event) override;

private:
    std::vector<std::string> lines_;
    int flag_ = 0;
};

} // namespace vq::ui
