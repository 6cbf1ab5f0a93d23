// Row writes of the data-list store: new rows of client/server places,
// updates and deletions of rows and children, the renumbering above the
// fixed slots, and the cache of shared areas.
#include <cstdio>

#include "datasets/DataListSql.h"
#include "datasets/DataSentakuListCtl.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/files/FileOperations.h"
#include "foundation/files/FileUtils.h"
#include "foundation/text/TextUtils.h"
#include "platform/db/DbError.h"
#include "platform/db/Transaction.h"

namespace vq {

using datalist::sqlLines;
using datalist::upperAscii;

namespace {

enum class End { OwnOnly, RetainCaller };

// The frame of every write: the system transaction started when inactive;
// at the end a commit of what was started (or, for the row writes, a commit
// that keeps the caller's transaction open); on an error a rollback of what
// was started, then a report or the error raised on.
template <class Body>
bool runWrite(db::Statement& sql, const char* label, const char* msg, bool report, End end, Body&& body)
{
    db::Transaction& tr = DM->IBTransactionDEF;
    bool started = false;
    try {
        started = tr.startIfInactive();
        const bool result = body();
        sql.close();
        if (started)
            tr.commit();
        else if (end == End::RetainCaller)
            tr.commitRetaining();
        return result;
    } catch (const db::DbError& e) {
        sql.close();
        if (started)
            tr.rollback();
        if (!report)
            throw;
        ReportDbError(e, label, msg, true);
    } catch (const std::exception& e) {
        sql.close();
        if (started)
            tr.rollback();
        if (!report)
            throw;
        ShowMessageDetail(msg, e.what(), platform::MessageKind::Error);
    }
    return false;
}

bool blankPath(const std::string& path)
{
    return TrimZenSpace(path).empty();
}

std::string driveLetterOf(const std::string& path)
{
    return path.substr(0, 1);
}

const char* const kSetLines =
    "SET PASNAME=:PASNAME,ENTTEXT=:ENTTEXT,SHOUGOU=:SHOUGOU,NETDRIVE=:NETDRIVE,\n"
    "DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,NENDO=:NENDO,KISHU=:KISHU,KIMATU=:KIMATU,\n"
    "DATALOCK=:DATALOCK,KYOYULOCK=:KYOYULOCK,TANTOU=:TANTOU,\n"
    "VER_MAJOR=:VER_MAJOR,VER_MINOR1=:VER_MINOR1,VER_MINOR2=:VER_MINOR2,VER_TEXT=:VER_TEXT,\n"
    "UPDATE_LOCK=:UPDATE_LOCK,GASSAN=:GASSAN,DATACODE=:DATACODE,DATA_STATUS=:DATA_STATUS,YOBI1=:YOBI1,YOBI2=:YOBI2,YOBI3=:YOBI3";

const char* const kServerSetLines =
    "SET PASNAME=:PASNAME,DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,\n"
    "NENDO=:NENDO,KISHU=:KISHU,KIMATU=:KIMATU,DATALOCK=:DATALOCK,TANTOU=:TANTOU,\n"
    "VER_MAJOR=:VER_MAJOR,VER_MINOR1=:VER_MINOR1,VER_MINOR2=:VER_MINOR2,VER_TEXT=:VER_TEXT,\n"
    "UPDATE_LOCK=:UPDATE_LOCK,GASSAN=:GASSAN,DATACODE=:DATACODE,DATA_STATUS=:DATA_STATUS,YOBI1=:YOBI1,YOBI2=:YOBI2,YOBI3=:YOBI3";

const char* const kServerInsertNendo =
    "NENDO,KISHU,KIMATU,DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3";
const char* const kServerValuesNendo =
    ":NENDO,:KISHU,:KIMATU,:DATALOCK,:TANTOU,:VER_MAJOR,:VER_MINOR1,:VER_MINOR2,:VER_TEXT,:UPDATE_LOCK,:GASSAN,:DATACODE,:DATA_STATUS,:YOBI1,:YOBI2,:YOBI3";

std::int32_t scalar(db::Statement& q)
{
    q.execute();
    const std::int32_t value = q.fetch() && !q.field(std::size_t{0}).isNull() ? q.field(std::size_t{0}).asInt() : 0;
    q.close();
    return value;
}

// The CLOUD and READ_ONLY columns, written only where the table has them.
struct OptionalColumns {
    OptionalColumns(bool cloud, bool readOnly)
        : set(std::string(cloud ? ",CLOUD=:CLOUD" : "") + (readOnly ? "\n,READ_ONLY=:READ_ONLY" : "")),
          columns(std::string(cloud ? ",CLOUD" : "") + (readOnly ? ",READ_ONLY" : "")),
          values(std::string(cloud ? ",:CLOUD" : "") + (readOnly ? ",:READ_ONLY" : ""))
    {
    }
    std::string set;      // of UPDATE ... SET
    std::string columns;  // of INSERT INTO ...(...)
    std::string values;   // of VALUES(...)
};

} // namespace

std::int32_t TDataSentakuListCtl::SoleServerRec(const char* table, const TDataListRec& row)
{
    const std::string where =
        std::string(table) + "\nWHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (PASNAME=:PASNAME)";
    MainSql.setSql("SELECT COUNT(REC) AS RECCNT FROM " + where);
    BindRow(MainSql, row);
    const std::int32_t count = scalar(MainSql);
    if (count == 1) {
        MainSql.setSql("SELECT REC FROM " + where);
        BindRow(MainSql, row);
        return scalar(MainSql);
    }
    if (count > 1) {
        MainSql.setSql("DELETE FROM " + where);
        BindRow(MainSql, row);
        MainSql.execute();
    }
    return 0;
}

void TDataSentakuListCtl::BindRow(db::Statement& q, const TDataListRec& row) const
{
    auto setInt = [&q](const char* name, std::int64_t v) {
        if (q.hasParam(name))
            q.param(name).setInt(v);
    };
    auto setText = [&q](const char* name, const std::string& v) {
        if (q.hasParam(name))
            q.param(name).setString(v);
    };
    setInt("REC", row.REC);
    setInt("ROWNO", row.ROWNO);
    setInt("GROUPID", SystemDef.GROUPID);
    setText("PASNAME", row.PASNAME);
    setText("ENTTEXT", row.ENTTEXT);
    setText("SHOUGOU", row.SHOUGOU);
    setInt("NETDRIVE", row.NETDRIVE);
    setInt("DATATYPE", row.DATATYPE);
    setInt("CODETYPE", row.CODETYPE);
    setInt("NENDO", row.NENDO);
    if (q.hasParam("KISHU"))
        q.param("KISHU").setDateTime(row.KISHU);
    if (q.hasParam("KIMATU"))
        q.param("KIMATU").setDateTime(row.KIMATU);
    setInt("DATALOCK", row.DATALOCK);
    setInt("KYOYULOCK", row.KYOYULOCK);
    setInt("TANTOU", row.TANTOU);
    setInt("VER_MAJOR", row.VER_MAJOR);
    setInt("VER_MINOR1", row.VER_MINOR1);
    setInt("VER_MINOR2", row.VER_MINOR2);
    setText("VER_TEXT", row.VER_TEXT);
    setInt("UPDATE_LOCK", row.UPDATE_LOCK);
    setInt("GASSAN", row.GASSAN);
    setText("DATACODE", row.DATACODE);
    setInt("DATA_STATUS", row.DATA_STATUS);
    setText("YOBI1", row.YOBI1);
    setText("YOBI2", row.YOBI2);
    setText("YOBI3", row.YOBI3);
    setInt("CLOUD", row.CLOUD);
    setInt("READ_ONLY", row.READ_ONLY);
    setInt("DATAPLACEREC", DataPlaceRec);
    setText("DRIVELETTER", driveLetterOf(row.PASNAME));
}

bool TDataSentakuListCtl::InsertDataListRecord(TDataListRec& row, bool reportErrors)
{
    if (ListKind == 1)
        return true;
    if (blankPath(row.PASNAME))
        return false;
    if (ConnectMode == 0)
        return true;
    return runWrite(MainSql, "TDataSentakuListCtl.InsertDataListRecord", "データリストの追加に失敗しました。",
                    reportErrors, End::RetainCaller, [&] {
        const std::int32_t rec = GetDataFolderName(1);
        std::vector<std::string> lines;
        const OptionalColumns opt(HasCloudColumn, HasReadOnlyColumn);
        if (DataPlaceRec == 0) {
            lines = {"INSERT INTO DATALIST(REC,GROUPID,PASNAME,ENTTEXT,SHOUGOU,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,",
                     "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3,UPDATE_LOCK" + opt.columns, ")",
                     "VALUES(:REC,:GROUPID,:PASNAME,:ENTTEXT,:SHOUGOU,:NETDRIVE,:DATATYPE,:CODETYPE,:NENDO,:KISHU,:KIMATU,:DATALOCK,",
                     ":KYOYULOCK,:TANTOU,:VER_MAJOR,:VER_MINOR1,:VER_MINOR2,:VER_TEXT,:GASSAN,:DATACODE,:DATA_STATUS,:YOBI1,:YOBI2,:YOBI3,:UPDATE_LOCK" + opt.values, ")"};
        } else {
            lines = {"INSERT INTO " + TableName + "(DATAPLACEREC,REC,GROUPID,PASNAME,ENTTEXT,SHOUGOU,NETDRIVE,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,",
                     "VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3,UPDATE_LOCK" + opt.columns, ")",
                     "VALUES(:DATAPLACEREC,:REC,:GROUPID,:PASNAME,:ENTTEXT,:SHOUGOU,:NETDRIVE,:DATATYPE,:CODETYPE,:NENDO,:KISHU,:KIMATU,:DATALOCK,:KYOYULOCK,:TANTOU,",
                     ":VER_MAJOR,:VER_MINOR1,:VER_MINOR2,:VER_TEXT,:GASSAN,:DATACODE,:DATA_STATUS,:YOBI1,:YOBI2,:YOBI3,:UPDATE_LOCK" + opt.values, ")"};
        }
        MainSql.setSql(sqlLines(lines));
        TDataListRec written = row;
        written.REC = rec;
        BindRow(MainSql, written);
        MainSql.execute();
        row.REC = rec;
        return true;
    });
}

bool TDataSentakuListCtl::UpdateDataListRecord(const TDataListRec& row, std::int32_t withNames, bool reportErrors)
{
    if (ListKind == 1)
        return true;
    if (row.REC == 0 || blankPath(row.PASNAME))
        return false;
    if (row.GASSAN == GassanDistributedChild)
        return UpdateDataListChildRecord(row, withNames, reportErrors);
    return runWrite(MainSql, "TDataSentakuListCtl.UpdateDataListRecord", "データリストの更新に失敗しました。",
                    reportErrors, End::RetainCaller, [&] {
        if (ConnectMode == 1 || ConnectMode == 2) {
            // The slot may have gone to another folder meanwhile (another client).
            MainSql.setSql(sqlLines({"SELECT PASNAME FROM " + TableName, "WHERE (REC=:REC)",
                                     DataPlaceRec > 0 ? "AND (DATAPLACEREC=:DATAPLACEREC)" : ""}));
            BindRow(MainSql, row);
            MainSql.execute();
            const std::string stored = MainSql.fetch() ? MainSql.field("PASNAME").asString() : std::string();
            MainSql.close();
            if (stored.empty() || upperAscii(stored) != upperAscii(row.PASNAME))
                return true;
        }
        MainSql.setSql(sqlLines({"UPDATE " + TableName, kSetLines, HasCloudColumn ? ",CLOUD=:CLOUD" : "",
                                 HasReadOnlyColumn ? ",READ_ONLY=:READ_ONLY" : "", "WHERE (REC=:REC)",
                                 DataPlaceRec > 0 ? "AND (DATAPLACEREC=:DATAPLACEREC)" : ""}));
        BindRow(MainSql, row);
        MainSql.execute();
        if (row.SHOUGOU.empty() && row.KISHU == 0 && row.KIMATU == 0) {
            MainSql.setSql("DELETE FROM CHILD_DATALIST\nWHERE REC=:REC AND GROUPID=:GROUPID");
            BindRow(MainSql, row);
            MainSql.execute();
        }
        if (row.NETDRIVE == 1)
            UpdateServerDataListRecord(row, withNames, false);
        return true;
    });
}

bool TDataSentakuListCtl::DeleteDataListRecord(const TDataListRec& row, bool reportErrors)
{
    if (ListKind == 1)
        return true;
    if (blankPath(row.PASNAME))
        return false;
    if (ConnectMode == 0 && row.GASSAN == GassanDistributedChild)
        return DeleteDataListChildRecord(row, reportErrors);
    return runWrite(MainSql, "TDataSentakuListCtl.DeleteDataListRecord", "データリストの削除に失敗しました。",
                    reportErrors, End::RetainCaller, [&] {
        MainSql.setSql(sqlLines({"DELETE FROM " + TableName, "WHERE (PASNAME=:PASNAME) AND (REC>:REC)",
                                 DataPlaceRec > 0 ? "AND (DATAPLACEREC=:DATAPLACEREC)" : ""}));
        BindRow(MainSql, row);
        MainSql.param("REC").setInt(FixedSlotCount());
        MainSql.execute();
        DeleteDataListChildRecord(row, false);
        return true;
    });
}

bool TDataSentakuListCtl::UpdateDataListChildRecord(const TDataListRec& row, std::int32_t, bool reportErrors)
{
    if (ListKind == 1 || ConnectMode != 0)
        return true;
    if (blankPath(row.PASNAME))
        return false;
    return runWrite(MainSql, "TDataSentakuListCtl.UpdateDataListChildRecord", "(子)データリストの更新に失敗しました。",
                    reportErrors, End::OwnOnly, [&] {
        MainSql.setSql("SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST\nWHERE REC=:REC AND ROWNO=:ROWNO AND GROUPID=:GROUPID");
        BindRow(MainSql, row);
        const bool exists = scalar(MainSql) > 0;
        if (exists) {
            MainSql.setSql(sqlLines({"UPDATE CHILD_DATALIST", kSetLines, HasCloudColumn ? ",CLOUD=:CLOUD" : "",
                                     HasReadOnlyColumn ? ",READ_ONLY=:READ_ONLY" : "",
                                     "WHERE REC=:REC AND ROWNO=:ROWNO AND GROUPID=:GROUPID"}));
        } else {
            const OptionalColumns opt(HasCloudColumn, HasReadOnlyColumn);
            MainSql.setSql(sqlLines({"INSERT INTO CHILD_DATALIST(REC,ROWNO,GROUPID,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,",
                                     "KISHU,KIMATU,DATALOCK,TANTOU,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,KYOYULOCK,UPDATE_LOCK,GASSAN,DATACODE,DATA_STATUS,YOBI1,YOBI2,YOBI3" + opt.columns,
                                     ")", "VALUES(:REC,:ROWNO,:GROUPID,:ENTTEXT,:SHOUGOU,:PASNAME,:NETDRIVE,:DATATYPE,:CODETYPE,:NENDO,",
                                     ":KISHU,:KIMATU,:DATALOCK,:TANTOU,:VER_MAJOR,:VER_MINOR1,:VER_MINOR2,:VER_TEXT,:KYOYULOCK,:UPDATE_LOCK,:GASSAN,:DATACODE,:DATA_STATUS,:YOBI1,:YOBI2,:YOBI3" + opt.values,
                                     ")"}));
        }
        BindRow(MainSql, row);
        MainSql.execute();
        if (row.NETDRIVE == 1)
            UpdateServerDataListChildRecord(row, 1, false);
        return true;
    });
}

bool TDataSentakuListCtl::DeleteDataListChildRecord(const TDataListRec& row, bool reportErrors)
{
    if (ListKind == 1 || ConnectMode != 0)
        return true;
    if (blankPath(row.PASNAME))
        return false;
    return runWrite(MainSql, "TDataSentakuListCtl.DeleteDataListChildRecord", "(子)データリストの削除に失敗しました。",
                    reportErrors, End::OwnOnly, [&] {
        const bool child = row.GASSAN == GassanDistributedChild;
        MainSql.setSql(child ? "DELETE FROM CHILD_DATALIST\nWHERE REC=:REC AND ROWNO=:ROWNO AND GROUPID=:GROUPID"
                             : "DELETE FROM CHILD_DATALIST\nWHERE REC=:REC AND GROUPID=:GROUPID");
        BindRow(MainSql, row);
        MainSql.execute();
        if (row.NETDRIVE == 1) {
            if (child) {
                MainSql.setSql("DELETE FROM CHILD_SERVERDATALIST\nWHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER AND PASNAME=:PASNAME");
                BindRow(MainSql, row);
            } else {
                // Every cached child below the area; the area path is taken
                // literally (its '%' and '_' are no wildcards).
                MainSql.setSql("DELETE FROM CHILD_SERVERDATALIST\nWHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER AND "
                               "PASNAME STARTING WITH :PREFIX");
                BindRow(MainSql, row);
                MainSql.param("PREFIX").setString(datalist::joinPath(row.PASNAME, ""));
            }
            MainSql.execute();
        }
        return true;
    });
}

void TDataSentakuListCtl::CompactRecNo()
{
    if (ListKind != 0 || (ConnectMode != 1 && ConnectMode != 2))
        return;
    db::Transaction& tr = DM->IBTransactionDEF;
    const bool started = tr.startIfInactive();
    try {
        ScanSql.setSql(sqlLines({"SELECT REC FROM " + TableName, "WHERE (REC>:REC)", PlaceLine(), "ORDER BY REC"}));
        ScanSql.param("REC").setInt(FixedSlotCount());
        MainSql.setSql(sqlLines({"UPDATE " + TableName + " SET REC=:NEWREC", "WHERE (REC=:OLDREC)", PlaceLine()}));
        ScanSql.execute();
        std::int32_t next = FixedSlotCount() + 1;
        while (ScanSql.fetch()) {
            const std::int32_t rec = ScanSql.field("REC").asInt();
            if (rec != next) {
                MainSql.param("NEWREC").setInt(next);
                MainSql.param("OLDREC").setInt(rec);
                MainSql.execute();
            }
            ++next;
        }
        ScanSql.close();
        if (started)
            tr.commit();
    } catch (...) {
        ScanSql.close();
        MainSql.close();
        if (started)
            tr.rollback();
        throw;
    }
}

std::int32_t TDataSentakuListCtl::GetDataFolderName(std::int32_t offset)
{
    if (ListKind == 1)
        return 0;
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        MainSql.setSql(sqlLines({"SELECT MAX(REC) AS RECMAX FROM " + TableName, "WHERE (GROUPID=:GROUPID)", PlaceLine()}));
        MainSql.param("GROUPID").setInt(SystemDef.GROUPID);
        const std::int32_t max = scalar(MainSql);
        scope.commit();
        return max + offset;
    } catch (const db::DbError& e) {
        MainSql.close();
        ReportDbError(e, "TDataSentakuListCtl.GetDataFolderName", "最大のレコー番号の取得に失敗しました。", true);
        return 0;
    }
}

