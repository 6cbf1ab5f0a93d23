// [F6] save and [F7] restore of the data selection screen around the save and
// restore engines, and the screen's place dialogs.
#include "datasets/forms/DataSetSaveRestore.h"

#include "datasets/DataFolderCheck.h"
#include "datasets/DataRowChecks.h"
#include "datasets/PlaceHistory.h"
#include "datasets/forms/DataSetScreenOperations.h"
#include "datasets/forms/ScreenProgress.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TFileOperationBox.h"
#include "datasets/forms/TFileOperationBoxEx1.h"
#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/GassanChildRows.h"
#include "datasets/operations/KyoyuLock.h"
#include "datasets/operations/SaveRestoreEngine.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "ui/ModalResult.h"

#include <filesystem>
#include <system_error>

namespace vq {

namespace fs = std::filesystem;

namespace {

const char* const kPlaceHintTail =
    "前回保存又は復元を行った場所を初期値として表示しています。それ以前の場所もリストから選択できます。"
    "その他の場所を指定する場合は［参照］を押してください。\r\n"
    "［OK］を押すと処理を実行します。";

bool serverMode()
{
    return ConnectMode == ConnectClientServer || ConnectMode == ConnectTerminal;
}

void info(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Information);
}

// A chosen place without its trailing delimiter (the root keeps it).
std::string placeWithoutDelimiter(std::string place)
{
    while (place.size() > 1 && place.back() == '/')
        place.pop_back();
    return place;
}

// The grid row whose data set lies in folder, -1 when none. Getting or
// keeping shared data reloads rows, so a row is found again by its folder.
int gridRowOf(const TDataSentakuBox& box, const std::string& folder)
{
    for (int r = 0; r < box.List.Grid.RowCount(); ++r)
        if (box.List.GetRowRecord(r) != nullptr && box.List.GetDataPath(r) == folder)
            return r;
    return -1;
}

void markBroken(TDataSentakuBox& box, int gridRow)
{
    if (TDataListRec* rec = box.List.GetRowRecord(gridRow))
        rec->DATA_STATUS = 1;
    box.List.Grid.SetCellInt(gridRow, ColDataStatus, 1);
    box.List.Grid.Row(gridRow).BackColor = kBrokenRowColor;
    box.DataListRefresh(gridRow);
}

// The data module's damage check (when the operator's settings switch it
// on); a damaged data set is marked red.
bool foundBroken(TDataSentakuBox& box, int gridRow, const std::string& folder)
{
    if (DM == nullptr || DM->CallDataStatusHook(SystemDef.HostName, folder, 0, 0) != 0)
        return false;
    markBroken(box, gridRow);
    return true;
}

bool hasRight(const std::string& folder)
{
    TDataInfomation rights;
    rights.Location = ConnectMode;
    return rights.IsDataSiyouKengen(folder);
}

// The recorded status lets the save go on: free, or in use by another
// operator in the server modes (the engine asks then). Anything else is
// reported once.
bool statusAllowsSave(const std::string& folder)
{
    TDataInfomationRec described;
    const std::uint8_t status = CheckDataStatus(folder, true, false, described);
    if (status == DataStatusFree || (status == DataStatusInUse && serverMode()))
        return true;
    std::error_code ec;
    if (fs::exists(fs::path(folder) / DataDbFileName, ec))
        CheckDataStatus(folder, false, true, described);
    return false;
}

// A cloud-shared data set is saved only once it is up to date from its slot.
bool bringCloudUpToDate(TDataSentakuBox& box, int gridRow, const TDataListRec& row, const std::string& folder)
{
    if (serverMode()) {
        std::int32_t r = FolderRefused;
        try {
            r = box.CheckDataFolder(folder);
        } catch (const std::exception&) {
            r = FolderRefused;
        }
        if (r != FolderHoldsData) {
            box.DataListRefresh(gridRow);
            return false;
        }
    }
    auto enablePanels = [&box](bool on) {
        box.pnlClient->setEnabled(on);
        box.pnlBottom->setEnabled(on);
        box.SetFunctionKeyCaptions();
    };
    enablePanels(false);
    std::int32_t received = 1;
    try {
        RowDataLock lock(row.REC, row.DATALOCK);
        received = box.DataTusin->CloudShareReceive(folder, 0, 0);
        if (received == 0)
            box.DataTusin->ReleaseCloudShare(folder);
    } catch (...) {
        enablePanels(true);
        throw;
    }
    enablePanels(true);
    if (received >= 1 && received <= 9) {
        box.DataListRefresh(gridRow);
        return false;
    }
    return true;
}

std::string chooseSavePlace(TDataSentakuBox& box)
{
    TFileOperationBox& dialog = SavePlaceDialog(box);
    for (;;) {
        SetupSavePlaceDialog(dialog);
        dialog.PrepareShow(true);
        if (dialog.exec() != ui::mrOk)
            return {};
        const std::string place = placeWithoutDelimiter(dialog.ResultPath);
        if (!RefuseTempPlace(place))
            return place;
    }
}

// The place of the restore, empty when cancelled; ownFolder tells the
// program's default place, the data set's own folder.
std::string chooseRestorePlace(TDataSentakuBox& box, const std::string& folder, bool& ownFolder)
{
    ownFolder = false;
    TFileOperationBoxEx1& dialog = RestorePlaceDialog(box);
    for (;;) {
        SetupRestorePlaceDialog(dialog);
        dialog.PrepareShow(true);
        if (dialog.exec() != ui::mrOk)
            return {};
        // The default place holds the automatic backups other operations
        // leave in the data set's own folder.
        if (dialog.SourceKind == 2) {
            ownFolder = true;
            return folder;
        }
        const std::string place = placeWithoutDelimiter(dialog.ResultPath);
        if (!RefuseTempPlace(place))
            return place;
    }
}

void reloadAt(TDataSentakuBox& box, const std::string& folder)
{
    box.LoadList();
    box.FillGrid(-1);
    if (!folder.empty() && box.List.ScrollToFolder(folder) >= 0)
        box.SelectRow(box.List.Grid.CurrentRow);
}

// The row after a restore: named and described after the restored data set,
// or marked damaged when its description cannot be read.
void takeRestoredDescription(TDataSentakuBox& box, int gridRow, const std::string& folder,
                             const RestoreOutcome& outcome)
{
    TDataListRec* target = box.List.GetRowRecord(gridRow);
    if (target == nullptr)
        return;
    if (!outcome.DescriptionRead) {
        target->DATA_STATUS = 1;
        return;
    }
    if (!outcome.Restored.DATALISTNAME.empty())
        target->ENTTEXT = outcome.Restored.DATALISTNAME;
    if (target->PASNAME.empty())
        target->PASNAME = folder;
    box.List.InfoRec = outcome.Restored;
    box.List.FillRecordFromInfo(*target, false);
    target->DATA_STATUS = 0;
    box.List.SaveRow(*target);
}

std::int32_t restoreRow(TDataSentakuBox& box, const std::string& givenPlace, const DataSetBackupTool& tool)
{
    if (!box.List.Grid.HasCurrentRow() || box.List.GetRowRecord(box.List.Grid.CurrentRow) == nullptr)
        return 0;
    const int gridRow = box.List.Grid.CurrentRow;
    // The restore's own record of the row, apart from a copy that may be marked.
    TDataListRec row = *box.List.GetRowRecord(gridRow);
    const std::string folder = box.List.GetDataPath(gridRow);
    bool damaged = row.DATA_STATUS == 1;
    if (!damaged && (row.KISHU != 0 || row.KIMATU != 0) && foundBroken(box, gridRow, folder))
        damaged = true;
    row.DATA_STATUS = damaged ? 1 : 0;
    if (!damaged) {
        if (box.List.CloudUsable && row.CLOUD == 1) {
            info("クラウドシェアデータのため復元処理は行えません。");
            return 0;
        }
        TDataInfomationRec described;
        const std::uint8_t status = CheckDataStatus(folder, false, true, described);
        if (status != DataStatusFree) {
            if (status == DataStatusInUse && serverMode())
                info("このデータは他のオペレータが使用中のため復元処理は行えません。");
            return 0;
        }
        if (!hasRight(folder))
            return 0;
    }
    bool ownFolder = false;
    const std::string place = givenPlace.empty() ? chooseRestorePlace(box, folder, ownFolder) : givenPlace;
    if (place.empty())
        return 0;

    RestoreOutcome outcome;
    {
        ScreenProgress progress(box, "復元中", "復元中、しばらくお待ちください…", true);
        RestoreRequest request;
        request.Folder = folder;
        request.Place = place;
        request.Row = row;
        // The data set's own folder is read where the data lies; any other place on this computer.
        request.PlaceOnServer = ownFolder && serverMode();
        if (const TDataSentakuRec* parent = box.List.ParentRecordOf(gridRow))
            request.ParentChildCount = parent->ChildCount;
        outcome = RestoreDataSet(request, tool);
    }
    if (outcome.Result == 1) {
        TDataSentakuRec* parent = box.List.ParentRecordOf(gridRow);
        // The children belonged to the company that was replaced.
        if (outcome.DropChildren && parent != nullptr)
            ResetChildren(*parent, folder, true, box.List.ListCtl);
        takeRestoredDescription(box, gridRow, folder, outcome);
        if (const TDataListRec* restored = box.List.GetRowRecord(gridRow);
            restored != nullptr && parent != nullptr && GetKyoyuState(*restored) == KyoyuTaken) {
            if (box.KyoyuDataPut(true) > 0)
                SetKyoyuLock(1, *parent, box.List.ListCtl);
        }
    }
    reloadAt(box, folder);
    return outcome.Result;
}

std::int32_t saveRow(TDataSentakuBox& box, const std::string& givenPlace, const DataSetBackupTool& tool, bool ownLock)
{
    if (!box.List.Grid.HasCurrentRow() || box.List.GetRowRecord(box.List.Grid.CurrentRow) == nullptr)
        return 0;
    const std::string folder = box.List.GetDataPath(box.List.Grid.CurrentRow);
    if (!box.KyoyuDataSync())
        return 0;
    const int gridRow = gridRowOf(box, folder);
    if (gridRow < 0)
        return 0;
    const TDataListRec row = *box.List.GetRowRecord(gridRow);
    if (box.List.CloudUsable && row.CLOUD == 1 && !bringCloudUpToDate(box, gridRow, row, folder))
        return 0;
    // The status beneath the operator's own lock of a take-out is the engine's to read.
    if (foundBroken(box, gridRow, folder) || (!ownLock && !statusAllowsSave(folder)))
        return 0;
    if (!hasRight(folder)) {
        box.DataListRefresh(gridRow);
        return 0;
    }
    const std::string place = givenPlace.empty() ? chooseSavePlace(box) : givenPlace;
    if (place.empty())
        return 0;
    // The question comes before the progress window; the engine then
    // replaces the old backup only once the new one is complete.
    std::error_code ec;
    if (givenPlace.empty() && fs::exists(fs::path(place) / DataBackupFileName, ec) &&
        platform::showMessage("この場所には、同じ名前のバックアップファイルが既に存在します。\r上書きしますか？",
                              platform::MessageKind::Confirmation, platform::Buttons::OkCancel) != platform::ResultOk)
        return 0;

    std::int32_t result = 0;
    {
        ScreenProgress progress(box, "保存中", "保存中、しばらくお待ちください…", true);
        SaveRequest request;
        request.Folder = folder;
        request.Place = place;
        request.PlaceGiven = true;
        request.Rec = row.REC;
        request.DataLock = row.DATALOCK;
        request.OwnLock = ownLock;
        result = SaveDataSet(request, tool);
    }
    box.DataListRefresh(gridRow);
    box.SelectRow(gridRow);
    return result;
}

} // namespace

