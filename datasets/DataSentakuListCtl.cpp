// The store itself and the loading of whole lists.
#include "datasets/DataSentakuListCtl.h"

#include <algorithm>
#include <cstdio>

#include "datasets/DataListSql.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileUtils.h"
#include "foundation/text/VersionUtils.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace vq {

using datalist::sqlLines;

namespace {

const char* const kColumnsLine2 = "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3";

std::string orderLine(std::uint8_t sortType, bool desc, const std::string& orderText)
{
    switch (sortType) {
    case 0: return orderText;
    case 1: return desc ? "ORDER BY REC DESC" : "ORDER BY REC";
    case 2: return desc ? "ORDER BY ENTTEXT DESC,NENDO DESC,REC DESC" : "ORDER BY ENTTEXT,NENDO DESC,REC";
    case 3: return desc ? "ORDER BY NENDO DESC,REC DESC" : "ORDER BY NENDO,REC";
    case 4: return desc ? "ORDER BY KISHU DESC,REC DESC" : "ORDER BY KISHU,REC";
    case 5: return desc ? "ORDER BY UPPER(PASNAME) DESC,REC DESC" : "ORDER BY UPPER(PASNAME),REC";
    case 6:
        return desc ? "ORDER BY VER_MAJOR DESC,VER_MINOR1 DESC,VER_MINOR2 DESC,REC DESC"
                    : "ORDER BY VER_MAJOR,VER_MINOR1,VER_MINOR2,REC";
    case 7: return desc ? "ORDER BY DATACODE DESC,NENDO DESC,REC DESC" : "ORDER BY DATACODE,NENDO DESC,REC";
    default: return {};
    }
}

std::string serverOrderLine(std::uint8_t sortType, bool desc)
{
    switch (sortType) {
    case 2: return desc ? "ORDER BY ENTTEXT DESC,PASNAME DESC" : "ORDER BY ENTTEXT,PASNAME";
    case 3: return desc ? "ORDER BY NENDO DESC,PASNAME DESC" : "ORDER BY NENDO,PASNAME";
    case 4: return desc ? "ORDER BY KISHU DESC,PASNAME DESC" : "ORDER BY KISHU,PASNAME";
    case 5: return desc ? "ORDER BY PASNAME DESC" : "ORDER BY PASNAME";
    case 6:
        return desc ? "ORDER BY VER_MAJOR DESC,VER_MINOR1 DESC,VER_MINOR2 DESC,REC DESC"
                    : "ORDER BY VER_MAJOR,VER_MINOR1,VER_MINOR2,REC";
    case 7: return desc ? "ORDER BY DATACODE DESC,REC DESC" : "ORDER BY DATACODE,REC";
    default: return "ORDER BY PASNAME";
    }
}

bool splitsNamedFirst(std::uint8_t sortType) { return sortType >= 2 && sortType <= 7; }
bool serverSplits(std::uint8_t sortType) { return sortType == 2 || sortType == 3 || sortType == 4 || sortType == 6 || sortType == 7; }

std::string slotName(std::int32_t rec)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.4d", rec);
    return buf;
}

} // namespace

std::int32_t OperatorNumberOf(std::int32_t opcode, std::int32_t group)
{
    const std::int64_t modulus = static_cast<std::int64_t>(group) * 10000;
    if (modulus <= 0)
        return opcode;
    return static_cast<std::int32_t>(opcode % modulus);
}

TDataSentakuListCtl::TDataSentakuListCtl()
    : MainSql(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF),
      ScanSql(DM->IBDatabaseDEF.attachment(), DM->IBTransactionDEF)
{
    SetListTable(0);
    char version[48];
    std::snprintf(version, sizeof version, "%d.%d.%d", SystemDef.ProgVerMajor, SystemDef.ProgVerMinor1,
                  SystemDef.ProgVerMinor2);
    HasCloudColumn = IsVersionAtLeast(version, "11.0.1");
    HasReadOnlyColumn = IsVersionAtLeast(version, "12.0.0");
}

std::int32_t TDataSentakuListCtl::FixedSlotCount()
{
    return DataListCnt > 0 ? DataListCnt : 120;
}