bool TDataSentakuListCtl::IsDataPathToroku(const std::string& path)
{
    if (ListKind == 1)
        return true;
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        MainSql.setSql(sqlLines({"SELECT COUNT(REC) AS RECCNT FROM " + TableName,
                                 "WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)", PlaceLine()}));
        MainSql.param("GROUPID").setInt(SystemDef.GROUPID);
        MainSql.param("PASNAME").setString(upperAscii(path));
        const bool found = scalar(MainSql) > 0;
        scope.commit();
        return found;
    } catch (const db::DbError& e) {
        MainSql.close();
        ReportDbError(e, "TDataSentakuListCtl.IsDataPathToroku", "データリストの登録チェックに失敗しました。", true);
        return false;
    }
}

bool TDataSentakuListCtl::UpdateServerDataListRecord(const TDataListRec& row, std::int32_t withNames, bool reportErrors)
{
    if (row.NETDRIVE == 0)
        return true;
    if (row.GASSAN == GassanDistributedChild)
        return UpdateServerDataListChildRecord(row, withNames, reportErrors);
    return runWrite(MainSql, "TDataSentakuListCtl.UpdateServerDataListRecord", "共有データリストの更新に失敗しました。",
                    reportErrors, End::OwnOnly, [&] {
        std::int32_t rec = SoleServerRec("SERVERDATALIST", row);
        const OptionalColumns opt(HasCloudColumn, HasReadOnlyColumn);
        TDataListRec cached = row;
        if (FileOpDExist(row.PASNAME, 0)) {
            if (rec > 0) {
                MainSql.setSql(sqlLines({"UPDATE SERVERDATALIST", kServerSetLines,
                                         withNames == 1 ? ",ENTTEXT=:ENTTEXT,SHOUGOU=:SHOUGOU" : "", opt.set,
                                         "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (REC=:REC)"}));
            } else {
                MainSql.setSql("SELECT MAX(REC) AS RECMAX FROM SERVERDATALIST\nWHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)");
                BindRow(MainSql, row);
                rec = scalar(MainSql) + 1;
                MainSql.setSql(sqlLines({"INSERT INTO SERVERDATALIST(GROUPID,DRIVELETTER,REC,ENTTEXT,SHOUGOU,PASNAME,DATATYPE,CODETYPE,",
                                         std::string(kServerInsertNendo) + opt.columns, ")",
                                         "VALUES(:GROUPID,:DRIVELETTER,:REC,:ENTTEXT,:SHOUGOU,:PASNAME,:DATATYPE,:CODETYPE,",
                                         std::string(kServerValuesNendo) + opt.values, ")"}));
            }
            cached.REC = rec;
            BindRow(MainSql, cached);
            MainSql.execute();
        }
        if (row.ENTTEXT != EmptyAreaName && row.ENTTEXT != NewAreaName && row.KISHU == 0 && row.KIMATU == 0 && rec > 0) {
            MainSql.setSql("DELETE FROM SERVERDATALIST\nWHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (REC=:REC)");
            cached.REC = rec;
            BindRow(MainSql, cached);
            MainSql.execute();
        }
        MainSql.setSql("UPDATE DATALIST\nSET DATALOCK=:DATALOCK\nWHERE PASNAME=:PASNAME");
        BindRow(MainSql, row);
        MainSql.execute();
        return true;
    });
}

