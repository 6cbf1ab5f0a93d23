#pragma once
// "データの詳細情報": the description of the data set of one list row (status,
// folder, code, kind, names, fiscal year and period, person in charge,
// departments, branches and journal count). The operator renames the data
// set in the list, sets the switches "data update prohibited" (UPDATE_LOCK)
// and "journal entry prohibited" (READ_ONLY), clears a status an aborted
// program left behind, and rebuilds the database ([F7]).
//
// The dialog only asks: the caller sets the inputs, runs it and writes the
// results back to the data set, the list and its grid. The rebuild is the
// one change made here, since it must run while the operator watches; it
// goes through the rebuild engine, which replaces the database only with a
// sound new copy. The caller creates the dialog once and keeps it; closing
// only hides it.
#include "datasets/DataListRec.h"
#include "datasets/operations/DataSetBackupTool.h"
#include "foundation/dataset/DataInfomation.h"
#include "ui/forms/TBSDI.h"

#include <array>
#include <cstdint>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;

namespace vq::ui {
class TVorlenEdit;
class TxAnimeProgressDialog;
class TxPlButton;
}

namespace vq {

class TDataSyosaiInfoBox : public ui::TBSDI {
    Q_OBJECT
public:
    explicit TDataSyosaiInfoBox(QWidget* parent = nullptr);
    ~TDataSyosaiInfoBox() override;

    // --- inputs, set before PrepareShow ---------------------------------------
    bool FromSharedList = false;     // opened from the shared-data screen
    TDataListRec Row;                // the caller's list row
    std::string DataFolder;          // the data set's folder (case kept: paths are case-sensitive here)
    std::string ListName;            // the row's ENTTEXT; the new name after OK
    std::int32_t UpdateLock = 0;     // 0 or 1, both ways
    std::int32_t ReadOnly = 0;       // 0 or 1, both ways
    bool EditAllowed = true;         // False for a shared row kept on the share
    DataSetBackupTool Tool;          // how the rebuild backs up and restores

    // --- results ------------------------------------------------------------------
    bool ClearStatus = false;        // after OK: the status is to be set back to 1
    bool Rebuilt = false;            // the database was rebuilt, whatever the result

    // --- working fields ------------------------------------------------------------
    bool Modal = false;
    bool ClearAllowed = false;
    bool RebuildAllowed = false;
    TDataInfomation DataInfo;        // Location = the connection mode
    TDataInfomationRec InfoRec;      // the description read from the data set

    void PrepareShow(bool modal);
    void ApplySettings();
    void LoadHints();
    void SetFunctionKeyCaptions();
    void btnOKClick();
    // The handler of the key buttons F1-F7; only F7 "F7:再構築" acts.
    void F1Click(ui::TxPlButton* sender);
    // Backs the database up and restores it into a new file that replaces it
    // only when it is sound; True when it was rebuilt.
    bool RebuildData();

    // The caption the key F1..F7 (1..7) shows now.
    std::string KeyCaption(int key) const;

    // --- controls --------------------------------------------------------------------
    QGroupBox* grpKanri = nullptr;
    QLabel* lblStatus = nullptr;
    QPlainTextEdit* txtDataPath = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblDataSeigenMessage = nullptr;
    QCheckBox* cboxStatusClear = nullptr;
    QLabel* lblDataUpdateLock = nullptr;
    QCheckBox* cboxDataUpdateLock = nullptr;
    QLabel* lblDataReadOnly = nullptr;
    QCheckBox* cboxDataReadOnly = nullptr;
    QGroupBox* grpKihon = nullptr;
    QLabel* lblCode = nullptr;
    QLabel* lblDataKbn = nullptr;
    QLabel* lblName = nullptr;
    QLabel* lblKana = nullptr;
    ui::TVorlenEdit* txtListName = nullptr;
    QLabel* lblNendo = nullptr;
    QLabel* lblKikan = nullptr;
    QLabel* lblTanto = nullptr;
    QLabel* lblBumonKanri = nullptr;
    QLabel* lblSitenKanri = nullptr;
    QLabel* lblSiwakeKensu = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    std::array<ui::TxPlButton*, 7> Keys{};   // F1 ... F7
    ui::TxPlButton* btnOK = nullptr;
    ui::TxPlButton* btnCancel = nullptr;
    ui::TxAnimeProgressDialog* xAnimeProgressDialog1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool FormKeyUp(QKeyEvent* event) override;

private:
    void buildControls();
    void fillLabels();
    void setNameEditable(bool editable);
    void rebuild();
    bool attachedElsewhere();
};

// The name of a data kind (DATAKBN, CODEKBN) as the detail dialog shows it;
// "設定なし" for a pair without a name.
std::string DataKindText(std::int32_t dataKbn, std::int32_t codeKbn);

} // namespace vq
