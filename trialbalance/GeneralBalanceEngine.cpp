#include "trialbalance/GeneralBalanceEngine.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "foundation/app/AccInf.h"
#include "foundation/app/SystemDef.h"
#include "foundation/calendar/FiscalCalendar.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/QueryFactory.h"
#include "foundation/text/TextUtils.h"
#include "trialbalance/BalanceFront.h"
#include "trialbalance/BalanceLoadGuard.h"
#include "trialbalance/BalanceRowMath.h"
#include "trialbalance/BalanceTables.h"
#include "trialbalance/CustomScope.h"
#include "trialbalance/ResultColumns.h"

namespace vq {

using namespace balance;

int MonthToPeriodCount(int month)
{
    if (month < 1 || month > 12)
        return 0;
    return (month - 1) + (month - 1) / 3;
}

namespace {

std::string column(const char* prefix, int n)
{
    char name[16];
    std::snprintf(name, sizeof name, "%s%02d", prefix, n);
    return name;
}

bool blank(const std::string& text) { return TrimZenSpace(text).empty(); }

// The two statements that blank line names of the A4 (A3) layout which
// repeat an account's name, so that a line of one account is named once.
std::vector<std::string> nameBlankingStatements(bool a4)
{
    const std::string table = a4 ? "\"EXTERA4\"" : "\"EXTERA3\"";
    const std::string col = a4 ? "EXT1_A4" : "EXT1_A3";
    const std::string cnt = a4 ? "COUNT( * )" : "COUNT(*)";
    std::vector<std::string> statements;
    statements.push_back("UPDATE " + table + " SET KNAME1='' \n" + "WHERE REC IN ( SELECT " + col +
                         " FROM \"KAMOKUMST\" WHERE USE=1 AND " + col + " IN ( SELECT " + col +
                         " FROM \"KAMOKUMST\" GROUP BY " + col + " HAVING  " + cnt + " > 1 )  GROUP BY " + col +
                         "  HAVING  " + cnt + " = 1) AND\n" + "KNAME1 IN (SELECT KNAME FROM \"KAMOKUMST\" WHERE USE=1 AND " +
                         col + " IN ( SELECT " + col + " FROM \"KAMOKUMST\" GROUP BY " + col + " HAVING  " + cnt + ">1 ))");
    statements.push_back("UPDATE " + table + " SET KNAME1='' \n" + "WHERE ( REC  IN (SELECT " + col +
                         " FROM \"KAMOKUMST\" WHERE USE=1 AND " + col + " IN (SELECT " + col +
                         " FROM \"KAMOKUMST\" GROUP BY " + col + " HAVING  COUNT( * ) = 1 )) )\n" +
                         " AND (KNAME1 IN (SELECT KNAME   FROM \"KAMOKUMST\" WHERE USE=1 AND " + col + " IN (SELECT " +
                         col + " FROM \"KAMOKUMST\" GROUP BY " + col + " HAVING  COUNT( * ) = 1 )) )");
    return statements;
}

class GeneralLoader {
public:
    GeneralLoader(std::span<TBALANCE> rows, std::span<TQSORT> sorts, const BalanceLoadArgs& args, db::Statement& q)
        : rows_(rows), sorts_(sorts), a_(args), q_(q), line_(BalanceLineIndex())
    {
    }

    // The load inside the snapshot transaction; the caller commits.
    void run()
    {
        InitBalanceArrays(rows_, sorts_);
        loadTotalRows(a_.Scope == 3 || a_.Scope == 4);
        if (a_.Layout == 0) {
            keyOf(slot(67)) = HiddenSortKey;
            keyOf(slot(69)) = "5882";
            if (AccInf.GENKA_USE == 0)
                keyOf(slot(79)) = HiddenSortKey;
        }
        if (a_.Layout == 1 || a_.Layout == 2) {
            for (const auto& sql : nameBlankingStatements(a_.Layout == 1)) {
                q_.setSql(sql);
                q_.execute();
            }
        }
        readByLayout();
        if (a_.Layout == 4)
            settlementLines();
        sortKeys(sorts_, 0, lastRow_);
    }

    bool overflow() const { return overflow_; }

private:
    int slot(int n) const { return line_[static_cast<std::size_t>(n)]; }
    TBALANCE& row(int r) { return rows_[static_cast<std::size_t>(r)]; }
    std::string& keyOf(int r) { return sorts_[static_cast<std::size_t>(r)].SKEY; }
    int high() const { return static_cast<int>(rows_.size()) - 1; }

    void hideTotal(int r, bool withName)
    {
        keyOf(r) = HiddenSortKey;
        row(r).Account.GROUP1.clear();
        row(r).Account.GROUP2.clear();
        if (withName)
            row(r).Account.KNAME.clear();
    }

