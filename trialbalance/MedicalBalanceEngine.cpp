#include "trialbalance/MedicalBalanceEngine.h"

#include <cstdio>
#include <optional>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/app/AccInf.h"
#include "foundation/calendar/FiscalCalendar.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/MsdHoukoku.h"
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

namespace {

constexpr int LastTotalRow = 60;
constexpr int LastSummedRow = 53;
constexpr const char* MedicalTotalNameCodes[] = {"3480", "6950", "7300", "8300", "9280", "9380", "9600"};

bool blank(const std::string& text) { return TrimZenSpace(text).empty(); }

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Kinds 2 and 4 route accounts by their second grouping (GROUP3).
bool secondGrouping(int jigyou) { return jigyou == 2 || jigyou == 4; }

bool knownKind(int jigyou)
{
    return jigyou == 0 || jigyou == 1 || jigyou == 2 || jigyou == 4 || jigyou == 8 || jigyou == 16 || jigyou == 255;
}

const std::string& routingCode(const TBALANCE& r, bool second) { return second ? r.Account.GROUP3 : r.Account.GROUP1; }

// ---- Loading ----------------------------------------------------------------------

class MedicalLoader {
public:
    MedicalLoader(std::span<TBALANCE> rows, std::span<TQSORT> sorts, const BalanceLoadArgs& args, db::Statement& q)
        : rows_(rows), sorts_(sorts), a_(args), jigyou_(args.Jigyou), q_(q)
    {
    }

    void run()
    {
        InitBalanceArrays(rows_, sorts_);
        totalRows();
        readByLayout();
        if (a_.Layout == 4)
            for (int p = 0; p <= 16; ++p)
                CalcPeriodTotalsMedical(rows_, p, jigyou_);
        if (a_.Layout != 1 && a_.Layout != 2)
            key(17) = HiddenSortKey;
        sortKeys(sorts_, 1, lastRow_);
    }

    bool overflow() const { return overflow_; }

private:
    TBALANCE& row(int r) { return rows_[static_cast<std::size_t>(r)]; }
    std::string& key(int r) { return sorts_[static_cast<std::size_t>(r)].SKEY; }
    int high() const { return static_cast<int>(rows_.size()) - 1; }

    void totalRows()
    {
        const int l = a_.Layout;
        const int s = a_.Scope;
        if (l == 3 || (l == 0 && (s == 0 || s == 5 || s == 6))) {
            loadTotalRows(0, 2, l == 0 && (s == 6 || (s == 0 && !blank(a_.BCode))));
            kindTotals(s == 5);
        } else if (l == 4) {
            loadTotalRows(0, 2, false);
            kindTotals(false);
        } else {
            if (jigyou_ == 0)
                jigyou_ = facilityJigyou(a_.Code);
            loadTotalRows(jigyou_, a_.Keskubun, s == 3 || s == 4);
        }
    }

    void loadTotalRows(int tableKind, int keskubun, bool hideBottom)
    {
        const int bit = (tableKind == 1 || tableKind == 2 || tableKind == 4 || tableKind == 8) ? tableKind : 16;
        q_.setSql("SELECT * FROM ACCTOTALNAME WHERE :BIT=BIN_AND( MB_JIGYOU, :BIT ) ORDER BY KGROUP ");
        q_.param("BIT").setInt(bit);
        q_.execute();
        const bool zaidan = IsZaidanSyakaiTokutei();
        const bool kikin = HasKikin();
        while (q_.fetch()) {
            const int n = q_.field("ARRAYNUM").asInt();
            if (n < 0 || n > LastTotalRow || n > high())
                continue;
            TBALANCE& r = row(n);
            const std::string group = q_.field("KGROUP").asString();
            r.Account.GROUP1 = r.Account.GROUP2 = r.Account.GROUP3 = r.Account.GROUP4 = group;
            r.Account.KCODE.clear();
            r.Account.KNAME = q_.field("PLUSNAME").asString();
            const int k = q_.field("KESKUBUN").asInt();
            if (k == 0 || k == keskubun) {
                r.Account.BSPL = group < "4000" ? "B" : "P";
                sorts_[static_cast<std::size_t>(n)] = TQSORT{group, n};
                if ((tableKind == 0 || tableKind == 255) && group != "4180") {
                    r.Account.KNAME = replaceAll(replaceAll(r.Account.KNAME, "医業", "事業"), "臨時", "特別");
                    if (group == "4480")
                        r.Account.KNAME = "その他事業収益合計";
                }
            }
            if (group == "3180")
                r.Account.KNAME = zaidan ? "出資金合計" : (kikin ? "基金合計" : "出資金合計");
            else if (group == "3800")
                r.Account.KNAME = "純資産の部合計";
            else if (group == "3900")
                r.Account.KNAME = "負債純資産の部合計";
        }
        if (keskubun == 2)
            key(1) = HiddenSortKey;
        row(18).Account.GROUP1 = row(18).Account.GROUP3 = "3460";
        row(32).Account.GROUP1 = row(32).Account.GROUP3 = "4800";
        row(39).Account.GROUP1 = "6780";
        if (hideBottom)
            for (int n = 46; n <= 53; ++n) {
                key(n) = HiddenSortKey;
                row(n).Account.GROUP1.clear();
                row(n).Account.GROUP2.clear();
                row(n).Account.KNAME.clear();
            }
    }

