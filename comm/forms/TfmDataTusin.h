#pragma once
// "データ通信": the data communication screen. In this system it shows the
// ten cloud-share slots of the relay server for the choice of a data set's
// slot (SyoriType 25, and 26 during the next-year update): F12 chooses a row,
// F4 releases a slot left "in use", F5 deletes the data of a free slot, each
// behind the slot's password. The release of a data set's slot
// (SyoriType 23) runs without showing the screen. Registered as
// "QzDataTusin"; Execute starts the relay operations, which this system
// does not offer.
//
// The data set's communication values (its cloud slot, communication ID and
// password) are read from the data set in DataFolder itself.
#include "comm/CloudShareRecord.h"
#include "comm/RelaySession.h"
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/TBSDI.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace vq::ui {
class TxAnimeProgressDialog;
class TxPlButton;
class TxSpreadGrid;
}

namespace vq::comm {

class TfmTusinSettiPas;

// Grid columns of the cloud-share slot list.
enum TSlotListColumn : int {
    SlColNo = 0,
    SlColState = 1,
    SlColName = 2,
    SlColTerm = 3,
    SlColPeriod = 4,
    SlColStarted = 5,
    SlColUpdated = 6,
    SlColVersion = 7,
};

class TfmDataTusin : public ui::TBSDI, public ui::ISyoriKidou {
    Q_OBJECT
public:
    explicit TfmDataTusin(QWidget* parent = nullptr);
    ~TfmDataTusin() override;

    // --- screen interface ---------------------------------------------------------
    std::int32_t Execute(bool modal) override;
    void SetParams(const ui::ParamLines& lines) override;

    // --- entry points ---------------------------------------------------------------
    // The release of folder's cloud slot: 0 freed on the server, 1 otherwise.
    std::int32_t ReleaseCloudShare(const std::string& folder);
    // The slot choice, shown modally: 0 after the window closed (1 for a
    // blank folder); SlotSelected, SelectedSlot, SelectedName tell the choice.
    std::int32_t SelectCloudShareSlot(const std::string& folder);
    // The same during the next-year update: 1 when the listing cannot be read.
    std::int32_t SelectCloudShareSlotForNewYear(const std::string& folder);

    // --- the slot list ----------------------------------------------------------------
    void PrepareOperation();
    void ShowSlotList();
    void SetFunctionKeyCaptions();
    // Every function-key button's click (key 0 ESC, 1..8, 12).
    void F1Click(int key);
    bool GetServerInfo();
    void DeleteServerData();
    void ReleaseStuckSlot();
    void ChooseRow();
    ui::TxPlButton* Key(int key) const;

    // --- fields -------------------------------------------------------------------------
    ui::ParamLines Params;
    std::int32_t SyoriType = 0;
    std::string DataFolder;
    std::string BackupFileName;
    std::uint8_t AutoMode = 0;
    std::uint8_t PrepareOnActivate = 0;
    std::string OperationName = "データ通信";
    std::string SelectedName;
    std::string SelectedState;
    std::int32_t SelectedSlot = 0;
    bool SlotSelected = false;
    TfmTusinSettiPas* PassDialog = nullptr;
    TRelaySession Session;
    TCloudShareRecord Record;       // of the data set in DataFolder
    // The communication ID and password the settings screen holds unsaved;
    // the slot list uses them in place of the data set's.
    std::optional<std::pair<std::string, std::string>> PendingIdentity;
    // Whether the logged-on group has a data list; read from the system
    // database when not set (a picture of the screen sets it).
    std::optional<bool> DataListPresent;

    // --- controls ------------------------------------------------------------------------
    QWidget* pnlClient = nullptr;
    QLabel* Label1 = nullptr;
    ui::TxSpreadGrid* PerfectGrid1 = nullptr;
    QWidget* pnlBottom = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    std::array<ui::TxPlButton*, 13> Keys{};   // by key number; 0 is ESC, 9 to 11 unused
    ui::TxAnimeProgressDialog* xAnimeProgressDialog1 = nullptr;

protected:
    bool FormKeyUp(QKeyEvent* event) override;
    void FormShow() override;

private:
    void buildControls();
    std::int32_t selectSlot(std::int32_t syoriType, const std::string& folder);
    void loadRecord();
    bool groupHasDataList();
    void setCell(int row, int col, const std::string& text);
    std::string cell(int row, int col) const;
    void onCurrentRowChanged(int row);
    void clearSlotList();
};

// Registers the screen under "QzDataTusin".
void RegisterDataTusin();

} // namespace vq::comm