    void loadTotalRows(bool deptScope)
    {
        q_.setSql("SELECT * FROM ACCTOTALNAME ORDER BY KGROUP ");
        q_.execute();
        const bool kessanNames = a_.Scope == 10 || a_.Scope == 30;
        while (q_.fetch()) {
            const int n = q_.field("ARRAYNUM").asInt();
            if (n < 0 || n >= FirstAccountRow || n > high())
                continue;  // not a total row of this edition
            TBALANCE& r = row(n);
            const std::string group = q_.field("KGROUP").asString();
            r.Account.GROUP1 = group;
            r.Account.GROUP2 = group;
            r.Account.KCODE.clear();
            r.Account.KNAME = q_.field("PLUSNAME").asString();
            if (kessanNames && q_.field("KESSAN_USE").asInt() == 1)
                r.Account.KNAME = settlementName(n, q_.field("KESSAN_TEXT").asString(), r.Account.KNAME);
            const int keskubun = q_.field("KESKUBUN").asInt();
            if (keskubun == 0 || keskubun == a_.Keskubun) {
                r.Account.BSPL = group < "4000" ? "B" : "P";
                sorts_[static_cast<std::size_t>(n)] = TQSORT{group, n};
            }
        }
        row(slot(67)).Account.KNAME = row(slot(79)).Account.KNAME;
        if (a_.Keskubun == 1) {
            for (int s : {5, 7, 3})
                hideTotal(slot(s), false);
        } else {
            hideTotal(47, false);
        }
        if (deptScope) {
            q_.setSql("SELECT BUMON FROM ACCDEF1 WHERE REC=1");
            q_.execute();
            const bool departments = q_.fetch() && q_.field("BUMON").asInt() == 1;
            q_.close();
            if (departments) {
                for (int r = slot(0); r <= slot(55); ++r)
                    hideTotal(r, true);
                for (int r = slot(101); r <= slot(108); ++r)
                    hideTotal(r, true);
            }
        }
    }

    static std::string settlementName(int arraynum, const std::string& text, const std::string& plus)
    {
        switch (arraynum) {
        case 6: case 7: case 8:
            return "（" + text + "）";
        case 19: case 22:
            return text;
        case 5: case 9: case 10: case 12: case 13: case 14: case 23: case 24: case 25: case 28: case 30: case 31:
        case 32: case 33: case 37: case 39: case 40: case 42: case 43: case 46:
            return "【" + text + "】";
        default:
            return plus;
        }
    }

    void setTaxParam() { q_.param("TAX").setInt(a_.Tax); }

    void readByLayout()
    {
        const bool deptTotal = !blank(a_.BCode);
        if (a_.Layout == 4) {
            q_.setSql("SELECT * FROM SP_SISANHYO_KESSAN( :TAX , :ZENTAX ) ");
            setTaxParam();
            q_.param("ZENTAX").setInt(a_.ZenTax > 0 ? 1 : -1);
            read(true, false);
            return;
        }
        if (a_.Layout < 0 || a_.Layout > 2)
            return;  // total rows only
        if (a_.Scope == 6) {
            TCalcSisanhyoSettingRec setting;
            setting.BCODE = a_.BCode;
            setting.SCOPE = a_.Scope;
            setting.TAX = a_.Tax;
            setting.HAIBUN = a_.Haibun;
            setting.LAYOUT = a_.Layout;
            setting.KESKUBUN = a_.Keskubun;
            setting.ZENTAX = a_.ZenTax;
            lastRow_ = CalcCustomScope(rows_, sorts_, setting, overflow_);
            return;
        }
        const bool searchByCode = a_.Layout == 0 && a_.Keskubun == 3;
        static const char* const plain[3][3] = {
            {"SELECT * From SP_SISANHYO( :TAX, '' ,'' ) ", "SELECT * From SP_SISANHYO( :TAX, '' , :SITENGROUP ) ",
             "SELECT * From SP_SISANHYO( :TAX, :SCODE ,''  ) "},
            {"SELECT * From SP_SISANHYO_A4( :TAX, '' , '' ) ", "SELECT * From SP_SISANHYO_A4( :TAX, '' ,:SITENGROUP ) ",
             "SELECT * From SP_SISANHYO_A4( :TAX, :SCODE , '' ) "},
            {"SELECT * From SP_SISANHYO_A3(:TAX, '', '' ) ", "SELECT * From SP_SISANHYO_A3(:TAX, '', :SITENGROUP) ",
             "SELECT * From SP_SISANHYO_A3(:TAX, :SCODE , '' ) "},
        };
        static const char* const deptTotals[3] = {
            "SELECT * FROM SP_SISANHYO_BUMONGOKEI( :TAX, :BCODE ) ",
            "SELECT * From SP_Sisanhyo_BumonGokei_A4( :TAX, :BCODE ) ",
            "SELECT * From SP_Sisanhyo_BumonGokei_A3( :TAX, :BCODE ) ",
        };
        static const char* const department[3][2] = {
            {"SELECT * From SP_SISANHYO_BUMON(  :TAX, :HAIBUN,  :SCODE, :BCODE ) ",
             "SELECT * FROM SP_SISANHYO_BUMON( :TAX, :HAIBUN,  :SCODE, :BCODE) "},
            {"SELECT * From SP_SISANHYO_BUMON_A4( :TAX, :HAIBUN, :SCODE, :BCODE ) ",
             "SELECT * From SP_SISANHYO_BUMON_A4( :TAX, :HAIBUN,  :SCODE, :BCODE) "},
            {"SELECT * From SP_SISANHYO_BUMON_A3( :TAX, :HAIBUN, :SCODE, :BCODE ) ",
             "SELECT * From SP_SISANHYO_BUMON_A3( :TAX, :HAIBUN, :SCODE, :BCODE ) "},
        };
        const int l = a_.Layout;
        switch (a_.Scope) {
        case 0:
            if (deptTotal) {
                q_.setSql(deptTotals[l]);
                setTaxParam();
                q_.param("BCODE").setString(a_.BCode);
                read(false, false);
            } else {
                q_.setSql(plain[l][0]);
                setTaxParam();
                read(false, searchByCode);
            }
            break;
        case 1:
            q_.setSql(plain[l][1]);
            setTaxParam();
            q_.param("SITENGROUP").setString(a_.Code);
            read(false, searchByCode);
            break;
        case 2:
            q_.setSql(plain[l][2]);
            setTaxParam();
            q_.param("SCODE").setString(a_.Code);
            read(false, searchByCode);
            break;
        case 3:
            readDepartment(department[l][0], a_.BCode, searchByCode);
            break;
        case 4:
            for (const auto& code : departmentsOfGroup()) {
                readDepartment(department[l][1], code, searchByCode);
                merging_ = true;
            }
            break;
        default:
            break;  // no statement
        }
    }

