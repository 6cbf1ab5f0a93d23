#include "datasets/KensakuJyokenStore.h"

#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/db/DbError.h"

namespace vq {

namespace {

constexpr const char* kReadFailed = "検索条件レコードの参照に失敗しました。";
constexpr const char* kWriteFailed = "検索条件レコードの更新に失敗しました。";

void bindKey(db::Statement& q, const TDataKensakuRec& cond)
{
    q.param("OPCODE").setInt(cond.OPCODE);
    q.param("LISTTYPE").setInt(cond.LISTTYPE);
}

// Every stored condition but the key, as the insert and the update write them.
void bindConditions(db::Statement& q, const TDataKensakuRec& cond)
{
    q.param("JYOKENUSE").setInt(cond.JYOKENUSE);
    q.param("DATATYPE").setInt(cond.DATATYPE);
    q.param("CODETYPE").setInt(cond.CODETYPE);
    q.param("DATACODE").setString(cond.DATACODE);
    q.param("DATANAME").setString(cond.DATANAME);
    q.param("TANTO").setInt(cond.TANTO);
    q.param("DATAVER").setString(cond.DATAVER);
    q.param("SEIHINNAME").setString(cond.SEIHINNAME);
    q.param("SORTCOL").setInt(SortCodeOfGridColumn(cond.SORTCOL));
    q.param("SORTTYPE").setInt(cond.SORTTYPE);
}

} // namespace

TKensakuJyokenStore::TKensakuJyokenStore()
    : transaction_(DM->IBDatabaseDEF.attachment(), db::kReadCommitted),
      sql_(DM->IBDatabaseDEF.attachment(), transaction_)
{
}

void TKensakuJyokenStore::InitKensakuRec(TDataKensakuRec& cond) const
{
    vq::InitKensakuRec(cond, SystemDef.OPCODE, ListType);
}

template <class Work>
bool TKensakuJyokenStore::Run(const char* label, const char* msg, Work&& work)
{
    const bool started = transaction_.startIfInactive();
    try {
        work();
        sql_.close();
        if (started)
            transaction_.commit();
        return true;
    } catch (const std::exception& e) {
        sql_.close();
        if (!started)
            return false;
        transaction_.rollback();
        if (const auto* dbError = dynamic_cast<const db::DbError*>(&e))
            ReportDbError(*dbError, label, msg);
        else
            ShowMessageDetail(msg, e.what());
        return false;
    }
}

bool TKensakuJyokenStore::SelectRecord(TDataKensakuRec& cond)
{
    InitKensakuRec(cond);
    if (!DM->IBDatabaseDEF.connected())
        return false;
    return Run("TDataListKensakuBox.SelectRecord", kReadFailed, [&] {
        sql_.setSql("SELECT JYOKENUSE,DATATYPE,CODETYPE,DATACODE,DATANAME,TANTO,DATAVER,SEIHINNAME,SORTCOL,SORTTYPE "
                    "FROM KENSAKUJYOKEN\nWHERE (OPCODE=:OPCODE)AND(LISTTYPE=:LISTTYPE)");
        bindKey(sql_, cond);
        sql_.execute();
        bool read = false;
        while (sql_.fetch()) {
            read = true;
            cond.JYOKENUSE = sql_.field("JYOKENUSE").asInt();
            cond.DATATYPE = sql_.field("DATATYPE").asInt();
            cond.CODETYPE = sql_.field("CODETYPE").asInt();
            cond.DATACODE = sql_.field("DATACODE").asString();
            cond.DATANAME = sql_.field("DATANAME").asString();
            cond.TANTO = sql_.field("TANTO").asInt();
            cond.DATAVER = sql_.field("DATAVER").asString();
            cond.SEIHINNAME = sql_.field("SEIHINNAME").asString();
            cond.SORTCOL = GridColumnOfSortCode(sql_.field("SORTCOL").asInt());
            cond.SORTTYPE = sql_.field("SORTTYPE").asInt();
        }
        sql_.close();
        if (read)
            return;
        sql_.setSql("INSERT INTO KENSAKUJYOKEN(OPCODE,LISTTYPE,JYOKENUSE,DATATYPE,CODETYPE,DATACODE,DATANAME,TANTO,"
                    "DATAVER,SEIHINNAME,SORTCOL,SORTTYPE)\nVALUES(:OPCODE,:LISTTYPE,:JYOKENUSE,:DATATYPE,:CODETYPE,"
                    ":DATACODE,:DATANAME,:TANTO,:DATAVER,:SEIHINNAME,:SORTCOL,:SORTTYPE)");
        bindKey(sql_, cond);
        bindConditions(sql_, cond);
        sql_.execute();
    });
}

bool TKensakuJyokenStore::UpdateRecord(const TDataKensakuRec& cond)
{
    if (!DM->IBDatabaseDEF.connected())
        return false;
    return Run("TDataListKensakuBox.UpdateRecord", kWriteFailed, [&] {
        sql_.setSql("UPDATE KENSAKUJYOKEN\nSET JYOKENUSE=:JYOKENUSE,DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,"
                    "DATACODE=:DATACODE,DATANAME=:DATANAME,TANTO=:TANTO,\nDATAVER=:DATAVER,SEIHINNAME=:SEIHINNAME,"
                    "SORTCOL=:SORTCOL,SORTTYPE=:SORTTYPE\nWHERE (OPCODE=:OPCODE)AND(LISTTYPE=:LISTTYPE)");
        bindKey(sql_, cond);
        bindConditions(sql_, cond);
        sql_.execute();
    });
}

bool TKensakuJyokenStore::UpdateRecordSortField(const TDataKensakuRec& cond)
{
    if (!DM->IBDatabaseDEF.connected())
        return false;
    return Run("TDataListKensakuBox.UpdateRecordSortField", kWriteFailed, [&] {
        sql_.setSql("UPDATE KENSAKUJYOKEN\nSET SORTCOL=:SORTCOL,SORTTYPE=:SORTTYPE\n"
                    "WHERE (OPCODE=:OPCODE)AND(LISTTYPE=:LISTTYPE)");
        bindKey(sql_, cond);
        sql_.param("SORTCOL").setInt(SortCodeOfGridColumn(cond.SORTCOL));
        sql_.param("SORTTYPE").setInt(cond.SORTTYPE);
        sql_.execute();
    });
}

} // namespace vq