std::string TDataSentakuListCtl::DataRoot()
{
    return ExcludeBackslash(SystemDef.SysDir);
}

void TDataSentakuListCtl::SetListTable(std::int32_t placeRec)
{
    DataPlaceRec = (ConnectMode == 0 || ConnectMode > 2) ? 0 : placeRec;
    TableName = DataPlaceRec > 0 ? "DATALIST_EX" : "DATALIST";
}

void TDataSentakuListCtl::ClearList()
{
    DataList.clear();
    ChildList.clear();
    RecCount = 0;
    ChildRecCount = 0;
}

std::string TDataSentakuListCtl::ColumnFlagLines() const
{
    return std::string(HasCloudColumn ? ",CLOUD" : ",0 AS CLOUD") + "\n" +
           (HasReadOnlyColumn ? ",READ_ONLY" : ",0 AS READ_ONLY");
}

std::string TDataSentakuListCtl::PlaceLine() const
{
    return DataPlaceRec > 0 ? "AND (DATAPLACEREC=" + std::to_string(DataPlaceRec) + ")" : std::string();
}

std::string TDataSentakuListCtl::MakeLocalPath(TDataListRec& row) const
{
    row.LOCAL_PATH = ExcludeBackslash(row.PASNAME);
    if (row.NETDRIVE == 1 && !row.PASNAME.empty()) {
        row.LOCAL_PATH = datalist::joinPath(DataRoot(), slotName(row.REC));
        if (!IsParentKind(row.GASSAN))
            row.LOCAL_PATH = datalist::joinPath(row.LOCAL_PATH, datalist::lastComponent(row.PASNAME));
    }
    return row.LOCAL_PATH;
}

void TDataSentakuListCtl::FillRow(db::Statement& q, TDataListRec& row, bool childTable, bool serverTable) const
{
    row.REC = q.field("REC").asInt();
    row.ROWNO = childTable ? q.field("ROWNO").asInt() : 0;
    row.GROUPID = SystemDef.GROUPID;
    row.DATACODE = q.field("DATACODE").asString();
    row.ENTTEXT = q.field("ENTTEXT").asString();
    row.SHOUGOU = q.field("SHOUGOU").asString();
    row.NENDO = q.field("NENDO").asInt();
    row.KISHU = q.field("KISHU").asDateTime();
    row.KIMATU = q.field("KIMATU").asDateTime();
    row.KIKAN_TEXT = PeriodToText(row.KISHU, row.KIMATU);
    row.NETDRIVE = serverTable ? 1 : q.field("NETDRIVE").asInt();
    // Rows written by other programs may carry Windows delimiters.
    row.PASNAME = datalist::replaceAll(q.field("PASNAME").asString(), "\\", "/");
    row.TANTOU = q.field("TANTOU").asInt();
    row.DATATYPE = q.field("DATATYPE").asInt();
    row.CODETYPE = q.field("CODETYPE").asInt();
    row.DATALOCK = q.field("DATALOCK").asInt();
    row.KYOYULOCK = serverTable ? 0 : q.field("KYOYULOCK").asInt();
    row.VER_MAJOR = q.field("VER_MAJOR").asInt();
    row.VER_MINOR1 = q.field("VER_MINOR1").asInt();
    row.VER_MINOR2 = q.field("VER_MINOR2").asInt();
    row.VER_TEXT = q.field("VER_TEXT").asString();
    row.UPDATE_LOCK = q.field("UPDATE_LOCK").asInt();
    row.GASSAN = static_cast<std::uint8_t>(q.field("GASSAN").asInt());
    row.DATA_STATUS = static_cast<std::uint8_t>(q.field("DATA_STATUS").asInt());
    row.YOBI1 = q.field("YOBI1").asString();
    row.YOBI2 = q.field("YOBI2").asString();
    row.YOBI3 = q.field("YOBI3").asString();
    row.DISP_NAME = row.ENTTEXT;
    MakeLocalPath(row);
    if (!serverTable && row.PASNAME == row.LOCAL_PATH)
        row.NETDRIVE = 0;
    row.RESERVE1 = 0;
    row.RESERVE2.clear();
    row.CLOUD = static_cast<std::uint8_t>(q.field("CLOUD").asInt());
    row.READ_ONLY = q.field("READ_ONLY").asInt();
}

