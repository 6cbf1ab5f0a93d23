// Single rows of the data-list store: blank rows, rows from a data set's
// info, rows read by REC or folder, children, and the conversions between
// local working folders and share paths.
#include <cstdlib>

#include "datasets/DataListSql.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/NetworkDrives.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileUtils.h"
#include "foundation/text/TextUtils.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace vq {

using datalist::sqlLines;
using datalist::upperAscii;

namespace {

// The number a folder name stands for; 0 when it is not a number.
std::int32_t numberOf(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9)
        return 0;
    return std::atoi(text.c_str());
}

std::vector<std::string> components(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

const char* const kRowColumns2 =
    "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3";

// A read ends its own transaction with a commit, after an error too.
void commitQuietly(db::TransactionScope& scope)
{
    try {
        scope.commit();
    } catch (const std::exception&) {
    }
}

} // namespace

void TDataSentakuListCtl::ClearRecord(TDataListRec& row, const std::string& path) const
{
    const TDataListRec blank;
    row = blank;
    row.GROUPID = SystemDef.GROUPID;
    row.NENDO = 1;
    row.PASNAME = path;
    MakeLocalPath(row);
}

void TDataSentakuListCtl::SetRecordFromDataInfo(const TDataInfomationRec& info, TDataListRec& row) const
{
    row.GROUPID = SystemDef.GROUPID;
    row.DATACODE = info.CODE;
    row.ENTTEXT = info.DATALISTNAME;
    row.SHOUGOU = info.SHOUGOU;
    row.NENDO = info.NENDO;
    row.KISHU = SafeStrToDate(info.KISHU);
    row.KIMATU = SafeStrToDate(info.KIMATU);
    row.KIKAN_TEXT = PeriodToText(row.KISHU, row.KIMATU);
    row.DATATYPE = info.DATAKBN;
    row.CODETYPE = info.CODEKBN;
    row.TANTOU = info.TANTO;
    row.VER_MAJOR = info.MAJOR;
    row.VER_MINOR1 = info.MINOR1;
    row.VER_MINOR2 = info.MINOR2;
    row.VER_TEXT = info.VERSION2;
    row.UPDATE_LOCK = info.UPDATE_LOCK;
    if (row.ROWNO > 0)
        row.GASSAN = GassanDistributedChild;
    row.DATALOCK = 0;
    if (info.STATUS == DataStatusLocked && info.OPCODE != 0)
        row.DATALOCK = OperatorNumberOf(info.OPCODE, row.GROUPID);
    if (info.SHARE_STATUS == ShareStatusTaken && info.SHARE_OPCODE == SystemDef.OPCODE)
        row.KYOYULOCK = 1;
    row.CLOUD = info.CLOUD_SHARE;
    row.READ_ONLY = info.READ_ONLY;
    const bool placeholder = row.ENTTEXT.empty() || row.ENTTEXT == EmptyAreaName || row.ENTTEXT == NewAreaName;
    if (row.NETDRIVE != 0 ? placeholder : row.ENTTEXT.empty())
        row.ENTTEXT = row.SHOUGOU;
    row.DISP_NAME = row.ENTTEXT;
    MakeLocalPath(row);
}

