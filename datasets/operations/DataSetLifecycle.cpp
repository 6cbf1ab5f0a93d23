#include "datasets/operations/DataSetLifecycle.h"

#include <cstdio>
#include <filesystem>

#include "datasets/operations/DataSetNotices.h"
#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/GassanDataCtl.h"
#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

constexpr std::int32_t MaxAreaRows = 2000;

void inform(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Information);
}

bool removeFolder(const std::string& folder, bool allowUndo)
{
    std::error_code ec;
    if (!fs::exists(folder, ec))
        return true;
    if (ConnectMode != ConnectStandAlone)
        return FileOpRmDir(folder, ConnectMode, false);
    if (!allowUndo)
        return FileOpRmDir(folder, ConnectStandAlone, false);
    try {
        MoveToTrash(folder);
        return true;
    } catch (const std::exception& e) {
        platform::showMessage(std::string("データの削除に失敗しました。\r") + e.what(), platform::MessageKind::Error);
        return false;
    }
}

bool holdsDatabase(const std::string& folder)
{
    return FileOpFExist((fs::path(folder) / DataDbFileName).string(), ConnectMode);
}

} // namespace

std::int32_t NewDataSet(const std::string& folder, TDataListRec& row, TDataSentakuListCtl& store,
                        std::intptr_t windowHandle)
{
    TDataInfomationRec info;
    if (CheckDataStatus(folder, false, false, info) != DataStatusFree)
        return -1;
    const bool made = !FileOpDExist(folder, ConnectMode);
    if (made && !FileOpMkDir(folder, ConnectMode))
        return -1;
    if (ConnectMode == ConnectStandAlone) {
        TDataInfomation writer;
        writer.Location = ConnectMode;
        TDataInfomationRec creating;
        ClearRec(creating);
        creating.STATUS = DataStatusCreating;
        creating.OPCODE = SystemDef.OPCODE;
        creating.OPERATOR = SystemDef.OPNAME;
        writer.WriteIniFile(folder, "DATASTS", creating);
    }

    std::int32_t result = -1;
    {
        RowDataLock lock(row.REC, row.DATALOCK);
        char params[1024];
        std::snprintf(params, sizeof params, "DataPath=%s\rDataListRec=%d\rPHandle=%lld", folder.c_str(), row.REC,
                      static_cast<long long>(windowHandle));
        try {
            if (StartProcessProc)
                result = StartProcessProc("QzKihonWiz", 1, params);
        } catch (...) {
            result = -1;
        }
    }

    if (result == 1) {
        store.GetDataListRecord(0, row, true);
        SetDataStatus(folder, DataStatusFree);
    } else if (!holdsDatabase(folder)) {
        // Nothing was created: what the preparation made goes again, so no
        // "being created" status stays behind.
        if (made && row.NETDRIVE != 1)
            FileOpRmDir(folder, ConnectMode, false);
        else
            FileOpFDel(TDataInfomation::InfoFileName(folder), ConnectMode, false);
    } else {
        SetDataStatus(folder, DataStatusFree);
    }
    return result;
}