    int countOf(const char* sql, int kind, const std::string* group)
    {
        q_.setSql(sql);
        q_.param("KIND").setInt(kind);
        if (group)
            q_.param("GCODE").setString(*group);
        q_.execute();
        const int n = q_.fetch() ? q_.field(0).asInt() : 0;
        q_.close();
        return n;
    }

    // The totals of business kinds without a facility (in the group, for a
    // facility-group scope) are hidden, and the total of all kinds unless
    // two kinds show.
    void kindTotals(bool ofGroup)
    {
        const int kinds[4][2] = {{26, 8}, {28, 4}, {30, 2}, {31, 1}};
        int shown = 0;
        for (const auto& [r, kind] : kinds) {
            const int n = ofGroup
                              ? countOf("SELECT COUNT(*) FROM SISETUMST WHERE MB_JIGYOU=:KIND AND (SCODE IN ( SELECT "
                                        "G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE=:GCODE )) ",
                                        kind, &a_.Code)
                              : countOf("SELECT COUNT(*) FROM SISETUMST WHERE MB_JIGYOU=:KIND", kind, nullptr);
            if (n == 0)
                key(r) = HiddenSortKey;
            if (key(r) != HiddenSortKey)
                ++shown;
        }
        if (shown < 2)
            key(32) = HiddenSortKey;
    }

    int facilityJigyou(const std::string& facility)
    {
        q_.setSql("SELECT MB_JIGYOU FROM SISETUMST WHERE SCODE=:SCODE ");
        q_.param("SCODE").setString(facility);
        q_.execute();
        const int j = q_.fetch() ? q_.field("MB_JIGYOU").asInt() : 0;
        q_.close();
        return j;
    }

    std::vector<std::string> groupDepartmentsOfFacility()
    {
        q_.setSql("SELECT BCODE FROM GROUPLIST WHERE GCODE=:GCODE AND ( BCODE IN (SELECT BCODE FROM SISETUBUM WHERE "
                  "SCODE=:SCODE)) ");
        q_.param("GCODE").setString(a_.BCode);
        q_.param("SCODE").setString(a_.Code);
        q_.execute();
        std::vector<std::string> codes;
        while (q_.fetch())
            codes.push_back(q_.field("BCODE").asString());
        return codes;
    }

    void bindAll()
    {
        for (const auto& name : q_.paramNames()) {
            if (name == "TAX")
                q_.param(name).setInt(a_.Tax);
            else if (name == "JIGYOU")
                q_.param(name).setInt(jigyou_);
            else if (name == "SCODE" || name == "GCODE")
                q_.param(name).setString(a_.Code);
            else if (name == "BCODE")
                q_.param(name).setString(a_.BCode);
            else if (name == "HAIBUN")
                q_.param(name).setInt(a_.Haibun);
        }
    }

    void statement(const char* sql)
    {
        q_.setSql(sql);
        bindAll();
        read();
    }

    void departmentGroup(const char* sql)
    {
        for (const auto& department : groupDepartmentsOfFacility()) {
            q_.setSql(sql);
            bindAll();
            q_.param("BCODE").setString(department);
            read();
            merging_ = true;
        }
    }