void TDataSentakuListCtl::GetDataListRecord(std::uint8_t keyKind, TDataListRec& row, bool reportErrors)
{
    if (ListKind == 1)
        return;
    std::string wanted;
    if (keyKind == 1) {
        wanted = row.PASNAME;
        if (!GetLocalPathToData(row.PASNAME, row)) {
            ClearRecord(row, {});
            return;
        }
    } else if (keyKind != 0) {
        ClearRecord(row, {});
        return;
    }
    const bool child = row.GASSAN == GassanDistributedChild;
    if (!child && !IsParentKind(row.GASSAN))
        return; // no table holds such a row
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        std::vector<std::string> lines = {
            child ? "SELECT REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,"
                  : "SELECT REC,0 AS ROWNO,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,",
            kRowColumns2, ColumnFlagLines(), child ? "FROM CHILD_DATALIST" : "FROM " + TableName};
        if (keyKind == 0) {
            lines.push_back(child ? "WHERE (REC=:REC) AND (ROWNO=:ROWNO) AND (GROUPID=:GROUPID)"
                                  : "WHERE (REC=:REC) AND (GROUPID=:GROUPID)");
        } else {
            lines.push_back("WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)");
        }
        if (!child && DataPlaceRec > 0)
            lines.push_back("AND (DATAPLACEREC=:DATAPLACEREC)");
        MainSql.setSql(sqlLines(lines));
        MainSql.param("GROUPID").setInt(SystemDef.GROUPID);
        if (MainSql.hasParam("REC"))
            MainSql.param("REC").setInt(row.REC);
        if (MainSql.hasParam("ROWNO"))
            MainSql.param("ROWNO").setInt(row.ROWNO);
        if (MainSql.hasParam("PASNAME"))
            MainSql.param("PASNAME").setString(upperAscii(row.PASNAME));
        if (MainSql.hasParam("DATAPLACEREC"))
            MainSql.param("DATAPLACEREC").setInt(DataPlaceRec);
        MainSql.execute();
        while (MainSql.fetch()) {
            FillRow(MainSql, row, true, false);
            // The stored folder exactly as it is: the key of later writes.
            row.PASNAME = MainSql.field("PASNAME").asString();
            row.NETDRIVE = MainSql.field("NETDRIVE").asInt();
            MakeLocalPath(row);
            if (row.LOCAL_PATH == wanted)
                break;
        }
        MainSql.close();
        scope.commit();
    } catch (const db::DbError& e) {
        MainSql.close();
        commitQuietly(scope);
        if (!reportErrors)
            throw;
        ReportDbError(e, "TDataSentakuListCtl.GetDataListRecord", "データリストの取得に失敗しました。", true);
    } catch (const std::exception& e) {
        MainSql.close();
        commitQuietly(scope);
        if (!reportErrors)
            throw;
        ShowMessageDetail("データリストの取得に失敗しました。", e.what(), platform::MessageKind::Error);
    }
}

void TDataSentakuListCtl::GetDataListChildRecord(TDataSentakuRec& row, bool reportErrors)
{
    if (ConnectMode != 0 || ListKind != 0)
        return;
    row.ChildCount = 0;
    row.Children.clear();
    if (!IsConsolidatedKind(row.GASSAN))
        return;
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        MainSql.setSql("SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST\nWHERE (REC=:REC) AND (GROUPID=:GROUPID)");
        MainSql.param("REC").setInt(row.REC);
        MainSql.param("GROUPID").setInt(SystemDef.GROUPID);
        MainSql.execute();
        const std::int32_t count = MainSql.fetch() ? MainSql.field("RECCNT").asInt() : 0;
        MainSql.close();
        MainSql.setSql(sqlLines({"SELECT REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,",
                                 kRowColumns2, ColumnFlagLines(), "FROM CHILD_DATALIST",
                                 "WHERE (REC=:REC) AND (GROUPID=:GROUPID)", "ORDER BY PASNAME"}));
        MainSql.param("REC").setInt(row.REC);
        MainSql.param("GROUPID").setInt(SystemDef.GROUPID);
        MainSql.execute();
        while (static_cast<std::int32_t>(row.Children.size()) < count && MainSql.fetch()) {
            TDataListRec child;
            FillRow(MainSql, child, true, false);
            child.PASNAME = MainSql.field("PASNAME").asString();
            child.NETDRIVE = MainSql.field("NETDRIVE").asInt();
            MakeLocalPath(child);
            row.Children.push_back(child);
        }
        MainSql.close();
        row.ChildCount = static_cast<std::int32_t>(row.Children.size());
        scope.commit();
    } catch (const db::DbError& e) {
        MainSql.close();
        commitQuietly(scope);
        if (!reportErrors)
            throw;
        ReportDbError(e, "TDataSentakuListCtl.GetDataListChildRecord", "(子)データリストの取得に失敗しました。", true);
    } catch (const std::exception& e) {
        MainSql.close();
        commitQuietly(scope);
        if (!reportErrors)
            throw;
        ShowMessageDetail("(子)データリストの取得に失敗しました。", e.what(), platform::MessageKind::Error);
    }
}

