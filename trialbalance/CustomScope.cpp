#include "trialbalance/CustomScope.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foundation/app/AccInf.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/QueryFactory.h"
#include "platform/db/DbError.h"
#include "foundation/text/TextUtils.h"
#include "trialbalance/BalanceRowMath.h"
#include "trialbalance/BalanceTables.h"

namespace vq {

using namespace balance;

namespace {

using Binds = std::vector<std::pair<std::string, std::string>>;

// A condition on the facility or department columns, with the codes it binds.
struct Condition {
    std::string sql;
    Binds binds;
};

std::string join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool isMedicalData() { return AccInf.DATATYPE == 3; }

// The whole yen of amount × rate, halves up, as the department procedures
// share the common department, so that a department comes out the same by
// either road (a hair of tolerance keeps 100005 × 0.3 at 30002 despite
// binary fractions).
Currency allocate(Currency amount, double rate)
{
    const long double yen = static_cast<long double>(amount) / CurrencyScale * rate;
    const long double whole = std::floor(yen + 0.5L + 1e-7L);
    return static_cast<Currency>(whole) * CurrencyScale;
}

using Months = std::array<Currency, 17>;  // index 1..16 = MNUM
using Rates = std::array<double, 17>;

class ScopeComputation {
public:
    ScopeComputation(std::span<TBALANCE> rows, std::span<TQSORT> sorts, const TCalcSisanhyoSettingRec& s,
                     bool firstPass)
        : rows_(rows), sorts_(sorts), s_(s), firstPass_(firstPass), exactFacility_(!firstPass),
          first_(isMedicalData() ? MedicalFirstAccountRow : FirstAccountRow)
    {
    }

    int run(bool& overflow)
    {
        main_ = newStatement();
        aux_ = newStatement();
        sub_ = newStatement();
        scodeCond_ = scopeCondition("SCODE", s_.SCODE, s_.SCODEKBN, "SC");
        bcodeCond_ = scopeCondition("BCODE", s_.BCODE, s_.BCODEKBN, "BC");
        w1_ = both(scodeCond_, bcodeCond_, false);
        w2_ = both(scodeCond_, bcodeCond_, true);
        int last = first_ - 1;
        main_->setSql(mainStatement());
        // Only the account layout narrows its main statement by the scope;
        // the line layouts check each account's scope on its own.
        if (s_.LAYOUT == 0)
            bind(*main_, w2_.binds);
        main_->execute();
        while (main_->fetch()) {
            if (main_->field("GROUPM1").asString() == "9900")
                continue;
            rec_ = record();
            if (s_.LAYOUT >= 1 && s_.LAYOUT <= 4 && countInScope() == 0)
                continue;
            const int r = findRow(last, overflow);
            if (r < 0)
                continue;
            last = std::max(last, r);
            account(r);
        }
        return firstPass_ ? last : lastUsed_;
    }

private:
    struct Record {
        std::string group1, group2, kcode, usercode, kname, bpflg;
        int dac = 0, bldac = 0, rec = 0, subrec = 0;
        std::string kgroup, kname1;
    };

    std::unique_ptr<db::Statement> newStatement()
    {
        auto st = CreateAccSql(kAccDat, 1);
        if (!st)
            throw db::DbError("no data set is open");
        return st;
    }

    TBALANCE& row(int r) { return rows_[static_cast<std::size_t>(r)]; }
    int high() const { return static_cast<int>(rows_.size()) - 1; }

    std::vector<std::string> listCodes(const std::string& sql, const char* name, const std::string& value,
                                       const char* column)
    {
        aux_->setSql(sql);
        if (std::string(name) == "MB_JIGYOU")
            aux_->param(name).setInt(std::stoi(value));
        else
            aux_->param(name).setString(value);
        aux_->execute();
        std::vector<std::string> codes;
        while (aux_->fetch())
            codes.push_back(aux_->field(column).asString());
        return codes;
    }