    // A later department of a group adds into the row of the same account
    // (line), whatever its place in that department's result.
    int loadedRowOf(int last)
    {
        const bool byLine = a_.Layout != 0;
        const std::string kcode = byLine ? std::string() : col("KCODE").asString();
        const int mstrec = byLine ? col("MSTREC").asInt() : 0;
        for (int i = MedicalFirstAccountRow; i <= last; ++i) {
            const TBALANCE& b = row(i);
            if (byLine ? b.MSTREC == mstrec && !b.Account.KCODE.empty() : b.Account.KCODE == kcode)
                return i;
        }
        return -1;
    }

    void readByLayout()
    {
        const bool dept = !blank(a_.BCode);
        const int s = a_.Scope;
        if (a_.Layout >= 0 && a_.Layout <= 4 && s == 6) {
            TCalcSisanhyoSettingRec setting;
            setting.BCODE = a_.BCode;
            setting.SCOPE = s;
            setting.TAX = a_.Tax;
            setting.HAIBUN = a_.Haibun;
            setting.LAYOUT = a_.Layout;
            setting.KESKUBUN = a_.Keskubun;
            setting.ZENTAX = -1;
            lastRow_ = CalcCustomScope(rows_, sorts_, setting, overflow_);
            return;
        }
        switch (a_.Layout) {
        case 0:
            switch (s) {
            case 0:
                statement(dept ? "SELECT * FROM SP_SISANHYO_BUMONGOKEI( :TAX, :BCODE, 0 ) "
                               : "SELECT * From SP_SISANHYO( '' ,:TAX,0 ) ");
                break;
            case 1:
                statement(dept ? "SELECT * FROM SP_SISANHYO_BUMONGOKEI( :TAX, :BCODE, :JIGYOU ) "
                               : "SELECT * From SP_SISANHYO( '' ,:TAX ,:JIGYOU ) ");
                break;
            case 2: statement("SELECT * From SP_SISANHYO_SISETU( :SCODE, :TAX ) "); break;
            case 3: statement("SELECT * From SP_SISANHYO_BUMON( :SCODE, :BCODE ,:TAX, :HAIBUN ) "); break;
            case 4: departmentGroup("SELECT * From SP_SISANHYO_BUMON( :SCODE, :BCODE ,:TAX, :HAIBUN ) "); break;
            case 5: statement("SELECT * FROM SP_SISANHYO_GROUP( :GCODE ,:TAX) "); break;
            default: break;
            }
            break;
        case 1:
            switch (s) {
            case 1:
                statement(dept ? "SELECT * FROM SP_SISANHYO_JIGYOBETUBUMON_A4( :TAX, :BCODE, :JIGYOU ) "
                               : "SELECT * From SP_SISANHYO_A4( '' , :TAX, :JIGYOU ) ");
                break;
            case 2: statement("SELECT * From SP_SISANHYO_A4( :SCODE, :TAX ,0 ) "); break;
            case 3: statement("SELECT * From SP_SISANHYO_BUMON_A4( :SCODE, :BCODE ,:TAX, :HAIBUN ) "); break;
            case 4: departmentGroup("SELECT * From SP_SISANHYO_BUMON_A4(:SCODE, :BCODE ,:TAX, :HAIBUN ) "); break;
            default: break;
            }
            break;
        case 2:
            switch (s) {
            case 1:
                statement(dept ? "SELECT * FROM SP_SISANHYO_JIGYOBETUBUMON_A3( :TAX, :BCODE, :JIGYOU )"
                               : "SELECT * From SP_SISANHYO_A3( '' ,:TAX,:JIGYOU  ) ");
                break;
            case 2: statement("SELECT * From SP_SISANHYO_A3( :SCODE, :TAX, 0 ) "); break;
            case 3: statement("SELECT * From SP_SISANHYO_BUMON_A3( :SCODE, :BCODE ,:TAX, :HAIBUN) "); break;
            case 4: departmentGroup("SELECT * From SP_SISANHYO_BUMON_A3( :SCODE, :BCODE ,:TAX, :HAIBUN ) "); break;
            default: break;
            }
            break;
        case 3:
            switch (s) {
            case 0:
                statement(dept ? "SELECT * FROM SP_SISANHYO_BUMONGOKEI_KS( :TAX ,:BCODE )"
                               : "SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '','' ,:TAX , 0, 0)");
                break;
            case 1: statement("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '','' ,:TAX ,:JIGYOU, 0) "); break;
            case 2: statement("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( :SCODE, '', :TAX ,0, 0) "); break;
            case 5: statement("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '', :GCODE ,:TAX ,0, 0) "); break;
            default: break;
            }
            break;
        case 4:
            switch (s) {
            case 0: statement("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '','',:TAX ,0 ,0 )"); break;
            case 1: statement("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '', :SCODE,:TAX ,:JIGYOU , 1 ) "); break;
            case 2: statement("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( :SCODE,'' ,:TAX ,0, 1 ) "); break;
            case 5: statement("SELECT * FROM SP_SISETUHIKAKU_SISANHYO( '', :SCODE ,:TAX ,0, 1) "); break;
            default: break;
            }
            break;
        default:
            break;
        }
    }

