// The information button of the data selection screen: the detail dialog on
// the focused row and the write-back of what the operator changed there to
// the data set, the data list and the grid.
//
// The dialog may run a rebuild, which re-reads the list; so the row is found
// again afterwards by its folder, never by the grid row it was opened on.
#include "datasets/forms/DataSetScreenOperations.h"

#include "datasets/DataRowChecks.h"
#include "datasets/forms/DataSentakuGridModel.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TDataSyosaiInfoBox.h"
#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/PasteEngine.h"
#include "datasets/operations/StagedFolder.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "ui/ModalResult.h"

#include <exception>

namespace vq {

namespace {

// The screen keeps one detail dialog for all its uses.
TDataSyosaiInfoBox& detailDialogOf(TDataSentakuBox& box)
{
    if (auto* dialog = box.findChild<TDataSyosaiInfoBox*>(QString(), Qt::FindDirectChildrenOnly))
        return *dialog;
    return *new TDataSyosaiInfoBox(&box);
}

// The grid row of the data set in folder that belongs to list row rec; -1 when none.
int gridRowOf(const TDataSentakuList& list, const std::string& folder, std::int32_t rec)
{
    for (int r = 0; r < list.Grid.RowCount(); ++r) {
        const TDataListRec* row = list.GetRowRecord(r);
        if (row != nullptr && row->REC == rec && IsSameFolder(list.GetDataPath(r), folder))
            return r;
    }
    return -1;
}

// Writes the new list name and switches into the data set's database and
// the info file; false when the database does not hold them afterwards (the
// data module has reported why).
bool writeDescription(const std::string& folder, TDataInfomationRec& change)
{
    TDataInfomation info;
    info.Location = ConnectMode;
    info.UpdateDataInfomation(SystemDef.HostName, folder, change);
    TDataInfomationRec stored;
    if (!info.GetDataInfoFromFolder(folder, stored))
        return false;
    const bool readOnlyKept = stored.MAJOR < 12 || stored.READ_ONLY == change.READ_ONLY;
    if (stored.DATALISTNAME != change.DATALISTNAME || stored.UPDATE_LOCK != change.UPDATE_LOCK || !readOnlyKept)
        return false;
    change.READ_ONLY = stored.READ_ONLY;
    // The info file follows the database (it keeps nothing in the server modes).
    info.WriteIniValue(folder, "DATAINFO", "DATALISTNAME", change.DATALISTNAME, false);
    info.WriteIniValue(folder, "DATASTS", "UPDATE_LOCK", std::to_string(change.UPDATE_LOCK), false);
    info.WriteIniValue(folder, "DATASTS", "READ_ONLY", std::to_string(change.READ_ONLY), false);
    return true;
}

// What the dialog closed with OK asks for: the new name and switches when the
// data set may be worked on, and a status left behind cleared.
void writeBack(TDataSentakuBox& box, int gridRow, const std::string& folder, const TDataSyosaiInfoBox& dialog,
               TCopySource& copySource)
{
    TDataListRec& row = *box.List.GetRowRecord(gridRow);
    TDataInfomationRec now;
    const std::uint8_t status = CheckDataStatus(folder, true, false, now);
    if (dialog.EditAllowed && IsAllowedStatus(status, ConnectMode)) {
        TDataInfomationRec change;
        ClearRec(change);
        change.DATALISTNAME = dialog.ListName;
        change.UPDATE_LOCK = dialog.UpdateLock;
        change.READ_ONLY = dialog.ReadOnly;
        if (writeDescription(folder, change)) {
            row.ENTTEXT = change.DATALISTNAME;
            row.DISP_NAME = row.ENTTEXT;
            row.UPDATE_LOCK = change.UPDATE_LOCK;
            row.READ_ONLY = change.READ_ONLY;
            const TGridRowKey key = box.List.KeyOf(gridRow);
            if (key.Parent >= 0 && key.Parent < static_cast<std::int32_t>(box.List.Rows.size()))
                box.List.ListCtl.NumberChildNames(box.List.Rows[static_cast<std::size_t>(key.Parent)]);
            box.List.Grid.SetCell(gridRow, ColName, row.DISP_NAME);
            box.List.Grid.SetCellInt(gridRow, ColUpdatePending, row.UPDATE_LOCK);
            box.List.Grid.SetCellInt(gridRow, ColReadOnly, row.READ_ONLY);
        }
    }
    if (dialog.ClearStatus) {
        SetDataStatus(folder, DataStatusFree);
        // A copy marked before is given up with its mark, so no status 6 is left behind on its source.
        if (copySource.pending())
            CancelCopySource(copySource);
        box.CopyPending = false;
        row.DATALOCK = 0;
        box.List.Grid.SetPicture(gridRow, ColLockPicture, PicEmpty);
        box.List.Grid.SetCellInt(gridRow, ColLock, 0);
    }
    box.List.SaveRow(row);
    box.List.CheckDbUpdateNeeded(gridRow, true);
    box.GridModel->RowChanged(gridRow);
    box.SelectRow(gridRow, 0);
}

} // namespace

std::int32_t TDataSetScreenOperations::ShowDataInfo(TDataSentakuBox& box)
{
    if (!box.List.Grid.HasCurrentRow())
        return 0;
    const TDataListRec* focused = box.List.GetRowRecord(box.List.Grid.CurrentRow);
    if (focused == nullptr)
        return 0;
    const TDataListRec opened = *focused;
    const std::string folder = box.List.GetDataPath(box.List.Grid.CurrentRow);

    TDataSyosaiInfoBox& dialog = detailDialogOf(box);
    dialog.FromSharedList = false;
    dialog.Row = opened;
    dialog.DataFolder = folder;
    dialog.UpdateLock = opened.UPDATE_LOCK;
    dialog.ReadOnly = opened.READ_ONLY;
    dialog.ListName = opened.ENTTEXT;
    dialog.EditAllowed = GetKyoyuState(opened) != KyoyuKept;
    dialog.Tool = Tool;
    dialog.PrepareShow(true);
    const int result = dialog.exec();

    int gridRow = gridRowOf(box.List, folder, opened.REC);
    if (gridRow < 0) {
        box.LoadList();
        box.FillGrid(-1);
        gridRow = gridRowOf(box.List, folder, opened.REC);
    }
    TDataListRec* row = gridRow >= 0 ? box.List.GetRowRecord(gridRow) : nullptr;
    if (row == nullptr)
        return 0;

    if (result == ui::mrOk) {
        try {
            writeBack(box, gridRow, folder, dialog, source_);
        } catch (const std::exception& e) {
            ShowMessageDetail("データリストの更新に失敗しました。", e.what());
        }
    }
    if (dialog.Rebuilt) {
        if (TDataListRec* rebuilt = box.List.GetRowRecord(gridRow))
            rebuilt->DATA_STATUS = 0;
        box.List.Grid.SetCellInt(gridRow, ColDataStatus, 0);
        box.DataListRefresh(gridRow);
        const int again = gridRowOf(box.List, folder, opened.REC);
        if (again >= 0)
            box.SelectRow(again, 0);
    }
    return result == ui::mrOk ? 1 : 0;
}

} // namespace vq