    Condition scopeCondition(const std::string& col, const std::string& code, int kbn, const char* prefix)
    {
        Condition c;
        if (kbn == 1) {
            // An allocation pass names one facility, and the general
            // edition's only facility is the blank one.
            if (!TrimZenSpace(code).empty() || (col == "SCODE" && exactFacility_)) {
                c.sql = "(" + col + "=:" + prefix + "1)";
                c.binds.emplace_back(std::string(prefix) + "1", code);
            }
            return c;
        }
        std::vector<std::string> codes;
        if (col == "SCODE") {
            const int j = s_.JIGYOU;
            if (isMedicalData() && s_.SCOPE == 1 && (j == 1 || j == 2 || j == 4 || j == 8))
                codes = listCodes(join({"SELECT SCODE FROM SISETUMST", "WHERE (MB_JIGYOU=:MB_JIGYOU) AND (SCODE<>'')"}),
                                  "MB_JIGYOU", std::to_string(j), "SCODE");
            else
                codes = listCodes(join({"SELECT SCODE FROM SISETUGROUPLIST", "WHERE (GCODE=:GCODE) AND (SCODE<>'')"}),
                                  "GCODE", code, "SCODE");
        } else {
            codes = listCodes(join({"SELECT BCODE FROM GROUPLIST", "WHERE (GCODE=:GCODE) AND (BCODE<>'')"}), "GCODE",
                              code, "BCODE");
        }
        if (codes.empty())
            return c;
        std::string list;
        for (std::size_t i = 0; i < codes.size(); ++i) {
            const std::string name = prefix + std::to_string(i + 1);
            list += (i ? ",:" : ":") + name;
            c.binds.emplace_back(name, codes[i]);
        }
        c.sql = "(" + col + " IN (" + list + "))";
        return c;
    }

    static Condition both(const Condition& s, const Condition& b, bool main)
    {
        Condition c;
        const std::string ssql = main ? replaceAll(s.sql, "(SCODE", "(MAIN.SCODE") : s.sql;
        const std::string bsql = main ? replaceAll(b.sql, "(BCODE", "(MAIN.BCODE") : b.sql;
        c.sql = ssql;
        if (!bsql.empty())
            c.sql = c.sql.empty() ? bsql : c.sql + " AND " + bsql;
        c.binds = s.binds;
        c.binds.insert(c.binds.end(), b.binds.begin(), b.binds.end());
        return c;
    }

    static void bind(db::Statement& st, const Binds& binds)
    {
        for (const auto& [name, value] : binds)
            st.param(name).setString(value);
    }

    // lines plus "AND " + the scope, prepared on st with KCODE bound.
    void prepareInScope(db::Statement& st, std::vector<std::string> lines, const Condition& scope,
                        std::vector<std::string> tail = {})
    {
        if (!scope.sql.empty())
            lines.push_back("AND " + scope.sql);
        lines.insert(lines.end(), tail.begin(), tail.end());
        st.setSql(join(lines));
        bind(st, scope.binds);
        if (st.hasParam("KCODE"))
            st.param("KCODE").setString(rec_.kcode);
    }

