#include "comm/CashBookSender.h"

#include "foundation/app/AccInf.h"
#include "foundation/data/DataModule.h"
#include "platform/Interaction.h"
#include "platform/db/Transaction.h"

#include <vector>

namespace vq::comm {

TCashBookSender::TCashBookSender()
    : query_(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT),
      update_(DM->IBDatabaseDAT.attachment(), DM->IBTransactionDAT)
{
    CurrentEntry.ProcessName = "CashBookSender";
    ClearLog();
}

void TCashBookSender::ClearLog()
{
    SendResult = 0;
    CurrentEntry.Clear();
    SendLog.clear();
}

void TCashBookSender::AddLog()
{
    SendLog.push_back(CurrentEntry);
    RecomputeResult();
}

std::int32_t TCashBookSender::RecomputeResult()
{
    SendResult = SyoriLogResult(SendLog);
    return SendResult;
}

void TCashBookSender::Execute()
{
    ClearLog();
    if (AfterSend == 1)
        Mode = 1;
    try {
        db::TransactionScope scope(DM->IBTransactionDAT);
        const std::string cash = AccInf.SysKCode[SysGenkin];
        if (Mode == 0)
            markAll(cash);
        else if (Mode == 1)
            linkNew(cash);
        scope.commit();
        CurrentEntry = {"CashBookSender", SyoriInfo, 1, "出納帳データの送信処理が成功しました。"};
        AddLog();
    } catch (const std::exception& e) {
        CurrentEntry = {"CashBookSender", SyoriError, -100,
                        std::string("出納帳データの送信処理に失敗しました。 原因: ") + e.what()};
        AddLog();
        platform::interaction().message({std::string("出納帳データの送信処理中にエラーが発生しました。\r\r原因: ") +
                                             e.what(),
                                         "", platform::MessageKind::Error, platform::Buttons::Ok, 0});
    }
}

namespace {

struct Found {
    std::int32_t rec;
    std::int32_t swkRec;
    bool cashRow;
    bool live;
};

// The rows are read whole before any is updated: the updates change the
// columns the query selects by.
std::vector<Found> readRows(db::Statement& q, const std::string& cash, bool withSides)
{
    q.param("KCODE").setString(cash);
    q.param("R_KCODE").setString(cash);
    q.execute();
    std::vector<Found> rows;
    while (q.fetch()) {
        Found f{q.field("REC").asInt(), q.field("SWKREC").asInt(), true, true};
        if (withSides) {
            f.cashRow = q.field("KCODE").asString() == cash || q.field("R_KCODE").asString() == cash;
            f.live = q.field("DELFLG").asInt() == 0;
        }
        rows.push_back(f);
    }
    q.close();
    return rows;
}

} // namespace

void TCashBookSender::markAll(const std::string& cash)
{
    query_.setSql("SELECT REC,SWKREC,DELFLG,KCODE,R_KCODE FROM SIWAKE "
                  "WHERE (DELFLG IN (0,1)) AND (TAISHAKU=1) AND ((KCODE=:KCODE OR R_KCODE=:R_KCODE) OR (LINKREC>0))");
    const auto rows = readRows(query_, cash, true);
    update_.setSql("UPDATE SIWAKE SET RESERVE1=:RESERVE1,RESERVE2=:RESERVE2,LINKKEY=:LINKKEY,LINKKUB=:LINKKUB,"
                   "LINKREC=:LINKREC,LOCALFLG=:LOCALFLG WHERE SWKREC=:SWKREC");
    for (const auto& r : rows) {
        update_.param("RESERVE1").setInt(r.cashRow ? r.rec : 0);
        update_.param("RESERVE2").setInt(0);
        update_.param("LINKKEY").setString(r.cashRow && r.live ? std::to_string(r.rec) : "");
        update_.param("LINKKUB").setInt(r.cashRow && r.live ? 10 : 0);
        update_.param("LINKREC").setInt(0);
        update_.param("LOCALFLG").setInt(0);
        update_.param("SWKREC").setInt(r.swkRec);
        update_.execute();
    }
}

void TCashBookSender::linkNew(const std::string& cash)
{
    query_.setSql("SELECT REC,SWKREC,LINKKUB,LINKKEY,RESERVE1 FROM SIWAKE "
                  "WHERE (DELFLG=0) AND (LINKKUB=0) AND (TAISHAKU=1) AND "
                  "((KCODE=:KCODE OR R_KCODE=:R_KCODE) OR (LINKREC>0))");
    const auto rows = readRows(query_, cash, false);
    update_.setSql("UPDATE SIWAKE SET LINKKEY=:LINKKEY,LINKKUB=:LINKKUB WHERE SWKREC=:SWKREC");
    for (const auto& r : rows) {
        update_.param("LINKKEY").setString(std::to_string(r.rec));
        update_.param("LINKKUB").setInt(10);
        update_.param("SWKREC").setInt(r.swkRec);
        update_.execute();
    }
}

} // namespace vq::comm