    // A later department of a group adds into the row of the same account
    // (line), whatever its place in that department's result.
    int loadedRowOf(int last)
    {
        const bool byLine = a_.Layout == 1 || a_.Layout == 2;
        const std::string kcode = byLine ? std::string() : col("KCODE").asString();
        const int mstrec = byLine ? col("MSTREC").asInt() : 0;
        for (int i = FirstAccountRow; i <= last; ++i) {
            const TBALANCE& b = row(i);
            if (byLine ? b.MSTREC == mstrec && !b.Account.KCODE.empty() : b.Account.KCODE == kcode)
                return i;
        }
        return -1;
    }

    void readDepartment(const char* sql, const std::string& bcode, bool searchByCode)
    {
        q_.setSql(sql);
        setTaxParam();
        q_.param("HAIBUN").setInt(a_.Haibun);
        q_.param("SCODE").setString(a_.Code);
        q_.param("BCODE").setString(bcode);
        read(false, searchByCode);
    }

    std::vector<std::string> departmentsOfGroup()
    {
        q_.setSql("SELECT BCODE FROM GROUPLIST WHERE GCODE=:GCODE");
        q_.param("GCODE").setString(a_.BCode);
        q_.execute();
        std::vector<std::string> codes;
        while (q_.fetch())
            codes.push_back(q_.field("BCODE").asString());
        return codes;
    }

    // One pass of the reader over the open statement.
    void read(bool fromSettlement, bool searchByCode)
    {
        if (overflow_)
            return;
        q_.execute();
        cols_.emplace(q_);
        notes_[0] = notes_[1] = notes_[2] = 0;
        int r = merging_ ? lastRow_ : FirstAccountRow - 1;
        const bool withSubs = a_.Layout == 0 && !fromSettlement;
        const bool keepsRecord = a_.Layout == 1 || a_.Layout == 2 || fromSettlement;
        bool have = q_.fetch();
        while (have) {
            if (col("GROUPM1").asString() == "9900") {
                have = q_.fetch();
                continue;
            }
            int target = merging_ ? loadedRowOf(r) : -1;
            if (target < 0) {
                if (r + 1 > high()) {
                    overflow_ = true;
                    break;
                }
                target = ++r;
            }
            TBALANCE& row = this->row(target);
            int subs = fillAccount(row, keepsRecord);
            if (fromSettlement)
                readPastBalances(row);
            sorts_[static_cast<std::size_t>(target)] = TQSORT{accountKey(row), target};
            have = q_.fetch();
            if (withSubs && subs >= 1 && have)
                have = readSubAccounts(row, subs);
        }
        q_.close();
        if ((fromSettlement || searchByCode) && AccInf.DATATYPE == 1 && SystemDef.KessanTegataSousai == 1)
            offsetNotes(searchByCode, r);
        lastRow_ = r;
    }

    int fillAccount(TBALANCE& row, bool keepsRecord)
    {
        TKMKREC& acc = row.Account;
        acc.GROUP1 = col("GROUPM1").asString();
        acc.GROUP2 = col("GROUPM2").asString();
        acc.USERCODE = col("USERCODE").asString();
        acc.KCODE = col("KCODE").asString();
        acc.KNAME = col("KNAME").asString();
        acc.BSPL = col("BSPL").asString();
        acc.TAISHAKU = col("TAISHAKU").asInt();
        int subs = 0;
        if (a_.Layout == 0) {
            subs = col("HOJCNT").asInt();
        } else if (keepsRecord) {
            row.MSTREC = col("MSTREC").asInt();
            row.SUBREC = col("SUBREC").asInt();
            for (int n = 0; n < 3; ++n) {
                if (!AccInf.TegataKCode[static_cast<std::size_t>(n)].empty() &&
                    acc.KCODE == AccInf.TegataKCode[static_cast<std::size_t>(n)])
                    notes_[n] = static_cast<int>(&row - rows_.data());
            }
        }
        row.KAISIZAN += q_.field(cols_->kaisizan).asCurrency();
        row.KAISIZAN2 = row.KAISIZAN;
        row.KAISIZAN3 = row.KAISIZAN;
        for (int k = 1; k <= 16; ++k) {
            row.KAR[k] += q_.field(cols_->kar[static_cast<std::size_t>(k)]).asCurrency();
            row.KAS[k] += q_.field(cols_->kas[static_cast<std::size_t>(k)]).asCurrency();
        }
        rebuildBalances(row, acc.TAISHAKU);
        return subs;
    }

