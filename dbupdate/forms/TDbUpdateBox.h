#pragma once
// "データベースの更新": the update dialog. It shows the version test's state
// (the pending steps of the system or the data-set list, one row each, the
// selected step's description, the agreement box of a data-set update) and
// runs the update when the operator confirms. The state and the run live in
// the core (TDbVersionTest, TDbUpdateRun); the dialog only shows them.
//
// No screen of the program opens it: tools/run-dbupdate and `snap dbupdate`
// do. The modal result is 1 after a successful run, 4 after a refusal or a
// failure, 2 on cancel.
#include "dbupdate/DbUpdateRun.h"
#include "dbupdate/DbVersionTest.h"
#include "ui/forms/TBSDI.h"

#include <memory>

class QLabel;
class QFrame;
class QProgressBar;
class QTextEdit;
class QTreeWidget;

namespace vq::ui {
class TxAnimeProgressDialog;
class TxCheckBox;
class TxPlButton;
}

namespace vq {

class TDbUpdateBox : public ui::TBSDI {
    Q_OBJECT
public:
    explicit TDbUpdateBox(QWidget* parent = nullptr);
    ~TDbUpdateBox() override;

    // The state the dialog shows; tests and tools may replace its lists
    // before SetupUpdateList.
    TDbVersionTest State;

    // Mode 0 the system database, 1 the open data set; the version text
    // ("13.0.3"), or '' to read it from the open database.
    void SetupUpdateList(std::uint8_t mode, const std::string& versionText);
    bool FNeedUpdate() const { return State.FNeedUpdate; }
    bool FUpdated() const;
    TDbUpdateRun& Run();

    void ListView1SelectItem(int row);
    void cboxAgreeClick();
    void btnOkClick();
    void btnCancelClick();

    QLabel* ImageRed = nullptr;
    QLabel* ImageGrn = nullptr;
    QLabel* lblTitle1 = nullptr;
    QLabel* lblTitle2 = nullptr;
    QLabel* lblTitle3 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    ui::TxCheckBox* cboxAgree = nullptr;
    QFrame* pnlProgress = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    ui::TxPlButton* btnOk = nullptr;
    ui::TxPlButton* btnCancel = nullptr;
    ui::TxAnimeProgressDialog* xAnimeProgressDialog1 = nullptr;

protected:
    bool FormKeyUp(QKeyEvent* event) override;

private:
    class BoxRun;
    friend class BoxRun;
    void showRowStatus(int row);

    std::unique_ptr<BoxRun> run_;
};

} // namespace vq
