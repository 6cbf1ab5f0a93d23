#include "datasets/ServerAreaOperations.h"

#include "datasets/DataRowChecks.h"
#include "datasets/NetworkDrives.h"
#include "datasets/operations/DataSetNotices.h"
#include "datasets/operations/PasteEngine.h"
#include "datasets/operations/StagedFolder.h"

#include <algorithm>
#include <filesystem>

#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileUtils.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"

namespace fs = std::filesystem;

namespace vq {

namespace {

void inform(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Information);
}

void warn(const std::string& text)
{
    platform::showMessage(text, platform::MessageKind::Warning, platform::Buttons::Ok);
}

std::string nativeOf(const std::string& area)
{
    std::string path = area;
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    return ResolveDrivePath(path);
}

std::string replacedAll(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// What the name box lets through: no character a folder name may not hold,
// at most ten characters.
std::string areaNameOf(const std::string& typed)
{
    std::string name;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < typed.size() && characters < 10;) {
        const unsigned char lead = static_cast<unsigned char>(typed[i]);
        const std::size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::string ch = typed.substr(i, len);
        i += len;
        if (ch.size() == 1 && std::string_view("\"*,/:;<>?\\|").find(ch[0]) != std::string_view::npos)
            continue;
        name += ch;
        ++characters;
    }
    return TrimZenSpace(lowerAscii(name));
}

bool unreachableNotice(const std::string& folder)
{
    if (ProbeFolder(folder, NetworkProbeTimeout) == FolderProbeResult::Present)
        return false;
    inform("共有サーバーが起動していない、接続が切断されている または 共有サーバー上のデータ領域が削除された可能性があります。\r"
           "共有サーバーが起動している場合は [更新]ボタンを押しデータリストの再作成を行って下さい。");
    return true;
}

} // namespace

TServerAreaOperations::TServerAreaOperations(TServerSentakuList& list)
    : list_(list)
{
}

bool TServerAreaOperations::MarkSource(std::int32_t gridRow)
{
    const TDataListRec* row = list_.GetRowRecord(gridRow);
    if (row == nullptr)
        return false;
    TDataListRec r = *row;
    if (CloudUsable && r.CLOUD == 1 && DataTusin != nullptr) {
        std::string local;
        list_.ListCtl.GetLocalPathOfSharePath(r.PASNAME, r.GASSAN, local);
        std::int32_t code = 1;
        if (!local.empty()) {
            code = DataTusin->CloudShareReceiveTo(local, 0);
            if (code == 0)
                DataTusin->ReleaseCloudShare(local);
        }
        if (code >= 1 && code <= 9)
            return false;
    }
    if (unreachableNotice(r.PASNAME))
        return false;
    const std::int32_t index = list_.Grid.CellInt(gridRow, SvColParentIndex);
    if (!MarkCopySource(nativeOf(r.PASNAME), r, index, Source))
        return false;
    CopySourceIndex = index;
    return true;
}

void TServerAreaOperations::CancelPaste()
{
    CancelCopySource(Source);
    CopySourceIndex = -1;
}

void TServerAreaOperations::Reload()
{
    CancelPaste();
    list_.LoadList(false);
    list_.FillGrid(-1);
}