    void groupCodes(TKMKREC& acc)
    {
        if (a_.Layout == 3 || a_.Layout == 4) {
            const std::string g = col("GROUPM3").asString();
            acc.GROUP1 = acc.GROUP2 = acc.GROUP3 = acc.GROUP4 = g;
            return;
        }
        if (secondGrouping(jigyou_)) {
            acc.GROUP1 = acc.GROUP3 = col("GROUPR1").asString();
            acc.GROUP2 = acc.GROUP4 = col("GROUPR2").asString();
        } else if (jigyou_ == 0 || jigyou_ == 1 || jigyou_ == 8 || jigyou_ == 16 || jigyou_ == 255) {
            acc.GROUP1 = acc.GROUP3 = col("GROUPM1").asString();
            acc.GROUP2 = acc.GROUP4 = col("GROUPM2").asString();
        } else {
            acc.GROUP1.clear();
            acc.GROUP2.clear();
            acc.GROUP3.clear();
            acc.GROUP4.clear();
        }
    }

    void read()
    {
        if (overflow_)
            return;
        const bool zaidan = IsZaidanSyakaiTokutei();
        const bool kikin = HasKikin();
        q_.execute();
        cols_.emplace(q_);
        int r = merging_ ? lastRow_ : LastTotalRow;
        bool have = q_.fetch();
        while (have) {
            int target = merging_ ? loadedRowOf(r) : -1;
            if (target < 0) {
                if (r + 1 > high()) {
                    overflow_ = true;
                    break;
                }
                target = ++r;
            }
            TBALANCE& b = row(target);
            TKMKREC& acc = b.Account;
            groupCodes(acc);
            acc.USERCODE = col("USERCODE").asString();
            acc.KCODE = col("KCODE").asString();
            acc.KNAME = col("KNAME").asString();
            acc.BSPL = col("BSPL").asString();
            acc.TAISHAKU = col("TAISHAKU").asInt();
            if (acc.GROUP1 == "3110" && !zaidan && acc.KNAME == "資本金")
                acc.KNAME = kikin ? "基金" : "出資金";
            int subs = 0;
            if (a_.Layout == 0) {
                subs = col("HOJCNT").asInt();
            } else {
                b.MSTREC = col("MSTREC").asInt();
                b.SUBREC = col("SUBREC").asInt();
            }
            b.KAISIZAN += q_.field(cols_->kaisizan).asCurrency();
            b.KAISIZAN2 = b.KAISIZAN3 = b.KAISIZAN;
            for (int k = 1; k <= 16; ++k) {
                b.KAR[k] += q_.field(cols_->kar[static_cast<std::size_t>(k)]).asCurrency();
                b.KAS[k] += q_.field(cols_->kas[static_cast<std::size_t>(k)]).asCurrency();
            }
            rebuildBalances(b, acc.TAISHAKU);
            sorts_[static_cast<std::size_t>(target)] = TQSORT{
                a_.Layout == 0 ? acc.GROUP1 + PadRightSjis(acc.USERCODE, 4) : lineKey(acc.GROUP2, b.SUBREC), target};
            have = q_.fetch();
            if (a_.Layout == 0 && subs > 0 && have)
                have = readSubAccounts(b, subs);
        }
        q_.close();
        lastRow_ = std::max(lastRow_, r);
    }

