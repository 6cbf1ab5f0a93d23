#include "datasets/DataSentakuList.h"

#include "datasets/DataListFilter.h"
#include "datasets/DataListSql.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/DataInfomation.h"
#include "foundation/dataset/SeihinVersionList.h"
#include "foundation/files/FileOperations.h"
#include "platform/Cp932.h"
#include "platform/db/DbError.h"

namespace vq {

namespace {

bool isPlaceholderName(const std::string& name)
{
    return name == EmptyAreaName || name == NewAreaName;
}

bool blankOnly(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

constexpr const char* kHeaderTexts[DataSentakuColumnCount] = {
    "No", "コード", "ｸﾗｳﾄﾞ", "データ名  ", "会計年度", "会計期間", "データフォルダ", "バージョン", "鍵", "共有",
    "鍵", "共有", "バージョン", "データ更新", "合算区分", "", "", "データステータス", "ｸﾗｳﾄﾞ", "参照専用ﾞ"};

} // namespace

std::uint8_t StoreSortTypeOf(std::int32_t sortCol)
{
    switch (sortCol) {
    case 1: return 7;
    case 3: return 2;
    case 4: return 3;
    case 5: return 4;
    case 6: return 5;
    case 7: return 6;
    default: return 1;
    }
}

TDataSentakuList::TDataSentakuList()
    : TSentakuListCore({ColGassan, ColParentIndex, ColChildIndex}, kHeaderTexts, DataSentakuColumnCount, 0)
{
    ConnectMode = vq::ConnectMode;
    ListCtl.ConnectMode = ConnectMode;
}

void TDataSentakuList::SetupColumns()
{
    const int widths[DataSentakuColumnCount] = {40, 70, 40, 280, 80, 230, 150, 90, 0, 0,
                                                0,  0,  0,  0,   0,  0,   0,   0,  0, 0};
    std::copy(std::begin(widths), std::end(widths), Grid.ColWidth.begin());
    Grid.ColWidth[ColCloud] = CloudUsable ? 40 : 0;
    if (ConnectMode <= ConnectTerminal) {
        Grid.ColWidth[ColLockPicture] = ConnectMode == ConnectStandAlone ? 0 : 32;
        Grid.ColWidth[ColSharePicture] = ConnectMode == ConnectStandAlone ? 32 : 0;
    }
    Grid.ColWidth[ColName] =
        280 - Grid.ColWidth[ColCloud] - std::max(Grid.ColWidth[ColLockPicture], Grid.ColWidth[ColSharePicture]);
    for (int c = 0; c < DataSentakuColumnCount; ++c)
        Grid.Header[static_cast<std::size_t>(c)] = kHeaderTexts[c];
    Grid.BackColor = kListBackColor;
    Grid.ForeColor = 0x000000;
    if (ConnectMode == ConnectStandAlone) {
        Grid.OddRowBackColor = kListOddRowColor;
        Grid.FocusBorderColor = kListFocusColor;
    } else {
        Grid.OddRowBackColor = kServerOddRowColor;
        Grid.FocusBorderColor = kServerFocusColor;
    }
}

std::int32_t TDataSentakuList::LoadList()
{
    ListCtl.ConnectMode = ConnectMode;
    ListCtl.SetListTable(PlaceRec);
    ListCtl.Execute(0, StoreSortTypeOf(SortCol), SortDesc, {});
    Rows = std::move(ListCtl.DataList);
    ChildRows = std::move(ListCtl.ChildList);
    ListCtl.DataList.clear();
    ListCtl.ChildList.clear();
    FilterList();
    return static_cast<std::int32_t>(Rows.size());
}

void TDataSentakuList::FilterList()
{
    DispIndex = vq::FilterList(Rows, Search);
}

void TDataSentakuList::writeHeaders()
{
    TSentakuListCore::writeHeaders();
    if (ConnectMode == ConnectStandAlone)
        Grid.Header[ColSharePicture] = "共有";
    else
        Grid.Header[ColLockPicture] = "鍵";
}

void TDataSentakuList::WriteGridRow(std::int32_t gridRow, const TDataListRec& row)
{
    TDataSentakuGridRow& g = Grid.Row(gridRow);
    g = TDataSentakuGridRow{};
    g.RowValue = row.REC;
    g.SetInt(ColNo, row.REC);
    g.Text[ColCode] = row.DATACODE;
    g.Text[ColName] = row.DISP_NAME;
    g.Text[ColFolder] = FolderColumnText(row.PASNAME);
    g.Text[ColVersion] = DataVersionLabel(row.VER_MAJOR, row.VER_MINOR1);
    g.SetInt(ColLock, row.DATALOCK);
    g.Picture[ColLockPicture] = PicEmpty;
    g.Picture[ColSharePicture] = PicEmpty;
    g.SetInt(ColShared, 0);
    char version[48];
    std::snprintf(version, sizeof version, "%d.%d.%d", row.VER_MAJOR, row.VER_MINOR1, row.VER_MINOR2);
    g.Text[ColVersionNumbers] = version;
    g.SetInt(ColUpdatePending, row.UPDATE_LOCK);
    g.SetInt(ColGassan, row.GASSAN);
    g.SetInt(ColParentIndex, 0);
    g.SetInt(ColChildIndex, 0);
    g.SetInt(ColDataStatus, row.DATA_STATUS);
    if (!row.ENTTEXT.empty() && !isPlaceholderName(row.ENTTEXT)) {
        g.Text[ColNendo] = std::to_string(row.NENDO) + " 期";
        g.Text[ColKikan] = row.KIKAN_TEXT;
    } else {
        g.Text[ColKikan] = "～";
    }
    if (row.DATALOCK != 0)
        g.Picture[ColLockPicture] = PicLock;
    g.SetInt(ColCloudValue, row.CLOUD);
    g.Picture[ColCloud] = static_cast<std::int8_t>(row.CLOUD != 0 ? 1 : 0);
    g.SetInt(ColReadOnly, row.READ_ONLY);
    colourRow(gridRow, CheckDbUpdateNeeded(gridRow, true));
}

void TDataSentakuList::colourRow(std::int32_t gridRow, bool pending)
{
    TDataSentakuGridRow& g = Grid.Row(gridRow);
    g.BackColor = gridRow % 2 == 0 ? Grid.BackColor : Grid.OddRowBackColor;
    if (g.Int(ColDataStatus) == 1)
        g.BackColor = kBrokenRowColor;
    g.ForeColor = pending ? kUpdatePendingColor : Grid.ForeColor;
}

void TDataSentakuList::ShowKyoyuState(std::int32_t gridRow, const TDataListRec& row)
{
    switch (vq::GetKyoyuState(row)) {
    case KyoyuKept:
        Grid.SetCellInt(gridRow, ColShared, 0);
        Grid.SetPicture(gridRow, ColSharePicture, PicShared);
        break;
    case KyoyuTaken:
        Grid.SetCellInt(gridRow, ColShared, 1);
        Grid.SetPicture(gridRow, ColSharePicture, PicEmpty);
        break;
    default:
        break;
    }
}

std::string TDataSentakuList::GetDataPath(std::int32_t gridRow) const
{
    const TDataListRec* row = GetRowRecord(gridRow);
    return row != nullptr ? vq::GetDataPath(*row) : std::string();
}

std::int32_t TDataSentakuList::GetKyoyuState(std::int32_t by, std::int32_t index) const
{
    const TDataListRec* row = nullptr;
    if (by == 0)
        row = GetRowRecord(index);
    else if (by == 1 && index >= 0 && index < static_cast<std::int32_t>(Rows.size()))
        row = &Rows[static_cast<std::size_t>(index)];
    return row != nullptr ? vq::GetKyoyuState(*row) : KyoyuNone;
}

std::int32_t TDataSentakuList::DisplayIndexOf(std::int32_t gridRow) const
{
    if (gridRow < 0 || gridRow >= Grid.RowCount())
        return 0;
    const std::int32_t parent = Grid.CellInt(gridRow, ColParentIndex);
    const auto it = std::find(DispIndex.begin(), DispIndex.end(), parent);
    return it == DispIndex.end() ? 0 : static_cast<std::int32_t>(it - DispIndex.begin());
}

std::int32_t TDataSentakuList::gridRowOfParent(std::int32_t parentIndex) const
{
    for (int r = 0; r < Grid.RowCount(); ++r)
        if (IsParentKind(Grid.CellInt(r, ColGassan)) && !Grid.Cell(r, ColParentIndex).empty() &&
            Grid.CellInt(r, ColParentIndex) == parentIndex)
            return r;
    return -1;
}

bool TDataSentakuList::CheckDbUpdateNeeded(std::int32_t gridRow, bool ask)
{
    if (gridRow < 0 || gridRow >= Grid.RowCount() || Grid.Cell(gridRow, ColVersionNumbers).empty())
        return false;
    const bool flag = Grid.CellInt(gridRow, ColUpdatePending) == 1;
    if (!ask || !flag)
        return flag;
    DbUpdateBox.SetupUpdateList(1, Grid.Cell(gridRow, ColVersionNumbers));
    Grid.SetCellInt(gridRow, ColUpdatePending, DbUpdateBox.FNeedUpdate ? 1 : 0);
    return DbUpdateBox.FNeedUpdate;
}

std::string TDataSentakuList::FolderColumnText(const std::string& pasName)
{
    const std::string base = TDataSentakuListCtl::DataRoot();
    if (base.empty())
        return pasName;
    const std::string lowBase = datalist::upperAscii(base);
    std::string out;
    std::string low = datalist::upperAscii(pasName);
    std::size_t from = 0;
    for (std::size_t at = low.find(lowBase); at != std::string::npos; at = low.find(lowBase, from)) {
        out += pasName.substr(from, at - from) + "~";
        from = at + base.size();
    }
    out += pasName.substr(from);
    return out;
}

bool TDataSentakuList::HeaderClick(std::int32_t col)
{
    if (!Grid.HasCurrentRow())
        return false;
    bool same = false;
    if (col == 0) {
        same = SortCol == -1 || SortCol == 0;
    } else if (col == 1 || (col >= 3 && col <= 7)) {
        same = SortCol == col;
    } else {
        return false;
    }
    SortCol = col;
    SortDesc = same && !SortDesc;
    // The row focused before the sort stays focused.
    const TDataListRec* before = GetRowRecord(Grid.CurrentRow);
    const std::int32_t rec = before != nullptr ? before->REC : -1;
    const std::string folder = before != nullptr ? before->PASNAME : std::string();
    const bool child = Grid.CellInt(Grid.CurrentRow, ColGassan) == GassanDistributedChild;
    LoadList();
    FillGrid(-1);
    for (int r = 0; r < Grid.RowCount(); ++r) {
        const TDataListRec* row = GetRowRecord(r);
        const bool rowChild = Grid.CellInt(r, ColGassan) == GassanDistributedChild;
        if (row != nullptr && row->REC == rec && rowChild == child && datalist::upperAscii(row->PASNAME) == datalist::upperAscii(folder)) {
            Grid.SetCurrentCell(r, 0);
            break;
        }
    }
    return true;
}

void TDataSentakuList::CellGotFocus(std::int32_t gridRow)
{
    if (gridRow < 0 || gridRow >= Grid.RowCount())
        return;
    TDataSentakuGridRow& g = Grid.Row(gridRow);
    g.ForeColor = Grid.FocusBorderColor;
    if (CheckDbUpdateNeeded(gridRow, false))
        g.ForeColor = kUpdatePendingColor;
    if (g.Int(ColDataStatus) == 1)
        g.ForeColor = Grid.ForeColor;
    g.FocusFont = true;
}

void TDataSentakuList::CellLostFocus(std::int32_t gridRow)
{
    if (gridRow < 0 || gridRow >= Grid.RowCount())
        return;
    TDataSentakuGridRow& g = Grid.Row(gridRow);
    g.ForeColor = CheckDbUpdateNeeded(gridRow, false) ? kUpdatePendingColor : Grid.ForeColor;
    g.FocusFont = false;
}

std::int32_t TDataSentakuList::ScrollToFolder(const std::string& folder)
{
    const std::string wanted = datalist::upperAscii(folder);
    for (int r = 0; r < Grid.RowCount(); ++r) {
        if (datalist::upperAscii(GetDataPath(r)) != wanted)
            continue;
        // The row left keeps no focus look, or two rows would look chosen.
        if (Grid.HasCurrentRow() && Grid.CurrentRow != r)
            CellLostFocus(Grid.CurrentRow);
        Grid.SetCurrentCell(r, 0);
        int shown = 0;
        for (int above = r - 1; above >= 0; --above) {
            if (Grid.Row(above).Height == 0)
                continue;
            if (++shown == 6) {
                Grid.TopRow = above;
                break;
            }
        }
        return r;
    }
    return -1;
}

void TDataSentakuList::LocateRow(std::int32_t topRow, const TDataListRec& rec)
{
    LoadList();
    FillGrid(-1);
    if (topRow < 0 || topRow > 32699)
        topRow = 0;
    if (Grid.RowCount() > 0 && topRow < Grid.RowCount())
        Grid.TopRow = topRow;
    const std::string folder = datalist::upperAscii(FolderColumnText(rec.PASNAME));
    for (int r = 0; r < Grid.RowCount(); ++r) {
        if (Grid.Row(r).RowValue != rec.REC)
            continue;
        if (!rec.PASNAME.empty() && datalist::upperAscii(Grid.Cell(r, ColFolder)) != folder)
            continue;
        Grid.SetCurrentCell(r, ColName);
        return;
    }
    if (Grid.RowCount() > 0)
        Grid.SetCurrentCell(Grid.TopRow, ColName);
}

void TDataSentakuList::FillRecordFromInfo(TDataListRec& row, bool clear) const
{
    if (clear) {
        const std::int32_t netDrive = row.NETDRIVE;
        row.ROWNO = 0;
        row.GROUPID = SystemDef.GROUPID;
        row.DATACODE.clear();
        row.ENTTEXT.clear();
        row.SHOUGOU.clear();
        row.KIKAN_TEXT.clear();
        row.KISHU = row.KIMATU = 0;
        row.DATATYPE = row.CODETYPE = 0;
        row.DATALOCK = row.KYOYULOCK = row.TANTOU = 0;
        row.VER_MAJOR = row.VER_MINOR1 = row.VER_MINOR2 = 0;
        row.VER_TEXT.clear();
        row.UPDATE_LOCK = 0;
        row.GASSAN = 0;
        row.CLOUD = 0;
        row.READ_ONLY = 0;
        row.NENDO = 1;
        if (netDrive == 1) {
            row.ENTTEXT = EmptyAreaName;
            row.KYOYULOCK = 1;
        }
        row.DISP_NAME = row.ENTTEXT;
        return;
    }
    const TDataInfomationRec& info = InfoRec;
    row.GROUPID = SystemDef.GROUPID;
    row.DATACODE = info.CODE;
    row.SHOUGOU = info.SHOUGOU;
    row.NENDO = info.NENDO;
    row.KISHU = SafeStrToDate(info.KISHU);
    row.KIMATU = SafeStrToDate(info.KIMATU);
    try {
        row.KIKAN_TEXT = PeriodToText(row.KISHU, row.KIMATU);
    } catch (const std::exception&) {
        row.KIKAN_TEXT.clear();
    }
    row.DATATYPE = info.DATAKBN;
    row.CODETYPE = info.CODEKBN;
    row.TANTOU = info.TANTO;
    row.DATALOCK = info.STATUS == DataStatusLocked ? OperatorNumberOf(info.OPCODE, row.GROUPID) : 0;
    if (info.SHARE_STATUS == ShareStatusTaken && info.SHARE_OPCODE == SystemDef.OPCODE)
        row.KYOYULOCK = 1;
    row.VER_MAJOR = info.MAJOR;
    row.VER_MINOR1 = info.MINOR1;
    row.VER_MINOR2 = info.MINOR2;
    row.VER_TEXT = DataVersionLabel(info.MAJOR, info.MINOR1);
    row.UPDATE_LOCK = info.UPDATE_LOCK;
    row.GASSAN = info.GASSANKBN;
    row.CLOUD = info.CLOUD_SHARE;
    row.READ_ONLY = info.READ_ONLY;
    if (row.NETDRIVE == 1) {
        if (row.ENTTEXT.empty() || isPlaceholderName(row.ENTTEXT))
            row.ENTTEXT = info.SHOUGOU;
    } else if (row.ENTTEXT.empty()) {
        row.ENTTEXT = info.SHOUGOU;
    }
    row.DISP_NAME = row.ENTTEXT;
}

void TDataSentakuList::SaveRow(const TDataListRec& row)
{
    if (blankOnly(row.PASNAME))
        throw std::runtime_error("データフォルダパスが不正です。\r処理を中止します。");
    if (row.GASSAN == GassanDistributedChild && row.ROWNO > 0)
        ListCtl.UpdateDataListChildRecord(row, 0, true);
    else
        ListCtl.UpdateDataListRecord(row, 0, true);
}

bool TDataSentakuList::DataListRefresh(std::int32_t gridRow, const std::function<bool(std::int32_t)>& progress)
{
    if (gridRow >= 0) {
        refreshOne(gridRow);
        return false;
    }
    if (ConnectMode == ConnectClientServer || ConnectMode == ConnectTerminal) {
        try {
            ListCtl.CompactRecNo();
            TDataListRec current;
            if (const TDataListRec* row = GetRowRecord(FindParentRow(Grid.CurrentRow)))
                current = *row;
            LocateRow(Grid.TopRow, current);
        } catch (const db::DbError& e) {
            ReportDbError(e, "TDataSentakuBox.DataListRefresh", "データリストの更新に失敗しました。");
        } catch (const std::exception& e) {
            ShowMessageDetail("データリストの更新に失敗しました。", e.what());
        }
    }
    for (int r = 0; r < Grid.RowCount(); ++r) {
        if (progress && !progress(r))
            break;
        refreshOne(r);
    }
    return false;
}

void TDataSentakuList::refreshOne(std::int32_t gridRow)
{
    if (gridRow < 0 || gridRow >= Grid.RowCount())
        return;
    const TGridRowKey key = KeyOf(gridRow);
    TDataListRec* row = GetRowRecord(gridRow);
    if (row == nullptr)
        return;
    if (row->DATA_STATUS == 1) {
        Grid.SetCellInt(gridRow, ColDataStatus, 1);
        Grid.Row(gridRow).BackColor = kBrokenRowColor;
        return;
    }
    const std::string folder = vq::GetDataPath(*row);
    const std::string database = (std::filesystem::path(folder) / DataDbFileName).string();
    const bool child = key.Gassan == GassanDistributedChild;
    if (!IsParentKind(key.Gassan) && !child)
        return;
    TDataSentakuRec& parent = Rows[static_cast<std::size_t>(key.Parent)];
    FillRow = child ? FindParentRow(gridRow) : gridRow;
    RefillIndex = DisplayIndexOf(gridRow);
    const bool named = !Grid.Cell(gridRow, ColName).empty();

    TDataInfomation info;
    info.Location = ConnectMode;
    if (ConnectMode != ConnectStandAlone) {
        if (FileOpFExist(database, ConnectMode)) {
            ClearRec(InfoRec);
            info.ReadDataInfo(folder, InfoRec);
            FillRecordFromInfo(*row, false);
            SaveRow(*row);
        } else if (named) {
            if (child) {
                // Only the child whose folder is gone leaves the list; its
                // parent and the parent's other children stay registered (the
                // store leaves the server's child rows to the server).
                ListCtl.DeleteDataListChildRecord(*row, true);
                ListCtl.RemoveChild(parent, key.Child);
            } else {
                FillRecordFromInfo(parent, true);
                parent.ChildCount = 0;
                parent.Children.clear();
                SaveRow(parent);
            }
        }
        FillGrid(RefillIndex);
        return;
    }

    bool childRemoved = false;
    if (FileOpFExist(database, ConnectMode)) {
        ClearRec(InfoRec);
        info.ReadDataInfo(folder, InfoRec);
        TDataInfomationRec fromDatabase;
        if (info.GetDataInfoFromFolder(folder, fromDatabase)) {
            // The description comes from the database; the status keys stay those of the info file.
            fromDatabase.STATUS = InfoRec.STATUS;
            fromDatabase.OPCODE = InfoRec.OPCODE;
            fromDatabase.OPERATOR = InfoRec.OPERATOR;
            fromDatabase.SHARE_STATUS = InfoRec.SHARE_STATUS;
            fromDatabase.SHARE_OPCODE = InfoRec.SHARE_OPCODE;
            fromDatabase.SHARE_OPERATOR = InfoRec.SHARE_OPERATOR;
            InfoRec = fromDatabase;
            info.WriteIniValue(folder, "DATASTS", "UPDATE_LOCK", std::to_string(InfoRec.UPDATE_LOCK), false);
            info.WriteIniValue(folder, "DATASTS", "READ_ONLY", std::to_string(InfoRec.READ_ONLY), false);
            info.WriteIniFile(folder, "DATAINFO", InfoRec);
            FillRecordFromInfo(*row, false);
            SaveRow(*row);
        } else if (DM != nullptr && DM->CallDataStatusHook("", folder, 0, 0) == 0) {
            row->DATA_STATUS = 1;
        }
    } else {
        if (row->NETDRIVE != 1) {
            std::error_code ec;
            std::filesystem::remove(std::filesystem::path(folder) / DataIniFileName, ec);
        }
        if (named) {
            if (child) {
                ListCtl.DeleteDataListChildRecord(*row, true);
                ListCtl.RemoveChild(parent, key.Child);
                childRemoved = true;
            } else {
                FillRecordFromInfo(parent, true);
                parent.ChildCount = 0;
                parent.Children.clear();
                SaveRow(parent);
            }
        }
    }
    FillGrid(RefillIndex);
    (void)childRemoved;
}

} // namespace vq
