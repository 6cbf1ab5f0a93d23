#include "datasets/forms/DataSetPlaceTransfer.h"

#include "datasets/DataRowChecks.h"
#include "datasets/forms/DataSetScreenOperations.h"
#include "datasets/operations/KyoyuLock.h"
#include "datasets/forms/ScreenProgress.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/operations/SaveRestoreEngine.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Interaction.h"

#include <exception>

namespace vq {

namespace {

// The data-broken check of the data module; a data set it finds damaged is
// marked so on its row, which the list then shows red.
bool soundOrMarked(TDataSentakuBox& box, int gridRow, const std::string& folder)
{
    if (DM == nullptr || DM->CallDataStatusHook(SystemDef.HostName, folder, 0, 0) != 0)
        return true;
    if (TDataListRec* row = box.List.GetRowRecord(gridRow))
        row->DATA_STATUS = 1;
    box.DataListRefresh(gridRow);
    return false;
}

bool mayUse(const std::string& folder)
{
    TDataInfomation rights;
    rights.Location = ConnectMode;
    return rights.IsDataSiyouKengen(folder);
}

void focusFolder(TDataSentakuBox& box, const std::string& folder)
{
    box.LoadList();
    box.FillGrid(-1);
    if (box.List.ScrollToFolder(folder) >= 0)
        box.SelectRow(box.List.Grid.CurrentRow);
}

TDataSentakuRec* parentOf(TDataSentakuBox& box, int gridRow)
{
    const TGridRowKey key = box.List.KeyOf(gridRow);
    if (key.Parent < 0 || key.Parent >= static_cast<std::int32_t>(box.List.Rows.size()))
        return nullptr;
    return &box.List.Rows[static_cast<std::size_t>(key.Parent)];
}

} // namespace

const DataSetBackupTool& BackupToolOf(const TDataSetRowOperations& ops)
{
    static const DataSetBackupTool standard;
    if (const auto* screen = dynamic_cast<const TDataSetScreenOperations*>(&ops))
        return screen->Tool;
    return standard;
}

std::int32_t SaveRowToPlace(TDataSentakuBox& box, const std::string& place, const DataSetBackupTool& tool,
                            bool ownLock)
{
    if (!box.List.Grid.HasCurrentRow())
        return 0;
    const int gridRow = box.List.Grid.CurrentRow;
    const TDataListRec* row = box.List.GetRowRecord(gridRow);
    if (row == nullptr || !box.KyoyuDataSync())
        return 0;
    const std::string folder = box.List.GetDataPath(gridRow);
    if (!soundOrMarked(box, gridRow, folder))
        return 0;
    if (!mayUse(folder)) {
        box.DataListRefresh(gridRow);
        return 0;
    }
    SaveRequest request;
    request.Folder = folder;
    request.Place = place;
    request.PlaceGiven = true;
    request.Rec = row->REC;
    request.DataLock = row->DATALOCK;
    request.OwnLock = ownLock;
    std::int32_t result = 0;
    {
        ScreenProgress progress(box, "保存中", "保存中、しばらくお待ちください…");
        try {
            result = SaveDataSet(request, tool);
        } catch (const std::exception& e) {
            ShowMessageDetail("データの保存に失敗しました。", e.what());
            result = -1;
        }
    }
    box.DataListRefresh(gridRow);
    return result;
}

std::int32_t RestoreRowFromPlace(TDataSentakuBox& box, const std::string& place, const DataSetBackupTool& tool)
{
    if (!box.List.Grid.HasCurrentRow())
        return 0;
    const int gridRow = box.List.Grid.CurrentRow;
    TDataListRec* row = box.List.GetRowRecord(gridRow);
    if (row == nullptr)
        return 0;
    const std::string folder = box.List.GetDataPath(gridRow);
    if (row->DATA_STATUS != 1 && (row->KISHU != 0 || row->KIMATU != 0) && !soundOrMarked(box, gridRow, folder))
        row = box.List.GetRowRecord(gridRow);
    if (row == nullptr)
        return 0;
    if (row->DATA_STATUS != 1) {
        if (box.List.CloudUsable && row->CLOUD == 1) {
            platform::showMessage("クラウドシェアデータのため復元処理は行えません。", platform::MessageKind::Information);
            return 0;
        }
        if (!mayUse(folder))
            return 0;
    }
    TDataSentakuRec* parent = parentOf(box, gridRow);
    RestoreRequest request;
    request.Folder = folder;
    request.Place = place;
    request.Row = *row;
    request.ParentChildCount = parent ? parent->ChildCount : 0;
    const bool taken = box.List.GetKyoyuState(0, gridRow) == KyoyuTaken;
    RestoreOutcome outcome;
    {
        ScreenProgress progress(box, "復元中", "復元中、しばらくお待ちください…");
        try {
            outcome = RestoreDataSet(request, tool);
        } catch (const std::exception& e) {
            ShowMessageDetail("データの復元に失敗しました。", e.what());
            outcome.Result = -1;
        }
    }
    if (outcome.Result == 1) {
        if (outcome.DropChildren && parent != nullptr) {
            // The children's folders went with the other company's data; their rows go too.
            for (const TDataListRec& child : TDataListArray(parent->Children))
                box.List.ListCtl.DeleteDataListChildRecord(child, true);
            parent->Children.clear();
            parent->ChildCount = 0;
        }
        if (TDataListRec* target = box.List.GetRowRecord(gridRow)) {
            if (outcome.DescriptionRead) {
                box.List.InfoRec = outcome.Restored;
                box.List.FillRecordFromInfo(*target, false);
                if (target->PASNAME.empty())
                    target->PASNAME = folder;
                target->DATA_STATUS = 0;
                try {
                    box.List.SaveRow(*target);
                } catch (const std::exception& e) {
                    ShowMessageDetail("データリストの更新に失敗しました。", e.what());
                }
            }
        }
        if (taken && parent != nullptr) {
            // The restored data belongs on the share; it stays taken to this computer.
            box.SelectRow(box.List.FindParentRow(gridRow));
            if (box.KyoyuDataPut(true) > 0)
                SetKyoyuLock(1, *parent, box.List.ListCtl);
        }
    }
    focusFolder(box, folder);
    return outcome.Result;
}

} // namespace vq
