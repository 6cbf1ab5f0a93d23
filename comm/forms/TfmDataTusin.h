#pragma once
// "データ通信": the data communication screen. It shows the
// ten cloud-share slots of the relay server for the choice of a data set's
// slot (SyoriType 25, and 26 during the next-year update): F12 chooses a row,
// F4 releases a slot left "in use", F5 deletes the data of a free slot, each
// behind the slot's password. The release of a data set's slot
// (SyoriType 23) runs without showing the screen. Registered as
// "QzDataTusin"; Execute runs the relay operations of SyoriType 1 to 10 on
// the open data set: the relay send and receive of a whole data set through
// the ten relay slots (shown for a choice), the cash-book exchange through
// the three cash-book slots and the server check of those slots.
//
// The data set's communication values (its cloud slot, communication ID and
// password) are read from the data set in DataFolder itself.
#include "comm/CloudShareRecord.h"
#include "comm/RelaySession.h"
#include "ui/forms/ISyoriKidou.h"
#include "ui/forms/TBSDI.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
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

class TRelayTransfer;
class TWaitStepWindow;
class TfmHikakuMess2;
enum class TRelayKind;
class TfmTusinSettiPas;

// The analysis upload after a relay send: its three-character status
// ("000" done) and the status's text.
struct TAnalysisUpload {
    std::string Status;
    std::string Text;
};

// Which groups a difference window shows and why.
struct TDifferenceGroups {
    bool Password = false;
    bool Company = false;
    bool Period = false;
    bool Refusal = false;      // the receive cannot go on: "ＯＫ" only
    bool SecondLine = false;   // Label2 shown with a refusal (SyoriType 6, master data)
    bool CompanyQuestion = false;   // the company question of a master-data receive
};
// Places the labels, buttons and height of window for groups (design
// pixels scaled by the window's pixels per inch / 96) and hides the
// groups not shown.
void LayoutDifferenceWindow(TfmHikakuMess2& window, const TDifferenceGroups& groups);

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

    // --- relay and cash-book operations ---------------------------------------------
    void BeginShow(std::uint8_t start);
    // F12 of the relay lists: SyoriType 1 sends, the others receive; a
    // completed transfer closes the screen, a failed one keeps it open.
    void RunSelectedTransfer();
    // The cash-book slot (1..3 of the listing) against the open data set:
    // 2 nothing differs, 1 the operator agrees to overwrite, -1 otherwise.
    std::int32_t ConfirmServerDifference(std::int32_t slot);
    // Cash-book slot 0, 1 or 2 ("01" to "03") deleted on the server (1750).
    void DeleteCashBookData(std::int32_t slot);
    // 1 the whole cash-book send succeeded, 0 after a failure (reported).
    std::int32_t SendCashBook();
    // 1 received and imported, 0 not (reported; CashImportFailed when the
    // import reported its own failure).
    std::int32_t ReceiveCashBook(std::int32_t slot);
    bool CountApprovedEntries();
    // The relay send and receive of the selected row: 0 done, 1 failed or declined.
    std::int32_t SendData();
    std::int32_t ReceiveData();
    bool SendToWebAnalysis();
    // The analysis upload for a communication ID and slot; empty: the
    // upload to the analysis server (TFtpWebDbSqlDump).
    std::function<TAnalysisUpload(const std::string&, std::int32_t)> UploadToWebAnalysis;
    // The pause before each server step; tests leave it out.
    bool Pauses = true;
    // Where the transfers make their work folders; empty: the TEMP folder.
    std::filesystem::path WorkBase;
    // Called with each relay transfer the screen makes, before it runs
    // (tests put their faults in); none when empty.
    std::function<void(TRelayTransfer&)> TransferMade;

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
    std::int32_t CloudKind = 0;
    std::int32_t ReceiveSlot = 0;
    std::uint8_t ReceiveIsMaster = 0;
    std::uint8_t CashImportFailed = 0;
    std::uint8_t ReceiveDone = 0;
    std::uint8_t StartFlag = 0;
    std::string HelpPage;

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
    void showRelayRows();
    void deleteRelaySlot(int row);
    // 1750 for caller's slot behind the progress dialog: true at "000";
    // another status or an error is reported.
    bool DeleteRelaySlot(const TRelayCaller& caller, std::int32_t slot);
    // One deletion request behind the progress dialog, as DeleteRelaySlot.
    bool deleteOnServer(const std::function<std::string()>& request);
    void stepPause() const;
    void setCaptionAndHelp();
    bool refuseBesideOtherScreens();
    std::int32_t showRelayScreen(bool modal);
    std::int32_t runCashBookOperation();
    bool checkCashBookReceive(std::int32_t slot);
    void showRefusal(const TDifferenceGroups& groups, std::int32_t slot);
    std::int32_t askCompanyOfMaster(std::int32_t slot);
    void fillDifferenceLines(TfmHikakuMess2& window, std::int32_t slot, bool eraStyle) const;
    void updateSentRow(int row);
    void writeHistory(std::uint8_t state);
    TRelaySession cashBookSession() const;
    // A transfer of the open data set with the ID and password of kind,
    // showing its steps in wait.
    TRelayTransfer newTransfer(TRelaySession& session, TRelayKind kind, TWaitStepWindow& wait) const;
    std::string cashBookId() const;
    std::string cashBookPassword() const;
};

// Registers the screen under "QzDataTusin".
void RegisterDataTusin();

} // namespace vq::comm
