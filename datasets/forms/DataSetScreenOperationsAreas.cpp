// [F4] on the selection screen: the release of a row's shared area
// (stand-alone) and a new data area (client/server, server-based).
#include "datasets/forms/DataSetScreenOperations.h"

#include "datasets/DataRowChecks.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/operations/DataSetLifecycle.h"
#include "foundation/app/RunState.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/text/TextUtils.h"
#include "ui/ModalResult.h"
#include "ui/forms/TInputDlgBox.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace vq {

namespace {

constexpr std::int32_t MaxAreaRows = 2000;
constexpr int FileNameKeys = 40;

} // namespace

std::int32_t TDataSetScreenOperations::ReleaseKyoyu(TDataSentakuBox& box)
{
    if (!box.List.Grid.HasCurrentRow())
        return 1;
    const int parentRow = box.List.FindParentRow(box.List.Grid.CurrentRow);
    const TGridRowKey key = box.List.KeyOf(parentRow);
    if (key.Parent < 0 || key.Parent >= static_cast<std::int32_t>(box.List.Rows.size()))
        return 1;
    TDataSentakuRec& row = box.List.Rows[static_cast<std::size_t>(key.Parent)];
    const std::string share = row.PASNAME;
    const bool wasTaken = row.KYOYULOCK == 1;
    const std::string local = box.List.GetDataPath(parentRow);
    std::int32_t result = 0;
    try {
        result = vq::ReleaseKyoyu(row, local, box.List.ListCtl);
        if (result == 1 && wasTaken && row.NETDRIVE == 0) {
            // The data set stays on the share, free for whoever takes it next.
            TDataInfomation info;
            info.Location = ConnectMode;
            info.WriteShareStatus(share, ShareStatusFree);
        }
    } catch (const std::exception& e) {
        ShowMessageDetail("共有データの割当解除に失敗しました。", e.what());
    }
    box.DataListRefresh(parentRow);
    return result;
}

std::int32_t TDataSetScreenOperations::AddArea(TDataSentakuBox& box)
{
    const auto rows = static_cast<std::int32_t>(box.List.Rows.size());
    if (rows >= MaxAreaRows) {
        AddDataArea(box.PlacePath, {}, rows, box.List.ListCtl); // says that no more areas fit
        return 1;
    }
    char proposed[16];
    std::snprintf(proposed, sizeof proposed, "%.4d", box.List.ListCtl.GetDataFolderName(1));
    ui::TInputDlgBox dialog(&box);
    dialog.Mode = 0;
    dialog.DlgCaption = "データの領域追加";
    dialog.MainText = "新しく作成するフォルダ名を入力して下さい。";
    dialog.MainColor = ui::clWindowText;
    dialog.Value = proposed;
    dialog.MaxLen = 8;
    dialog.SetKeyFilter(FileNameKeys);
    dialog.InputHint = "新しく作成するフォルダ名を入力します。|新しく作成するフォルダ名を入力します。";
    dialog.Apply(0);
    if (dialog.exec() != ui::mrOk)
        return 1;
    const std::string path = (std::filesystem::path(box.PlacePath) / TrimZenSpace(dialog.Value)).string();
    bool added = false;
    try {
        added = AddDataArea(box.PlacePath, dialog.Value, rows, box.List.ListCtl);
    } catch (const std::exception& e) {
        ShowMessageDetail("データの領域追加に失敗しました。", e.what());
    }
    if (added) {
        box.LoadList();
        box.FillGrid(-1);
        if (box.List.ScrollToFolder(path) >= 0)
            box.SelectRow(box.List.Grid.CurrentRow, ColName);
    }
    return 1;
}

} // namespace vq
