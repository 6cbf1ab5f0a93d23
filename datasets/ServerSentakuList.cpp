#include "datasets/ServerSentakuList.h"

#include "datasets/DataListFilter.h"
#include "datasets/DataListSql.h"
#include "datasets/DataRowChecks.h"
#include "datasets/DataSentakuList.h"
#include "datasets/NetworkDrives.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <tuple>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/files/FileUtils.h"
#include "platform/Cp932.h"

namespace vq {

namespace {

constexpr int kColumnCount = 18;

constexpr const char* kHeaders[kColumnCount] = {
    "No", "コード", "ｸﾗｳﾄﾞ", "データ名", "会計年度", "会計期間", "データフォルダ", "バージョン", "共有",
    "共有値", "バージョン", "データ更新", "", "", "", "データステータス", "ｸﾗｳﾄﾞ", "参照専用"};

std::string withoutTrailingDelimiter(std::string path)
{
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    return path;
}

bool holdsDatabase(const std::string& folder)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(
        std::filesystem::path(ResolveDrivePath(withoutTrailingDelimiter(folder))) / DataDbFileName, ec);
}

// The stored date texts shown as yyyy/mm/dd, whatever their own separators.
std::string dateText(const std::string& stored)
{
    const double day = SafeStrToDate(stored);
    return day == 0 ? stored : FormatDateSlash("yyyy/mm/dd", 0, day);
}

} // namespace

bool IsFreeAreaName(const std::string& name)
{
    return name.empty() || name == EmptyAreaName || name == NewAreaName;
}

TServerSentakuList::TServerSentakuList()
    : TSentakuListCore({SvColGassan, SvColParentIndex, SvColChildIndex}, kHeaders, kColumnCount, SvColName)
{
    ShareFolder = vq::ShareFolder;
    CloudUsable = OemKind == 0;
    ListCtl.ConnectMode = ConnectMode;
    ListCtl.ListKind = 1;
    DataInfo.Location = ConnectMode;
    InitKensakuRec(Search, SystemDef.OPCODE, 1);
}

void TServerSentakuList::SetupColumns()
{
    Grid.ColWidth.fill(0);
    // The period takes 20 pixels of the version column: "yyyy/mm/dd ～ yyyy/mm/dd"
    // is cut at 180 in the display font, and a version text fits in 70.
    const int widths[] = {40, 70, 40, 0, 80, 200, 200, 70, 32};
    std::copy(std::begin(widths), std::end(widths), Grid.ColWidth.begin());
    Grid.ColWidth[SvColCloud] = CloudUsable ? 40 : 0;
    Grid.ColWidth[SvColName] = 280 - Grid.ColWidth[SvColCloud] - Grid.ColWidth[SvColSharePicture];
    Grid.Header.fill({});
    for (int c = 0; c < kColumnCount; ++c)
        Grid.Header[static_cast<std::size_t>(c)] = kHeaders[c];
    Grid.BackColor = kListBackColor;
    Grid.OddRowBackColor = kServerOddRowColor;
    Grid.FocusBorderColor = kServerFocusColor;
    Grid.ForeColor = 0x000000;
}

void TServerSentakuList::SetDrive(const std::string& letter)
{
    DriveLetter = letter.empty() ? std::string() : letter.substr(0, 1);
    DrivePath = DriveLetter.empty() ? std::string() : ShareDrivePath(DriveLetter[0], ShareFolder);
}

void TServerSentakuList::LoadList(bool rebuild)
{
    Rows.clear();
    ChildRows.clear();
    if (!DrivePath.empty()) {
        ListCtl.ServerExecute(rebuild ? 1 : 0, DrivePath, StoreSortTypeOf(SortCol), SortDesc, {});
        Rows = std::move(ListCtl.DataList);
        ChildRows = std::move(ListCtl.ChildList);
        ListCtl.DataList.clear();
        ListCtl.ChildList.clear();
    }
    if (rebuild) {
        ChildRows.clear();
        for (TDataSentakuRec& row : Rows) {
            if (CheckDataStatus(row.PASNAME, false, false) == DataStatusDamaged)
                row.DATA_STATUS = 1;
            FillRecordFromInfo(row, false);
            SaveRow(row);
            for (std::size_t k = 0; k < row.Children.size(); ++k) {
                TDataListRec& child = row.Children[k];
                if (CheckDataStatus(child.PASNAME, false, false) == DataStatusDamaged)
                    child.DATA_STATUS = 1;
                FillRecordFromInfo(child, false);
                child.REC = row.REC;
                child.ROWNO = static_cast<std::int32_t>(k + 1);
                child.GASSAN = GassanDistributedChild;
                SaveRow(child);
                ChildRows.push_back(child);
            }
        }
    }
    FilterList();
}

void TServerSentakuList::RebuildList()
{
    LoadList(true);
    FillGrid(-1);
    LoadList(false);
    FillGrid(-1);
}