TFileOperationBox& SavePlaceDialog(TDataSentakuBox& box)
{
    auto* dialog = box.findChild<TFileOperationBox*>(QStringLiteral("FileOperationBox"), Qt::FindDirectChildrenOnly);
    if (dialog == nullptr)
        dialog = new TFileOperationBox(&box);
    return *dialog;
}

TFileOperationBoxEx1& RestorePlaceDialog(TDataSentakuBox& box)
{
    auto* dialog = box.findChild<TFileOperationBoxEx1*>(QStringLiteral("FileOperationBoxEx1"), Qt::FindDirectChildrenOnly);
    if (dialog == nullptr)
        dialog = new TFileOperationBoxEx1(&box);
    return *dialog;
}

namespace {

void setupCommon(TFileOperationBox& dialog)
{
    dialog.UseHistory = true;
    dialog.HistoryFolder = SystemDef.IniDir;
    dialog.HistoryFileName = PlaceHistoryFileName;
    dialog.HistorySection = DataBackHistorySection;
    dialog.MainTextColor = QColor(Qt::red);
    dialog.PlaceLabel = "保存先の場所:";
    dialog.DefaultPlace = SystemDef.DocumentsDir;
    dialog.FileName.clear();
}

} // namespace

void SetupSavePlaceDialog(TFileOperationBox& dialog)
{
    setupCommon(dialog);
    dialog.Mode = TFileOperationBox::ModeWriteFolder;
    dialog.TitleText = "データの保存";
    dialog.MainText = "選択中のデータを保存します。";
    dialog.PlaceHint = std::string("ﾃﾞｰﾀを保存する場所を選択します。変更する場合は［参照］を押してください。|"
                                   "ﾃﾞｰﾀを保存する場所を選択します。\r\n") +
                       kPlaceHintTail;
}

