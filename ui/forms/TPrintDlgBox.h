#pragma once
// The print-option dialog: black and white or colour (with the report-colour
// chooser), the number of the first page, duplex margins, and print, preview
// or copy. It works on the caller's TDefaultPrintRec and keeps the report's
// colours and choices per operator in the system database (STYLECOLOR).
// Lists derive from it and override Setup, ApplyOptions and LoadHints.
#include "ui/forms/TBSDI.h"

#include <string>

#include "print/DefaultPrintRec.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vq::ui {

class TxCheckBox;
class TxEdit;
class TxPlButton;
class TxRadioButton;

class TPrintDlgBox : public TBSDI {
    Q_OBJECT
public:
    explicit TPrintDlgBox(QWidget* parent = nullptr);
    ~TPrintDlgBox() override;

    // Set before Setup.
    print::TDefaultPrintRec* PrintRec = nullptr;
    bool UseStyleColor = false;     // read and write the report's STYLECOLOR row
    std::string DlgCaption;
    std::string MainText;
    QColor MainColor;
    bool ShowColor = false;
    bool ShowStartPage = false;
    bool ShowDuplex = false;
    bool ShowPreview = false;
    bool ShowCopy = false;
    // Read after the dialog: 0 none, 1 print, 2 preview, 3 copy.
    int PrintResult = 0;

    virtual void Setup(int flag);
    virtual void ApplyOptions();
    virtual void LoadHints();
    // "Hozon" saves the choices into the record's settings, "Fukugen" restores them.
    virtual void SaveRestoreSettings(const std::string& mode);

    void GetStyleColorRec();
    void PutStyleColorRec();
    std::string StyleName() const;

    // Controls (the derived lists and the tests reach them).
    QLabel* lblMain;
    QLabel* lblColor;
    QGroupBox* grpColor;
    TxRadioButton* btnMono;
    TxRadioButton* btnColor;
    QPushButton* btnColorSelect;
    QLabel* lblStartPage;
    TxEdit* txtStartPage;
    TxCheckBox* chkBoth;
    QPlainTextEdit* HintArea;
    TxPlButton* btnPreview;
    TxPlButton* btnCopy;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;

protected:
    // Gives control its two-part hint ("short|long"; the long part shows in HintArea).
    void setHint(QWidget* control, const std::string& twoPartHint);
    void showEvent(QShowEvent* event) override;
    void FormClose() override;

    int Flag = 0;

private:
    void finish(int result);
    void chooseColours();
};

} // namespace vq::ui