bool TDataSentakuListCtl::UpdateServerDataListChildRecord(const TDataListRec& row, std::int32_t withNames,
                                                          bool reportErrors)
{
    if (row.NETDRIVE == 0)
        return true;
    return runWrite(MainSql, "TDataSentakuListCtl.UpdateServerDataListChildRecord",
                    "共有(子)データリストの更新に失敗しました。", reportErrors, End::OwnOnly, [&] {
        const std::string key = "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (PASNAME=:PASNAME)";
        std::int32_t rec = SoleServerRec("CHILD_SERVERDATALIST", row);
        const OptionalColumns opt(HasCloudColumn, HasReadOnlyColumn);
        TDataListRec cached = row;
        if (rec > 0) {
            MainSql.setSql(sqlLines({"UPDATE CHILD_SERVERDATALIST", kServerSetLines,
                                     withNames == 1 ? ",ENTTEXT=:ENTTEXT,SHOUGOU=:SHOUGOU" : "", opt.set,
                                     "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (REC=:REC) AND (ROWNO=:ROWNO)"}));
        } else {
            TDataListRec area = row;
            area.PASNAME = datalist::parentOf(row.PASNAME);
            MainSql.setSql("SELECT REC FROM SERVERDATALIST\n" + key);
            BindRow(MainSql, area);
            rec = scalar(MainSql);
            MainSql.setSql(sqlLines({"INSERT INTO CHILD_SERVERDATALIST(GROUPID,DRIVELETTER,REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,DATATYPE,CODETYPE,",
                                     std::string(kServerInsertNendo) + opt.columns, ")",
                                     "VALUES(:GROUPID,:DRIVELETTER,:REC,:ROWNO,:ENTTEXT,:SHOUGOU,:PASNAME,:DATATYPE,:CODETYPE,",
                                     std::string(kServerValuesNendo) + opt.values, ")"}));
        }
        if (rec > 0) {
            cached.REC = rec;
            BindRow(MainSql, cached);
            MainSql.execute();
        }
        MainSql.setSql("UPDATE CHILD_DATALIST\nSET DATALOCK=:DATALOCK\nWHERE PASNAME=:PASNAME");
        BindRow(MainSql, row);
        MainSql.execute();
        return true;
    });
}

