// The merge steps of the cash-book import: sub-accounts, cash opening
// balances and cash entries of the received cash book into the open data
// set, and the comparison of the two cash balances.
#include "comm/CashBookLoader.h"

#include <set>

#include "foundation/accounting/ConsumptionTax.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/DataModule.h"
#include "foundation/text/NumberUtils.h"
#include "foundation/text/TextUtils.h"
#include "platform/Interaction.h"

namespace vq::comm {

// One received cash entry (its TAISHAKU 1 row) with the link columns of SIWAKE2.
struct TCashBookLoader::ReceivedRow {
    std::int32_t REC = 0, SWKREC = 0, SWKNO = 0, DELFLG = 0, RESERVE1 = 0, LINKREC = 0;
    double HIZUKE = 0;
    std::int32_t KESSAN = 0, DNUM = 0, SNUM = 0;
    std::string SCODE, KCODE;
    std::string KGROUP, USERCODE, HCODE, BCODE, KNAME;
    std::int32_t TAXCODE = 0;
    std::string R_KGROUP, R_USERCODE, R_HCODE, R_BCODE, R_KNAME;
    std::int32_t R_TAXCODE = 0;
    std::int64_t KINGAKU = 0, ZEIGAKU = 0;
    std::int32_t ZEIRITUNO = 0, AUTCALCU = 0, TAXCALCU = 0, OLDRATE = 0;
    std::string TEKTEXT, TORTEXT, COMMENT, AO_COMMENT;
    std::int32_t FUSEN1 = 0, FUSEN2 = 0;
    std::string LINKKEY2;
    std::int32_t LINKKUB2 = 0, LINKREC2 = 0;
};

struct TCashBookLoader::Counterpart {
    bool found = false;
    bool deleted = false;
    std::int32_t REC = 0, SWKNO = 0, LINKREC = 0, DELFLG = 0, RESERVE1 = 0, RESERVE2 = 0;
};

bool TCashBookLoader::ImportSubAccounts()
{
    return guarded("「補助科目の取り込み」に失敗しました。 ", [&] {
        SQL1.setSql("SELECT HOJO_INS_MODE FROM ACCDEF1 WHERE REC=1");
        SQL1.execute();
        const std::int32_t insMode = SQL1.fetch() && !SQL1.field("HOJO_INS_MODE").isNull()
                                         ? SQL1.field("HOJO_INS_MODE").asInt()
                                         : 0;
        SQL1.close();
        SQL1.setSql("UPDATE ACCDEF1 SET HOJO_INS_MODE=0 WHERE REC=1");
        SQL1.execute();

        std::set<std::string> known;
        SQL1.setSql("SELECT KCODE,HCODE,HKANA,HNAME,TAX_LCODE,TAX_RCODE FROM HOJOMST ORDER BY KCODE,HCODE");
        SQL1.execute();
        while (SQL1.fetch())
            known.insert(SQL1.field("KCODE").asString() + "-" + SQL1.field("HCODE").asString());
        SQL1.close();

        SQL1.setSql("INSERT INTO HOJOMST(KCODE,HCODE,HKANA,HNAME,TAX_LCODE,TAX_RCODE,BPFLG,OPCODE) "
                    "VALUES(:KCODE,:HCODE,:HKANA,:HNAME,:TAX_LCODE,:TAX_RCODE,:BPFLG,:OPCODE)");
        SQL2.setSql("UPDATE HOJOMST SET HKANA=:HKANA,HNAME=:HNAME,TAX_LCODE=:TAX_LCODE,TAX_RCODE=:TAX_RCODE,"
                    "RTIME=:RTIME,OPCODE=:OPCODE WHERE (KCODE=:KCODE)AND(HCODE=:HCODE)");
        db::Statement balances(DM->IBDatabaseDAT.attachment(), ReceiveTransaction,
                               "SELECT OUT_SCODE FROM SP_HOJO_KAMOKUSZ_INS(:SCODE,:KCODE,:HCODE)");
        ReceiveSQL1.setSql("SELECT KCODE,HCODE,HKANA,HNAME,TAX_LCODE,TAX_RCODE,BPFLG FROM HOJOMST ORDER BY KCODE,HCODE");
        ReceiveSQL1.execute();
        while (ReceiveSQL1.fetch()) {
            auto text = [this](const char* n) { return ReceiveSQL1.field(n).asString(); };
            auto num = [this](const char* n) { return ReceiveSQL1.field(n).isNull() ? 0 : ReceiveSQL1.field(n).asInt(); };
            const std::string kcode = text("KCODE");
            const std::string hcode = text("HCODE");
            db::Statement& q = known.count(kcode + "-" + hcode) ? SQL2 : SQL1;
            q.param("KCODE").setString(kcode);
            q.param("HCODE").setString(hcode);
            q.param("HKANA").setString(text("HKANA"));
            q.param("HNAME").setString(text("HNAME"));
            q.param("TAX_LCODE").setInt(num("TAX_LCODE"));
            q.param("TAX_RCODE").setInt(num("TAX_RCODE"));
            q.param("OPCODE").setInt(SystemDef.OPCODE);
            if (&q == &SQL2) {
                q.param("RTIME").setDateTime(platform::interaction().now());
                q.execute();
                continue;
            }
            q.param("BPFLG").setString(text("BPFLG"));
            q.execute();
            balances.param("SCODE").setString(Siten.GetCode(0));
            balances.param("KCODE").setString(kcode);
            balances.param("HCODE").setString(hcode);
            balances.execute();
            balances.close();
        }
        ReceiveSQL1.close();

        SQL1.setSql("UPDATE ACCDEF1 SET HOJO_INS_MODE=" + std::to_string(insMode) + " WHERE REC=1");
        SQL1.execute();
        return true;
    });
}

bool TCashBookLoader::ImportOpeningBalances()
{
    if (TextMode != 1)
        return true;
    return guarded("「現金科目の開始残高の取り込み」に失敗しました。 ", [&] {
        ReceiveSQL1.setSql(std::string(receivedBefore6()
                                           ? "SELECT SCODE,KCODE,HCODE,BCODE,KAISIZAN,KAISIZAN AS KISHU_KOMI,"
                                             "KAISIZAN AS KISHU_NUKI FROM KAMOKU_SZ "
                                           : "SELECT SCODE,KCODE,HCODE,BCODE,KAISIZAN,KISHU_KOMI,KISHU_NUKI FROM KAMOKU_SZ ") +
                           "WHERE KCODE=:KCODE ORDER BY SCODE,KCODE,HCODE,BCODE");
        ReceiveSQL1.param("KCODE").setString(AccInf.SysKCode[SysGenkin]);
        ReceiveSQL1.execute();
        SQL1.setSql("UPDATE KAMOKU_SZ SET KAISIZAN=0,KISHU_KOMI=:KISHU_KOMI,KISHU_NUKI=:KISHU_NUKI "
                    "WHERE (SCODE=:SCODE)AND(KCODE=:KCODE)AND(HCODE=:HCODE)AND(BCODE=:BCODE)");
        while (ReceiveSQL1.fetch()) {
            SQL1.param("KISHU_KOMI").setCurrency(ReceiveSQL1.field("KISHU_KOMI").asCurrency());
            SQL1.param("KISHU_NUKI").setCurrency(ReceiveSQL1.field("KISHU_NUKI").asCurrency());
            for (const char* key : {"SCODE", "KCODE", "HCODE", "BCODE"})
                SQL1.param(key).setString(ReceiveSQL1.field(key).asString());
            SQL1.execute();
        }
        ReceiveSQL1.close();
        return true;
    });
}

std::vector<TCashBookLoader::ReceivedRow> TCashBookLoader::readReceivedEntries(const std::string& cash)
{
    ReceiveSQL1.setSql("SELECT SWK.*,K1.USERCODE AS USERCODE,K2.USERCODE AS R_USERCODE,"
                       "SWK2.LINKKEY AS LINKKEY2,SWK2.LINKKUB AS LINKKUB2,SWK2.LINKREC AS LINKREC2 "
                       "FROM SIWAKE SWK "
                       "INNER JOIN KAMOKUMST K1 ON(SWK.KCODE=K1.KCODE) "
                       "INNER JOIN KAMOKUMST K2 ON(SWK.R_KCODE=K2.KCODE) "
                       "INNER JOIN SIWAKE2 SWK2 ON(SWK.REC=SWK2.REC) "
                       "WHERE (SWK.DELFLG IN (0,1)) AND (SWK.TAISHAKU=1) AND "
                       "((SWK.KCODE=:KCODE OR SWK.R_KCODE=:R_KCODE) OR (SWK.LINKREC>0)) "
                       "ORDER BY SWK.HIZUKE,SWK.KESSAN,SWK.SWKNO");
    ReceiveSQL1.param("KCODE").setString(cash);
    ReceiveSQL1.param("R_KCODE").setString(cash);
    ReceiveSQL1.execute();
    std::vector<ReceivedRow> rows;
    db::Statement& q = ReceiveSQL1;
    auto text = [&q](const char* n) { return q.field(n).asString(); };
    auto num = [&q](const char* n) { return q.field(n).isNull() ? 0 : q.field(n).asInt(); };
    auto money = [&q](const char* n) { return q.field(n).isNull() ? Currency(0) : q.field(n).asCurrency(); };
    while (q.fetch()) {
        ReceivedRow r;
        r.REC = num("REC");
        r.SWKREC = num("SWKREC");
        r.SWKNO = num("SWKNO");
        r.DELFLG = num("DELFLG");
        r.RESERVE1 = num("RESERVE1");
        r.LINKREC = num("LINKREC");
        r.HIZUKE = q.field("HIZUKE").asDate();
        r.KESSAN = num("KESSAN");
        r.DNUM = num("DNUM");
        r.SNUM = num("SNUM");
        r.SCODE = text("SCODE");
        r.KCODE = text("KCODE");
        r.KGROUP = text("KGROUP");
        r.USERCODE = text("USERCODE");
        r.HCODE = text("HCODE");
        r.BCODE = text("BCODE");
        r.KNAME = text("KNAME");
        r.TAXCODE = num("TAXCODE");
        r.R_KGROUP = text("R_KGROUP");
        r.R_USERCODE = text("R_USERCODE");
        r.R_HCODE = text("R_HCODE");
        r.R_BCODE = text("R_BCODE");
        r.R_KNAME = text("R_KNAME");
        r.R_TAXCODE = num("R_TAXCODE");
        r.KINGAKU = money("KINGAKU");
        r.ZEIGAKU = money("ZEIGAKU");
        r.ZEIRITUNO = num("ZEIRITUNO");
        r.AUTCALCU = num("AUTCALCU");
        r.TAXCALCU = num("TAXCALCU");
        r.OLDRATE = num("OLDRATE");
        r.TEKTEXT = text("TEKTEXT");
        r.TORTEXT = text("TORTEXT");
        r.COMMENT = text("COMMENT");
        r.AO_COMMENT = text("AO_COMMENT");
        r.FUSEN1 = num("FUSEN1");
        r.FUSEN2 = num("FUSEN2");
        r.LINKKEY2 = text("LINKKEY2");
        r.LINKKUB2 = num("LINKKUB2");
        r.LINKREC2 = num("LINKREC2");
        rows.push_back(std::move(r));
    }
    q.close();
    return rows;
}

bool TCashBookLoader::ImportCashEntries()
{
    return guarded("「現金仕訳の取り込み」に失敗しました。 ", [&] {
        cash_ = AccInf.SysKCode[SysGenkin];
        auditRefusals_ = 0;
        Writer.MsgVariant = 1;
        Writer.AutoCommit = 0;
        Writer.SetTransaction(ReceiveTransaction);
        Writer.SetSisetu(SystemDef.CurSisetuCode);
        for (const ReceivedRow& row : readReceivedEntries(cash_)) {
            if (row.SCODE != Writer.SisetuCode)
                Writer.SetSisetu(row.SCODE);
            char cls = 0;
            if (row.RESERVE1 == 0)
                cls = row.DELFLG == 0 ? 'A' : row.DELFLG == 1 ? 'B' : 0;
            else if (row.RESERVE1 > 0)
                cls = row.DELFLG == 0 ? 'C' : row.DELFLG == 1 ? 'D' : 0;
            if (cls == 0)
                continue;
            const Counterpart cp = findCounterpart(row, cls);
            if (cls == 'A' || cls == 'C') {
                Writer.InitSiwakeRec(JournalRecord, 0, 0);
                if (cp.found) {
                    if (!receivedWins(row, cp)) {
                        if (cp.RESERVE1 == 0) {
                            Writer.GetSiwake(JournalRecord, cp.REC, false);
                            markTaken(row, cp);
                        }
                        continue;
                    }
                    Writer.GetSiwake(JournalRecord, cp.REC, false);
                    if (cp.deleted)
                        restoreAndLink(row, cp);
                }
                fillFromReceived(row);
                std::string reason;
                const std::int32_t written = writeEntry(row, cp, reason);
                if (written == 0) {
                    if (!(cp.found && !cp.deleted && JournalRecord.REC == cp.REC))
                        logEntry(SyoriWarning, 11, JournalRecord.SWKREC, "受信データの訂正仕訳が優先されました。");
                } else if (written < 0) {
                    logEntry(SyoriError, -111, 0, reason);
                }
            } else {
                if (!cp.found || cp.deleted)
                    continue;
                Writer.GetSiwake(JournalRecord, cp.REC, false);
                const std::int32_t swkRec = JournalRecord.SWKREC;
                fillFromReceived(row);
                Writer.DeleteSiwake(swkRec);
                markTaken(row, cp);
                logEntry(SyoriWarning, 12, swkRec, "受信データの削除仕訳が優先されました。");
            }
        }
        if (auditRefusals_ > 0)
            AddEntry(SyoriWarning, 13,
                     FormatDateTime("yyyy/mm/dd", AccInf.KANSA_FIXDATE) +
                         "以前の仕訳は、監査処理が終了しているため追加・訂正・削除が行われませんでした。");
        return ImportResult >= 0;
    });
}

TCashBookLoader::Counterpart TCashBookLoader::findCounterpart(const ReceivedRow& row, char cls)
{
    const std::string head = "SELECT COUNT(REC) AS RECCNT,REC,SWKNO,LINKREC,RESERVE1,RESERVE2,DELFLG FROM SIWAKE ";
    const std::string tail = " GROUP BY REC,SWKNO,LINKREC,RESERVE1,RESERVE2,DELFLG";
    auto search = [&](const std::string& where, auto bind) {
        SQL2.setSql(head + where + tail);
        bind(SQL2);
        SQL2.execute();
        Counterpart cp;
        if (SQL2.fetch() && SQL2.field("RECCNT").asInt() > 0) {
            auto num = [this](const char* n) { return SQL2.field(n).isNull() ? 0 : SQL2.field(n).asInt(); };
            cp.found = true;
            cp.REC = num("REC");
            cp.SWKNO = num("SWKNO");
            cp.LINKREC = num("LINKREC");
            cp.RESERVE1 = num("RESERVE1");
            cp.RESERVE2 = num("RESERVE2");
            cp.DELFLG = num("DELFLG");
            cp.deleted = cp.DELFLG == 1;
        }
        SQL2.close();
        return cp;
    };
    if (cls == 'A' || cls == 'B') {
        Counterpart cp = search("WHERE (DELFLG IN (0,1)) AND (RESERVE1=:RESERVE1)",
                                [&](db::Statement& q) { q.param("RESERVE1").setInt(row.REC); });
        if (cp.found)
            return cp;
        ReceiveSQL2.setSql("SELECT REC FROM SIWAKE WHERE (TAISHAKU=1) AND (SWKNO=:SWKNO)");
        ReceiveSQL2.param("SWKNO").setInt(row.SWKNO);
        ReceiveSQL2.execute();
        std::string recs;
        while (ReceiveSQL2.fetch())
            recs += (recs.empty() ? "" : ",") + std::to_string(ReceiveSQL2.field("REC").asInt());
        ReceiveSQL2.close();
        return search("WHERE (DELFLG IN (0,1)) AND (RESERVE1 IN (" + (recs.empty() ? std::string("-1") : recs) + "))",
                      [](db::Statement&) {});
    }
    Counterpart cp = search("WHERE (DELFLG IN (0,1)) AND (LINKKEY=:LINKKEY AND LINKKUB=:LINKKUB)", [&](db::Statement& q) {
        q.param("LINKKEY").setString(std::to_string(row.RESERVE1));
        q.param("LINKKUB").setInt(10);
    });
    if (cp.found)
        return cp;
    return search("WHERE (DELFLG IN (0,1)) AND (TAISHAKU=1) AND (SWKNO=(SELECT SWKNO FROM SIWAKE WHERE REC=:REC))",
                  [&](db::Statement& q) { q.param("REC").setInt(row.RESERVE1); });
}

bool TCashBookLoader::receivedWins(const ReceivedRow& row, const Counterpart& cp) const
{
    if (cp.RESERVE1 == 0)
        return row.LINKREC > 0;
    return row.LINKREC > 0 && (row.RESERVE1 == 0 || cp.RESERVE2 < row.LINKREC);
}

void TCashBookLoader::markTaken(const ReceivedRow& row, const Counterpart& cp)
{
    SQL2.setSql("UPDATE SIWAKE SET RESERVE1=:RESERVE1,RESERVE2=:RESERVE2 WHERE (SWKREC=:SWKREC)");
    SQL2.param("RESERVE1").setInt(cp.found && JournalRecord.Reserve1 > 0 ? JournalRecord.Reserve1 : row.REC);
    SQL2.param("RESERVE2").setInt(row.LINKREC);
    SQL2.param("SWKREC").setInt(JournalRecord.SWKREC);
    SQL2.execute();
}

void TCashBookLoader::restoreAndLink(const ReceivedRow& row, const Counterpart& cp)
{
    Writer.RestoreSiwake(JournalRecord.SWKREC);
    SQL2.setSql("UPDATE SIWAKE SET LINKKEY=:LINKKEY,LINKKUB=:LINKKUB WHERE (SWKREC=:SWKREC)");
    SQL2.param("LINKKEY").setString(std::to_string(row.RESERVE1));
    SQL2.param("LINKKUB").setInt(10);
    SQL2.param("SWKREC").setInt(JournalRecord.SWKREC);
    SQL2.execute();
    Writer.GetSiwake(JournalRecord, cp.REC, false);
}

void TCashBookLoader::fillFromReceived(const ReceivedRow& row)
{
    TSWKREC& r = JournalRecord;
    r.HIZUKE = row.HIZUKE;
    r.MNUM = 0;
    r.KESSAN = row.KESSAN;
    r.DNUM = row.DNUM;
    r.SNUM = row.SNUM;
    r.SCODE = row.SCODE;
    auto side = [](TSwkBalance& s, const std::string& group, const std::string& user, const std::string& hcode,
                   const std::string& bcode, std::int32_t tax) {
        s.KGROUP = group;
        s.USERCODE = user;
        s.HCODE = hcode;
        s.BCODE = bcode;
        s.TAXCODE = tax;
        s.KNAME.clear();
        s.HNAME.clear();
        s.BNAME.clear();
        s.NUK = s.ZEI = s.RIT = 0;
        s.SIKIN = 0;
    };
    side(r.Debit, row.KGROUP, row.USERCODE, row.HCODE, row.BCODE, row.TAXCODE);
    side(r.Credit, row.R_KGROUP, row.R_USERCODE, row.R_HCODE, row.R_BCODE, row.R_TAXCODE);
    r.KINGAKU = row.KINGAKU;
    r.ZEIGAKU = row.ZEIGAKU;
    r.ZEIRITUNO = row.ZEIRITUNO;
    r.AUTCALCU = row.AUTCALCU;
    r.TAXCALCU = row.TAXCALCU;
    r.OLDRATE = row.OLDRATE;
    r.Debit.RateNo = r.Credit.RateNo = row.OLDRATE;
    r.TEKCODE = 0;
    r.TEKTEXT = row.TEKTEXT;
    r.TORCODE = 0;
    r.TORTEXT = row.TORTEXT;
    r.FUSEN1 = row.FUSEN1;
    r.FUSEN2 = row.FUSEN2;
    r.COMMENT = row.COMMENT;
    r.AO_COMMENT = row.AO_COMMENT;
    r.RTIME = platform::interaction().now();
    r.OPCODE = SystemDef.OPCODE;
    if (row.LINKKUB2 == 12 || row.LINKKUB2 == 13 || row.LINKKUB2 == 14) {
        r.LINKKEY = row.LINKKEY2;
        r.LINKKUB = row.LINKKUB2;
        r.LINKREC = row.LINKREC2;
    }
    logDate_ = FormatDateTime("yyyy/mm/dd", row.HIZUKE);
    logAccount_ = row.KCODE != cash_ ? row.KNAME : row.R_KNAME;
    logText_ = TrimZenSpace(row.TEKTEXT);
    if (logText_.empty())
        logText_ = "－";
    logAmount_ = FormatComma(row.KINGAKU / CurrencyScale);
}

std::int32_t TCashBookLoader::writeEntry(const ReceivedRow& row, const Counterpart& cp, std::string& reason)
{
    std::int32_t code = 0;
    if (!Writer.TestSiwake(JournalRecord, code, reason)) {
        if (code == 2 || code == 3)
            ++auditRefusals_;
        return -1;
    }
    CalcSiwakeZei(JournalRecord);
    if (JournalRecord.Debit.RIT == 0 && JournalRecord.Credit.RIT == 0)
        JournalRecord.TAXCALCU = 2;
    JournalRecord.LOCALFLG = 10;
    const std::int32_t written = Writer.PutSiwake(JournalRecord);
    markTaken(row, cp);
    return written;
}

void TCashBookLoader::logEntry(std::uint8_t kind, std::int32_t code, std::int32_t entryNo, const std::string& reason)
{
    const std::string number = code > 0 ? std::to_string(entryNo) : "-  ";
    AddEntry(kind, code,
             "(仕訳番号:" + number + " 日付:" + logDate_ + " 相手科目:" + logAccount_ + " 摘要:" + logText_ + " 金額:" +
                 logAmount_ + ") " + reason);
}

bool TCashBookLoader::CompareCashBalance()
{
    if (TextMode != 0)
        return true;
    return guarded("「科目残高の比較」に失敗しました。 ", [&] {
        const std::string cash = AccInf.SysKCode[SysGenkin];
        const std::int32_t taxMethod = AccInf.TAXDEFUH;
        SQL1.setSql("SELECT DAC FROM KAMOKUMST WHERE KCODE=:KCODE");
        SQL1.param("KCODE").setString(cash);
        SQL1.execute();
        const std::int32_t dac = SQL1.fetch() ? SQL1.field("DAC").asInt() : 0;
        SQL1.close();
        const bool debitSide = dac == 1 || dac == 4;
        if (!(debitSide || dac == 2 || dac == 3) || (taxMethod != 0 && taxMethod != 1))
            throw std::runtime_error("no balance rule for the cash account's side " + std::to_string(dac) +
                                     " and the tax method " + std::to_string(taxMethod));
        const char* movement =
            taxMethod == 0
                ? (debitSide ? "SELECT SUM(KAR_NUK+KAR_TAX)-SUM(KAS_NUK+KAS_TAX) AS ZANDAKA FROM KAMOKU_MS"
                             : "SELECT SUM(KAS_NUK+KAS_TAX)-SUM(KAR_NUK+KAR_TAX) AS ZANDAKA FROM KAMOKU_MS")
                : (debitSide ? "SELECT SUM(KAR_NUK-KAR_IKKATSU)-SUM(KAS_NUK-KAS_IKKATSU) AS ZANDAKA FROM KAMOKU_MS"
                             : "SELECT SUM(KAS_NUK-KAS_IKKATSU)-SUM(KAR_NUK-KAR_IKKATSU) AS ZANDAKA FROM KAMOKU_MS");
        auto balance = [&](db::Statement& q, bool before6) {
            q.setSql(before6 ? "SELECT SUM(KAISIZAN) AS KAISI_KOMIZAN,SUM(KAISIZAN) AS KAISI_NUKIZAN FROM KAMOKU_SZ "
                               "WHERE KCODE=:KCODE"
                             : "SELECT SUM(KISHU_KOMI) AS KAISI_KOMIZAN,SUM(KISHU_NUKI) AS KAISI_NUKIZAN FROM KAMOKU_SZ "
                               "WHERE KCODE=:KCODE");
            q.param("KCODE").setString(cash);
            q.execute();
            Currency opening = 0;
            if (q.fetch()) {
                const char* column = taxMethod == 0 ? "KAISI_KOMIZAN" : "KAISI_NUKIZAN";
                opening = q.field(column).isNull() ? 0 : q.field(column).asCurrency();
            }
            q.close();
            q.setSql(std::string(movement) + " WHERE KCODE=:KCODE");
            q.param("KCODE").setString(cash);
            q.execute();
            const Currency moved = q.fetch() && !q.field("ZANDAKA").isNull() ? q.field("ZANDAKA").asCurrency() : 0;
            q.close();
            return opening + moved;
        };
        const Currency mine = balance(SQL1, false);
        const Currency theirs = balance(ReceiveSQL1, receivedBefore6());
        if (mine != theirs)
            AddEntry(SyoriWarning, 201,
                     "本データと出納帳データの間で現金残高の違いが発生しました。前回のデータ送信後に現金取引の追加・訂正を"
                     "行っていると残高の違いは発生します。");
        return true;
    });
}

} // namespace vq::comm
