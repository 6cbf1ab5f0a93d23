#include "datasets/forms/DataSetScreenOperations.h"

#include "datasets/DataRowChecks.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/operations/DataSetLifecycle.h"
#include "datasets/operations/PasteEngine.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/Interaction.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace vq {

std::int32_t TDataSetScreenOperations::CopyData(TDataSentakuBox& box)
{
    const int gridRow = box.List.Grid.CurrentRow;
    if (!box.List.Grid.HasCurrentRow() || box.List.GetRowRecord(gridRow) == nullptr)
        return 0;
    // The screen has already cleared its pending flag when this is the paste.
    return box.CopyPending ? markSource(box, gridRow) : paste(box, gridRow);
}

std::int32_t TDataSetScreenOperations::markSource(TDataSentakuBox& box, int gridRow)
{
    const TDataListRec row = *box.List.GetRowRecord(gridRow);
    const std::string folder = box.List.GetDataPath(gridRow);
    const TGridRowKey key = box.List.KeyOf(gridRow);
    try {
        if (!MarkCopySource(folder, row, key.Parent, source_))
            return 0;
    } catch (const std::exception& e) {
        CancelCopySource(source_);
        ShowMessageDetail("データのコピーに失敗しました。", e.what());
        return 0;
    }
    return 1;
}

std::int32_t TDataSetScreenOperations::paste(TDataSentakuBox& box, int gridRow)
{
    if (!source_.pending())
        return 0;
    TDataSentakuRec* parent = box.List.ParentRecordOf(gridRow);
    PasteRequest request;
    request.Folder = box.List.GetDataPath(gridRow);
    request.Row = *box.List.GetRowRecord(gridRow);
    request.ParentChildCount = parent ? parent->ChildCount : 0;
    PasteOutcome outcome;
    try {
        outcome = PasteDataSet(request, source_, Tool);
    } catch (const std::exception& e) {
        CancelCopySource(source_);
        ShowMessageDetail("データの貼り付けに失敗しました。", e.what());
        outcome.Result = -1;
    }
    if (outcome.Result == 1 && outcome.ChildrenDropped && parent != nullptr) {
        // The children's folders went with the swap; their rows must go too.
        for (const TDataListRec& child : TDataListArray(parent->Children))
            box.List.ListCtl.DeleteDataListChildRecord(child, true);
    }
    if (outcome.Result == 1) {
        if (TDataListRec* target = box.List.GetRowRecord(gridRow)) {
            if (outcome.DescriptionRead) {
                // The row is named after the copy, and a free slot gets its folder.
                if (!outcome.Pasted.DATALISTNAME.empty())
                    target->ENTTEXT = outcome.Pasted.DATALISTNAME;
                if (target->PASNAME.empty())
                    target->PASNAME = request.Folder;
                box.List.InfoRec = outcome.Pasted;
                box.List.FillRecordFromInfo(*target, false);
                try {
                    box.List.SaveRow(*target);
                } catch (const std::exception& e) {
                    ShowMessageDetail("データリストの更新に失敗しました。", e.what());
                }
            } else {
                target->DATA_STATUS = 1;
            }
        }
    }
    reloadAt(box, request.Folder);
    return outcome.Result;
}

void TDataSetScreenOperations::CancelCopy(TDataSentakuBox& box)
{
    if (!source_.pending())
        return;
    const std::string folder = source_.Folder;
    CancelCopySource(source_);
    box.DataListRefresh(box.List.ScrollToFolder(folder));
}

std::int32_t TDataSetScreenOperations::DeleteData(TDataSentakuBox& box)
{
    const int gridRow = box.List.Grid.CurrentRow;
    const TDataListRec* row = box.List.Grid.HasCurrentRow() ? box.List.GetRowRecord(gridRow) : nullptr;
    if (row == nullptr || row->ENTTEXT.empty())
        return 0;
    DeleteRequest request;
    request.Folder = box.List.GetDataPath(gridRow);
    request.Row = *row;
    if (TDataSentakuRec* parent = box.List.ParentRecordOf(gridRow)) {
        request.Parent = *parent;
        if (parent != static_cast<const TDataListRec*>(row))
            request.ParentFolder = GetDataPath(*parent);
    }
    request.LastChosenFolder = SystemDef.DataDir;
    request.SyoriType = box.SyoriType();
    std::int32_t result = 0;
    try {
        result = DeleteDataSet(request, box.List.ListCtl);
        // A fixed slot keeps its row in the list: once its folder is gone the
        // row becomes a free slot again, or the list would go on naming a data
        // set that no longer exists.
        std::error_code ec;
        if (result == 1 && request.Row.ROWNO == 0 && request.Row.GASSAN != GassanDistributedChild &&
            request.Row.REC <= TDataSentakuListCtl::FixedSlotCount() && !std::filesystem::exists(request.Folder, ec) &&
            !ec) {
            if (TDataListRec* slot = box.List.GetRowRecord(gridRow)) {
                box.List.FillRecordFromInfo(*slot, true);
                if (slot->PASNAME.empty())
                    slot->PASNAME = request.Folder;
                box.List.SaveRow(*slot);
            }
        }
    } catch (const std::exception& e) {
        ShowMessageDetail("データの削除に失敗しました。", e.what());
    }
    reloadAt(box, box.List.Grid.HasCurrentRow() ? request.Folder : std::string{});
    return result;
}

void TDataSetScreenOperations::reloadAt(TDataSentakuBox& box, const std::string& folder)
{
    box.LoadList();
    box.FillGrid(-1);
    if (!folder.empty() && box.List.ScrollToFolder(folder) >= 0)
        box.SelectRow(box.List.Grid.CurrentRow);
}

} // namespace vq