bool TDataSentakuListCtl::DeleteServerDataListChildRecord(const TDataListRec& row, bool reportErrors)
{
    if (row.NETDRIVE == 0)
        return true;
    if (blankPath(row.PASNAME))
        return false;
    return runWrite(MainSql, "TDataSentakuListCtl.DeleteServerDataListChildRecord",
                    "共有(子)データリストの削除に失敗しました。", reportErrors, End::OwnOnly, [&] {
        MainSql.setSql(row.GASSAN == GassanDistributedChild
                           ? "DELETE FROM CHILD_SERVERDATALIST\nWHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER AND REC=:REC AND ROWNO=:ROWNO"
                           : "DELETE FROM CHILD_SERVERDATALIST\nWHERE GROUPID=:GROUPID AND DRIVELETTER=:DRIVELETTER AND REC=:REC");
        BindRow(MainSql, row);
        MainSql.execute();
        return true;
    });
}

void TDataSentakuListCtl::NextServerAreaName(const std::string& drivePath, std::int32_t offset, std::string& name)
{
    name = "sv0001";
    db::TransactionScope scope(DM->IBTransactionDEF);
    try {
        // The area folders of the drive, found by a literal prefix (a '%' or
        // '_' in the drive path is no wildcard).
        MainSql.setSql("SELECT MAX(PASNAME) AS MAXPATH FROM SERVERDATALIST\n"
                       "WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER) AND (PASNAME STARTING WITH :PREFIX)");
        MainSql.param("GROUPID").setInt(SystemDef.GROUPID);
        MainSql.param("DRIVELETTER").setString(driveLetterOf(drivePath));
        MainSql.param("PREFIX").setString(datalist::joinPath(drivePath, "sv"));
        MainSql.execute();
        const std::string maxPath = MainSql.fetch() ? MainSql.field("MAXPATH").asString() : std::string();
        MainSql.close();
        scope.commit();
        std::int32_t number = 0;
        if (maxPath.size() >= 4) {
            const std::string digits = maxPath.substr(maxPath.size() - 4);
            if (digits.find_first_not_of("0123456789") == std::string::npos)
                number = std::stoi(digits);
        }
        char buf[16];
        std::snprintf(buf, sizeof buf, "sv%.4d", number + offset);
        name = buf;
    } catch (const std::exception&) {
        MainSql.close();
        name = "sv0001";
    }
}

std::int32_t TDataSentakuListCtl::MakeSlots(const std::string& pathText, std::int32_t maxCount)
{
    db::TransactionScope scope(DM->IBTransactionDEF);
    MainSql.setSql("SELECT REC FROM SP_DATALIST_INSERT(:REC,:PATH,:MAXCNT)");
    MainSql.param("REC").setInt(DataPlaceRec);
    MainSql.param("PATH").setString(ExcludeBackslash(pathText));
    MainSql.param("MAXCNT").setInt(maxCount);
    MainSql.execute();
    std::int32_t made = 0;
    while (MainSql.fetch())
        ++made;
    scope.commit();
    return made;
}

} // namespace vq