void SetupRestorePlaceDialog(TFileOperationBoxEx1& dialog)
{
    setupCommon(dialog);
    dialog.Mode = TFileOperationBox::ModeReadFolder;
    dialog.TitleText = "データの復元";
    dialog.MainText = "指定された保存先の場所にバックアップファイルがある場合は、商号、会計期間および仕訳数をチェックし、"
                      "条件が満たされれば復元されます。";
    dialog.PlaceHint = std::string("ﾃﾞｰﾀが保存されている場所を選択します。変更する場合は［参照］を押してください。|"
                                   "ﾃﾞｰﾀが保存されている場所を選択します。\r\n") +
                       kPlaceHintTail;
    dialog.SetSelect1Caption("保存先の場所を選択して復元する");
    dialog.SetSelect2Caption("プログラムの既定の保存先の場所より復元する");
    dialog.SetSelectMode(1);
}

const DataSetBackupTool& BackupToolOf(const TDataSetRowOperations& ops)
{
    static const DataSetBackupTool standard;
    if (const auto* screen = dynamic_cast<const TDataSetScreenOperations*>(&ops))
        return screen->Tool;
    return standard;
}

std::int32_t SaveRowData(TDataSentakuBox& box, const std::string& place, const DataSetBackupTool& tool, bool ownLock)
{
    try {
        return saveRow(box, place, tool, ownLock);
    } catch (const std::exception& e) {
        ShowMessageDetail("データの保存に失敗しました。", e.what());
        return -1;
    }
}

std::int32_t RestoreRowData(TDataSentakuBox& box, const std::string& place, const DataSetBackupTool& tool)
{
    try {
        return restoreRow(box, place, tool);
    } catch (const std::exception& e) {
        ShowMessageDetail("データの復元に失敗しました。", e.what());
        return -1;
    }
}

// The take-out and bring-back list (processing type 5) gives the place.
std::int32_t TDataSetScreenOperations::SaveData(TDataSentakuBox& box)
{
    return SaveRowData(box, box.SyoriType() == 5 ? box.OnlySABackupPath : std::string(), Tool);
}

std::int32_t TDataSetScreenOperations::RestoreData(TDataSentakuBox& box)
{
    return RestoreRowData(box, box.SyoriType() == 5 ? box.OnlySABackupPath : std::string(), Tool);
}

} // namespace vq
