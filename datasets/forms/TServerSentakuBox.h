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
#include "datasets/ServerAreaOperations.h"
#include "datasets/ServerSentakuList.h"
#include "datasets/forms/TSentakuScreen.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;

namespace vq {

class TDataSyosaiInfoBox;
class TServerSentakuBox;

// Another list print ([F8]) a host may install; without one the key prints
// the shared list through the data-list print.
using ServerPrintFunc = std::function<void(TServerSentakuBox& box)>;
ServerPrintFunc SetServerListPrint(ServerPrintFunc print);

class TServerSentakuBox : public TSentakuScreen {
    Q_OBJECT
public:
    explicit TServerSentakuBox(QWidget* parent = nullptr);
    ~TServerSentakuBox() override;

    // --- launch interface ---------------------------------------------------------
    void SetParams(const ui::ParamLines& lines) override;
    // Before every showing; DriveLetter is set to the drive last used.
    void PrepareShow(bool modal) override;

    // --- services of the data selection screen ------------------------------
    void UpdateRowInfo(const TDataListRec& row) { List.UpdateRowInfo(row); }
    bool SetShareStatus(const std::string& folder, std::uint8_t status) { return List.SetShareStatus(folder, status); }

    // --- the list -----------------------------------------------------------
    void InitList();
    void LoadDrives();
    void cmbDriveChange();
    void RebuildList();
    void PerfectGrid1CellClick(int row, int col) override;
    void PerfectGrid1DblClick() override;
    void btnSearchClick(bool cancelButton) override;
    void btnDataInfoClick() override;
    void btnListUpdateClick() override;
    void btnMountClick();
    void cboxDataListUpdateClick();
    // Picks the drive entry of letter as the operator would.
    void ChooseDrive(char letter);

    // --- keys -----------------------------------------------------------------
    void SetFunctionKeyCaptions() override;
    void LoadHints();
    void ESCClick() override;
    void F1Click() override;
    void F2Click() override;
    void F4Click() override;
    void F5Click() override;
    void F8Click() override;
    void F12Click() override;
    bool PastePending() const { return Ops.PastePending(); }

    // --- fields -----------------------------------------------------------------
    std::string DriveLetter;        // set before showing, read back after a choice
    std::vector<char> DriveLetters; // the letter of each drive entry (0: none)
    std::string SelPasName;
    std::string SelName;
    TServerSentakuList List;
    TServerAreaOperations Ops{List};

    // --- controls ---------------------------------------------------------------
    QComboBox* cmbDrive = nullptr;
    QCheckBox* cboxDataListUpdate = nullptr;
    ui::TxPlButton* btnMount = nullptr;

    // --- owned objects ---------------------------------------------------------------
    TDataSyosaiInfoBox* InfoBox = nullptr;

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void buildControls();
    void afterKey();
    void showProgress(const char* caption, const char* label, bool cancel);
    void closeProgress();
    void reloadShown(bool rebuildWhenEmpty);

    std::string gridHint_;
};

// Registers the screen under "TServerSentakuBox".
void RegisterServerSentakuBox();

} // namespace vq
