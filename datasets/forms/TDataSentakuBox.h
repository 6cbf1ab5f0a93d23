#pragma once
// "データ選択": the data selection screen. It lists the data sets of the
// logged-on group (of the data place shown, in client/server and
// server-based mode), filters and sorts them, finds a row by typed code and
// hands the chosen data set back: its folder and PASNAME in the program's
// settings. Registered as "QzDataSenkaku" and started by name with
// name=value lines (processing type, preset search conditions, ...).
//
// The list itself lives in TDataSentakuList (core); this form shows its grid
// data through a table model and runs the handlers. The operations on a data
// set behind F2-F8 and the information button go through
// TDataSetRowOperations; the cloud share through TCloudShareComm.
#include "datasets/CloudShareComm.h"
#include "datasets/CloudShareIO.h"
#include "datasets/DataKensakuRec.h"
#include "datasets/DataSentakuKeys.h"
#include "datasets/DataSentakuList.h"
#include "datasets/forms/DataSetRowOperations.h"
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/TBSDI.h"

#include <QPixmap>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

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
class TDataPlaceBox;
class TDataSentakuGridModel;
class TDataSentakuGridView;

class TDataSentakuBox : public ui::TBSDI, public ui::ISyoriKidou {
    Q_OBJECT
public:
    explicit TDataSentakuBox(QWidget* parent = nullptr);
    ~TDataSentakuBox() override;

    // --- launch interface -------------------------------------------------
    std::int32_t Execute(bool modal) override;
    void SetParams(const ui::ParamLines& lines) override;
    // 0..5; a larger value raises "処理タイプに範囲外の値が設定されました。".
    void SetSyoriType(std::int32_t value);
    std::int32_t SyoriType() const { return List.SyoriType; }
    void PrepareShow(bool modal);

    // --- the list -----------------------------------------------------------
    void InitList();
    std::int32_t LoadList();
    // Rebuilds the grid (-1) or the parent at display position index, then shows it.
    void FillGrid(std::int32_t index);
    void ScrollToPrevious();
    bool DataListRefresh(std::int32_t gridRow);
    void PerfectGrid1CellClick(int row, int col);
    // A key typed into the grid, as a Windows virtual-key code.
    void PerfectGrid1KeyDown(int virtualKey);
    void IncSerchTimerTimer();
    void PerfectGrid1DblClick();
    void btnSearchClick(bool cancelButton);
    void btnListUpdateClick();
    void cmbDataManChange();
    void cmbDataManExit();
    void btnDataManClick();
    // Makes grid row current (column col) as a click would.
    void SelectRow(int row, int col = 0);
    int CurrentRow() const { return List.Grid.CurrentRow; }

    // --- choosing and the row buttons ---------------------------------------
    void SetFunctionKeyCaptions();
    void ESCClick();
    void F1Click();
    void F2Click();
    void F3Click();
    void F4Click();
    void F5Click();
    void F6Click();
    void F7Click();
    void F8Click();
    void F12Click();
    std::int32_t CheckDataFolder(const std::string& folder);
    void btnKyoyuDataDownClick();
    void btnKyoyuDataUpClick();
    std::int32_t KyoyuDataGet(bool silent);
    std::int32_t KyoyuDataPut(bool silent);
    std::int32_t SyncSharedAuto(const std::string& direction);
    bool KyoyuDataSync();
    void btnCloudShareClick();
    void btnDataInfoClick();
    void cboxKyoyuDataAutoClick();
    void LoadHints();
    // The caption the key shows now ("F12:選択", or bare "F12:").
    std::string KeyCaption(int key) const;

    // --- fields -----------------------------------------------------------------
    ui::ParamLines Params;
    bool Modal = false;
    std::int32_t RowState = 0;
    bool CopyPending = false;
    std::string SelFolder;
    std::string SelPasName;
    std::string PrevFolder;
    bool ReselectOnShow = true;
    TDataKensakuRec SavedSearch;
    TDataKensakuRec Preset;
    std::string IncText;
    bool Cancelled = false;
    std::string PlacePath;
    std::int32_t OnlySARestore = 0;
    std::string OnlySABackupPath;
    std::int32_t SavedAutoShared = 0;
    bool ManualFree = false;
    TDataSentakuList List;          // the store, rows, search, sort and grid data

    // --- controls -----------------------------------------------------------------
    QWidget* pnlClient = nullptr;
    QWidget* pnlDataMan = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbDataMan = nullptr;
    ui::TxPlButton* btnDataMan = nullptr;
    QCheckBox* cboxKyoyuDataAuto = nullptr;
    ui::TxPlButton* btnCloudShare = nullptr;
    ui::TxPlButton* btnKyoyuDataUp = nullptr;
    ui::TxPlButton* btnKyoyuDataDown = nullptr;
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
    TDataPlaceBox* PlaceBox = nullptr;
    std::unique_ptr<TCloudShareComm> DataTusin;
    std::unique_ptr<TCloudShareIO> CloudIO;
    std::unique_ptr<TDataSetRowOperations> RowOps;
    std::int32_t SearchTag = 0;     // Tag of btnSearch: 1 with a search in force

protected:
    bool FormKeyUp(QKeyEvent* event) override;
    void FormShow() override;
    void FormClose() override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setupColumnsAndColours();
    // Shows the grid data again (whole grid, or one row) and the current row.
    void showGrid();
    void showRow(int row);
    void onCurrentChanged(int row, int col, int previousRow);
    bool formCloseQuery(int& result);
    void refreshAndRefocus(int row);
    void markBroken(int gridRow);
    void showKyoyuDone(int gridRow, bool taken);
    bool gridActive() const;
    void showProgress(const char* caption, const char* label);
    void closeProgress();
    bool keyUsable(int key) const;
    std::string gridHint() const;

    bool gridActive_ = false;
    bool gridBeforeProgress_ = false;
    bool syncing_ = false;
    bool closeQueried_ = false;
    bool pasteHint_ = false;
};

// Registers the screen under "QzDataSenkaku"; the host calls it at start-up.
void RegisterDataSentakuBox();

} // namespace vq