    void readPastBalances(TBALANCE& row)
    {
        if (a_.Scope == 30) {
            const Currency kishu1 = col("KISHU1").asCurrency();
            for (int k = -15; k <= -1; ++k) {
                const Currency v = col(column("ZANM", -k)).asCurrency();
                row.ZOUGEN[k] = v;
                row.ZAN[k] = (k == -15 ? kishu1 : row.ZAN[k - 1]) + v;
            }
        }
        if (AccInf.KAISINO > 1) {
            const int n = MonthToPeriodCount(AccInf.KAISINO);
            row.KISHU0 = col("KISHU0").asCurrency();
            for (int k = 1; k <= n; ++k) {
                const Currency v = col(column("ZANP", k)).asCurrency();
                row.ZOUGEN[k] = v;
                row.ZAN[k] = (k == 1 ? row.KISHU0 : row.ZAN[k - 1]) + v;
            }
        }
    }

    std::string accountKey(TBALANCE& row)
    {
        TKMKREC& acc = row.Account;
        if (a_.Layout == 0) {
            if (acc.GROUP1 == "5300")
                return "5881" + PadRightSjis(acc.USERCODE, 4);
            return acc.GROUP2 + PadRightSjis(acc.USERCODE, 4);
        }
        if (a_.Layout == 4) {
            if (AccInf.DATATYPE == 2)
                acc.GROUP1 = exchangeIndividualGroup(acc.GROUP1, row.MSTREC, AccInf.CODETYPE, false);
            return lineKey(acc.GROUP1, row.SUBREC);
        }
        return lineKey(acc.GROUP2, row.SUBREC);
    }

    // Sub-account records follow their account; returns whether a record is
    // current afterwards.
    bool readSubAccounts(TBALANCE& row, int count)
    {
        if (row.HOJCNT == 0) {
            if (blank(col("HCODE").asString()))
                ++count;
            row.HOJCNT = count;
            row.HOJO.assign(static_cast<std::size_t>(count), THOJOUTIWAKE{});
        }
        bool have = true;
        for (int j = 0; j < row.HOJCNT; ++j) {
            if (!have || col("KCODE").asString() != row.Account.KCODE) {
                // Fewer sub-account records than announced: keep those read.
                row.HOJCNT = j;
                row.HOJO.resize(static_cast<std::size_t>(j));
                break;
            }
            THOJOUTIWAKE& e = row.HOJO[static_cast<std::size_t>(j)];
            e.HCODE = col("HCODE").asString();
            e.HNAME = col("HNAME").asString();
            e.KAISIZAN += q_.field(cols_->kaisizan).asCurrency();
            e.KAISIZAN2 = e.KAISIZAN;
            e.KAISIZAN3 = e.KAISIZAN;
            for (int k = 1; k <= 16; ++k) {
                e.KAR[k] += q_.field(cols_->kar[static_cast<std::size_t>(k)]).asCurrency();
                e.KAS[k] += q_.field(cols_->kas[static_cast<std::size_t>(k)]).asCurrency();
            }
            rebuildBalances(e, row.Account.TAISHAKU);
            have = q_.fetch();
        }
        return have;
    }

    int findRowByCode(const std::string& code, bool searchByCode, int last)
    {
        if (code.empty())
            return 0;
        if (searchByCode) {
            for (int r = FirstAccountRow; r <= last; ++r)
                if (row(r).Account.KCODE == code)
                    return r;
            return 0;
        }
        auto find = CreateAccSql(kAccDat, 1);
        if (!find)
            return 0;
        find->setSql("SELECT EXT1_KS FROM KAMOKUMST WHERE KCODE=:TOKUTEI AND USE>0 ");
        find->param("TOKUTEI").setString(code);
        find->execute();
        if (!find->fetch())
            return 0;
        const int mstrec = find->field("EXT1_KS").asInt();
        find->close();
        for (int r = FirstAccountRow; r <= last; ++r)
            if (row(r).MSTREC == mstrec)
                return r;
        return 0;
    }

    void offsetNotes(bool searchByCode, int last)
    {
        for (int n = 0; n < 3; ++n)
            if (notes_[n] == 0)
                notes_[n] = findRowByCode(AccInf.TegataKCode[static_cast<std::size_t>(n)], searchByCode, last);
        if (notes_[1] == notes_[2])
            notes_[2] = 0;
        if (notes_[0] == 0)
            return;
        if (notes_[1] != 0)
            mergeNoteRows(notes_[0], notes_[1], 48);
        if (notes_[2] != 0)
            mergeNoteRows(notes_[0], notes_[2], 49);
    }