    bool readSubAccounts(TBALANCE& b, int count)
    {
        if (b.HOJCNT == 0) {
            if (blank(col("HCODE").asString()))
                ++count;
            b.HOJCNT = count;
            b.HOJO.assign(static_cast<std::size_t>(count), THOJOUTIWAKE{});
        }
        bool have = true;
        for (int j = 0; j < b.HOJCNT; ++j) {
            if (!have || col("KCODE").asString() != b.Account.KCODE) {
                b.HOJCNT = j;
                b.HOJO.resize(static_cast<std::size_t>(j));
                break;
            }
            THOJOUTIWAKE& e = b.HOJO[static_cast<std::size_t>(j)];
            e.HCODE = col("HCODE").asString();
            e.HNAME = col("HNAME").asString();
            e.KAISIZAN += q_.field(cols_->kaisizan).asCurrency();
            e.KAISIZAN2 = e.KAISIZAN3 = e.KAISIZAN;
            for (int k = 1; k <= 16; ++k) {
                e.KAR[k] += q_.field(cols_->kar[static_cast<std::size_t>(k)]).asCurrency();
                e.KAS[k] += q_.field(cols_->kas[static_cast<std::size_t>(k)]).asCurrency();
            }
            rebuildBalances(e, b.Account.TAISHAKU);
            have = q_.fetch();
        }
        return have;
    }

    db::Field col(const std::string& name) { return q_.field((*cols_)[name]); }

    std::span<TBALANCE> rows_;
    std::span<TQSORT> sorts_;
    const BalanceLoadArgs& a_;
    int jigyou_;
    db::Statement& q_;
    int lastRow_ = 0;
    bool overflow_ = false;
    bool merging_ = false;  // a later department of a group is being read
    std::optional<ResultColumns> cols_;
};

// ---- Computation --------------------------------------------------------------------

enum class FormulaKind { Sum, Difference };

struct Term {
    int row;
    int sign;
};

struct Formula {
    int target;
    std::vector<Term> terms;
    FormulaKind kind;
};

const std::vector<Formula>& formulas()
{
    using K = FormulaKind;
    static const std::vector<Formula> table = {
        {2, {{2, 1}, {1, 1}}, K::Sum},
        {5, {{2, 1}, {3, 1}, {4, 1}}, K::Sum},
        {9, {{6, 1}, {7, 1}, {8, 1}}, K::Sum},
        {11, {{5, 1}, {9, 1}, {10, 1}}, K::Sum},
        {14, {{12, 1}, {13, 1}}, K::Sum},
        {19, {{11, 1}, {14, -1}, {15, -1}, {16, -1}, {17, -1}, {18, -1}, {22, -1}}, K::Difference},
        {21, {{17, 1}, {18, 1}, {19, 1}}, K::Sum},
        {23, {{15, 1}, {16, 1}, {21, 1}, {22, 1}}, K::Sum},
        {24, {{14, 1}, {23, 1}}, K::Sum},
        {26, {{25, 1}, {26, 1}}, K::Sum},
        {28, {{27, 1}, {28, 1}}, K::Sum},
        {30, {{29, 1}, {30, 1}}, K::Sum},
        {32, {{26, 1}, {28, 1}, {30, 1}, {31, 1}}, K::Sum},
        {41, {{33, 1}, {34, 1}, {35, 1}, {36, 1}, {37, 1}, {38, 1}, {39, 1}, {40, 1}}, K::Sum},
        {42, {{32, 1}, {41, -1}}, K::Difference},
        {45, {{42, 1}, {43, 1}, {44, -1}}, K::Difference},
        {48, {{45, 1}, {46, 1}, {47, -1}}, K::Difference},
        {49, {{48, 1}, {49, -1}}, K::Difference},
        {50, {{49, 1}, {50, 1}}, K::Difference},
        {53, {{50, 1}, {51, 1}, {52, -1}}, K::Difference},
    };
    return table;
}

Currency ratioBaseRowOf(const std::string& code)
{
    const long value = std::strtol(code.c_str(), nullptr, 10);
    if (value >= 1000 && value <= 1900)
        return 11;
    if (value >= 2000 && value <= 3900)
        return 24;
    if (value >= 4000 && value <= 9500)
        return 32;
    return -1;
}

class MedicalCalc {
public:
    MedicalCalc(std::span<TBALANCE> rows, int jigyou) : rows_(rows), jigyou_(jigyou) {}

