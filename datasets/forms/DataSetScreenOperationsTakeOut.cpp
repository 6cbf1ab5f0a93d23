// [F3] "持ち出し" on a named server row: take the data set out to this
// computer's stand-alone list, or bring it back from there. The local list is
// a second selection screen (processing type 5) started through the launcher
// while the logon context is switched to the local data.
#include "datasets/forms/DataSetScreenOperations.h"

#include "datasets/forms/DataSetSaveRestore.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TWhichDataSetBox.h"
#include "datasets/operations/TakeOutEngine.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/Interaction.h"
#include "ui/ModalResult.h"

namespace vq {

namespace {

// The system database of the context in force (local or server again).
bool reconnectSystemDatabase()
{
    if (DM == nullptr)
        return false;
    if (DM->IBDatabaseDEF.connected())
        DM->IBDatabaseDEF.disconnect();
    if (!DM->fnAccDefConnected(SystemDef.HostName, 1))
        return false;
    DM->GetLatestProgramVersion();
    return true;
}

} // namespace

std::int32_t TDataSetScreenOperations::Mochidashi(TDataSentakuBox& box)
{
    if (ConnectMode == ConnectTerminal)
        return 1;
    if (!box.List.Grid.HasCurrentRow())
        return 0;
    const int gridRow = box.List.Grid.CurrentRow;
    TDataListRec* row = box.List.GetRowRecord(gridRow);
    if (row == nullptr)
        return 0;
    if (row->CLOUD == 1) {
        platform::showMessage("クラウドシェアデータのため持ち出し処理は行えません。", platform::MessageKind::Information);
        return 0;
    }
    const std::string folder = box.List.GetDataPath(gridRow);

    TWhichDataSetBox which(&box);
    which.Choice = 0;
    which.TakenOut = box.List.Grid.CellInt(gridRow, ColLock) != 0 || row->DATALOCK != 0 ? 1 : 0;
    which.PrepareShow(true);
    if (which.exec() != ui::mrOk)
        return 0;

    const DataSetBackupTool& tool = Tool;
    TakeOutHooks hooks;
    // The row is found again by its folder: the list may have been read again meanwhile.
    auto focusRow = [&box, folder] { return box.List.ScrollToFolder(folder) >= 0; };
    hooks.SaveRow = [&box, &tool, focusRow](const std::string& place) {
        return focusRow() ? SaveRowData(box, place, tool, true) : 0;
    };
    hooks.RestoreRow = [&box, &tool, focusRow](const std::string& place) {
        return focusRow() ? RestoreRowData(box, place, tool) : -1;
    };
    hooks.RunLocalScreen = [](const std::string& params) {
        return StartProcessProc ? StartProcessProc("QzDataSenkaku", 1, params) : -1;
    };
    hooks.Reconnect = reconnectSystemDatabase;

    TDataListRec serverRow = *row;
    const bool done = vq::Mochidashi(serverRow, which.Choice, hooks);
    // The list shows the row's lock as the server has it now.
    box.LoadList();
    box.FillGrid(-1);
    if (box.List.ScrollToFolder(folder) >= 0)
        box.SelectRow(box.List.Grid.CurrentRow);
    return done ? 1 : 0;
}

} // namespace vq