std::int32_t TDataSentakuListCtl::GetRecordOfPath(const std::string& localPath, TDataSentakuRec& row)
{
    ClearRecord(row, {});
    row.ChildCount = 0;
    row.Children.clear();
    row.LOCAL_PATH = localPath;
    ConvLocalPathToSharePath(localPath, row.PASNAME, row.NETDRIVE, row.KYOYULOCK);
    std::int32_t rec = 0;
    if (ConnectMode == 0) {
        std::string recText, sub;
        SplitDataFolder(localPath, recText, sub);
        rec = numberOf(recText);
    } else {
        rec = GetRecNoByPasName(localPath);
    }
    if (rec == 0)
        rec = GetRecNoByPasName(localPath);
    if (rec <= 0) {
        ClearRecord(row, {});
        return 0;
    }
    row.REC = rec;
    GetDataListRecord(0, row, false);
    GetDataListChildRecord(row, false);
    return 1;
}

std::int32_t TDataSentakuListCtl::GetRecNoOfPath(const std::string& path)
{
    if (TrimZenSpace(path).empty())
        return 0;
    if (ConnectMode == 0) {
        std::string recText, sub;
        SplitDataFolder(path, recText, sub);
        return numberOf(recText);
    }
    if (ConnectMode == 1 || ConnectMode == 2) {
        TDataListRec row;
        ClearRecord(row, path);
        GetDataListRecord(1, row, true);
        return row.REC;
    }
    return 0;
}

std::int32_t TDataSentakuListCtl::GetRecNoByPasName(const std::string& path)
{
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        MainSql.setSql(sqlLines({"SELECT REC FROM " + TableName, "WHERE (PASNAME=:PASNAME)", PlaceLine()}));
        MainSql.param("PASNAME").setString(path);
        MainSql.execute();
        const std::int32_t rec = MainSql.fetch() ? MainSql.field("REC").asInt() : 0;
        MainSql.close();
        scope.commit();
        return rec;
    } catch (const std::exception&) {
        MainSql.close();
        return 0;
    }
}

void TDataSentakuListCtl::SplitDataFolder(const std::string& path, std::string& recText, std::string& subFolder) const
{
    recText.clear();
    subFolder.clear();
    const auto parts = components(path);
    std::size_t start = parts.size();
    // Under the data root: the two components that follow it.
    const auto root = components(DataRoot());
    if (!root.empty() && parts.size() > root.size() && std::equal(root.begin(), root.end(), parts.begin()))
        start = root.size();
    else
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const std::string upper = upperAscii(parts[i]);
            if (upper == "DATA" || upper == "CB_DATA")
                start = i + 1;
        }
    if (start < parts.size())
        recText = parts[start];
    if (start + 1 < parts.size())
        subFolder = parts[start + 1];
}

bool TDataSentakuListCtl::ConvLocalPathToSharePath(const std::string& localPath, std::string& pasName,
                                                   std::int32_t& netDrive, std::int32_t& kyoyuLock)
{
    if (ListKind == 1)
        return true;
    pasName = localPath;
    netDrive = 0;
    kyoyuLock = 0;
    if (TrimZenSpace(localPath).empty())
        return false;
    if (ConnectMode != 0)
        return true;
    const std::string universal = UniversalName(localPath);
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        MainSql.setSql(sqlLines({"SELECT COUNT(REC) AS RECCNT FROM DATALIST",
                                 "WHERE (GROUPID=:GROUPID1) AND (UPPER(PASNAME)=:PASNAME1)", "UNION",
                                 "SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST",
                                 "WHERE (GROUPID=:GROUPID2) AND (UPPER(PASNAME)=:PASNAME2)"}));
        MainSql.param("GROUPID1").setInt(SystemDef.GROUPID);
        MainSql.param("GROUPID2").setInt(SystemDef.GROUPID);
        MainSql.param("PASNAME1").setString(upperAscii(localPath));
        MainSql.param("PASNAME2").setString(upperAscii(localPath));
        MainSql.execute();
        std::int64_t sum = 0;
        while (MainSql.fetch())
            sum += MainSql.field("RECCNT").asInt();
        MainSql.close();
        if (sum == 0 && universal == localPath) {
            std::string recText, sub;
            SplitDataFolder(localPath, recText, sub);
            MainSql.setSql("SELECT REC,PASNAME,NETDRIVE,KYOYULOCK FROM DATALIST\nWHERE REC=:REC");
            MainSql.param("REC").setInt(numberOf(recText));
            MainSql.execute();
            while (MainSql.fetch()) {
                pasName = MainSql.field("PASNAME").asString();
                netDrive = MainSql.field("NETDRIVE").asInt();
                kyoyuLock = MainSql.field("KYOYULOCK").asInt();
            }
            MainSql.close();
            if (!sub.empty())
                pasName = datalist::joinPath(pasName, sub);
        }
        scope.commit();
        return true;
    } catch (const db::DbError& e) {
        MainSql.close();
        ReportDbError(e, "TDataSentakuListCtl.ConvLocalPathToSharePath", {}, true);
        return false;
    }
}

