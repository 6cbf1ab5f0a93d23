#include "foundation/journal/SiwakeWrite.h"

#include <chrono>
#include <thread>

#include "foundation/accounting/ConsumptionTax.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/FiscalCalendar.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/text/TextUtils.h"
#include "foundation/text/VersionUtils.h"
#include "platform/Interaction.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {

namespace {

enum Pair {
    PairDate, PairAuditedEntry, PairAuditedDate, PairAccount, PairSubRequired, PairDepartment, PairTaxCode,
    PairAmountMissing, PairNegative, PairTooLong, PairKobetu, PairFacility, PairApproved, PairTaxRates
};

// The entry wording and the import wording of each check; "借方" stands for
// the side and is replaced by "貸方" for the credit side.
const char* const kMessages[][2] = {
    {"日付が会計期間外または、決算区分の指定が不正です。", "日付が会計期間外または、決算区分の設定が不正です。"},
    {"監査済みの仕訳は訂正できません。", "監査済みの仕訳が設定されました。"},
    {"監査済みの日付は入力できません。", "日付に監査済みの日付が設定されました。"},
    {"借方の科目コードが見つかりません。", "借方の科目コードの設定が不正です。"},
    {"借方の補助コードを入力してください。", "借方の補助コードの設定が不正です。"},
    {"借方の部門コードが見つかりません。", "借方の部門コードの設定が不正です。"},
    {"借方の消費税コードを確認してください。", "借方の消費税コードの設定が不正です。"},
    {"金額を入力してください。", "金額の設定が不正です。（０円 または null）"},
    {"マイナス金額は入力できません。", "金額にマイナス値が設定されました。"},
    {"金額桁数がオーバーしています。", "金額の設定が不正です。（桁数オーバー）"},
    {"個別原価コードが見つかりません。", "個別原価コードの設定が不正です。"},
    {"本・支店コードが不正です。データを選択し直してください。", "本・支店コードが不正です。"},
    {"承認済みの仕訳は訂正できません。", "承認済みの仕訳が設定されました。"},
    {"借方と貸方の消費税率が違います。", "借方と貸方の消費税率が違います。"},
};

constexpr Currency kOneYen = CurrencyScale;
constexpr Currency kLargestAmount = 9999999999LL * CurrencyScale;
constexpr int kKobetuWidths[] = {3, 4, 5, 6};
// The pause between two submissions of a write that met another
// transaction's lock: short, so that a writer whose transaction does not
// wait in the engine still finds the lock free between two of the other's.
constexpr std::chrono::milliseconds kLockPoll{10};

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (auto pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

std::string blankIfEmpty(const std::string& code)
{
    return code.empty() ? std::string(" ") : code;
}

bool blank(const std::string& s)
{
    return TrimZenSpace(s).empty();
}

std::string dataVersion()
{
    return std::to_string(AccInf.DataVerMajor) + "." + std::to_string(AccInf.DataVerMinor1) + "." +
           std::to_string(AccInf.DataVerMinor2);
}

} // namespace

// AutoCommit's one-shot transaction: started when the flag is set and the
// transaction is not active, committed by commit(), rolled back otherwise.
class TSiwakeWrite::AutoScope {
public:
    // Only the outermost scope of an operation owns the one-shot: the
    // lookups inside a check share the check's transaction.
    explicit AutoScope(TSiwakeWrite& writer) : writer_(writer), outermost_(writer.scopeDepth_++ == 0)
    {
        if (outermost_ && writer_.AutoCommit == 1 && writer_.transaction_ && !writer_.transaction_->active()) {
            // A transaction of the writer's own waits for other writers'
            // locks in the engine; the owner's settings are kept for its
            // own starts.
            db::Transaction& tr = *writer_.transaction_;
            const db::TransactionOptions given = tr.options();
            db::TransactionOptions waiting = given;
            if (writer_.LockWait > 0) {
                waiting.wait = true;
                waiting.lockTimeout = writer_.LockWait;
            }
            tr.setOptions(waiting);
            try {
                tr.start();
            } catch (...) {
                tr.setOptions(given);
                throw;
            }
            tr.setOptions(given);
            started_ = true;
        }
    }
    ~AutoScope()
    {
        --writer_.scopeDepth_;
        if (started_ && writer_.transaction_->active())
            writer_.transaction_->rollback();
        if (outermost_ && writer_.AutoCommit == 1)
            writer_.AutoCommit = 0;
    }
    AutoScope(const AutoScope&) = delete;
    AutoScope& operator=(const AutoScope&) = delete;
    void commit()
    {
        if (started_)
            writer_.transaction_->commit();
        started_ = false;
    }

private:
    TSiwakeWrite& writer_;
    bool outermost_;
    bool started_ = false;
};

TSiwakeWrite::TSiwakeWrite() = default;
TSiwakeWrite::~TSiwakeWrite() = default;

void TSiwakeWrite::SetTransaction(db::Transaction& transaction)
{
    transaction_ = &transaction;
    if (sql_)
        sql_->setTransaction(transaction);
}

db::Statement& TSiwakeWrite::sql()
{
    if (!sql_) {
        db::Transaction& tr = transaction_ ? *transaction_ : DM->IBTransactionDAT;
        transaction_ = &tr;
        sql_ = std::make_unique<db::Statement>(DM->IBDatabaseDAT.attachment(), tr);
    }
    return *sql_;
}

std::string TSiwakeWrite::message(int pair, bool debit) const
{
    std::string text = kMessages[pair][MsgVariant == 1 ? 1 : 0];
    if (!debit && pair != PairTaxRates)
        text = replaced(text, "借方", "貸方");
    return text;
}

void TSiwakeWrite::InitSiwakeRec(TSWKREC& rec, std::int32_t kessan, double hizuke)
{
    rec = TSWKREC{};
    rec.PcName = SystemDef.ComputerName;
    rec.TAISHAKU = 1;
    rec.HIZUKE = hizuke;
    rec.KESSAN = kessan;
    rec.Debit.TAXCODE = 910;
    rec.Credit.TAXCODE = 910;
    rec.RTIME = platform::interaction().now();
    rec.OPCODE = SystemDef.OPCODE;
    rec.OLDRATE = GetValidRateNo(0, hizuke);
    rec.Debit.RateNo = rec.Credit.RateNo = rec.OLDRATE;
}

std::string TSiwakeWrite::selectList() const
{
    std::string s =
        "SELECT SZ.SCODE,SZ.KCODE,SZ.HCODE,SZ.BCODE,SI.SNAME,KM.KCODE,KM.USERCODE,KM.REC,KM.GROUPM1,KM.GROUPM2,"
        "KM.KNAME,KM.BLDAC,KM.DAC,KM.DELFLG,KM.TAX_LCODE,KM.TAX_RCODE,KM.FUN_LCODE,KM.FUN_RCODE,KM.HOJOSW,"
        "KM.BPFLG,KM.KEIHKUBU,KM.EXT1_A4,KM.EXT1_A3,KM.EXT1_KS,HM.HNAME,HM.REC,HM.TAX_LCODE AS H_TAX_LCODE,"
        "HM.TAX_RCODE AS H_TAX_RCODE,BU.BNAME";
    if (IsVersionAtLeast(dataVersion(), "11.1.0"))
        s += ",KM.ZEIRITUKBN,HM.ZEIRITUKBN AS H_ZEIRITUKBN";
    s += "\nFROM KAMOKU_SZ SZ\n"
         "INNER JOIN SISETUMST SI ON (SZ.SCODE = SI.SCODE)\n"
         "INNER JOIN BUMONMST  BU ON (SZ.BCODE = BU.BCODE)\n"
         "INNER JOIN KAMOKUMST KM ON (SZ.KCODE = KM.KCODE)\n"
         "INNER JOIN HOJOMST   HM ON (SZ.KCODE = HM.KCODE AND SZ.HCODE=HM.HCODE)\n";
    return s;
}

namespace {

void readAccountRow(db::Statement& q, TSiwakeAccount& a, bool withRates)
{
    // Columns by position: the select list names KCODE and TAX_LCODE twice.
    a.SCODE = q.field(std::size_t{0}).asString();
    a.Kamoku.KCODE = q.field(1).asString();
    a.Hojo.KCODE = a.Kamoku.KCODE;
    a.Hojo.HCODE = q.field(2).asString();
    a.BCODE = q.field(3).asString();
    a.SNAME = q.field(4).asString();
    a.Kamoku.USERCODE = q.field(6).asString();
    a.Kamoku.REC = q.field(7).asInt();
    a.Kamoku.GROUP1 = q.field(8).asString();
    a.Kamoku.GROUP2 = q.field(9).asString();
    a.Kamoku.KNAME = q.field(10).asString();
    a.Kamoku.BLDAC = q.field(11).asInt();
    a.Kamoku.DAC = q.field(12).asInt();
    a.Kamoku.DELFLG = q.field(13).asInt();
    a.Kamoku.TAX_LCODE = q.field(14).asInt();
    a.Kamoku.TAX_RCODE = q.field(15).asInt();
    a.Kamoku.FUN_LCODE = q.field(16).asInt();
    a.Kamoku.FUN_RCODE = q.field(17).asInt();
    a.Kamoku.HOJOSW = TrimZenSpace(q.field(18).asString());
    a.Kamoku.KEIHKUBU = TrimZenSpace(q.field(20).asString());
    a.Kamoku.EXT1_A4 = q.field(21).asInt();
    a.Kamoku.EXT1_A3 = q.field(22).asInt();
    a.Kamoku.EXT1_KS = q.field(23).asInt();
    a.Hojo.HNAME = q.field(24).asString();
    a.Hojo.REC = q.field(25).asInt();
    a.Hojo.TAX_LCODE = q.field(26).asInt();
    a.Hojo.TAX_RCODE = q.field(27).asInt();
    a.BNAME = q.field(28).asString();
    if (withRates) {
        a.Kamoku.ZEIRITUKBN = q.field(29).asInt();
        a.Hojo.ZEIRITUKBN = q.field(30).asInt();
    }
}

} // namespace

bool TSiwakeWrite::FindAccount(const std::string& sCode, const std::string& bCode, const std::string& userCode,
                               const std::string& hCode)
{
    if (sCode.size() > 6 || bCode.size() > 6 || userCode.size() > 6 || hCode.size() > 6)
        return false;
    CurAccount = TSiwakeAccount{};
    CurAccount.SCODE = sCode;
    CurAccount.BCODE = bCode;
    CurAccount.Kamoku.USERCODE = userCode;
    CurAccount.Hojo.HCODE = blankIfEmpty(hCode);
    AutoScope scope(*this);
    db::Statement& q = sql();
    const bool withRates = IsVersionAtLeast(dataVersion(), "11.1.0");
    q.setSql(selectList() + (bCode.empty()
                                 ? "WHERE SZ.SCODE=:SCODE AND KM.USERCODE=:USERCODE AND SZ.HCODE=:HCODE"
                                 : "WHERE SZ.SCODE=:SCODE AND KM.USERCODE=:USERCODE AND SZ.HCODE=:HCODE AND SZ.BCODE=:BCODE"));
    q.param("SCODE").setString(sCode);
    q.param("USERCODE").setString(userCode);
    q.param("HCODE").setString(CurAccount.Hojo.HCODE);
    if (!bCode.empty())
        q.param("BCODE").setString(bCode);
    q.execute();
    const bool found = q.fetch();
    if (found)
        readAccountRow(q, CurAccount, withRates);
    q.close();
    scope.commit();
    return found;
}

bool TSiwakeWrite::SetSisetu(const std::string& code)
{
    SisetuCode = code;
    return GetKamokuArray(code);
}

bool TSiwakeWrite::GetKamokuArray(const std::string& sCode)
{
    AutoScope scope(*this);
    try {
        db::Statement& q = sql();
        q.setSql("SELECT COUNT(SZ.SCODE) AS RECCNT FROM KAMOKU_SZ SZ\n"
                 "INNER JOIN SISETUMST SI ON (SZ.SCODE = SI.SCODE)\n"
                 "INNER JOIN BUMONMST  BU ON (SZ.BCODE = BU.BCODE)\n"
                 "INNER JOIN KAMOKUMST KM ON (SZ.KCODE = KM.KCODE)\n"
                 "INNER JOIN HOJOMST   HM ON (SZ.KCODE = HM.KCODE AND SZ.HCODE=HM.HCODE)\n"
                 "WHERE SZ.SCODE=:SCODE");
        q.param("SCODE").setString(sCode);
        q.execute();
        KamokuCount = q.fetch() ? q.field("RECCNT").asInt() : 0;
        q.close();
        KamokuArray.assign(static_cast<std::size_t>(KamokuCount), TKamokuRec{});
        KamokuIndex.clear();
        if (KamokuCount > 0) {
            const bool withRates = IsVersionAtLeast(dataVersion(), "11.1.0");
            q.setSql(selectList() + "WHERE SZ.SCODE=:SCODE\nORDER BY SZ.SCODE,SZ.KCODE,SZ.HCODE,SZ.BCODE");
            q.param("SCODE").setString(sCode);
            q.execute();
            std::size_t i = 0;
            std::size_t first = 0;
            std::string lastUser;
            while (q.fetch() && i < KamokuArray.size()) {
                TSiwakeAccount a;
                readAccountRow(q, a, withRates);
                TKamokuRec& r = KamokuArray[i];
                r.Kamoku = a.Kamoku;
                r.Hojo = a.Hojo;
                r.Bumon.BCODE = a.BCODE;
                r.Bumon.BNAME = a.BNAME;
                if (i == 0 || a.Kamoku.USERCODE != lastUser) {
                    first = i;
                    lastUser = a.Kamoku.USERCODE;
                    KamokuIndex.push_back(lastUser + "=" + std::to_string(i));
                }
                if (!blank(a.Hojo.HCODE))
                    KamokuArray[first].HasHojo = 1;
                if (!blank(a.BCODE))
                    KamokuArray[first].HasBumon = 1;
                ++i;
            }
            q.close();
        }
        scope.commit();
        return true;
    } catch (const db::DbError& e) {
        sql().close();
        ReportDbError(e, "TSiwakeWrite.GetKamokuArray", {});
        throw;
    }
}

bool TSiwakeWrite::checkSide(TSWKREC& rec, bool debit, const std::vector<std::string>& stored, std::int32_t& code,
                             std::string& msg)
{
    TSwkBalance& side = debit ? rec.Debit : rec.Credit;
    TSwkBalance& other = debit ? rec.Credit : rec.Debit;
    const std::int32_t base = debit ? 10 : 20;
    if (Checks[CheckAccount]) {
        if (!FindAccount(rec.SCODE, side.BCODE, side.USERCODE, side.HCODE)) {
            code = base + 1;
            msg = message(PairAccount, debit);
            return false;
        }
        side.KGROUP = CurAccount.Kamoku.GROUP1;
        side.SIKIN = debit ? CurAccount.Kamoku.FUN_LCODE : CurAccount.Kamoku.FUN_RCODE;
        side.HCODE = blankIfEmpty(CurAccount.Hojo.HCODE);
        side.BCODE = CurAccount.BCODE;
        if (rec.REC == 0 || stored.empty()) {
            side.KNAME = CurAccount.Kamoku.KNAME;
            side.HNAME = CurAccount.Hojo.HNAME;
            side.BNAME = CurAccount.BNAME;
        } else {
            // stored: KCODE, USERCODE, HCODE, BCODE, KNAME, HNAME, BNAME of this side.
            const bool keepK = side.KNAME == stored[4] && side.USERCODE == stored[1];
            const bool keepH = side.HNAME == stored[5] && side.USERCODE == stored[1] && side.HCODE == stored[2];
            const bool keepB = side.BNAME == stored[6] && side.BCODE == stored[3];
            if (!keepK)
                side.KNAME = CurAccount.Kamoku.KNAME;
            if (!keepH)
                side.HNAME = CurAccount.Hojo.HNAME;
            if (!keepB)
                side.BNAME = CurAccount.BNAME;
        }
        const auto count = [&](const char* where) {
            AutoScope scope(*this);
            db::Statement& q = sql();
            q.setSql(std::string("SELECT COUNT(K.SCODE) FROM KAMOKU_SZ K\n"
                                 "INNER JOIN KAMOKUMST KM ON (K.KCODE=KM.KCODE)\n") + where);
            q.param("SCODE").setString(rec.SCODE);
            q.param("USERCODE").setString(side.USERCODE);
            q.execute();
            const int n = q.fetch() ? q.field(std::size_t{0}).asInt() : 0;
            q.close();
            scope.commit();
            return n;
        };
        if (blank(side.HCODE) &&
            count("WHERE (K.SCODE=:SCODE) AND (KM.USERCODE=:USERCODE) AND (K.BCODE=' ')") > 1) {
            code = base + 1;
            msg = message(PairSubRequired, debit);
            return false;
        }
        if (blank(side.BCODE) &&
            count("WHERE (K.SCODE=:SCODE) AND (KM.USERCODE=:USERCODE) AND (K.HCODE=' ') AND (K.BCODE<>' ')") > 0) {
            code = base + 1;
            msg = message(PairDepartment, debit);
            return false;
        }
    }
    if (Checks[CheckTaxCode]) {
        NormalizeTaxCode(side.TAXCODE);
        TaxCodeInfo info;
        if (!GetTaxCodeInfo(side.TAXCODE, info)) {
            code = base + 2;
            msg = message(PairTaxCode, debit);
            return false;
        }
        side.TAXUH = info.TaxClass;
        side.TAXDC = info.Side;
        std::string ruleMsg;
        if (!CheckTaxCodeForAccount(ruleMsg, side.USERCODE, side.TAXCODE)) {
            code = base + 3;
        } else if (!CheckCounterTaxCode(ruleMsg, side.USERCODE, other.TAXCODE)) {
            code = base + 4;
        } else if (!CheckSundryTaxCode(ruleMsg, side.USERCODE, side.TAXCODE)) {
            code = base + 5;
        } else if (!CheckTokuteiShiire(ruleMsg, side.TAXCODE, rec.OLDRATE, rec.HIZUKE)) {
            code = base + 6;
        } else {
            return true;
        }
        msg = ruleMsg;
        return false;
    }
    return true;
}

bool TSiwakeWrite::TestSiwake(TSWKREC& rec, std::int32_t& code, std::string& msg)
{
    code = 0;
    msg.clear();
    AutoScope check(*this);
    try {
        std::vector<std::string> storedDebit, storedCredit;
        if (rec.REC != 0) {
            AutoScope scope(*this);
            db::Statement& q = sql();
            q.setSql("SELECT KCODE,USERCODE,HCODE,BCODE,KNAME,HNAME,BNAME,R_KCODE,R_USERCODE,R_HCODE,R_BCODE,"
                     "R_KNAME,R_HNAME,R_BNAME FROM SIWAKE_VIEW\nWHERE REC=:REC");
            q.param("REC").setInt(rec.REC);
            q.execute();
            if (q.fetch()) {
                for (std::size_t i = 0; i < 7; ++i)
                    storedDebit.push_back(q.field(i).asString());
                for (std::size_t i = 7; i < 14; ++i)
                    storedCredit.push_back(q.field(i).asString());
            }
            q.close();
            scope.commit();
        }

        int period = GetPeriodNo(AccInf.SIME, rec.KESSAN, AccInf.KISHU, AccInf.KIMATU, rec.HIZUKE);
        if (period != -1) {
            if (SystemDef.PeriodOverride > 0)
                period += 16;
            else if (rec.KESSAN == 1 && rec.HIZUKE == AccInf.KIMATU)
                period = 16;
        }
        if (period == -1 || rec.HIZUKE < AccInf.KAISI || rec.HIZUKE > AccInf.KIMATU) {
            code = 1;
            msg = message(PairDate);
            return false;
        }
        rec.MNUM = period;

        if (AccInf.KANSA_LOCK == 1 && SystemDef.JIMUSHO == 0 && SystemDef.JOBLEVEL != 9) {
            if (rec.CTIME > 0) {
                code = 2;
                msg = message(PairAuditedEntry);
                return false;
            }
            if (AccInf.KANSA_DATE > 0 && AccInf.KANSA_FIXDATE > 0 && rec.HIZUKE <= AccInf.KANSA_FIXDATE) {
                code = 3;
                msg = message(PairAuditedDate);
                return false;
            }
        }
        if (Checks[CheckShonin] && rec.SHONIN_HIZUKE > 0) {
            code = 40;
            msg = message(PairApproved);
            return false;
        }
        if (Checks[CheckKobetuGenka] && AccInf.KobetuGenkaUse == 1 && rec.SNUM != 0) {
            const int width = kKobetuWidths[AccInf.KobetuGenkaDigits < 4 ? AccInf.KobetuGenkaDigits : 0];
            const std::string key = ZeroPadLeft(std::to_string(rec.SNUM), width);
            KobetuGenkaIndex = -1;
            for (std::size_t i = 0; i < KobetuGenkaList.size(); ++i)
                if (KobetuGenkaList[i] == key)
                    KobetuGenkaIndex = static_cast<std::int32_t>(i);
            if (KobetuGenkaIndex < 0) {
                code = 4;
                msg = replaced(message(PairKobetu), "個別原価", AccInf.KobetuGenkaName);
                return false;
            }
        }
        if (AccInf.SITEN == 1 && blank(rec.SCODE)) {
            code = 5;
            msg = message(PairFacility);
            if (AccInf.DATATYPE == 3)
                msg = replaced(msg, "本・支店", "施設");
            return false;
        }
        if (!checkSide(rec, true, storedDebit, code, msg) || !checkSide(rec, false, storedCredit, code, msg))
            return false;
        if (rec.Debit.RIT > 0 && rec.Credit.RIT > 0 && rec.Debit.RateNo != rec.Credit.RateNo) {
            code = 41;
            msg = message(PairTaxRates);
            return false;
        }
        if (rec.Debit.RIT == 0 && rec.Credit.RIT == 0)
            rec.OLDRATE = GetValidRateNo(0, rec.HIZUKE);
        if (Checks[CheckAmount]) {
            if (rec.KINGAKU < kOneYen) {
                code = 31;
                msg = message(rec.KINGAKU < 0 ? PairNegative : PairAmountMissing);
                return false;
            }
            if (rec.KINGAKU > kLargestAmount) {
                code = 31;
                msg = message(PairTooLong);
                return false;
            }
        }
        if (Checks[CheckText]) {
            rec.TEKTEXT = RemoveTabCrLf(rec.TEKTEXT);
            rec.TORTEXT = RemoveTabCrLf(rec.TORTEXT);
        }
        return true;
    } catch (const db::DbError& e) {
        sql().close();
        ReportDbError(e, "TSiwakeWrite.TestSiwake", {});
        throw;
    }
}

namespace {

constexpr const char* kParams =
    ":HIZUKE,:MNUM,:KESSAN,:SDAYNUM,:MDAYNUM,:DNUM,:SNUM,:SCODE,:L_KGROUP,:L_KCODE,:L_HCODE,:L_BCODE,:L_KNAME,"
    ":L_HNAME,:L_BNAME,:L_TAXCODE,:L_TAXUH,:L_TAXDC,:L_NUK,:L_ZEI,:L_RIT,:L_SIKIN,:R_KGROUP,:R_KCODE,:R_HCODE,"
    ":R_BCODE,:R_KNAME,:R_HNAME,:R_BNAME,:R_TAXCODE,:R_TAXUH,:R_TAXDC,:R_NUK,:R_ZEI,:R_RIT,:R_SIKIN,:KINGAKU,"
    ":ZEIGAKU,:ZEIRITUNO,:AUTCALCU,:TAXCALCU,:OLDRATE,:TEKCODE,:TEKTEXT,:TORCODE,:TORTEXT, :FUSEN1,:FUSEN2,"
    ":FUSEN3,:FUSEN4,:FUSEN5,:CTIME,:COMMENT,:AO_COMMENT,:LINKKEY,:LINKKUB,:LINKREC,:LOCALFLG,:Reserve1,"
    ":Reserve2,:OPNCODE ";

void bindSide(db::Statement& q, const char* prefix, const TSwkBalance& s)
{
    const std::string p = prefix;
    q.param(p + "KGROUP").setString(s.KGROUP);
    q.param(p + "KCODE").setString(s.USERCODE);
    q.param(p + "HCODE").setString(s.HCODE);
    q.param(p + "BCODE").setString(s.BCODE);
    q.param(p + "KNAME").setString(s.KNAME);
    q.param(p + "HNAME").setString(s.HNAME);
    q.param(p + "BNAME").setString(s.BNAME);
    q.param(p + "TAXCODE").setInt(s.TAXCODE);
    q.param(p + "TAXUH").setInt(s.TAXUH);
    q.param(p + "TAXDC").setInt(s.TAXDC);
    q.param(p + "NUK").setCurrency(s.NUK);
    q.param(p + "ZEI").setCurrency(s.ZEI);
    q.param(p + "RIT").setCurrency(s.RIT);
    q.param(p + "SIKIN").setInt(s.SIKIN);
}

void bindRow(db::Statement& q, const TSWKREC& r)
{
    q.param("HIZUKE").setDate(r.HIZUKE);
    q.param("MNUM").setInt(r.MNUM);
    q.param("KESSAN").setInt(r.KESSAN);
    q.param("SDAYNUM").setInt(r.SDAYNUM);
    q.param("MDAYNUM").setInt(r.MDAYNUM);
    q.param("DNUM").setInt(r.DNUM);
    q.param("SNUM").setInt(r.SNUM);
    q.param("SCODE").setString(r.SCODE);
    bindSide(q, "L_", r.Debit);
    bindSide(q, "R_", r.Credit);
    q.param("KINGAKU").setCurrency(r.KINGAKU);
    q.param("ZEIGAKU").setCurrency(r.ZEIGAKU);
    q.param("ZEIRITUNO").setInt(r.ZEIRITUNO);
    q.param("AUTCALCU").setInt(r.AUTCALCU);
    q.param("TAXCALCU").setInt(r.TAXCALCU);
    q.param("OLDRATE").setInt(r.OLDRATE);
    q.param("TEKCODE").setInt(r.TEKCODE);
    q.param("TEKTEXT").setString(r.TEKTEXT);
    q.param("TORCODE").setInt(r.TORCODE);
    q.param("TORTEXT").setString(r.TORTEXT);
    q.param("FUSEN1").setInt(r.FUSEN1);
    q.param("FUSEN2").setInt(r.FUSEN2);
    q.param("FUSEN3").setInt(r.FUSEN3);
    q.param("FUSEN4").setInt(r.FUSEN4);
    q.param("FUSEN5").setInt(r.FUSEN5);
    q.param("CTIME").setDateTime(r.CTIME);
    q.param("COMMENT").setString(r.COMMENT);
    q.param("AO_COMMENT").setString(r.AO_COMMENT);
    q.param("LINKKEY").setString(r.LINKKEY);
    q.param("LINKKUB").setInt(r.LINKKUB);
    q.param("LINKREC").setInt(r.LINKREC);
    q.param("LOCALFLG").setInt(r.LOCALFLG);
    q.param("Reserve1").setInt(r.Reserve1);
    q.param("Reserve2").setInt(r.Reserve2);
    q.param("OPNCODE").setInt(SystemDef.OPCODE);
}

} // namespace

void TSiwakeWrite::submit(const char* label, const std::function<void()>& unit)
{
    db::Statement& q = sql();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(LockWait);
    for (;;) {
        try {
            unit();
            return;
        } catch (const db::DbError& e) {
            q.close();
            // A failed statement leaves nothing behind in its transaction,
            // so the unit may run again in it: the caller's earlier rows
            // stay, and none of this unit is kept twice.
            if (e.isLockConflict() && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(kLockPoll);
                continue;
            }
            ReportDbError(e, label, {});
            throw;
        }
    }
}

std::int32_t TSiwakeWrite::PutSiwake(TSWKREC& rec)
{
    AutoScope scope(*this);
    std::int32_t result = 0;
    submit("TSiwakeWrite.PutSiwake", [&] {
        db::Statement& q = sql();
        if (rec.REC == 0) {
            const bool old = AccInf.DataVerMajor < 6 || (AccInf.DataVerMajor == 6 && AccInf.DataVerMinor1 == 0);
            q.setSql(std::string(old ? "SELECT NEWREC,NEWSWKREC,NEWSDAYNUM,0 AS NEWSITREC FROM SP_SIWAKE_INS("
                                     : "SELECT NEWREC,NEWSWKREC,NEWSDAYNUM,NEWSITREC FROM SP_SIWAKE_INS(") +
                     kParams + ")");
        } else {
            q.setSql(std::string("SELECT NEWREC,NEWSWKREC,NEWSWKNO,UPREC,NEWSDAYNUM FROM SP_SIWAKE_UPD(") +
                     ":REC,:SWKREC,:SWKNO,:DELFLG," + kParams + ")");
            q.param("REC").setInt(rec.REC);
            q.param("SWKREC").setInt(rec.SWKREC);
            q.param("SWKNO").setInt(rec.SWKNO);
            q.param("DELFLG").setInt(rec.DELFLG);
        }
        bindRow(q, rec);
        q.execute();
        if (!q.fetch())
            throw db::DbError("the journal procedure returned no row");
        if (rec.REC == 0) {
            rec.REC = q.field("NEWREC").asInt();
            rec.SWKREC = q.field("NEWSWKREC").asInt();
            rec.SDAYNUM = q.field("NEWSDAYNUM").asInt();
            rec.SWKNO = rec.SWKREC;
            rec.SITREC = q.field("NEWSITREC").asInt();
            rec.RTIME = platform::interaction().now();
            result = rec.REC;
        } else {
            const std::int32_t upRec = q.field("UPREC").asInt();
            if (upRec == -1) {
                result = -1;
            } else if (upRec == -2) {
                rec.REC = q.field("NEWREC").asInt();
                result = -2;
            } else {
                rec.REC = q.field("NEWREC").asInt();
                rec.SWKREC = q.field("NEWSWKREC").asInt();
                rec.SWKNO = q.field("NEWSWKNO").asInt();
                rec.SDAYNUM = q.field("NEWSDAYNUM").asInt();
                rec.RTIME = platform::interaction().now();
            }
        }
        q.close();
    });
    scope.commit();
    return result;
}

std::int32_t TSiwakeWrite::DeleteSiwake(std::int32_t swkRec)
{
    AutoScope scope(*this);
    std::int32_t res = 0;
    submit("TSiwakeWrite.DeleteSiwake", [&] {
        db::Statement& q = sql();
        q.setSql("SELECT RESULT+1 AS RES FROM SP_SIWAKE_DEL(:SWKREC,:OPCODE)");
        q.param("SWKREC").setInt(swkRec);
        q.param("OPCODE").setInt(SystemDef.OPCODE);
        q.execute();
        res = q.fetch() ? q.field("RES").asInt() : 0;
        q.close();
    });
    scope.commit();
    return res;
}

std::int32_t TSiwakeWrite::RestoreSiwake(std::int32_t swkRec)
{
    AutoScope scope(*this);
    submit("TSiwakeWrite.RestoreSiwake", [&] {
        db::Statement& q = sql();
        q.setSql("SELECT HIZUKE,SDAYNUM FROM SIWAKE\nWHERE (SWKREC=:SWKREC) AND (TAISHAKU=1)");
        q.param("SWKREC").setInt(swkRec);
        q.execute();
        double hizuke = 0;
        while (q.fetch())
            hizuke = q.field("HIZUKE").asDate();
        q.close();
        q.setSql("SELECT MAX(SDAYNUM) AS MAX_SDAYNUM FROM SIWAKE\nWHERE (HIZUKE=:HIZUKE) AND (DELFLG=0)");
        q.param("HIZUKE").setDate(hizuke);
        q.execute();
        const std::int32_t maxDay = q.fetch() ? q.field("MAX_SDAYNUM").asInt() : 0;
        q.close();
        q.setSql("UPDATE SIWAKE SET DELFLG=0,OPCODE=:OPCODE,RTIME=:RTIME,SDAYNUM=:SDAYNUM\nWHERE SWKREC=:SWKREC");
        q.param("OPCODE").setInt(SystemDef.OPCODE);
        q.param("RTIME").setDateTime(platform::interaction().now());
        q.param("SDAYNUM").setInt(maxDay > 0 ? maxDay + 1 : 0);
        q.param("SWKREC").setInt(swkRec);
        q.execute();
    });
    scope.commit();
    return 1;
}

void TSiwakeWrite::GetSiwake(TSWKREC& rec, std::int32_t recNo, bool useView)
{
    InitSiwakeRec(rec, 0, static_cast<double>(static_cast<long long>(platform::interaction().now())));
    AutoScope scope(*this);
    db::Statement& q = sql();
    try {
        if (KakoMode == 1)
            q.setSql("SELECT * FROM KAKOSIWAKE1_VIEW WHERE REC=:REC");
        else if (KakoMode == 2)
            q.setSql("SELECT * FROM KAKOSIWAKE2_VIEW WHERE REC=:REC");
        else if (useView)
            q.setSql("SELECT * FROM SIWAKE_VIEW WHERE REC=:REC");
        else
            q.setSql("SELECT S.REC,S.SWKREC,S.SWKNO,S.DELFLG,S.TAISHAKU,S.HIZUKE,S.MNUM,S.KESSAN,S.DNUM,S.SNUM,"
                     "S.SDAYNUM,S.MDAYNUM,S.SCODE,S.SITREC,\n"
                     "S.KGROUP,S.KCODE,K1.USERCODE,S.HCODE,S.BCODE,S.KNAME,S.HNAME,S.BNAME,S.TAXCODE,S.TAXUH,S.TAXDC,"
                     "S.NUK,S.ZEI,S.RIT,S.SIKIN,\n"
                     "S.R_KGROUP,S.R_KCODE,K2.USERCODE AS R_USERCODE,S.R_HCODE,S.R_BCODE,S.R_KNAME,S.R_HNAME,"
                     "S.R_BNAME,S.R_TAXCODE,S.R_TAXUH,S.R_TAXDC,S.R_NUK,S.R_ZEI,S.R_RIT,S.R_SIKIN,\n"
                     "S.KINGAKU,S.ZEIGAKU,S.ZEIRITUNO,S.AUTCALCU,S.TAXCALCU,S.OLDRATE,S.TEKCODE,S.TEKTEXT,S.TORCODE,"
                     "S.TORTEXT,S.FUSEN1,S.FUSEN2,S.FUSEN3,S.FUSEN4,S.FUSEN5,S.CTIME,S.COMMENT,S.AO_COMMENT,\n"
                     "S.LINKKEY,S.LINKKUB,S.LINKREC,S.LOCALFLG,S.RESERVE1,S.RESERVE2,S.RTIME,S.OPCODE,\n"
                     "NULL AS SHONIN_HIZUKE,0 AS SHONIN_OPCODE, '' AS SHONIN_NAME\n"
                     "FROM SIWAKE S\n"
                     "INNER JOIN KAMOKUMST K1 ON (S.KCODE = K1.KCODE)\n"
                     "INNER JOIN KAMOKUMST K2 ON (S.R_KCODE = K2.KCODE)\n"
                     "WHERE S.REC=:REC");
        q.param("REC").setInt(recNo);
        q.execute();
        if (q.fetch()) {
            const auto text = [&](const char* n) { return q.field(n).asString(); };
            const auto num = [&](const char* n) { return q.field(n).asInt(); };
            const auto money = [&](const char* n) { return q.field(n).asCurrency(); };
            const auto side = [&](TSwkBalance& s, const std::string& p, const char* user) {
                s.KGROUP = text((p + "KGROUP").c_str());
                s.USERCODE = text(user);
                s.HCODE = text((p + "HCODE").c_str());
                s.BCODE = text((p + "BCODE").c_str());
                s.KNAME = text((p + "KNAME").c_str());
                s.HNAME = text((p + "HNAME").c_str());
                s.BNAME = text((p + "BNAME").c_str());
                s.TAXCODE = num((p + "TAXCODE").c_str());
                s.TAXUH = num((p + "TAXUH").c_str());
                s.TAXDC = num((p + "TAXDC").c_str());
                s.NUK = money((p + "NUK").c_str());
                s.ZEI = money((p + "ZEI").c_str());
                s.RIT = money((p + "RIT").c_str());
                s.SIKIN = num((p + "SIKIN").c_str());
            };
            rec.REC = num("REC");
            rec.SWKREC = num("SWKREC");
            rec.SWKNO = num("SWKNO");
            rec.DELFLG = num("DELFLG");
            rec.TAISHAKU = num("TAISHAKU");
            rec.HIZUKE = q.field("HIZUKE").asDate();
            rec.MNUM = num("MNUM");
            rec.KESSAN = num("KESSAN");
            rec.DNUM = num("DNUM");
            rec.SNUM = num("SNUM");
            rec.SDAYNUM = num("SDAYNUM");
            rec.MDAYNUM = num("MDAYNUM");
            rec.SCODE = text("SCODE");
            rec.SITREC = num("SITREC");
            side(rec.Debit, "", "USERCODE");
            side(rec.Credit, "R_", "R_USERCODE");
            rec.KINGAKU = money("KINGAKU");
            rec.ZEIGAKU = money("ZEIGAKU");
            rec.ZEIRITUNO = num("ZEIRITUNO");
            rec.AUTCALCU = num("AUTCALCU");
            rec.TAXCALCU = num("TAXCALCU");
            rec.OLDRATE = num("OLDRATE");
            rec.TEKCODE = num("TEKCODE");
            rec.TEKTEXT = text("TEKTEXT");
            rec.TORCODE = num("TORCODE");
            rec.TORTEXT = text("TORTEXT");
            rec.FUSEN1 = num("FUSEN1");
            rec.FUSEN2 = num("FUSEN2");
            rec.FUSEN3 = num("FUSEN3");
            rec.FUSEN4 = num("FUSEN4");
            rec.FUSEN5 = num("FUSEN5");
            rec.CTIME = q.field("CTIME").asDateTime();
            rec.COMMENT = text("COMMENT");
            rec.AO_COMMENT = text("AO_COMMENT");
            rec.LINKKEY = text("LINKKEY");
            rec.LINKKUB = num("LINKKUB");
            rec.LINKREC = num("LINKREC");
            rec.LOCALFLG = num("LOCALFLG");
            rec.Reserve1 = num("RESERVE1");
            rec.Reserve2 = num("RESERVE2");
            rec.RTIME = q.field("RTIME").asDateTime();
            rec.OPCODE = num("OPCODE");
            rec.SHONIN_HIZUKE = q.field("SHONIN_HIZUKE").asDateTime();
            rec.SHONIN_OPCODE = num("SHONIN_OPCODE");
            rec.SHONIN_NAME = text("SHONIN_NAME");
            rec.Debit.RateNo = rec.Credit.RateNo = rec.OLDRATE;
        }
        q.close();
        scope.commit();
    } catch (const db::DbError& e) {
        q.close();
        ReportDbError(e, "TSiwakeWrite.GetSiwake", {});
        throw;
    }
}

} // namespace vq