    std::string mainStatement() const
    {
        const bool medical = isMedicalData();
        std::vector<std::string> lines;
        if (s_.LAYOUT == 0) {
            lines = {"SELECT DISTINCT KM.GROUPM1,KM.GROUPM2",
                     medical ? ",KM.GROUPR1,KM.GROUPR2,KM.GROUPM3"
                             : ",GROUPM1 AS GROUPR1,GROUPM2 AS GROUPR2,GROUPM1 AS GROUPM3",
                     ",KM.KCODE,KM.USERCODE,KM.KNAME,KM.BPFLG,KM.DAC",
                     "FROM  KAMOKU_SZ MAIN",
                     "INNER JOIN SISETUMST SM ON(MAIN.SCODE=SM.SCODE)",
                     "INNER JOIN BUMONMST  BM ON(MAIN.BCODE=BM.BCODE)",
                     "INNER JOIN KAMOKUMST KM ON(MAIN.KCODE=KM.KCODE)",
                     "INNER JOIN HOJOMST   HM ON(MAIN.KCODE=HM.KCODE AND MAIN.HCODE=HM.HCODE)"};
            if (!w2_.sql.empty())
                lines.push_back("WHERE " + w2_.sql);
            lines.push_back("ORDER BY KM.GROUPM1,KM.USERCODE");
            return join(lines);
        }
        const std::string groups = medical ? ",KM.GROUPM2,KM.GROUPR1,KM.GROUPR2,KM.GROUPM3"
                                           : ",KM.GROUPM1 AS GROUPR1,KM.GROUPM2 AS GROUPR2,KM.GROUPM1 AS GROUPM3";
        const std::string accountCols = ",KM.KCODE,KM.USERCODE,KM.KNAME,KM.BPFLG,KM.DAC";
        if (s_.LAYOUT == 1)
            return join({"SELECT A4.REC,A4.KGROUP,A4.SUBREC,A4.KNAME1,KM.GROUPM1,KM.GROUPM2", groups, accountCols,
                         "FROM EXTERA4 A4", "INNER JOIN KAMOKUMST KM ON (A4.REC=KM.EXT1_A4)",
                         "ORDER BY A4.KGROUP,A4.SUBREC,KM.USERCODE"});
        if (s_.LAYOUT == 2)
            return join({"SELECT A3.REC,A3.KGROUP,A3.SUBREC,A3.KNAME1,KM.GROUPM1,KM.GROUPM2", groups, accountCols,
                         "FROM EXTERA3 A3", "INNER JOIN KAMOKUMST KM ON (A3.REC=KM.EXT1_A3)",
                         "ORDER BY A3.KGROUP,A3.SUBREC,KM.USERCODE"});
        // The settlement lines also read the balance side of the line, which
        // an account of the other side takes over.
        return join({"SELECT KS.REC,KS.KGROUP,KS.SUBREC,KS.KNAME1,KM.GROUPM1,KM.GROUPM2", groups,
                     accountCols + ",KM.BLDAC", "FROM EXTERKS KS", "INNER JOIN KAMOKUMST KM ON (KS.REC=KM.EXT1_KS)",
                     "WHERE (KM.USE>0)", "ORDER BY KS.KGROUP,KS.SUBREC,KM.USERCODE"});
    }

    Record record()
    {
        db::Statement& m = *main_;
        Record r;
        const bool second = isMedicalData() && (s_.JIGYOU == 2 || s_.JIGYOU == 4);
        r.group1 = m.field(second ? "GROUPR1" : "GROUPM1").asString();
        r.group2 = m.field(second ? "GROUPR2" : "GROUPM2").asString();
        r.kcode = m.field("KCODE").asString();
        r.usercode = m.field("USERCODE").asString();
        r.kname = m.field("KNAME").asString();
        r.bpflg = m.field("BPFLG").asString();
        r.dac = m.field("DAC").asInt();
        if (s_.LAYOUT >= 1) {
            r.rec = m.field("REC").asInt();
            r.kgroup = m.field("KGROUP").asString();
            r.subrec = m.field("SUBREC").asInt();
            r.kname1 = m.field("KNAME1").asString();
        }
        if (s_.LAYOUT >= 3)
            r.bldac = m.field("BLDAC").asInt();
        return r;
    }

    int countInScope()
    {
        prepareInScope(*aux_, {"SELECT COUNT(*) AS RECCNT FROM KAMOKU_SZ", "WHERE (KCODE=:KCODE)"}, w1_);
        aux_->execute();
        const int n = aux_->fetch() ? aux_->field("RECCNT").asInt() : 0;
        aux_->close();
        return n;
    }