    bool range(const BalancePeriodArgs& a)
    {
        if (!knownKind(jigyou_))
            ShowCommaMessage("事業区分の設定が必要です。", platform::MessageKind::Error);
        const bool second = secondGrouping(jigyou_);
        if (a.FromPeriod < 1 && a.Kind == 0)
            ShowCommaMessage(PeriodRangeMessage(a.FromPeriod, a.ToPeriod), platform::MessageKind::Error);
        int from = a.FromPeriod;
        int to = a.ToPeriod;
        if (const auto r = PeriodRangeOfKind(a.Kind)) {
            from = r->from;
            to = r->to;
        }
        if (a.Kind > 0) {
            const int c = MonthToColumnNo(GetSimeMonthCount(AccInf.SIME, AccInf.KISHU, AccInf.KIMATU));
            if (c < to)
                to = 16;
        }
        for (int i = 0; i < size(); ++i) {
            TBALANCE& r = row(i);
            r.ZENZAN = r.KARSUM = r.KASSUM = r.TOUZAN = r.KOUSEI = r.ZENNEN = 0;
            for (auto& e : r.HOJO)
                e.ZENZAN = e.KARSUM = e.KASSUM = e.TOUZAN = 0;
        }
        accounts(a, from, to);
        if (a.Kind == 2 || a.Kind == 3 || a.Kind == 4 || a.Kind == 6 || a.Kind == 7)
            restartProfit(a.Kind, from);
        closings();
        totals(second);
        rangeFormulas();
        return namesAndRatios(second);
    }

    void period(int p)
    {
        const bool second = secondGrouping(jigyou_);
        for (int i = 0; i <= std::min(LastTotalRow, size() - 1); ++i) {
            TBALANCE& r = row(i);
            r.KAISIZAN2 = 0;
            if (p == 16)
                r.KAISIZAN3 = r.KAISIZAN4 = r.KAISIZAN5 = 0;
            if (i <= LastSummedRow) {
                r.ZAN[p] = 0;
                r.ZOUGEN[p] = 0;
            }
        }
        std::string previous = "1000";
        for (int t = 1; t <= LastSummedRow; ++t) {
            TBALANCE& total = row(t);
            if (total.Account.GROUP1.empty())
                continue;
            const std::string& upper = routingCode(total, second);
            for (int i = MedicalFirstAccountRow; i < size(); ++i) {
                const TBALANCE& acc = row(i);
                const std::string& code = routingCode(acc, second);
                if (!(code > previous && code < upper))
                    continue;
                const int sign = totalSign(acc.Account.TAISHAKU);
                total.ZAN[p] += sign * acc.ZAN[p];
                total.ZOUGEN[p] += sign * acc.ZOUGEN[p];
                total.KAISIZAN2 += sign * acc.KAISIZAN2;
                if (p == 16) {
                    total.KAISIZAN3 += sign * acc.KAISIZAN3;
                    total.KAISIZAN4 += sign * acc.KAISIZAN4;
                    total.KAISIZAN5 += sign * acc.KAISIZAN5;
                }
                total.Account.TAISHAKU = acc.Account.TAISHAKU;
            }
            previous = total.Account.GROUP1;
        }
        for (const auto& f : formulas()) {
            Currency zan = 0, zougen = 0;
            for (const auto& term : f.terms) {
                zan += term.sign * row(term.row).ZAN[p];
                zougen += term.sign * row(term.row).ZOUGEN[p];
            }
            row(f.target).ZAN[p] = zan;
            row(f.target).ZOUGEN[p] = zougen;
        }
        row(20).ZAN[p] = row(49).ZAN[p];
        row(20).ZOUGEN[p] = row(49).ZOUGEN[p];
        for (int i = 0; i < size(); ++i) {
            TBALANCE& r = row(i);
            const Currency base = ratioBaseRowOf(r.Account.GROUP1);
            if (base < 0 || row(static_cast<int>(base)).ZAN[p] == 0)
                continue;
            r.ZANKOUSEI[p] = ZeroRatioOutOfRange(RatioToPercent(
                static_cast<double>(r.ZAN[p]) / static_cast<double>(row(static_cast<int>(base)).ZAN[p])));
        }
    }

private:
    int size() const { return static_cast<int>(rows_.size()); }
    TBALANCE& row(int r) { return rows_[static_cast<std::size_t>(r)]; }