std::int32_t TServerAreaOperations::Paste(std::int32_t gridRow)
{
    TDataListRec* row = list_.GetRowRecord(gridRow);
    if (!Source.pending() || row == nullptr) {
        CancelPaste();
        return 0;
    }
    const TDataListRec target = *row;
    const std::string targetFolder = nativeOf(target.PASNAME);
    if (IsSameFolder(targetFolder, Source.Folder)) {
        CancelPaste();
        return 0;
    }
    // The list may be minutes old: another computer may have taken the area since.
    if (unreachableNotice(target.PASNAME)) {
        CancelPaste();
        return 0;
    }
    if (list_.GetShareStatus(target.PASNAME) == ShareStatusTaken) {
        inform(SharedPasteInUseText);
        CancelPaste();
        return 0;
    }
    const std::int32_t parentRow = list_.FindParentRow(gridRow);
    const std::int32_t parentIndex = list_.Grid.CellInt(parentRow, SvColParentIndex);
    const TDataSentakuRec* parent = parentIndex >= 0 && parentIndex < static_cast<std::int32_t>(list_.Rows.size())
                                        ? &list_.Rows[static_cast<std::size_t>(parentIndex)]
                                        : nullptr;
    PasteRequest request;
    request.Folder = targetFolder;
    request.Row = target;
    request.ParentChildCount = parent != nullptr ? parent->ChildCount : 0;
    const TCopySource source = Source;

    if (BeginWork)
        BeginWork();
    PasteOutcome outcome;
    try {
        outcome = PasteDataSet(request, Source, Tool);
    } catch (const std::exception& e) {
        CancelPaste();
        ShowMessageDetail("データの貼り付けに失敗しました。", e.what());
        outcome.Result = -1;
    }
    CopySourceIndex = -1;
    if (outcome.Result == 1) {
        // The children's folders went with the swap; their cached rows go too.
        if (outcome.ChildrenDropped)
            list_.ListCtl.DeleteServerDataListChildRecord(target, true);
        list_.DataInfo.WriteShareStatus(targetFolder, ShareStatusFree);
        TDataListRec pasted = target;
        list_.CheckDataStatus(target.PASNAME, false, false);
        list_.FillRecordFromInfo(pasted, false);
        pasted.DATA_STATUS = 0;
        list_.SaveRow(pasted);
        *row = pasted;
        if (IsParentKind(target.GASSAN) && parentIndex >= 0)
            copyChildren(parentIndex, source);
    }
    list_.LoadList(false);
    list_.FillGrid(-1);
    if (gridRow < list_.Grid.RowCount())
        list_.Grid.SetCurrentCell(gridRow, SvColName);
    if (EndWork)
        EndWork();
    return outcome.Result;
}

void TServerAreaOperations::copyChildren(std::int32_t targetParent, const TCopySource& source)
{
    TDataSentakuRec& t = list_.Rows[static_cast<std::size_t>(targetParent)];
    // The source's parent is found again by its folder, never by the index it
    // had when it was marked.
    const TDataSentakuRec* src = nullptr;
    for (const TDataSentakuRec& r : list_.Rows)
        if (!r.PASNAME.empty() && IsSameFolder(nativeOf(r.PASNAME), source.Folder))
            src = &r;
    if (!IsConsolidatedKind(source.Row.GASSAN) || src == nullptr || !IsConsolidatedKind(src->GASSAN)) {
        t.Children.clear();
        t.ChildCount = 0;
        return;
    }
    const TDataSentakuRec from = *src;
    t.Children.clear();
    for (const TDataListRec& child : from.Children) {
        TDataListRec copy = child;
        copy.REC = t.REC;
        copy.NETDRIVE = 1;
        copy.PASNAME = replacedAll(copy.PASNAME, from.PASNAME, t.PASNAME);
        list_.ListCtl.UpdateServerDataListRecord(copy, 0, true);
        t.Children.push_back(copy);
    }
    t.ChildCount = static_cast<std::int32_t>(t.Children.size());
}

bool TServerAreaOperations::AddArea()
{
    if (static_cast<std::int32_t>(list_.Rows.size()) >= MaxServerAreas) {
        warn("これ以上の領域追加は行えません。(最大" + std::to_string(MaxServerAreas) + "件)");
        return true;
    }
    if (list_.DrivePath.empty())
        return true;
    std::string proposed;
    list_.ListCtl.NextServerAreaName(list_.DrivePath, 1, proposed);
    const auto typed = platform::interaction().input("データの領域追加", "新しく作成するフォルダ名を入力して下さい。",
                                                     proposed, false);
    if (!typed)
        return true;
    const std::string name = areaNameOf(*typed);
    if (name.empty())
        return true;
    const std::string path = list_.DrivePath + "/" + name;
    std::error_code ec;
    if (fs::exists(ResolveDrivePath(path), ec)) {
        warn("\"" + path + "\"は既に作成されています。");
        return true;
    }
    if (!ForceFolder(path)) {
        warn("\"" + path + "\"の作成に失敗しました。");
        return true;
    }
    CancelPaste();
    TDataSentakuRec area;
    list_.FillRecordFromInfo(area, true);
    area.ENTTEXT = NewAreaName;
    area.DISP_NAME = NewAreaName;
    area.PASNAME = path;
    list_.SaveRow(area);
    list_.LoadList(false);
    list_.FillGrid(-1);
    const std::int32_t at = list_.RowOfFolder(path);
    if (at >= 0)
        list_.Grid.SetCurrentCell(at, SvColName);
    return true;
}