    // The row of the record, made on the first pass; -1 when there is none.
    int findRow(int last, bool& overflow)
    {
        if (!firstPass_) {
            for (int r = first_; r <= high(); ++r) {
                const TBALANCE& b = row(r);
                if (s_.LAYOUT == 0 ? b.Account.KCODE == rec_.kcode
                                   : (b.Account.GROUP2 == rec_.kgroup && b.SUBREC == rec_.subrec))
                    return r;
            }
            return -1;
        }
        int r = -1;
        int accountsInRow = 1;
        if (s_.LAYOUT >= 1) {
            for (int i = first_; i <= last; ++i)
                if (row(i).Account.GROUP2 == rec_.kgroup && row(i).SUBREC == rec_.subrec) {
                    r = i;
                    accountsInRow = ++lineCounts_[i];
                    break;
                }
        }
        if (r < 0) {
            if (last + 1 > high()) {
                overflow = true;
                return -1;
            }
            r = last + 1;
            lineCounts_[r] = 1;
        }
        TBALANCE& b = row(r);
        TKMKREC& acc = b.Account;
        if (s_.LAYOUT == 0) {
            acc.GROUP1 = acc.GROUP3 = rec_.group1;
            acc.GROUP2 = acc.GROUP4 = rec_.group2;
            acc.USERCODE = rec_.usercode;
            acc.KCODE = rec_.kcode;
            acc.KNAME = rec_.kname;
        } else {
            b.MSTREC = rec_.rec;
            b.SUBREC = rec_.subrec;
            acc.GROUP1 = rec_.kgroup;
            acc.GROUP2 = rec_.kgroup;
            if (acc.KCODE.empty()) {
                acc.USERCODE = rec_.usercode;
                acc.KCODE = rec_.kcode;
                acc.KNAME = TrimZenSpace(rec_.kname1).empty() ? rec_.kname : rec_.kname1;
            }
            if ((!rec_.kname1.empty() && rec_.kname1 != rec_.kname) || accountsInRow > 1) {
                acc.USERCODE = "-";
                acc.KCODE = "-";
            }
        }
        acc.BSPL = rec_.bpflg;
        acc.TAISHAKU = rec_.dac;
        return r;
    }

    void readRates()
    {
        rates_.fill(0.0);
        std::vector<std::string> lines;
        for (int line = 0; line < 4; ++line) {
            std::string text = line == 0 ? "SELECT " : "       ";
            for (int k = line * 4 + 1; k <= line * 4 + 4; ++k) {
                char col[48];
                std::snprintf(col, sizeof col, "HAIBUN%02d*0.01 AS HAIBUN%02d", k, k);
                text += col;
                if (k < 16)
                    text += ",";
            }
            lines.push_back(text);
        }
        lines.push_back("FROM KAMOKU_SZ");
        lines.push_back("WHERE (KCODE=:KCODE) AND (HCODE=:HCODE)");
        prepareInScope(*aux_, lines, w1_);
        aux_->param("HCODE").setString(" ");
        aux_->execute();
        if (aux_->fetch())
            for (int k = 1; k <= 16; ++k) {
                char col[16];
                std::snprintf(col, sizeof col, "HAIBUN%02d", k);
                rates_[static_cast<std::size_t>(k)] = aux_->field(col).asDouble();
            }
        aux_->close();
    }

    // The opening of the account (or of one sub-account when hcode is set)
    // in scope, or in the common department of the scope's facilities.
    Currency opening(const std::string* hcode, bool common)
    {
        // KAISIZAN is the opening that the opening entry and the carry forward
        // write and the trial-balance procedures read; the tax columns
        // KISHU_KOMI and KISHU_NUKI are kept equal to it where it is written.
        std::vector<std::string> lines = {"SELECT SUM(KAISIZAN) AS SUM_KAISIZAN", "FROM KAMOKU_SZ"};
        std::string where = common ? "WHERE (BCODE=:BCODE) AND (KCODE=:KCODE)" : "WHERE (KCODE=:KCODE)";
        if (hcode)
            where += " AND (HCODE=:HCODE)";
        lines.push_back(where);
        prepareInScope(*aux_, lines, common ? scodeCond_ : w1_);
        if (common)
            aux_->param("BCODE").setString("00");
        if (hcode)
            aux_->param("HCODE").setString(*hcode);
        aux_->execute();
        Currency v = 0;
        if (aux_->fetch())
            v = aux_->field("SUM_KAISIZAN").asCurrency();
        aux_->close();
        return v;
    }