    void accounts(const BalancePeriodArgs& a, int from, int to)
    {
        const bool sameBalance = a.Kind == 0 || a.Kind == 1 || a.Kind == 5;
        accumulatePeriodRange(rows_, MedicalFirstAccountRow, a.ZeroOpening == 1, sameBalance, from, to);
    }

    void restartProfit(int kind, int from)
    {
        Currency assets = 0, liabilities = 0;
        const bool zero = kind != 7 || (AccInf.KAISINO == 1 && from > 1) || (AccInf.KAISINO != 1 && AccInf.KAISINO < from);
        for (int i = MedicalFirstAccountRow; i < size(); ++i) {
            TBALANCE& r = row(i);
            const std::string& g = r.Account.GROUP1;
            const int t = r.Account.TAISHAKU;
            if (g < "2000")
                assets += (t == 1 || t == 4) ? r.ZENZAN : -r.ZENZAN;
            else if (g < "4000")
                liabilities += (t == 3 || t == 2) ? r.ZENZAN : -r.ZENZAN;
            if (r.Account.BSPL == "P" && zero)
                r.ZENZAN = 0;
        }
        // The retained earnings are counted in the liabilities side, so the
        // difference is only the profit since the opening: it is added to
        // what was carried forward, not put in its place.
        row(findAccountRow(AccInf.SysKCode[SysKurikosiRieki])).ZENZAN += assets - liabilities;
    }

    int findAccountRow(const std::string& code)
    {
        if (code.empty())
            return 0;
        for (int i = MedicalFirstAccountRow; i < size(); ++i)
            if (row(i).Account.KCODE == code)
                return i;
        return 0;
    }

    void closings()
    {
        for (int i = MedicalFirstAccountRow; i < size(); ++i) {
            TBALANCE& r = row(i);
            const int t = r.Account.TAISHAKU;
            r.TOUZAN = r.ZENZAN + netMovement(t, r.KARSUM, r.KASSUM);
            for (auto& e : r.HOJO) {
                e.TOUZAN = e.ZENZAN + netMovement(t, e.KARSUM, e.KASSUM);
                e.KOUSEI = r.TOUZAN == 0 ? 0
                                         : clampPercent(RatioToPercent(static_cast<double>(e.TOUZAN) /
                                                                       static_cast<double>(r.TOUZAN)));
            }
        }
    }

    void totals(bool second)
    {
        std::string previous = "1000";
        for (int t = 1; t <= LastSummedRow && t < size(); ++t) {
            TBALANCE& total = row(t);
            total.KMKCNT = 0;
            if (total.Account.GROUP1.empty())
                continue;
            const std::string& upper = routingCode(total, second);
            for (int i = MedicalFirstAccountRow; i < size(); ++i) {
                const TBALANCE& acc = row(i);
                const std::string& code = routingCode(acc, second);
                if (!(code > previous && code < upper))
                    continue;
                total.KMKCNT += 1;
                total.KARSUM += acc.KARSUM;
                total.KASSUM += acc.KASSUM;
                total.Account.TAISHAKU = acc.Account.TAISHAKU;
                const int sign = totalSign(acc.Account.TAISHAKU);
                total.ZENZAN += sign * acc.ZENZAN;
                total.TOUZAN += sign * acc.TOUZAN;
                const int t2 = acc.Account.TAISHAKU;
                total.ZENNEN += (t2 == 2 || t2 == 4) ? -acc.ZENNEN : acc.ZENNEN;
            }
            previous = total.Account.GROUP1;
        }
    }

    void rangeFormulas()
    {
        for (const auto& f : formulas()) {
            if (f.target == 26 || f.target == 28 || f.target == 30)
                row(f.target).KMKCNT += row(f.target - 1).KMKCNT;
            Currency zenzan = 0, karsum = 0, kassum = 0, touzan = 0;
            for (const auto& term : f.terms) {
                const TBALANCE& src = row(term.row);
                zenzan += term.sign * src.ZENZAN;
                karsum += term.sign * src.KARSUM;
                kassum += term.sign * src.KASSUM;
                touzan += term.sign * src.TOUZAN;
            }
            TBALANCE& t = row(f.target);
            t.ZENZAN = zenzan;
            t.TOUZAN = touzan;
            if (f.kind == FormulaKind::Sum) {
                t.KARSUM = karsum;
                t.KASSUM = kassum;
            } else {
                t.KARSUM = 0;
                t.KASSUM = t.TOUZAN - t.ZENZAN;
            }
        }
        TBALANCE& r20 = row(20);
        const TBALANCE& r49 = row(49);
        r20.ZENZAN = r49.ZENZAN;
        r20.KARSUM = r49.KARSUM;
        r20.KASSUM = r49.KASSUM;
        r20.TOUZAN = r49.TOUZAN;
        row(54).TOUZAN = row(49).TOUZAN - row(45).TOUZAN - row(46).TOUZAN;
    }