void TDataSentakuListCtl::AttachChild(const TDataListRec& child)
{
    for (auto& parent : DataList) {
        if (parent.REC == child.REC) {
            parent.Children.push_back(child);
            ++parent.ChildCount;
            return;
        }
    }
}

std::int32_t TDataSentakuListCtl::FetchRows(db::Statement& q, std::size_t from, bool childTable, bool serverTable)
{
    q.execute();
    std::size_t i = from;
    while (q.fetch()) {
        if (childTable) {
            TDataListRec child;
            FillRow(q, child, true, serverTable);
            ChildList.push_back(child);
            AttachChild(child);
            ++i;
            continue;
        }
        if (i >= DataList.size())
            DataList.resize(i + 1); // rows added since the count
        FillRow(q, DataList[i], false, serverTable);
        DataList[i].ChildCount = 0;
        DataList[i].Children.clear();
        ++i;
    }
    return static_cast<std::int32_t>(i - from);
}

void TDataSentakuListCtl::Execute(std::int32_t hideTaken, std::uint8_t sortType, bool descending,
                                  const std::string& orderText)
{
    ClearList();
    if (ListKind == 1)
        return;
    if (ConnectMode != 0)
        hideTaken = 0;
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        std::vector<std::string> filters;
        if (hideTaken == 1)
            filters.push_back("AND (KYOYULOCK<>1)");
        if (NendoFilter > 0)
            filters.push_back("AND (NENDO=:NENDO)");
        if (!ShougouFilter.empty())
            filters.push_back("AND (SHOUGOU=:SHOUGOU)");
        if (DataPlaceRec > 0)
            filters.push_back("AND (DATAPLACEREC=:DATAPLACEREC)");
        auto bindFilters = [this](db::Statement& q) {
            q.param("GROUPID").setInt(SystemDef.GROUPID);
            if (q.hasParam("NENDO"))
                q.param("NENDO").setInt(NendoFilter);
            if (q.hasParam("SHOUGOU"))
                q.param("SHOUGOU").setString(ShougouFilter);
            if (q.hasParam("DATAPLACEREC"))
                q.param("DATAPLACEREC").setInt(DataPlaceRec);
        };
        const std::string entryLine[] = {"WHERE (GROUPID=:GROUPID)", "WHERE (GROUPID=:GROUPID) AND (ENTTEXT<>'')",
                                         "WHERE (GROUPID=:GROUPID) AND (ENTTEXT='')"};
        std::vector<std::string> count = {"SELECT COUNT(REC) AS RECCNT FROM " + TableName,
                                          entryLine[std::min<int>(EntryFilter, 2)]};
        count.insert(count.end(), filters.begin(), filters.end());
        MainSql.setSql(sqlLines(count));
        bindFilters(MainSql);
        MainSql.execute();
        RecCount = MainSql.fetch() ? MainSql.field("RECCNT").asInt() : 0;
        MainSql.close();
        DataList.resize(static_cast<std::size_t>(RecCount));

        const bool split = splitsNamedFirst(sortType);
        const std::string columns =
            "SELECT REC,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,\n" +
            std::string(kColumnsLine2) + "\n" + ColumnFlagLines();
        std::size_t filled = 0;
        if (EntryFilter == 0 || EntryFilter == 1) {
            std::vector<std::string> named = {columns, "FROM " + TableName, "WHERE (GROUPID=:GROUPID)"};
            if (EntryFilter == 1 || split)
                named.push_back("AND (ENTTEXT<>'')");
            named.insert(named.end(), filters.begin(), filters.end());
            named.push_back(orderLine(sortType, descending, orderText));
            MainSql.setSql(sqlLines(named));
            bindFilters(MainSql);
            filled += static_cast<std::size_t>(FetchRows(MainSql, filled, false, false));
        }
        if (split && (EntryFilter == 0 || EntryFilter == 2)) {
            std::vector<std::string> blank = {columns, "FROM " + TableName, "WHERE (GROUPID=:GROUPID) AND (ENTTEXT='')"};
            blank.insert(blank.end(), filters.begin(), filters.end());
            if (sortType == 5)
                blank.push_back(descending ? "ORDER BY PASNAME DESC,REC DESC" : "ORDER BY PASNAME,REC");
            else
                blank.push_back(descending ? "ORDER BY REC DESC" : "ORDER BY REC");
            MainSql.setSql(sqlLines(blank));
            bindFilters(MainSql);
            filled += static_cast<std::size_t>(FetchRows(MainSql, filled, false, false));
        }
        if (filled > DataList.size())
            RecCount = static_cast<std::int32_t>(filled);

        MainSql.setSql("SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST\nWHERE (GROUPID=:GROUPID)");
        MainSql.param("GROUPID").setInt(SystemDef.GROUPID);
        MainSql.execute();
        ChildRecCount = MainSql.fetch() ? MainSql.field("RECCNT").asInt() : 0;
        MainSql.close();
        ChildList.reserve(static_cast<std::size_t>(ChildRecCount));
        MainSql.setSql(sqlLines(
            {"SELECT REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,",
             kColumnsLine2, ColumnFlagLines(), "FROM CHILD_DATALIST", "WHERE (GROUPID=:GROUPID)", "ORDER BY REC,PASNAME"}));
        MainSql.param("GROUPID").setInt(SystemDef.GROUPID);
        ChildRecCount = FetchRows(MainSql, 0, true, false);
        scope.commit();
    } catch (const db::DbError& e) {
        MainSql.close();
        ReportDbError(e, "TDataSentakuListCtl.Execute", "データリストの取得に失敗しました。", true);
    } catch (const std::exception& e) {
        MainSql.close();
        ShowMessageDetail("データリストの取得に失敗しました。", e.what(), platform::MessageKind::Error);
    }
}