    void months(Months& debit, Months& credit, bool common)
    {
        debit.fill(0);
        credit.fill(0);
        std::vector<std::string> lines = {
            "SELECT MNUM,SUM(KAR_NUK) AS SUM_KARI_NUKI,SUM(KAR_TAX) AS SUM_KARI_TAX,SUM(KAS_NUK) AS SUM_KASI_NUKI,SUM(KAS_TAX) AS SUM_KASI_TAX,",
            "SUM(KAR_IKKATSU) AS SUM_KARI_IKKATSU,SUM(KAS_IKKATSU) AS SUM_KASI_IKKATSU", "FROM KAMOKU_MS",
            common ? "WHERE (BCODE=:BCODE) AND (KCODE=:KCODE)" : "WHERE (KCODE=:KCODE)"};
        prepareInScope(*aux_, lines, common ? scodeCond_ : w1_, {"GROUP BY MNUM", "ORDER BY MNUM"});
        if (common)
            aux_->param("BCODE").setString("00");
        aux_->execute();
        while (aux_->fetch())
            storeMonth(*aux_, debit, credit);
    }

    void storeMonth(db::Statement& st, Months& debit, Months& credit) const
    {
        const int m = st.field("MNUM").asInt();
        if (m < 1 || m > 16)
            return;
        const auto i = static_cast<std::size_t>(m);
        if (s_.TAX == 0) {
            debit[i] = st.field("SUM_KARI_NUKI").asCurrency() + st.field("SUM_KARI_TAX").asCurrency();
            credit[i] = st.field("SUM_KASI_NUKI").asCurrency() + st.field("SUM_KASI_TAX").asCurrency();
        } else {
            debit[i] = st.field("SUM_KARI_NUKI").asCurrency() - st.field("SUM_KARI_IKKATSU").asCurrency();
            credit[i] = st.field("SUM_KASI_NUKI").asCurrency() - st.field("SUM_KASI_IKKATSU").asCurrency();
        }
    }

    // The tax totals of a tax kind: department "00" (allocated by the rates
    // when asked) or the scope's own departments.
    void addMonthlyTax(int kind, bool commonDepartment, bool allocateIt)
    {
        std::vector<std::string> lines = {"SELECT MNUM,SUM(KAR) AS SUM_KARI_TAX,SUM(KAS) AS SUM_KASI_TAX",
                                          "FROM KAMOKU_TAX", "WHERE (KKUBUN=:KKUBUN)"};
        if (commonDepartment)
            lines.push_back("AND (BCODE=:TAXBCODE)");
        prepareInScope(*aux_, lines, commonDepartment ? scodeCond_ : w1_, {"GROUP BY MNUM", "ORDER BY MNUM"});
        aux_->param("KKUBUN").setInt(kind);
        if (commonDepartment)
            aux_->param("TAXBCODE").setString("00");
        aux_->execute();
        while (aux_->fetch()) {
            const int m = aux_->field("MNUM").asInt();
            if (m < 1 || m > 16)
                continue;
            const auto i = static_cast<std::size_t>(m);
            const double rate = allocateIt ? rates_[i] : 1.0;
            debit_[i] += allocate(aux_->field("SUM_KARI_TAX").asCurrency(), rate);
            credit_[i] += allocate(aux_->field("SUM_KASI_TAX").asCurrency(), rate);
        }
    }

    int taxKind() const
    {
        if (!AccInf.SysKCode[SysKariukeTax].empty() && rec_.kcode == AccInf.SysKCode[SysKariukeTax])
            return 1;
        if (!AccInf.SysKCode[SysKariharaiTax].empty() && rec_.kcode == AccInf.SysKCode[SysKariharaiTax])
            return 2;
        return 0;
    }