    bool namesAndRatios(bool second)
    {
        bool sound = true;
        std::unique_ptr<db::Statement> q;
        for (int i = 0; i < size(); ++i) {
            TBALANCE& r = row(i);
            if (isSignNamed(r.Account.GROUP1))
                sound = rename(q, r) && sound;
            const Currency base = ratioBaseRowOf(routingCode(r, second));
            if (base < 0)
                continue;
            const Currency baseAmount = row(static_cast<int>(base)).TOUZAN;
            if (baseAmount != 0)
                r.KOUSEI = clampPercent(
                    RatioToPercent(static_cast<double>(r.TOUZAN) / static_cast<double>(baseAmount)));
        }
        return sound;
    }

    static bool isSignNamed(const std::string& code)
    {
        for (const char* c : MedicalTotalNameCodes)
            if (code == c)
                return true;
        return false;
    }

    bool rename(std::unique_ptr<db::Statement>& q, TBALANCE& r)
    {
        if (!DM)
            return true;
        db::TransactionScope scope(DM->IBTransactionDAT);
        try {
            if (!q)
                q = CreateAccQuery(kAccDat, false);
            if (!q)
                return true;
            q->setSql("SELECT PLUSNAME,MINUSNAME,MODIFY FROM ACCTOTALNAME WHERE (BIN_AND( MB_JIGYOU,:JIGYOU)=:JIGYOU ) "
                      "AND (KGROUP=:KGROUP)");
            q->param("JIGYOU").setInt(jigyou_);
            q->param("KGROUP").setString(r.Account.GROUP1);
            q->execute();
            if (q->fetch()) {
                if (q->field("MODIFY").asInt() == 1) {
                    std::string name = q->field(r.TOUZAN >= 0 ? "PLUSNAME" : "MINUSNAME").asString();
                    if (jigyou_ == 0 || jigyou_ == 255)
                        name = replaceAll(name, "医業", "事業");
                    r.Account.KNAME = name;
                } else {
                    r.Account.KNAME = q->field("PLUSNAME").asString();
                }
            }
            q->close();
            scope.commit();
            return true;
        } catch (const db::DbError& e) {
            if (e.errorCode() != 0)
                ReportFbError(e, "合計名称読込");
            else
                ShowCommaMessage(std::string("合計名称読込,") + e.message(), platform::MessageKind::Error);
            return false;
        }
    }

    std::span<TBALANCE> rows_;
    int jigyou_;
};

} // namespace

Currency ZeroRatioOutOfRange(Currency x)
{
    return (x > PercentUpper || x < PercentLower) ? 0 : x;
}

void CalcPeriodTotalsMedical(std::span<TBALANCE> balances, int p, int jigyou)
{
    if (p < 0 || p > 16 || balances.size() <= static_cast<std::size_t>(LastTotalRow))
        return;
    MedicalCalc(balances, jigyou).period(p);
}

bool MedicalBalanceEngine::LoadTrialBalance(std::span<TBALANCE> balances, std::span<TQSORT> sorts,
                                            const BalanceLoadArgs& args)
{
    if (balances.size() <= static_cast<std::size_t>(LastTotalRow))
        return false;
    return RunBalanceLoad([&](db::Statement& q) {
        MedicalLoader loader(balances, sorts, args, q);
        loader.run();
        return !loader.overflow();
    });
}

bool MedicalBalanceEngine::CalcBalancePeriods(std::span<TBALANCE> balances, const BalancePeriodArgs& args)
{
    if (balances.size() <= static_cast<std::size_t>(LastTotalRow))
        return false;
    return MedicalCalc(balances, args.Jigyou).range(args);
}

} // namespace vq