void TServerSentakuList::FilterList()
{
    DispIndex = vq::FilterList(Rows, Search);
}

void TServerSentakuList::writeHeaders()
{
    TSentakuListCore::writeHeaders();
    Grid.Header[SvColSharePicture] = "共有";
}

void TServerSentakuList::WriteGridRow(std::int32_t gridRow, const TDataListRec& row)
{
    TDataSentakuGridRow& g = Grid.Row(gridRow);
    g = TDataSentakuGridRow{};
    g.RowValue = row.REC;
    g.Text[SvColCode] = row.DATACODE;
    g.Text[SvColName] = row.DISP_NAME;
    if (!IsFreeAreaName(row.ENTTEXT)) {
        g.Text[SvColNendo] = std::to_string(row.NENDO) + " 期";
        g.Text[SvColKikan] = row.KIKAN_TEXT;
    } else {
        g.Text[SvColKikan] = "～";
    }
    g.Text[SvColFolder] = row.PASNAME;
    g.Text[SvColVersion] = row.VER_TEXT;
    g.SetInt(SvColUpdateLock, row.UPDATE_LOCK);
    g.SetInt(SvColGassan, row.GASSAN);
    g.SetInt(SvColParentIndex, 0);
    g.SetInt(SvColChildIndex, 0);
    g.SetInt(SvColShared, 0);
    g.Picture[SvColSharePicture] = PicEmpty;
    g.SetInt(SvColDataStatus, row.DATA_STATUS);
    g.SetInt(SvColCloudValue, row.CLOUD);
    g.Picture[SvColCloud] = static_cast<std::int8_t>(row.CLOUD != 0 ? 1 : 0);
    g.SetInt(SvColReadOnly, row.READ_ONLY);
    colourRow(gridRow);
}

void TServerSentakuList::colourRow(std::int32_t gridRow)
{
    TDataSentakuGridRow& g = Grid.Row(gridRow);
    g.BackColor = gridRow % 2 == 0 ? Grid.BackColor : Grid.OddRowBackColor;
    if (g.Int(SvColDataStatus) == 1)
        g.BackColor = kBrokenRowColor;
    g.ForeColor = Grid.ForeColor;
}

void TServerSentakuList::showShareState(std::int32_t gridRow, const TDataListRec& row)
{
    const bool taken = GetShareStatus(row.PASNAME) == ShareStatusTaken;
    Grid.SetCellInt(gridRow, SvColShared, taken ? 1 : 0);
    Grid.SetPicture(gridRow, SvColSharePicture, taken ? PicShared : PicEmpty);
}

void TServerSentakuList::FillRecordFromInfo(TDataListRec& row, bool blank) const
{
    if (blank) {
        const std::string localPath = row.LOCAL_PATH;
        const std::uint8_t dataStatus = row.DATA_STATUS;
        const std::string y1 = row.YOBI1, y2 = row.YOBI2, y3 = row.YOBI3;
        row = TDataListRec{};
        row.GROUPID = SystemDef.GROUPID;
        row.ENTTEXT = EmptyAreaName;
        row.KIKAN_TEXT = "～";
        row.NETDRIVE = 1;
        row.DISP_NAME = row.ENTTEXT;
        row.LOCAL_PATH = localPath;
        row.DATA_STATUS = dataStatus;
        row.YOBI1 = y1;
        row.YOBI2 = y2;
        row.YOBI3 = y3;
        return;
    }
    const TDataInfomationRec& info = InfoRec;
    row.GROUPID = SystemDef.GROUPID;
    row.DATACODE = info.CODE;
    row.ENTTEXT = info.DATALISTNAME.empty() ? EmptyAreaName : info.DATALISTNAME;
    row.SHOUGOU = IsFreeAreaName(row.ENTTEXT) ? std::string() : info.SHOUGOU;
    row.NENDO = info.NENDO;
    row.KIKAN_TEXT = dateText(info.KISHU) + " ～ " + dateText(info.KIMATU);
    row.KISHU = SafeStrToDate(info.KISHU);
    row.KIMATU = SafeStrToDate(info.KIMATU);
    row.DATATYPE = info.DATAKBN;
    row.CODETYPE = info.CODEKBN;
    row.TANTOU = info.TANTO;
    row.DATALOCK = info.STATUS == DataStatusLocked && info.OPCODE != 0 ? 1 : 0;
    row.VER_MAJOR = info.MAJOR;
    row.VER_MINOR1 = info.MINOR1;
    row.VER_MINOR2 = info.MINOR2;
    row.VER_TEXT = info.VERSION2;
    row.UPDATE_LOCK = info.UPDATE_LOCK;
    row.GASSAN = row.GASSAN == GassanDistributedChild ? row.GASSAN : info.GASSANKBN;
    row.DISP_NAME = row.ENTTEXT;
    row.CLOUD = info.CLOUD_SHARE;
    row.READ_ONLY = info.READ_ONLY;
}