    void account(int r)
    {
        TBALANCE& b = row(r);
        lastUsed_ = r;
        const bool haibun = s_.HAIBUN == 1;
        const bool common = s_.BCODE == "00";
        if (haibun)
            readRates();
        sign_ = 1;
        if ((s_.LAYOUT == 3 || s_.LAYOUT == 4) && (rec_.dac == 2 || rec_.dac == 4) && debitAccountsOnLine(b.MSTREC)) {
            b.Account.TAISHAKU = rec_.bldac;
            sign_ = -1;
        }
        Currency open = opening(nullptr, false);
        if (haibun) {
            const double rate = rateAt(openingPeriod());
            open = common ? allocate(open, rate) : open + allocate(opening(nullptr, true), rate);
        }
        months(debit_, credit_, false);
        if (haibun)
            allocateMonths(debit_, credit_, common, nullptr);
        if (s_.TAX == 1) {
            if (const int kind = taxKind()) {
                if (haibun) {
                    addMonthlyTax(kind, true, true);
                    if (!common)
                        addMonthlyTax(kind, false, false);
                } else {
                    addMonthlyTax(kind, false, false);
                }
            }
        }
        b.KAISIZAN += sign_ * open;
        b.KAISIZAN2 = b.KAISIZAN3 = b.KAISIZAN;
        for (int m = 1; m <= 16; ++m) {
            b.KAR[m] += debit_[static_cast<std::size_t>(m)];
            b.KAS[m] += credit_[static_cast<std::size_t>(m)];
        }
        rebuildBalances(b, b.Account.TAISHAKU);
        sorts_[static_cast<std::size_t>(r)].SIDX = r;
        sorts_[static_cast<std::size_t>(r)].SKEY = sortKey(b);
        if (s_.LAYOUT == 0)
            subAccounts(b);
    }

    // The period whose rate shares the opening, as the department procedures
    // take it whatever the start month: the start month's own period for the
    // accounts, the period before it for the lines.
    int openingPeriod() const
    {
        int month = AccInf.KAISINO;
        if (s_.LAYOUT == 0) {
            if (month < 1 || month > 12)
                month = 1;
            return month + (month - 1) / 3;
        }
        if (month < 2 || month > 12)
            month = 2;
        return (month - 1) + (month - 2) / 3;
    }

    double rateAt(int period) const
    {
        return period >= 1 && period <= 16 ? rates_[static_cast<std::size_t>(period)] : 0.0;
    }

    void allocateMonths(Months& debit, Months& credit, bool common, const std::string* hcode)
    {
        if (common) {
            for (int m = 1; m <= 16; ++m) {
                const auto i = static_cast<std::size_t>(m);
                debit[i] = allocate(debit[i], rates_[i]);
                credit[i] = allocate(credit[i], rates_[i]);
            }
            return;
        }
        Months cd, cc;
        if (hcode)
            subAccountMonths(*hcode, cd, cc);
        else
            months(cd, cc, true);
        for (int m = 1; m <= 16; ++m) {
            const auto i = static_cast<std::size_t>(m);
            debit[i] += allocate(cd[i], rates_[i]);
            credit[i] += allocate(cc[i], rates_[i]);
        }
    }

    // The common department's months of one sub-account in the scope's facilities.
    void subAccountMonths(const std::string& hcode, Months& debit, Months& credit)
    {
        debit.fill(0);
        credit.fill(0);
        prepareInScope(*aux_,
                       {"SELECT MNUM,SUM(KAR_NUK) AS SUM_KARI_NUKI,SUM(KAR_TAX) AS SUM_KARI_TAX,SUM(KAS_NUK) AS SUM_KASI_NUKI,SUM(KAS_TAX) AS SUM_KASI_TAX,",
                        "SUM(KAR_IKKATSU) AS SUM_KARI_IKKATSU,SUM(KAS_IKKATSU) AS SUM_KASI_IKKATSU", "FROM KAMOKU_MS",
                        "WHERE (BCODE=:BCODE) AND (KCODE=:KCODE) AND (HCODE=:HCODE)"},
                       scodeCond_, {"GROUP BY MNUM", "ORDER BY MNUM"});
        aux_->param("BCODE").setString("00");
        aux_->param("HCODE").setString(hcode);
        aux_->execute();
        while (aux_->fetch())
            storeMonth(*aux_, debit, credit);
    }

    bool debitAccountsOnLine(int mstrec)
    {
        aux_->setSql(join({"SELECT COUNT(KCODE) AS RECCNT FROM KAMOKUMST",
                           "WHERE (EXT1_KS=:MSTREC) AND (USE>0) AND (DAC=1 OR DAC=3)"}));
        aux_->param("MSTREC").setInt(mstrec);
        aux_->execute();
        const bool any = aux_->fetch() && aux_->field("RECCNT").asInt() > 0;
        aux_->close();
        return any;
    }