bool TServerAreaOperations::DeleteData(std::int32_t gridRow, bool reportFailure)
{
    const TDataListRec* row = list_.GetRowRecord(gridRow);
    if (row == nullptr || row->GASSAN == GassanDistributedChild)
        return true;
    const TDataListRec r = *row;
    if (CloudUsable && r.CLOUD == 1) {
        inform("クラウドシェアデータのため削除処理は行えません。");
        return true;
    }
    if (unreachableNotice(r.PASNAME))
        return true;
    if (list_.GetShareStatus(r.PASNAME) == ShareStatusTaken) {
        inform(SharedDeleteInUseText);
        return true;
    }
    const std::uint8_t status = list_.CheckDataStatus(r.PASNAME, false, true);
    if (status != DataStatusFree && status != DataStatusDamaged)
        return true;
    ListNotice notice;
    notice.caption = "データの削除";
    notice.mainText = "選択中のデータを削除します。";
    notice.lines = {"【データ名】", "　" + list_.Grid.Cell(gridRow, SvColName), "", "【会計期間】",
                    "　" + list_.Grid.Cell(gridRow, SvColKikan), "", "【データフォルダ】",
                    "　" + list_.Grid.Cell(gridRow, SvColFolder)};
    notice.agreement = "データの削除に同意します";
    notice.okCancel = true;
    if (ShowListNotice(notice) != 1)
        return true;
    // Asked again after the agreement: the box may have stood open a while.
    if (list_.GetShareStatus(r.PASNAME) == ShareStatusTaken) {
        inform(SharedDeleteInUseText);
        return true;
    }
    const fs::path folder = nativeOf(r.PASNAME);
    CloseOwnConnectionTo(folder);
    if (IsDataSetAttached(SystemDef.HostName, folder)) {
        inform(SharedDeleteInUseText);
        return true;
    }
    bool deleted = true;
    try {
        MoveToTrash(folder);
    } catch (const std::exception&) {
        deleted = false;
    }
    CancelPaste();
    list_.RebuildList();
    if (!deleted && reportFailure)
        platform::showMessage("データの削除に失敗しました。\r削除処理を中止しました。", platform::MessageKind::Error,
                              platform::Buttons::Ok);
    return deleted;
}

bool TServerAreaOperations::ChooseArea(std::int32_t gridRow, std::string& pasName, std::string& name)
{
    if (list_.GetRowRecord(gridRow) == nullptr || list_.Grid.CellInt(gridRow, SvColGassan) == GassanDistributedChild)
        return false;
    const std::int32_t p = list_.FindParentRow(gridRow);
    const TDataListRec* r = list_.GetRowRecord(p);
    if (r == nullptr)
        return false;
    const TDataListRec chosen = *r;
    pasName = chosen.PASNAME;
    name = chosen.ENTTEXT;
    if (unreachableNotice(pasName))
        return false;
    if (list_.GetShareStatus(pasName) == ShareStatusTaken && (name == EmptyAreaName || name == NewAreaName)) {
        inform("この領域は、現在データが作成されている可能性があるため選択できません。");
        return false;
    }
    if (IsConsolidatedKind(chosen.GASSAN)) {
        const auto& children = list_.Rows[static_cast<std::size_t>(list_.Grid.CellInt(p, SvColParentIndex))].Children;
        const auto broken = std::find_if(children.begin(), children.end(),
                                         [](const TDataListRec& c) { return c.DATA_STATUS == 1; });
        if (broken != children.end()) {
            ListNotice notice;
            notice.caption = "選択データの状態";
            notice.mainText = "共有サーバー上のデータが破損しているため、共有データの取得を中止します。\r"
                              "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。";
            notice.lines = {"【データフォルダ】", "　" + broken->PASNAME, "", "【オペレータ】", "", "【オペレータ名】", ""};
            ShowListNotice(notice);
            return false;
        }
    }
    return true;
}

} // namespace vq