std::int32_t DeleteDataSet(const DeleteRequest& request, TDataSentakuListCtl& store)
{
    const TDataListRec& row = request.Row;
    const bool damaged = row.DATA_STATUS == 1;
    if (damaged) {
        if (DM)
            DM->CloseAccDat(request.Folder, 0, 0);
    } else {
        if (row.NETDRIVE == 1 && IsParentKind(row.GASSAN)) {
            inform("共有データの削除は行えません。\r[F4:割当解除]後に「共有データの選択」ウィンドウを表示して削除を行って下さい。");
            return 1;
        }
        if (row.CLOUD == 1) {
            inform("クラウドシェアデータのため削除処理は行えません。");
            return 1;
        }
        if (!request.LastChosenFolder.empty() && SameTextNoCase(request.Folder, request.LastChosenFolder)) {
            inform(request.SyoriType == 2 ? "このデータは現在選択中のデータのため削除は行えません。"
                                          : "このデータは前回起動データのため削除は行えません。");
            return 1;
        }
        TDataInfomationRec info;
        const std::uint8_t status = CheckDataStatus(request.Folder, true, true, info);
        if (status == DataStatusInUse && ConnectMode != ConnectStandAlone) {
            inform("このデータは他のオペレータが使用中のため削除は行えません。");
            return 1;
        }
        TDataInfomation rights;
        rights.Location = ConnectMode;
        if (status != DataStatusFree || !rights.IsDataSiyouKengen(request.Folder))
            return 1;
    }

    ListNotice notice;
    notice.caption = "データの削除";
    notice.mainText = "選択したデータを削除します。";
    notice.lines = {"【データ名】", "　" + row.DISP_NAME, "", "【会計期間】", "　" + row.KIKAN_TEXT, "",
                    "【データフォルダ】", "　" + request.Folder};
    notice.agreement = "データの削除に同意します";
    notice.okCancel = true;
    if (ShowListNotice(notice) != 1)
        return 1;

    if (ConnectMode != ConnectStandAlone && !damaged && DM && holdsDatabase(request.Folder))
        DM->AccDatDropDatabase(SystemDef.HostName, request.Folder);
    if (DM)
        DM->CloseAccDat(request.Folder, 0, 0);
    if (!removeFolder(request.Folder, request.AllowUndo))
        return 1; // the folder is still there: the list keeps its row

    if (ConnectMode == ConnectStandAlone && row.GASSAN == GassanDistributedChild && IsConsolidatedKind(request.Parent.GASSAN))
        WriteGassanSetting(request.ParentFolder, request.Parent.GASSAN, std::max(0, request.Parent.ChildCount - 1));
    TDataListRec deleted = row;
    deleted.DATA_STATUS = 0;
    if (!store.DeleteDataListRecord(deleted, false)) {
        if (request.Report)
            platform::showMessage("データの削除に失敗しました。\r", platform::MessageKind::Error);
        return 0;
    }
    if (IsConsolidatedKind(row.GASSAN) && row.ROWNO == 0)
        for (const TDataListRec& child : request.Parent.Children)
            store.DeleteDataListChildRecord(child, true);
    return 1;
}

bool AddDataArea(const std::string& placePath, const std::string& name, std::int32_t rowCount,
                 TDataSentakuListCtl& store)
{
    if (rowCount >= MaxAreaRows) {
        platform::showMessage("これ以上の領域追加は行えません。(最大" + std::to_string(MaxAreaRows) + "件)",
                              platform::MessageKind::Warning, platform::Buttons::Ok);
        return false;
    }
    const std::string trimmed = TrimZenSpace(name);
    if (trimmed.empty())
        return false;
    const std::string path = (fs::path(placePath) / trimmed).string();
    if (store.IsDataPathToroku(path)) {
        platform::showMessage("\"" + path + "\"は既にデータリスト上に作成されています。\r", platform::MessageKind::Warning);
        return false;
    }
    if (FileOpDExist(path, ConnectMode)) {
        platform::showMessage("\"" + path + "\"に会計データが作成されています。\r", platform::MessageKind::Warning);
        return false;
    }
    TDataListRec row;
    store.ClearRecord(row, path);
    row.ENTTEXT.clear();
    row.PASNAME = path;
    return store.InsertDataListRecord(row, true);
}

std::int32_t ReleaseKyoyu(TDataSentakuRec& row, const std::string& localFolder, TDataSentakuListCtl& store)
{
    ListNotice notice;
    notice.caption = "共有データの割当解除";
    notice.mainText = "選択した共有データの割り当てを解除します。\rよろしいですか？";
    notice.lines = {"【データ名】", "　" + row.DISP_NAME, "", "【会計期間】", "　" + row.KIKAN_TEXT, "",
                    "【共有データフォルダ】", "　" + row.PASNAME};
    notice.okCancel = true;
    if (ShowListNotice(notice) != 1)
        return 1;

    const std::string share = row.PASNAME;
    if (row.KYOYULOCK == 1) {
        // The work done on this computer goes back to the share first.
        TDataInfomation info;
        info.Location = ConnectStandAlone;
        if (info.PutShareData(share, localFolder, 0) != 1)
            return 0;
    }
    if (DM)
        DM->CloseAccDat(localFolder, 0, 0);
    if (!removeFolder(localFolder, false))
        return 0;
    row.PASNAME = localFolder;
    row.NETDRIVE = 0;
    row.KYOYULOCK = 0;
    store.UpdateDataListRecord(row, 1, true);
    return 1;
}

} // namespace vq