    std::string sortKey(TBALANCE& b) const
    {
        TKMKREC& acc = b.Account;
        if (s_.LAYOUT == 0) {
            if (acc.GROUP1 == "5300")
                return "5881" + PadRightSjis(acc.USERCODE, 4);
            return (isMedicalData() ? acc.GROUP1 : acc.GROUP2) + PadRightSjis(acc.USERCODE, 4);
        }
        if (s_.LAYOUT == 1 || s_.LAYOUT == 2) {
            if (AccInf.DATATYPE == 2)
                acc.GROUP1 = exchangeIndividualGroup(acc.GROUP1, b.MSTREC, AccInf.CODETYPE, true);
            return lineKey(acc.GROUP1, b.SUBREC);
        }
        return lineKey(acc.GROUP2, b.SUBREC);
    }

    void subAccounts(TBALANCE& b)
    {
        prepareInScope(*sub_, {"SELECT DISTINCT HCODE FROM KAMOKU_SZ", "WHERE (KCODE=:KCODE) AND (HCODE<>:HCODE)"}, w1_);
        sub_->param("HCODE").setString(" ");
        sub_->execute();
        int count = 0;
        while (sub_->fetch())
            ++count;
        if (firstPass_) {
            b.HOJCNT = count;
            b.HOJO.assign(static_cast<std::size_t>(count), THOJOUTIWAKE{});
        }
        if (count == 0)
            return;
        std::vector<std::string> lines = {
            "SELECT MAIN.HCODE,MAIN.MNUM,SUM(MAIN.KAR_NUK) AS SUM_KARI_NUKI,SUM(MAIN.KAR_TAX) AS SUM_KARI_TAX,SUM(MAIN.KAS_NUK) AS SUM_KASI_NUKI,SUM(MAIN.KAS_TAX) AS SUM_KASI_TAX,",
            "SUM(MAIN.KAR_IKKATSU) AS SUM_KARI_IKKATSU,SUM(MAIN.KAS_IKKATSU) AS SUM_KASI_IKKATSU", ",HM.HNAME",
            "FROM KAMOKU_MS MAIN", "INNER JOIN HOJOMST HM ON (MAIN.KCODE=HM.KCODE AND MAIN.HCODE=HM.HCODE)",
            "WHERE (HM.KCODE=:KCODE)"};
        if (!w2_.sql.empty())
            lines.push_back("AND " + w2_.sql);
        lines.push_back("GROUP BY MAIN.HCODE,MAIN.MNUM,HM.HNAME");
        lines.push_back("ORDER BY MAIN.HCODE,MAIN.MNUM");
        sub_->setSql(join(lines));
        bind(*sub_, w2_.binds);
        sub_->param("KCODE").setString(rec_.kcode);
        sub_->execute();
        int next = 0;
        std::string hcode, hname;
        Months debit{}, credit{};
        bool open = false;
        auto complete = [&] {
            if (open)
                subAccountDone(b, hcode, hname, debit, credit, next);
            open = false;
        };
        while (sub_->fetch()) {
            std::string code = sub_->field("HCODE").asString();
            if (TrimZenSpace(code).empty())
                code = " ";
            if (!open || code != hcode) {
                complete();
                hcode = code;
                hname = sub_->field("HNAME").asString();
                debit.fill(0);
                credit.fill(0);
                open = true;
            }
            storeMonth(*sub_, debit, credit);
        }
        complete();
    }

