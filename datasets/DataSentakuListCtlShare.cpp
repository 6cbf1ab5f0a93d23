// Shared data: taking a data set (with the children of consolidated data)
// from its area on a network drive into the local working copy, and keeping
// it back.
#include <set>

#include "datasets/DataListSql.h"
#include "datasets/DataSentakuListCtl.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/MessageWait.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/files/FileOperations.h"
#include "foundation/files/FileUtils.h"
#include "foundation/files/ShellOperations.h"
#include "platform/Interaction.h"

namespace vq {

namespace {

const char* const kDamagedText =
    "共有サーバー上のデータが破損しているため、共有データの取得を中止します。\r"
    "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。";
const char* const kUnreachableText =
    "共有サーバーが起動していない、接続が切断されている または 共有サーバー上のデータ領域が削除された可能性があります。";
const char* const kInUseText = "共有データは現在使用されています。";
const char* const kKeepFailedText =
    "共有サーバーへのデータの保存に失敗しました。\r"
    "データは取得した状態のまま残っています。共有サーバーへの接続を確認してから、もう一度保存して下さい。";

} // namespace

bool TDataSentakuListCtl::HoldsDataFile(const std::string& folder) const
{
    return FileOpFExist(datalist::joinPath(folder, DataDbFileName), 0);
}

void TDataSentakuListCtl::SetDataSetLines(const std::string& folder, const TDataInfomationRec& info)
{
    WorkLines = {"【データフォルダ】", "　" + folder, "", "【オペレータ】"};
    if (info.SHARE_OPCODE > 0)
        WorkLines.push_back("　" + std::to_string(OperatorNumberOf(info.SHARE_OPCODE, SystemDef.GROUPID)));
    WorkLines.insert(WorkLines.end(), {"", "【オペレータ名】", "　" + info.SHARE_OPERATOR});
}

void TDataSentakuListCtl::ShowStatusReport(const std::string& mainText)
{
    std::string text = mainText + "\r";
    for (const auto& line : WorkLines)
        text += "\r" + line;
    platform::MessageRequest request;
    request.text = text;
    request.caption = "選択データの状態";
    request.kind = platform::MessageKind::Warning;
    platform::interaction().message(request);
}

std::int32_t TDataSentakuListCtl::KyoyuDataGet(TDataSentakuRec& row, std::int32_t quiet)
{
    if (row.PASNAME.empty() || row.LOCAL_PATH.empty())
        return 0;
    TDataInfomation info;
    info.Location = ConnectMode;
    TDataInfomationRec shareInfo;
    bool read = info.ReadDataInfo(row.PASNAME, shareInfo);
    if (!read && (row.ENTTEXT == EmptyAreaName || row.ENTTEXT == NewAreaName)) {
        ClearRec(shareInfo);
        read = true;
    }
    if (!read) {
        if (quiet != 1) {
            WorkLines = {"【共有データパス】", row.PASNAME};
            ShowStatusReport(kUnreachableText);
        }
        return 0;
    }

    if (shareInfo.SHOUGOU.empty())
        shareInfo.SHOUGOU = row.ENTTEXT.empty() ? EmptyAreaName : row.ENTTEXT;
    if (shareInfo.DATALISTNAME.empty())
        shareInfo.DATALISTNAME = row.ENTTEXT.empty() ? EmptyAreaName : row.ENTTEXT;
    row.ENTTEXT = shareInfo.DATALISTNAME;
    row.DISP_NAME = shareInfo.DATALISTNAME;
    row.UPDATE_LOCK = shareInfo.UPDATE_LOCK;
    row.READ_ONLY = shareInfo.READ_ONLY;
    row.GASSAN = shareInfo.GASSANKBN;
    SetRecordFromDataInfo(shareInfo, row);
    row.KYOYULOCK = 0;
    UpdateDataListRecord(row, 0, true);
    DeleteDataListChildRecord(row, true);
    bool damaged = shareInfo.STATUS == DataStatusDamaged;
    TDataInfomationRec lastInfo = shareInfo;

    if (IsConsolidatedKind(row.GASSAN) && !damaged) {
        row.ChildCount = 0;
        row.Children.clear();
        SubFolders = ListSubFolders(row.PASNAME, 0);
        for (std::size_t i = 0; i < SubFolders.size(); ++i) {
            const std::string sub = ExcludeBackslash(SubFolders[i]);
            if (!HoldsDataFile(sub))
                continue;
            TDataInfomationRec childInfo;
            info.ReadDataInfo(sub, childInfo);
            lastInfo = childInfo;
            TDataListRec child;
            ClearRecord(child, sub);
            child.REC = row.REC;
            child.ROWNO = static_cast<std::int32_t>(i + 1);
            child.NETDRIVE = row.NETDRIVE;
            child.UPDATE_LOCK = row.UPDATE_LOCK;
            child.READ_ONLY = row.READ_ONLY;
            child.GASSAN = GassanDistributedChild;
            SetRecordFromDataInfo(childInfo, child);
            child.KYOYULOCK = 0;
            UpdateDataListRecord(child, 0, true);
            row.Children.push_back(child);
            ++row.ChildCount;
            if (childInfo.STATUS == DataStatusDamaged)
                damaged = true;
        }
    }
    if (damaged) {
        SetDataSetLines(row.PASNAME, lastInfo);
        ShowStatusReport(kDamagedText);
        return -1;
    }

    const std::int32_t result = info.GetShareData(row.PASNAME, row.LOCAL_PATH, quiet);
    if (result == 0) {
        try {
            info.WriteShareStatus(row.PASNAME, ShareStatusFree);
        } catch (const std::exception&) {
        }
        return 0;
    }
    if (result == -1) {
        SetDataSetLines(row.PASNAME, info.Rec);
        ShowStatusReport(info.Rec.STATUS == DataStatusDamaged ? kDamagedText : kInUseText);
    }
    row.KYOYULOCK = result == 1 ? 1 : 0;
    UpdateDataListRecord(row, 0, true);
    if (IsConsolidatedKind(row.GASSAN)) {
        for (const auto& sub : ListSubFolders(row.LOCAL_PATH, 0))
            if (HoldsDataFile(ExcludeBackslash(sub)))
                ShellDeleteSafe(ExcludeBackslash(sub), FO_DELETE, false, true);
        for (auto& child : row.Children) {
            if (!HoldsDataFile(child.PASNAME))
                continue;
            const std::string local = datalist::replaceAll(child.PASNAME, row.PASNAME, row.LOCAL_PATH);
            if (info.GetShareData(child.PASNAME, local, 1) == 0)
                break;
            child.KYOYULOCK = row.KYOYULOCK;
            UpdateDataListRecord(child, 0, true);
        }
    }
    return result;
}

// The keep copies the children back before the parent, and removes stale
// child folders of the share only once everything arrived: a copy that fails
// half way must leave the share whole and the data set taken, so that the
// working copy, the only complete one, stays this computer's.
std::int32_t TDataSentakuListCtl::KyoyuDataPut(TDataSentakuRec& row, std::int32_t quiet)
{
    if (row.PASNAME.empty() || row.LOCAL_PATH.empty())
        return 0;
    TDataInfomation info;
    info.Location = ConnectMode;

    std::vector<TDataListRec*> kept;
    bool failed = false;
    if (IsConsolidatedKind(row.GASSAN)) {
        for (auto& child : row.Children) {
            if (!HoldsDataFile(child.LOCAL_PATH))
                continue;
            if (info.PutShareData(child.PASNAME, child.LOCAL_PATH, 1) != 1) {
                failed = true;
                break;
            }
            kept.push_back(&child);
        }
    }
    if (!failed && info.PutShareData(row.PASNAME, row.LOCAL_PATH, quiet) != 1)
        failed = true;
    if (failed) {
        // The children already copied go back to taken, like the parent.
        for (TDataListRec* child : kept) {
            info.WriteShareStatus(child->LOCAL_PATH, ShareStatusTaken);
            info.SetShareStatusIfChanged(child->PASNAME, ShareStatusTaken);
        }
        TDataInfomationRec shareInfo;
        info.ReadDataInfo(row.PASNAME, shareInfo);
        SetDataSetLines(row.PASNAME, shareInfo);
        ShowStatusReport(kKeepFailedText);
        return 0;
    }

    row.KYOYULOCK = 0;
    UpdateDataListRecord(row, 0, true);
    std::set<std::string> keptNames;
    for (const TDataListRec* child : kept)
        keptNames.insert(datalist::lastComponent(child->PASNAME));
    SubFolders = ListSubFolders(row.PASNAME, 0);
    for (const auto& entry : SubFolders) {
        const std::string sub = ExcludeBackslash(entry);
        if (!HoldsDataFile(sub) || keptNames.count(datalist::lastComponent(sub)))
            continue;
        ShellDeleteSafe(sub, FO_DELETE, false, false);
        if (DeletePauseMs > 0)
            WaitWithMessages(DeletePauseMs);
    }
    for (TDataListRec* child : kept) {
        child->KYOYULOCK = row.KYOYULOCK;
        UpdateDataListRecord(*child, 0, true);
    }
    return 1;
}

} // namespace vq
