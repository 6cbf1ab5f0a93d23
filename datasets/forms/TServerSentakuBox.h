#pragma once
// "共有データの選択": the shared-data screen. The operator picks a network
// drive that holds the share folder, sees one row per shared area (the
// children of consolidated data below their parent), copies and pastes a data
// set between areas, adds and deletes areas, and chooses an area with F12,
// Enter or a double click. The data selection screen creates one, shows it
// to bind a blank row to an area and keeps it (closing only hides it, so the
// sort survives); registered as "TServerSentakuBox" it can also be started by
// name (the parameter line "DriveLetter=X" picks the drive).
//
// The list lives in TServerSentakuList and the operations on areas in
// TServerAreaOperations (core); this form shows the grid and runs the handlers.
#include "datasets/CloudShareComm.h"
#include "datasets/CloudShareIO.h"
#include "datasets/DataKensakuRec.h"
#include "datasets/ServerAreaOperations.h"
#include "datasets/ServerSentakuList.h"
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/TBSDI.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class QWidget;

namespace vq::ui {
class TxAnimeProgressDialog;
class TxPlButton;
}

namespace vq {

class TDataListKensakuBox;
class TDataSyosaiInfoBox;
class TDataSentakuGridModel;
class TDataSentakuGridView;
class TServerSentakuBox;

// Another list print ([F8]) a host may install; without one the key prints
// the shared list through the data-list print.
using ServerPrintFunc = std::function<void(TServerSentakuBox& box)>;
ServerPrintFunc SetServerListPrint(ServerPrintFunc print);

class TServerSentakuBox : public ui::TBSDI, public ui::ISyoriKidou {
    Q_OBJECT
public:
    explicit TServerSentakuBox(QWidget* parent = nullptr);
    ~TServerSentakuBox() override;

    // --- launch interface ---------------------------------------------------------
    std::int32_t Execute(bool modal) override;
    void SetParams(const ui::ParamLines& lines) override;
    // Before every showing; DriveLetter is set to the drive last used.
    void PrepareShow(bool modal);

    // --- services of the data selection screen ------------------------------
    void UpdateRowInfo(const TDataListRec& row) { List.UpdateRowInfo(row); }
    bool SetShareStatus(const std::string& folder, std::uint8_t status) { return List.SetShareStatus(folder, status); }

    // --- the list -----------------------------------------------------------
    void InitList();
    void LoadDrives();
    void cmbDriveChange();
    void RebuildList();
    void PerfectGrid1CellClick(int row, int col);
    void PerfectGrid1DblClick();
    void PerfectGrid1KeyDown(int virtualKey);
    void IncSerchTimerTimer();
    void btnSearchClick(bool cancelButton);
    void btnDataInfoClick();
    void btnListUpdateClick();
    void btnMountClick();
    void cboxDataListUpdateClick();
    void SelectRow(int row, int col = SvColName);
    // Picks the drive entry of letter as the operator would.
    void ChooseDrive(char letter);

    // --- keys -----------------------------------------------------------------
    void SetFunctionKeyCaptions();
    void LoadHints();
    void ESCClick();
    void F1Click();
    void F2Click();
    void F4Click();
    void F5Click();
    void F8Click();
    void F12Click();
    std::string KeyCaption(int key) const;
    bool PastePending() const { return Ops.PastePending(); }

    // --- fields -----------------------------------------------------------------
    ui::ParamLines Params;
    bool Modal = false;
    std::string DriveLetter;        // set before showing, read back after a choice
    std::vector<char> DriveLetters; // the letter of each drive entry (0: none)
    std::string SelPasName;
    std::string SelName;
    std::int32_t RowState = 0;
    TDataKensakuRec SavedSearch;
    std::string IncText;
    TServerSentakuList List;
    TServerAreaOperations Ops{List};

    // --- controls ---------------------------------------------------------------
    QWidget* pnlClient = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbDrive = nullptr;
    QCheckBox* cboxDataListUpdate = nullptr;
    ui::TxPlButton* btnMount = nullptr;
    ui::TxPlButton* btnSearchCancel = nullptr;
    ui::TxPlButton* btnSearch = nullptr;
    ui::TxPlButton* btnDataInfo = nullptr;
    ui::TxPlButton* btnListUpdate = nullptr;
    TDataSentakuGridView* PerfectGrid1 = nullptr;
    TDataSentakuGridModel* GridModel = nullptr;
    QWidget* pnlBottom = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    std::array<ui::TxPlButton*, 10> Keys{};   // ESC, F1 ... F8, F12
    QLineEdit* txtIncSerch = nullptr;
    QTimer* IncSerchTimer = nullptr;
    ui::TxAnimeProgressDialog* xAnimeProgressDialog1 = nullptr;

    // --- owned objects ---------------------------------------------------------------
    TDataListKensakuBox* SearchBox = nullptr;
    TDataSyosaiInfoBox* InfoBox = nullptr;
    std::unique_ptr<TCloudShareComm> DataTusin;
    std::unique_ptr<TCloudShareIO> CloudIO;

protected:
    bool FormKeyUp(QKeyEvent* event) override;
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void showGrid();
    void onCurrentChanged(int row, int col, int previousRow);
    bool gridActive() const;
    bool keyUsable(int key) const;
    void afterKey();
    void showProgress(const char* caption, const char* label, bool cancel);
    void closeProgress();
    void reloadShown(bool rebuildWhenEmpty);

    bool gridActive_ = false;
    bool syncing_ = false;
    std::string gridHint_;
};

// Registers the screen under "TServerSentakuBox".
void RegisterServerSentakuBox();

} // namespace vq