    void subAccountDone(TBALANCE& b, const std::string& hcode, const std::string& hname, Months debit,
                        Months credit, int& next)
    {
        Currency open = opening(&hcode, false);
        if (s_.HAIBUN == 1) {
            const bool common = s_.BCODE == "00";
            const double rate = rateAt(openingPeriod());
            open = common ? allocate(open, rate) : open + allocate(opening(&hcode, true), rate);
            allocateMonths(debit, credit, common, &hcode);
        }
        const bool own = hcode == " ";
        THOJOUTIWAKE* entry = nullptr;
        if (firstPass_) {
            if (own) {
                Currency total = open;
                for (int m = 1; m <= 16; ++m)
                    total += debit[static_cast<std::size_t>(m)] + credit[static_cast<std::size_t>(m)];
                if (total == 0)
                    return;
                b.HOJCNT += 1;
                b.HOJO.resize(static_cast<std::size_t>(b.HOJCNT));
            }
            if (next >= b.HOJCNT)
                return;
            entry = &b.HOJO[static_cast<std::size_t>(next++)];
        } else {
            for (auto& e : b.HOJO)
                if (e.HCODE == hcode)
                    entry = &e;
            if (!entry)
                return;
        }
        entry->HCODE = hcode;
        entry->HNAME = own ? b.Account.KNAME : hname;
        entry->KAISIZAN += sign_ * open;
        entry->KAISIZAN2 = entry->KAISIZAN3 = entry->KAISIZAN;
        for (int m = 1; m <= 16; ++m) {
            entry->KAR[m] += debit[static_cast<std::size_t>(m)];
            entry->KAS[m] += credit[static_cast<std::size_t>(m)];
        }
        rebuildBalances(*entry, b.Account.TAISHAKU);
    }

    std::span<TBALANCE> rows_;
    std::span<TQSORT> sorts_;
    TCalcSisanhyoSettingRec s_;
    bool firstPass_;
    bool exactFacility_;
    int first_;
    std::unique_ptr<db::Statement> main_, aux_, sub_;
    Condition scodeCond_, bcodeCond_, w1_, w2_;
    Record rec_;
    Rates rates_{};
    Months debit_{}, credit_{};
    int sign_ = 1;
    int lastUsed_ = 0;
    std::vector<int> lineCounts_ = std::vector<int>(rows_.size() + 1, 0);
};

void clearAmounts(std::span<TBALANCE> rows)
{
    for (auto& r : rows) {
        r.KAISIZAN = r.KAISIZAN2 = r.KAISIZAN3 = 0;
        r.KAR.fill(0);
        r.KAS.fill(0);
        for (int k = 0; k <= 16; ++k)
            r.ZOUGEN[k] = r.ZAN[k] = 0;
        for (auto& e : r.HOJO) {
            e.KAISIZAN = e.KAISIZAN2 = e.KAISIZAN3 = 0;
            e.KAR.fill(0);
            e.KAS.fill(0);
            for (int k = 0; k <= 16; ++k)
                e.ZOUGEN[k] = e.ZAN[k] = 0;
        }
    }
}

std::vector<std::string> codesOf(db::Statement& st, const std::string& sql, const char* param,
                                 const std::string& value)
{
    st.setSql(sql);
    if (param)
        st.param(param).setString(value);
    st.execute();
    std::vector<std::string> codes;
    while (st.fetch())
        codes.push_back(st.field(0).asString());
    return codes;
}

} // namespace

int CalcCustomScope(std::span<TBALANCE> balances, std::span<TQSORT> sorts, const TCalcSisanhyoSettingRec& setting,
                    bool& overflow)
{
    const int last = ScopeComputation(balances, sorts, setting, true).run(overflow);
    if (setting.HAIBUN != 1 || setting.SCOPE != 6)
        return last;
    clearAmounts(balances);
    auto st = CreateAccSql(kAccDat, 1);
    if (!st)
        return last;
    // The general edition's only facility is the blank one, which a
    // condition SCODE<>'' would drop (blanks compare equal to '').
    const auto facilities = codesOf(*st, join({"SELECT SCODE FROM SISETUMST", "WHERE (BUMEX=1)", "ORDER BY SCODE"}),
                                    nullptr, "");
    const auto departments = codesOf(*st, join({"SELECT BCODE FROM GROUPLIST", "WHERE (GCODE=:GCODE) AND (BCODE<>'')",
                                                "ORDER BY BCODE"}),
                                     "GCODE", setting.BCODE);
    for (const auto& facility : facilities)
        for (const auto& department : departments) {
            TCalcSisanhyoSettingRec one = setting;
            one.SCODE = facility;
            one.SCODEKBN = 1;
            one.BCODE = department;
            one.BCODEKBN = 1;
            bool ignored = false;
            ScopeComputation(balances, sorts, one, false).run(ignored);
        }
    return last;
}

} // namespace vq