    void mergeNoteRows(int target, int source, int dest)
    {
        TBALANCE& t = row(target);
        TBALANCE& s = row(source);
        TBALANCE& d = row(dest);
        d.Account.GROUP1 = s.Account.GROUP1;
        d.Account.GROUP2 = s.Account.GROUP2;
        d.Account.USERCODE = s.Account.USERCODE;
        d.Account.KCODE = s.Account.KCODE;
        d.Account.KNAME = s.Account.KNAME;
        d.Account.BSPL = s.Account.BSPL;
        d.Account.TAISHAKU = s.Account.TAISHAKU;
        d.KAISIZAN = s.KAISIZAN;
        t.KAISIZAN = s.Account.TAISHAKU == 3 ? t.KAISIZAN - s.KAISIZAN : t.KAISIZAN + s.KAISIZAN;
        const bool debit = isDebitNature(t.Account.TAISHAKU);
        for (int k = -15; k <= 16; ++k) {
            if (k >= 1) {
                t.KAR[k] += s.KAR[k];
                t.KAS[k] += s.KAS[k];
                t.ZOUGEN[k] = netMovement(t.Account.TAISHAKU, t.KAR[k], t.KAS[k]);
                t.ZAN[k] = t.ZAN[k - 1] + t.ZOUGEN[k];
                d.KAR[k] = s.KAR[k];
                d.KAS[k] = s.KAS[k];
                d.ZOUGEN[k] = s.ZOUGEN[k];
                d.ZAN[k] = s.ZAN[k];
                s.KAR[k] = 0;
                s.KAS[k] = 0;
            } else {
                t.ZAN[k] += debit ? -s.ZAN[k] : s.ZAN[k];
                t.ZOUGEN[k] += debit ? -s.ZOUGEN[k] : s.ZOUGEN[k];
            }
            s.ZOUGEN[k] = 0;
            s.ZAN[k] = 0;
        }
        s.KAISIZAN = 0;
        keyOf(source) = HiddenSortKey;
    }

    void settlementLines()
    {
        if (a_.Scope == 10 || a_.Scope == 30) {
            static const std::pair<int, const char*> keys[] = {
                {9, "110/"},  {17, "140-"}, {11, "140/"}, {13, "160/"}, {15, "170/"}, {19, "180/"},
                {23, "210/"}, {25, "220/"}, {27, "230/"}, {48, "310/"}, {37, "320/"}, {35, "322/"},
                {43, "330/"}, {41, "332/"}, {50, "350/"}, {52, "360/"}, {65, "410/"}, {69, "510/"},
                {83, "610/"}, {96, "710/"}, {98, "720/"}, {102, "810/"}, {104, "820/"},
            };
            for (const auto& [s, key] : keys)
                keyOf(slot(s)) = key;
            row(slot(35)).Account.KNAME = "その他" + row(slot(37)).Account.KNAME;
            row(slot(41)).Account.KNAME = "その他" + row(slot(43)).Account.KNAME;
            auto costLine = [&](int r, const std::string& word, const char* key) {
                row(r).Account.KNAME = "【" + word + "】";
                keyOf(r) = key;
            };
            costLine(slot(71), AccInf.GENKA_HWORD3, "551/");
            costLine(slot(73), AccInf.GENKA_HWORD4, "560/");
            costLine(46, AccInf.GENKA_HWORD6, "565/");
            costLine(slot(75), AccInf.GENKA_HWORD5, "570/");
            const std::pair<int, const char*> regroup[] = {{35, "3270"}, {52, "3680"}, {41, "3330"}};
            for (const auto& [s, group] : regroup) {
                TKMKREC& acc = row(slot(s)).Account;
                acc.GROUP1 = group;
                acc.GROUP2 = group;
                acc.BSPL = "B";
            }
        } else if (a_.Scope == 20) {
            row(slot(71)).Account.KNAME = AccInf.TotalName5580;
            row(slot(73)).Account.KNAME = AccInf.TotalName5680;
            row(slot(75)).Account.KNAME = AccInf.TotalName5780;
            row(46).Account.KNAME = AccInf.TotalName5688;
            keyOf(slot(52)) = "3680";
            TKMKREC& acc = row(slot(52)).Account;
            acc.GROUP1 = "3680";
            acc.GROUP2 = "3680";
            acc.BSPL = "B";
        }
    }

    db::Field col(const std::string& name) { return q_.field((*cols_)[name]); }