bool TDataSentakuListCtl::GetLocalPathToData(const std::string& path, TDataListRec& row)
{
    if (ListKind == 1)
        return true;
    row.PASNAME = path;
    if (TrimZenSpace(path).empty())
        return false;
    if (ConnectMode != 0)
        return true;
    const bool child = row.GASSAN == GassanDistributedChild;
    if (!child && !IsParentKind(row.GASSAN))
        return true;
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        MainSql.setSql(std::string("SELECT COUNT(REC) AS RECCNT FROM ") + (child ? "CHILD_DATALIST" : "DATALIST") +
                       "\nWHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)");
        MainSql.param("GROUPID").setInt(SystemDef.GROUPID);
        MainSql.param("PASNAME").setString(upperAscii(path));
        MainSql.execute();
        const std::int32_t count = MainSql.fetch() ? MainSql.field("RECCNT").asInt() : 0;
        MainSql.close();
        if (count == 0 && UniversalName(path) == path) {
            const auto parts = components(path);
            if (!child) {
                MainSql.setSql("SELECT PASNAME FROM DATALIST\nWHERE (REC=:REC)");
                MainSql.param("REC").setInt(parts.empty() ? 0 : numberOf(parts.back()));
                MainSql.execute();
                while (MainSql.fetch()) {
                    row.PASNAME = MainSql.field("PASNAME").asString();
                    MakeLocalPath(row);
                }
            } else {
                MainSql.setSql("SELECT PASNAME FROM CHILD_DATALIST\nWHERE (REC=:REC)");
                MainSql.param("REC").setInt(parts.size() < 2 ? 0 : numberOf(parts[parts.size() - 2]));
                MainSql.execute();
                while (MainSql.fetch()) {
                    const std::string stored = MainSql.field("PASNAME").asString();
                    if (!parts.empty() && datalist::lastComponent(stored) == parts.back()) {
                        row.PASNAME = stored;
                        MakeLocalPath(row);
                    }
                }
            }
            MainSql.close();
        }
        scope.commit();
        return true;
    } catch (const db::DbError& e) {
        MainSql.close();
        ReportDbError(e, "TDataSentakuListCtl.GetLocalPathToData", {}, true);
        return false;
    }
}

void TDataSentakuListCtl::GetLocalPathOfSharePath(const std::string& sharePath, std::uint8_t gassanKind,
                                                  std::string& localPath)
{
    localPath.clear();
    if (TrimZenSpace(sharePath).empty())
        return;
    const std::string key = gassanKind == GassanDistributedChild ? datalist::parentOf(sharePath) : sharePath;
    std::int32_t rec = 0;
    {
        db::TransactionScope scope(DM->IBTransactionDEF);
        try {
            MainSql.setSql(sqlLines({"SELECT REC FROM " + TableName, "WHERE (PASNAME=:PASNAME)", "ORDER BY REC"}));
            MainSql.param("PASNAME").setString(key);
            MainSql.execute();
            if (MainSql.fetch())
                rec = MainSql.field("REC").asInt();
            MainSql.close();
            scope.commit();
        } catch (const std::exception&) {
            MainSql.close();
        }
    }
    if (rec == 0)
        return;
    TDataListRec row;
    ClearRecord(row, {});
    row.REC = rec;
    row.NETDRIVE = 1;
    row.PASNAME = sharePath;
    row.GASSAN = gassanKind;
    localPath = MakeLocalPath(row);
}

void TDataSentakuListCtl::ListPasNameSubFolders(const TDataListRec& row, std::vector<std::string>& list) const
{
    list = ListSubFolders(row.PASNAME, 0);
}

void TDataSentakuListCtl::ListLocalSubFolders(const TDataListRec& row, std::vector<std::string>& list) const
{
    list = ListSubFolders(row.LOCAL_PATH, 0);
}

} // namespace vq