void TDataSentakuListCtl::ListDataSubFolders(const std::string& folder, std::vector<std::string>& list) const
{
    list = ListSubFolders(folder, 1);
    std::erase_if(list, [](const std::string& name) {
        const std::string upper = datalist::upperAscii(name);
        return upper == "ZEVERIVUREV_BACKUP" || upper == "PELMORAZAIMU_BACKUP";
    });
}

void TDataSentakuListCtl::ServerExecute(std::uint8_t mode, const std::string& drivePath, std::uint8_t sortType,
                                        bool descending, const std::string&)
{
    ClearList();
    if (ListKind == 0)
        return;
    const std::string letter = drivePath.substr(0, 1);
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        auto bindKey = [&letter](db::Statement& q) {
            q.param("DRIVELETTER").setString(letter);
            q.param("GROUPID").setInt(SystemDef.GROUPID);
        };
        const std::string columns =
            "SELECT REC,ENTTEXT,SHOUGOU,PASNAME,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,TANTOU,\n" +
            std::string(kColumnsLine2) + "\n" + ColumnFlagLines();
        if (mode == 0) {
            MainSql.setSql("SELECT COUNT(REC) AS RECCNT FROM SERVERDATALIST\nWHERE (DRIVELETTER=:DRIVELETTER) AND (GROUPID=:GROUPID)");
            bindKey(MainSql);
            MainSql.execute();
            RecCount = MainSql.fetch() ? MainSql.field("RECCNT").asInt() : 0;
            MainSql.close();
            DataList.resize(static_cast<std::size_t>(RecCount));
            if (RecCount > 0) {
                const std::string placeholders = "'" + EmptyAreaName + "' AND ENTTEXT<>'" + NewAreaName + "'";
                std::vector<std::string> named = {columns, "FROM SERVERDATALIST",
                                                  "WHERE (DRIVELETTER=:DRIVELETTER) AND (GROUPID=:GROUPID)"};
                const bool split = serverSplits(sortType);
                if (split)
                    named.push_back("AND (ENTTEXT<>'' AND ENTTEXT<>" + placeholders + ")");
                named.push_back(serverOrderLine(sortType, descending));
                MainSql.setSql(sqlLines(named));
                bindKey(MainSql);
                std::size_t filled = static_cast<std::size_t>(FetchRows(MainSql, 0, false, true));
                if (split) {
                    MainSql.setSql(sqlLines({columns, "FROM SERVERDATALIST",
                                             "WHERE (DRIVELETTER=:DRIVELETTER) AND (GROUPID=:GROUPID) AND (ENTTEXT='' OR ENTTEXT='" +
                                                 EmptyAreaName + "' OR ENTTEXT='" + NewAreaName + "')",
                                             "ORDER BY PASNAME"}));
                    bindKey(MainSql);
                    filled += static_cast<std::size_t>(FetchRows(MainSql, filled, false, true));
                }
            }
            MainSql.setSql("SELECT COUNT(REC) AS RECCNT FROM CHILD_SERVERDATALIST\nWHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)");
            bindKey(MainSql);
            MainSql.execute();
            ChildRecCount = MainSql.fetch() ? MainSql.field("RECCNT").asInt() : 0;
            MainSql.close();
            if (ChildRecCount > 0) {
                MainSql.setSql(sqlLines({"SELECT REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,TANTOU,",
                                         kColumnsLine2, ColumnFlagLines(), "FROM CHILD_SERVERDATALIST",
                                         "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)", "ORDER BY REC,PASNAME"}));
                bindKey(MainSql);
                ChildRecCount = FetchRows(MainSql, 0, true, true);
            }
        } else {
            for (const char* table : {"SERVERDATALIST", "CHILD_SERVERDATALIST"}) {
                MainSql.setSql(std::string("DELETE FROM ") + table +
                               "\nWHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)");
                bindKey(MainSql);
                MainSql.execute();
            }
            std::vector<std::string> areas;
            ListDataSubFolders(drivePath, areas);
            for (const auto& area : areas) {
                TDataSentakuRec row;
                ClearRecord(row, {});
                row.ENTTEXT = EmptyAreaName;
                row.NENDO = 0;
                row.KIKAN_TEXT = "～";
                row.NETDRIVE = 1;
                row.PASNAME = datalist::joinPath(drivePath, area);
                std::vector<std::string> subs;
                ListDataSubFolders(row.PASNAME, subs);
                std::int32_t rowNo = 0;
                for (const auto& sub : subs) {
                    TDataListRec child;
                    ClearRecord(child, {});
                    child.ROWNO = ++rowNo;
                    child.PASNAME = datalist::joinPath(row.PASNAME, sub);
                    child.ENTTEXT = EmptyAreaName;
                    child.NENDO = 0;
                    child.KIKAN_TEXT = "～";
                    child.NETDRIVE = 1;
                    child.GASSAN = GassanDistributedChild;
                    ChildList.push_back(child);
                    row.Children.push_back(child);
                }
                row.ChildCount = rowNo;
                DataList.push_back(std::move(row));
            }
            RecCount = static_cast<std::int32_t>(DataList.size());
            ChildRecCount = static_cast<std::int32_t>(ChildList.size());
        }
        scope.commit();
    } catch (const db::DbError& e) {
        MainSql.close();
        ReportDbError(e, "TDataSentakuListCtl.ServerExecute", "共有データリストの取得に失敗しました。", true);
    } catch (const std::exception& e) {
        MainSql.close();
        ShowMessageDetail("共有データリストの取得に失敗しました。", e.what(), platform::MessageKind::Error);
    }
}

void TDataSentakuListCtl::NumberChildNames(TDataSentakuRec& row) const
{
    char prefix[16];
    for (std::size_t i = 0; i < row.Children.size(); ++i) {
        std::snprintf(prefix, sizeof prefix, "%.2d ", static_cast<int>(i + 1));
        row.Children[i].DISP_NAME = prefix + row.Children[i].ENTTEXT;
    }
}

void TDataSentakuListCtl::RemoveChild(TDataSentakuRec& row, std::int32_t index) const
{
    if (index < 0 || index >= static_cast<std::int32_t>(row.Children.size()))
        return;
    row.Children.erase(row.Children.begin() + index);
    row.ChildCount = std::max(0, row.ChildCount - 1);
    row.Children.resize(static_cast<std::size_t>(row.ChildCount));
}

} // namespace vq
