// [F3] on the selection screen in stand-alone mode: a new data set in the
// focused row, or a new distributed-input child of a consolidated row.
#include "datasets/forms/DataSetScreenOperations.h"

#include "datasets/DataRowChecks.h"
#include "datasets/operations/KyoyuLock.h"
#include "datasets/forms/ScreenProgress.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/operations/DataSetLifecycle.h"
#include "datasets/operations/GassanDataCtl.h"
#include "foundation/app/RunState.h"
#include "foundation/data/DbErrorReporter.h"

#include <exception>

namespace vq {

namespace {

// A shared parent's children live in sub-folders of its working copy; on
// the share they are the same sub-folders of its area.
void bindChildrenToShare(TDataSentakuBox& box, TDataSentakuRec& parent)
{
    const std::string local = GetDataPath(parent);
    for (TDataListRec& child : parent.Children) {
        child.NETDRIVE = 1;
        if (child.PASNAME.rfind(local, 0) == 0)
            child.PASNAME = parent.PASNAME + child.PASNAME.substr(local.size());
        box.List.ListCtl.UpdateDataListChildRecord(child, 1, true);
    }
}

} // namespace

std::int32_t TDataSetScreenOperations::NewData(TDataSentakuBox& box)
{
    if (!box.List.Grid.HasCurrentRow())
        return 1;
    const int gridRow = box.List.Grid.CurrentRow;
    TDataListRec* row = box.List.GetRowRecord(gridRow);
    TDataSentakuRec* parent = box.List.ParentRecordOf(gridRow);
    if (row == nullptr || parent == nullptr)
        return 1;
    const std::string folder = box.List.GetDataPath(gridRow);
    const bool taken = box.List.GetKyoyuState(0, gridRow) == KyoyuTaken;
    std::int32_t result = -1;
    try {
        result = NewDataSet(folder, *row, box.List.ListCtl, static_cast<std::intptr_t>(box.internalWinId()));
        if (result == 1) {
            box.List.ListCtl.GetDataListChildRecord(*parent, true);
            if (row->NETDRIVE == 1)
                bindChildrenToShare(box, *parent);
        }
    } catch (const std::exception& e) {
        ShowMessageDetail("データの新規作成に失敗しました。", e.what());
    }
    if (taken) {
        // The new data set goes to the share and stays taken to this computer.
        box.SelectRow(box.List.FindParentRow(gridRow));
        if (result != 1 || box.KyoyuDataPut(true) > 0)
            SetKyoyuLock(1, *parent, box.List.ListCtl);
    }
    box.DataListRefresh(gridRow);
    return 1;
}

std::int32_t TDataSetScreenOperations::AddBunsanData(TDataSentakuBox& box)
{
    if (!box.List.Grid.HasCurrentRow())
        return 0;
    const int gridRow = box.List.Grid.CurrentRow;
    TDataSentakuRec* parent = box.List.ParentRecordOf(gridRow);
    if (parent == nullptr || !IsConsolidatedKind(parent->GASSAN))
        return 0;
    const std::string folder = GetDataPath(*parent);
    bool added = false;
    {
        ScreenProgress progress(box, "分散データの追加", "分散データの作成中…");
        try {
            TGassanDataCtl ctl;
            ctl.Store.ConnectMode = ConnectMode;
            added = vq::AddBunsanData(*parent, folder, ctl);
        } catch (const std::exception& e) {
            ShowMessageDetail("分散データの追加に失敗しました。", e.what());
        }
    }
    // The list is read again so that the new child shows under its parent.
    box.LoadList();
    box.FillGrid(-1);
    if (box.List.ScrollToFolder(folder) >= 0)
        box.SelectRow(box.List.Grid.CurrentRow);
    return added ? 1 : 0;
}

} // namespace vq