    std::span<TBALANCE> rows_;
    std::span<TQSORT> sorts_;
    const BalanceLoadArgs& a_;
    db::Statement& q_;
    const std::array<std::uint16_t, BalanceLineSlots>& line_;
    int lastRow_ = FirstAccountRow - 1;
    bool overflow_ = false;
    bool merging_ = false;  // a later department of a group is being read
    std::optional<ResultColumns> cols_;
    int notes_[3] = {0, 0, 0};
};

// ---- Period computation ---------------------------------------------------------

struct Five {
    Currency ZENZAN = 0, KARSUM = 0, KASSUM = 0, TOUZAN = 0, ZENNEN = 0;
};

Five fiveOf(const TBALANCE& r) { return {r.ZENZAN, r.KARSUM, r.KASSUM, r.TOUZAN, r.ZENNEN}; }

Five operator+(Five a, const Five& b)
{
    a.ZENZAN += b.ZENZAN;
    a.KARSUM += b.KARSUM;
    a.KASSUM += b.KASSUM;
    a.TOUZAN += b.TOUZAN;
    a.ZENNEN += b.ZENNEN;
    return a;
}

Five operator-(Five a, const Five& b)
{
    a.ZENZAN -= b.ZENZAN;
    a.KARSUM -= b.KARSUM;
    a.KASSUM -= b.KASSUM;
    a.TOUZAN -= b.TOUZAN;
    a.ZENNEN -= b.ZENNEN;
    return a;
}

void setSum(TBALANCE& r, const Five& f)
{
    r.ZENZAN = f.ZENZAN;
    r.KARSUM = f.KARSUM;
    r.KASSUM = f.KASSUM;
    r.TOUZAN = f.TOUZAN;
    r.ZENNEN = f.ZENNEN;
}

// A result line: balances by the formula, its movement as one credit.
void setDifference(TBALANCE& r, const Five& f)
{
    r.ZENZAN = f.ZENZAN;
    r.TOUZAN = f.TOUZAN;
    r.ZENNEN = f.ZENNEN;
    r.KARSUM = 0;
    r.KASSUM = r.TOUZAN - r.ZENZAN;
}

void addToTotalRow(TBALANCE& total, const TBALANCE& account)
{
    total.KMKCNT += 1;
    total.KARSUM += account.KARSUM;
    total.KASSUM += account.KASSUM;
    total.Account.TAISHAKU = account.Account.TAISHAKU;
    const int sign = totalSign(account.Account.TAISHAKU);
    total.ZENZAN += sign * account.ZENZAN;
    total.TOUZAN += sign * account.TOUZAN;
    total.ZENNEN += sign * account.ZENNEN;
}

struct Route {
    const char* above;
    const char* below;
    int slot;  // -1: row 46
};

constexpr Route Routes[] = {
    {"1000", "1120", 1},   {"1120", "1180", 3},   {"1180", "1280", 5},   {"1280", "1380", 7},
    {"1380", "1390", 9},   {"1390", "1580", 11},  {"1580", "1680", 13},  {"1680", "1780", 15},
    {"1780", "1790", 17},  {"1790", "1880", 19},  {"1880", "1900", 21},  {"1900", "2180", 23},
    {"2180", "2280", 25},  {"2280", "2380", 27},  {"2380", "2800", 29},  {"2800", "3180", 31},
    {"3180", "3210", 33},  {"3210", "3270", 35},  {"3270", "3280", 37},  {"3280", "3310", 39},
    {"3310", "3330", 41},  {"3380", "3480", 48},  {"3480", "3580", 50},  {"3580", "3680", 52},
    {"3680", "3800", 54},  {"3800", "3900", 56},  {"3900", "4800", 65},  {"4800", "5250", 67},
    {"5250", "5400", 69},  {"5400", "5580", 71},  {"5580", "5680", 73},  {"5680", "5688", -1},
    {"5688", "5780", 75},  {"5790", "5830", 77},  {"5800", "5900", 81},  {"5900", "6180", 83},
    {"6180", "6200", 85},  {"6200", "7180", 96},  {"7180", "7280", 98},  {"7280", "7300", 100},
    {"7300", "8180", 102}, {"8180", "8280", 104}, {"8280", "8290", 106}, {"8290", "8400", 109},
};

// The slots of the lines whose name follows the sign of their result.
constexpr int NamedBySign[] = {81, 85, 100, 106, 109};

class GeneralCalc {
public:
    GeneralCalc(std::span<TBALANCE> rows, const BalancePeriodArgs& args)
        : rows_(rows), a_(args), line_(BalanceLineIndex())
    {
    }

    bool run()
    {
        int from = a_.FromPeriod;
        int to = a_.ToPeriod;
        if (const auto range = PeriodRangeOfKind(a_.Kind)) {
            from = range->from;
            to = range->to;
        }
        clearResults();
        accounts(from, to);
        zeroProfitOpenings(from);
        closings();
        const int r = retainedEarningsRow();
        for (int i = FirstAccountRow; i < size(); ++i)
            if (const int t = routeOf(row(i).Account.GROUP2); t >= 0)
                addToTotalRow(row(t), row(i));
        if (SystemDef.KessanTegataSousai == 1) {
            row(48).TOUZAN = row(48).ZAN[to];
            row(49).TOUZAN = row(49).ZAN[to];
        }
        totals(r);
        if (!nameBySign())
            return false;
        ratios();
        if (AccInf.KAISINO > 1 && (a_.Kind == -1 || a_.Kind == 7))
            openingsFromStart(r);
        return true;
    }

private:
    int size() const { return static_cast<int>(rows_.size()); }
    TBALANCE& row(int r) { return rows_[static_cast<std::size_t>(r)]; }
    TBALANCE& S(int n) { return row(line_[static_cast<std::size_t>(n)]); }
    Five F(int n) { return fiveOf(S(n)); }

    int routeOf(const std::string& group) const
    {
        for (const auto& route : Routes)
            if (group > route.above && group < route.below)
                return route.slot < 0 ? 46 : line_[static_cast<std::size_t>(route.slot)];
        return -1;
    }

    void clearResults()
    {
        for (int i = 0; i < size(); ++i) {
            TBALANCE& r = row(i);
            r.ZENZAN = r.KARSUM = r.KASSUM = r.TOUZAN = r.KOUSEI = r.ZENNEN = 0;
            for (auto& e : r.HOJO)
                e.ZENZAN = e.KARSUM = e.KASSUM = e.TOUZAN = 0;
            // Counts are rebuilt by every computation.
            if (i < FirstAccountRow)
                r.KMKCNT = 0;
        }
    }

