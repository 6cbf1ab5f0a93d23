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
#include "datasets/DataKensakuRec.h"
#include "datasets/DataSentakuKeys.h"
#include "datasets/DataSentakuList.h"
#include "datasets/forms/DataSetRowOperations.h"
#include "datasets/forms/TSentakuScreen.h"

#include <cstdint>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;

namespace vq {

class TDataPlaceBox;

class TDataSentakuBox : public TSentakuScreen {
    Q_OBJECT
public:
    explicit TDataSentakuBox(QWidget* parent = nullptr);
    ~TDataSentakuBox() override;

    // --- launch interface -------------------------------------------------
    void SetParams(const ui::ParamLines& lines) override;
    // 0..5; a larger value raises "処理タイプに範囲外の値が設定されました。".
    void SetSyoriType(std::int32_t value);
    std::int32_t SyoriType() const { return List.SyoriType; }
    void PrepareShow(bool modal) override;

    // --- the list -----------------------------------------------------------
    void InitList();
    std::int32_t LoadList();
    // Rebuilds the grid (-1) or the parent at display position index, then shows it.
    void FillGrid(std::int32_t index);
    void ScrollToPrevious();
    bool DataListRefresh(std::int32_t gridRow);
    void PerfectGrid1CellClick(int row, int col) override;
    void PerfectGrid1DblClick() override;
    void btnSearchClick(bool cancelButton) override;
    void btnListUpdateClick() override;
    void cmbDataManChange();
    void cmbDataManExit();
    void btnDataManClick();
    int CurrentRow() const { return List.Grid.CurrentRow; }

    // --- choosing and the row buttons ---------------------------------------
    void SetFunctionKeyCaptions() override;
    void ESCClick() override;
    void F1Click() override;
    void F2Click() override;
    void F3Click() override;
    void F4Click() override;
    void F5Click() override;
    void F6Click() override;
    void F7Click() override;
    void F8Click() override;
    void F12Click() override;
    std::int32_t CheckDataFolder(const std::string& folder);
    void btnKyoyuDataDownClick();
    void btnKyoyuDataUpClick();
    std::int32_t KyoyuDataGet(bool silent);
    std::int32_t KyoyuDataPut(bool silent);
    std::int32_t SyncSharedAuto(const std::string& direction);
    bool KyoyuDataSync();
    void btnCloudShareClick();
    void btnDataInfoClick() override;
    void cboxKyoyuDataAutoClick();
    void LoadHints();

    // --- fields -----------------------------------------------------------------
    bool CopyPending = false;
    std::string SelFolder;
    std::string SelPasName;
    std::string PrevFolder;
    bool ReselectOnShow = true;
    TDataKensakuRec Preset;
    bool Cancelled = false;
    std::string PlacePath;
    std::int32_t OnlySARestore = 0;
    std::string OnlySABackupPath;
    std::int32_t SavedAutoShared = 0;
    bool ManualFree = false;
    TDataSentakuList List;          // the store, rows, search, sort and grid data

    // --- controls -----------------------------------------------------------------
    QWidget* pnlDataMan = nullptr;
    QComboBox* cmbDataMan = nullptr;
    ui::TxPlButton* btnDataMan = nullptr;
    QCheckBox* cboxKyoyuDataAuto = nullptr;
    ui::TxPlButton* btnCloudShare = nullptr;
    ui::TxPlButton* btnKyoyuDataUp = nullptr;
    ui::TxPlButton* btnKyoyuDataDown = nullptr;

    // --- owned objects ---------------------------------------------------------------
    TDataPlaceBox* PlaceBox = nullptr;
    std::unique_ptr<TDataSetRowOperations> RowOps;
    std::int32_t SearchTag = 0;     // Tag of btnSearch: 1 with a search in force

protected:
    void FormShow() override;
    void FormClose() override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setupColumnsAndColours();
    bool formCloseQuery(int& result);
    void refreshAndRefocus(int row);
    void markBroken(int gridRow);
    void showKyoyuDone(int gridRow, bool taken);
    void showProgress(const char* caption, const char* label);
    void closeProgress();
    std::string gridHint() const;

    bool gridBeforeProgress_ = false;
    bool closeQueried_ = false;
    bool pasteHint_ = false;
};

// Registers the screen under "QzDataSenkaku"; the host calls it at start-up.
void RegisterDataSentakuBox();

} // namespace vq