void TServerSentakuList::SaveRow(TDataListRec& row)
{
    row.NETDRIVE = 1;
    if (holdsDatabase(row.PASNAME)) {
        ListCtl.UpdateServerDataListRecord(row, 1, true);
        return;
    }
    if (row.ENTTEXT.empty())
        return;
    // A named empty area: blank but for its place, its kind and its name.
    TDataListRec area = row;
    FillRecordFromInfo(area, true);
    std::tie(area.REC, area.ROWNO, area.GASSAN, area.ENTTEXT, area.PASNAME) =
        std::tie(row.REC, row.ROWNO, row.GASSAN, row.ENTTEXT, row.PASNAME);
    area.DISP_NAME = row.ENTTEXT;
    row = area;
    ListCtl.UpdateServerDataListRecord(row, 1, true);
}

std::uint8_t TServerSentakuList::CheckDataStatus(const std::string& folder, bool warnNoData, bool report)
{
    const std::string f = withoutTrailingDelimiter(folder);
    if (!holdsDatabase(f)) {
        InfoRec = TDataInfomationRec{};
        return vq::CheckDataStatus(f, warnNoData, false, InfoRec);
    }
    return vq::CheckDataStatus(f, warnNoData, report, InfoRec);
}

void TServerSentakuList::WriteDataStatus(const std::string& folder, std::uint8_t status)
{
    DataInfo.WriteDataStatus(withoutTrailingDelimiter(folder), status);
}

std::uint8_t TServerSentakuList::GetShareStatus(const std::string& folder)
{
    const std::string f = withoutTrailingDelimiter(folder);
    InfoRec = TDataInfomationRec{};
    if (f.empty() || !holdsDatabase(f))
        return InfoRec.SHARE_STATUS;
    DataInfo.ReadDataInfo(f, InfoRec);
    return InfoRec.SHARE_STATUS;
}

bool TServerSentakuList::SetShareStatus(const std::string& folder, std::uint8_t status)
{
    if (GetShareStatus(folder) == status)
        return false;
    DataInfo.WriteShareStatus(withoutTrailingDelimiter(folder), status);
    return true;
}

void TServerSentakuList::UpdateRowInfo(const TDataListRec& row)
{
    TDataListRec cached = row;
    cached.NETDRIVE = 1;
    const bool saved = IsParentKind(row.GASSAN) ? ListCtl.UpdateServerDataListRecord(cached, 1, true)
                                                : ListCtl.UpdateServerDataListChildRecord(cached, 1, true);
    // A child keeps its own info file in its own folder.
    if (!saved || !holdsDatabase(row.PASNAME))
        return;
    const std::string folder = withoutTrailingDelimiter(row.PASNAME);
    DataInfo.WriteIniValue(folder, "DATAINFO", "DATALISTNAME", row.ENTTEXT, false);
    DataInfo.WriteIniValue(folder, "DATASTS", "UPDATE_LOCK", std::to_string(row.UPDATE_LOCK), false);
    DataInfo.WriteIniValue(folder, "DATASTS", "READ_ONLY", std::to_string(row.READ_ONLY), false);
}

std::int32_t TServerSentakuList::RowOfFolder(const std::string& folder) const
{
    const std::string wanted = datalist::upperAscii(withoutTrailingDelimiter(folder));
    for (int r = 0; r < Grid.RowCount(); ++r)
        if (datalist::upperAscii(withoutTrailingDelimiter(Grid.Cell(r, SvColFolder))) == wanted)
            return r;
    return -1;
}

bool TServerSentakuList::RowTakenOut(std::int32_t gridRow) const
{
    return gridRow >= 0 && gridRow < Grid.RowCount() && Grid.CellInt(gridRow, SvColShared) == 1;
}

bool TServerSentakuList::HeaderClick(std::int32_t col)
{
    if (col != 1 && (col < 3 || col > 7))
        return false;
    SortDesc = col == SortCol ? !SortDesc : false;
    SortCol = col;
    LoadList(false);
    FillGrid(-1);
    return true;
}

void TServerSentakuList::CellGotFocus(std::int32_t gridRow)
{
    if (gridRow < 0 || gridRow >= Grid.RowCount())
        return;
    TDataSentakuGridRow& g = Grid.Row(gridRow);
    g.ForeColor = g.Int(SvColDataStatus) == 1 ? Grid.ForeColor : Grid.FocusBorderColor;
    g.FocusFont = true;
}

void TServerSentakuList::CellLostFocus(std::int32_t gridRow)
{
    if (gridRow < 0 || gridRow >= Grid.RowCount())
        return;
    TDataSentakuGridRow& g = Grid.Row(gridRow);
    g.ForeColor = Grid.ForeColor;
    g.FocusFont = false;
}

} // namespace vq