    void accounts(int from, int to)
    {
        const bool sameBalance = a_.Kind == -1 || a_.Kind == 0 || a_.Kind == 1 || a_.Kind == 5;
        accumulatePeriodRange(rows_, FirstAccountRow, a_.ZeroOpening == 1, sameBalance, from, to);
    }

    void zeroProfitOpenings(int from)
    {
        bool zero = a_.Kind == 2 || a_.Kind == 3 || a_.Kind == 4 || a_.Kind == 6;
        if (a_.Kind == 7)
            zero = (AccInf.KAISINO == 1 && from > 1) || (AccInf.KAISINO != 1 && AccInf.KAISINO < from);
        if (!zero)
            return;
        for (int i = FirstAccountRow; i < size(); ++i)
            if (row(i).Account.BSPL == "P")
                row(i).ZENZAN = 0;
    }

    void closings()
    {
        for (int i = FirstAccountRow; i < size(); ++i) {
            TBALANCE& r = row(i);
            const int t = r.Account.TAISHAKU;
            r.TOUZAN = r.ZENZAN + netMovement(t, r.KARSUM, r.KASSUM);
            for (auto& e : r.HOJO) {
                e.TOUZAN = e.ZENZAN + netMovement(t, e.KARSUM, e.KASSUM);
                e.KOUSEI = subAccountShare(e.TOUZAN, r.TOUZAN);
            }
        }
    }

    // The balancing account of a corporation (group 3340) takes the
    // difference of the balance sheet; its own amounts start at 0.
    int retainedEarningsRow()
    {
        int last = 0;
        for (int i = FirstAccountRow; i < size(); ++i) {
            TBALANCE& r = row(i);
            if (r.Account.GROUP2 == "3340") {
                r.ZENZAN = r.TOUZAN = r.ZENNEN = 0;
                last = i;
            }
        }
        return last;
    }

    void totals(int rIndex)
    {
        setSum(S(3), F(3) + F(1));
        setSum(S(9), F(3) + F(5) + F(7));
        setSum(S(17), F(11) + F(13) + F(15));
        setSum(S(21), F(9) + F(17) + F(19));
        setSum(S(29), F(23) + F(25) + F(27));
        setSum(S(37), F(33) + F(35));
        if (AccInf.DATATYPE == 1) {
            TBALANCE& r = row(rIndex);
            const Five d = F(21) - (F(29) + F(31) + F(37) + F(39) + F(41) + F(48) + F(50) + F(52));
            r.ZENZAN = d.ZENZAN;
            r.TOUZAN = d.TOUZAN;
            r.ZENNEN = d.ZENNEN;
            r.KASSUM = r.TOUZAN - r.ZENZAN + r.KARSUM;
            setSum(S(41), F(41) + fiveOf(r));
            setSum(S(43), F(39) + F(41));
            setSum(S(48), F(48) + F(31) + F(37) + F(43));
            setSum(S(54), F(48) + F(50) + F(52));
        } else {
            setSum(S(43), F(39) + F(41));
            setDifference(S(48), F(21) - (F(29) + F(31) + F(37) + F(43)));
            setSum(S(54), F(31) + F(37) + F(43) + F(48));
        }
        setSum(S(56), F(29) + F(54));
        const Five cost = F(71) + F(73) + fiveOf(row(46)) + F(75);
        setSum(row(47), cost);
        setSum(S(79), cost + F(77));
        setSum(S(69), F(67) + F(79) + F(69));
        setSum(S(67), F(79));
        setDifference(S(81), F(65) - F(69));
        setDifference(S(85), F(81) - F(83));
        setDifference(S(100), F(85) + F(96) - F(98));
        setDifference(S(106), F(100) + F(102) - F(104));
        setDifference(S(109), F(106) - F(109));
    }

    bool nameBySign()
    {
        if (!DM)
            return true;
        db::Transaction& tr = DM->IBTransactionDAT;
        db::TransactionScope scope(tr);
        try {
            auto q = CreateAccQuery(kAccDat, false);
            if (!q)
                return true;
            // One query for the five lines: their names by the sign of the result.
            q->setSql("SELECT KGROUP,PLUSNAME,MINUSNAME,MODIFY FROM ACCTOTALNAME WHERE KGROUP IN "
                      "(:G1,:G2,:G3,:G4,:G5)");
            for (std::size_t i = 0; i < std::size(NamedBySign); ++i)
                q->param("G" + std::to_string(i + 1)).setString(S(NamedBySign[i]).Account.GROUP2);
            q->execute();
            while (q->fetch()) {
                const std::string group = q->field(std::size_t{0}).asString();
                for (int s : NamedBySign) {
                    TBALANCE& r = S(s);
                    if (r.Account.GROUP2 != group)
                        continue;
                    if (q->field("MODIFY").asInt() == 1) {
                        r.Account.KNAME = q->field(r.TOUZAN >= 0 ? "PLUSNAME" : "MINUSNAME").asString();
                        if (SystemDef.KingakuPlus == 1)
                            r.Account.KNAME += "金額";
                    } else {
                        r.Account.KNAME = q->field("PLUSNAME").asString();
                    }
                }
            }
            q.reset();
            scope.commit();
            return true;
        } catch (const db::DbError& e) {
            ReportDbError(e, "pcBalanceSheet_Calcu", "", true);
            return false;
        }
    }

    void ratios()
    {
        TBALANCE& assets = S(21);
        TBALANCE& liabilities = S(56);
        TBALANCE& sales = S(65);
        for (int i = 0; i < size(); ++i) {
            TBALANCE& r = row(i);
            const std::string& g = r.Account.GROUP2;
            const TBALANCE* base = nullptr;
            if (g > "1000" && g < "1900")
                base = &assets;
            else if (g > "2000" && g < "3900")
                base = &liabilities;
            else if (g > "4000" && g <= "8400")
                base = &sales;
            if (base && base->TOUZAN != 0)
                r.KOUSEI = clampPercent(RatioToPercent(static_cast<double>(r.TOUZAN) / static_cast<double>(base->TOUZAN)));
        }
        assets.KOUSEI = HundredPercent;
        liabilities.KOUSEI = HundredPercent;
        sales.KOUSEI = HundredPercent;
    }

    // Bookkeeping that began during the year: the balance-sheet openings are
    // those at the start of the data (KISHU0).
    void openingsFromStart(int rIndex)
    {
        for (int s : {21, 29, 54, 31, 33, 35, 37, 39, 41, 48, 50, 52, 56})
            S(s).ZENZAN = 0;
        struct Range {
            const char* above;
            const char* below;
            int slot;
        };
        static constexpr Range ranges[] = {
            {"1000", "1900", 21}, {"1900", "2800", 29}, {"2800", "3180", 31}, {"3180", "3210", 33},
            {"3210", "3270", 35}, {"3270", "3280", 37}, {"3280", "3310", 39}, {"3310", "3330", 41},
            {"3380", "3480", 48}, {"3480", "3580", 50}, {"3580", "3680", 52}, {"3680", "3800", 54},
        };
        int v1 = 0, v2 = 0, v3 = 0;
        const bool individual = AccInf.DATATYPE == 2;
        for (int i = FirstAccountRow; i < size(); ++i) {
            TBALANCE& r = row(i);
            const std::string& g = r.Account.GROUP2;
            if (!(g > "1000" && g < "3800"))
                continue;
            r.ZENZAN = r.KISHU0;
            if (individual) {
                if (r.Account.GROUP1 == "1100" && r.SUBREC == 24)
                    v1 = i;
                if (r.Account.GROUP1 == "2100" && r.SUBREC == 22)
                    v2 = i;
                if (r.Account.GROUP1 == "2100" && r.SUBREC == 23)
                    v3 = i;
            }
            TBALANCE* target = &row(0);
            for (const auto& range : ranges)
                if (g > range.above && g < range.below) {
                    target = &S(range.slot);
                    break;
                }
            target->ZENZAN += totalSign(r.Account.TAISHAKU) * r.ZENZAN;
        }
        if (individual && v3 != 0) {
            const Currency d = S(21).ZENZAN - (S(29).ZENZAN + S(31).ZENZAN);
            row(v3).ZENZAN = row(v2).ZENZAN - row(v1).ZENZAN + row(v3).ZENZAN + d;
            if (v1 != 0)
                row(v1).ZENZAN = 0;
            if (v2 != 0)
                row(v2).ZENZAN = 0;
        }
        if (AccInf.DATATYPE == 1) {
            S(37).ZENZAN = S(33).ZENZAN + S(35).ZENZAN;
            TBALANCE& r = row(rIndex);
            r.ZENZAN = S(21).ZENZAN - (S(29).ZENZAN + S(31).ZENZAN + S(37).ZENZAN + S(39).ZENZAN + S(41).ZENZAN +
                                       S(48).ZENZAN + S(50).ZENZAN + S(52).ZENZAN);
            S(41).ZENZAN += r.ZENZAN;
            S(43).ZENZAN = S(39).ZENZAN + S(41).ZENZAN;
            S(48).ZENZAN = S(48).ZENZAN + S(31).ZENZAN + S(37).ZENZAN + S(43).ZENZAN;
            S(54).ZENZAN = S(48).ZENZAN + S(50).ZENZAN + S(52).ZENZAN;
            S(109).KASSUM = r.TOUZAN - r.ZENZAN;
        }
        // The total of liabilities and net assets opens with its parts, so
        // that the balance sheet balances at the start of the data too.
        S(56).ZENZAN = S(29).ZENZAN + S(54).ZENZAN;
    }

    std::span<TBALANCE> rows_;
    const BalancePeriodArgs& a_;
    const std::array<std::uint16_t, BalanceLineSlots>& line_;
};

} // namespace

bool GeneralBalanceEngine::LoadTrialBalance(std::span<TBALANCE> balances, std::span<TQSORT> sorts,
                                            const BalanceLoadArgs& args)
{
    return RunBalanceLoad([&](db::Statement& q) {
        GeneralLoader loader(balances, sorts, args, q);
        loader.run();
        return !loader.overflow();
    });
}

bool GeneralBalanceEngine::CalcBalancePeriods(std::span<TBALANCE> balances, const BalancePeriodArgs& args)
{
    if (args.FromPeriod < 1 && args.Kind == 0)
        ShowCommaMessage(PeriodRangeMessage(args.FromPeriod, args.ToPeriod), platform::MessageKind::Error);
    return GeneralCalc(balances, args).run();
}

} // namespace vq
