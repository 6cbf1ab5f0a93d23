// The trial balances on the sample office's data sets: the general business
// (0001) given departments with a common department, and the medical
// corporation (0004). The custom scope must come out as the department
// procedures do, the medical quarters carry the profit forward, and a range
// from the opening is computed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "BalanceDataSetFixture.h"
#include "foundation/calendar/DayNumber.h"
#include "platform/Process.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#if !defined(VQ_MAKE_SAMPLE_OFFICE) || !defined(VQ_SAMPLE_OFFICE)
#error "VQ_MAKE_SAMPLE_OFFICE and VQ_SAMPLE_OFFICE must name the office maker and the test run's office"
#endif

namespace vq {
namespace {

namespace fs = std::filesystem;
using test::yen;

// Departments for the general business, whose only facility is the blank
// one: the common department 00 and the group G1 of 01 and 02. Cash (1110)
// opens at 10,001 in 00, 50,000 in 01 and 30,000 in 02, written to KAISIZAN
// alone as older data sets hold it; supplies (6210) are bought for cash kept
// without a department: 100,005 by 00 in period 3, 40,000 by 01 in period 5
// and 25,000 by 02 in period 9. 01 takes 30 % and 02 45 % of 00 in every
// period; 00 keeps 25 %. Both accounts sit on one A4 and one A3 line each.
std::string departmentsSql()
{
    std::string sql = R"SQL(
UPDATE ACCDEF1 SET BUMON = 2 WHERE REC = 1;
UPDATE SISETUMST SET BUMEX = 1 WHERE SCODE = ' ';
INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('00', '共通');
INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', '店舗');
INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('02', '外商');
INSERT INTO GROUPMST (GCODE, GNAME) VALUES ('G1', '営業部門');
INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '01');
INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '02');
INSERT INTO EXTERA4 (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '1100', 1, '現金預金');
INSERT INTO EXTERA4 (REC, KGROUP, SUBREC, KNAME1) VALUES (2, '6100', 1, '消耗品');
INSERT INTO EXTERA3 (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '1100', 1, '現金預金');
INSERT INTO EXTERA3 (REC, KGROUP, SUBREC, KNAME1) VALUES (2, '6100', 1, '消耗品');
UPDATE KAMOKUMST SET EXT1_A4 = 1, EXT1_A3 = 1 WHERE KCODE = '1110';
UPDATE KAMOKUMST SET EXT1_A4 = 2, EXT1_A3 = 2 WHERE KCODE = '6210';
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1110', ' ', '00');
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1110', ' ', '01');
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1110', ' ', '02');
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '6210', ' ', '00');
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '6210', ' ', '01');
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '6210', ' ', '02');
UPDATE KAMOKU_SZ SET KAISIZAN = 10001 WHERE KCODE = '1110' AND BCODE = '00';
UPDATE KAMOKU_SZ SET KAISIZAN = 50000 WHERE KCODE = '1110' AND BCODE = '01';
UPDATE KAMOKU_SZ SET KAISIZAN = 30000 WHERE KCODE = '1110' AND BCODE = '02';
UPDATE KAMOKU_SZ SET HAIBUN01 = 25, HAIBUN02 = 25, HAIBUN03 = 25, HAIBUN04 = 25, HAIBUN05 = 25, HAIBUN06 = 25,
  HAIBUN07 = 25, HAIBUN08 = 25, HAIBUN09 = 25, HAIBUN10 = 25, HAIBUN11 = 25, HAIBUN12 = 25, HAIBUN13 = 25,
  HAIBUN14 = 25, HAIBUN15 = 25, HAIBUN16 = 25 WHERE BCODE = '00';
UPDATE KAMOKU_SZ SET HAIBUN01 = 30, HAIBUN02 = 30, HAIBUN03 = 30, HAIBUN04 = 30, HAIBUN05 = 30, HAIBUN06 = 30,
  HAIBUN07 = 30, HAIBUN08 = 30, HAIBUN09 = 30, HAIBUN10 = 30, HAIBUN11 = 30, HAIBUN12 = 30, HAIBUN13 = 30,
  HAIBUN14 = 30, HAIBUN15 = 30, HAIBUN16 = 30 WHERE BCODE = '01';
UPDATE KAMOKU_SZ SET HAIBUN01 = 45, HAIBUN02 = 45, HAIBUN03 = 45, HAIBUN04 = 45, HAIBUN05 = 45, HAIBUN06 = 45,
  HAIBUN07 = 45, HAIBUN08 = 45, HAIBUN09 = 45, HAIBUN10 = 45, HAIBUN11 = 45, HAIBUN12 = 45, HAIBUN13 = 45,
  HAIBUN14 = 45, HAIBUN15 = 45, HAIBUN16 = 45 WHERE BCODE = '02';
)SQL";
    // One purchase of supplies for cash, with the cash kept without a department.
    const struct {
        int entry, period;
        const char* date;
        const char* department;
        long amount;
    } purchases[] = {{9001, 3, "2024-03-10", "00", 100005}, {9002, 5, "2024-04-10", "01", 40000},
                     {9003, 9, "2024-07-10", "02", 25000}};
    for (const auto& p : purchases)
        for (const int side : {1, 2}) {
            const bool debit = side == 1;
            sql += "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, BCODE, KCODE, NUK, R_KCODE, "
                   "KINGAKU) VALUES (" + std::to_string(p.entry * 2 + side) + ", " + std::to_string(p.entry) + ", " +
                   std::to_string(p.entry) + ", " + std::to_string(side) + ", '" + p.date + "', " +
                   std::to_string(p.period) + ", ' ', '" + (debit ? p.department : " ") + "', '" +
                   (debit ? "6210" : "1110") + "', " + std::to_string(p.amount) + ", '" + (debit ? "1110" : "6210") +
                   "', " + std::to_string(p.amount) + ");\n";
        }
    return sql;
}

// The test run makes the office once (a run of this program alone makes it
// when it is missing); each test opens a copy of one of its data sets.
class SampleOfficeBalanceTest : public test::BalanceDataSetFixture {
protected:
    static void SetUpTestSuite()
    {
        if (fs::exists(office()))
            return;
        const auto run = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {office().string()});
        ASSERT_TRUE(run.succeeded()) << run.standardError;
    }

    static fs::path office() { return VQ_SAMPLE_OFFICE; }

    static fs::path dataSet(const std::string& folder)
    {
        for (const auto& e : fs::recursive_directory_iterator(office()))
            if (e.path().filename() == DataDbFileName && e.path().parent_path().filename() == folder)
                return e.path();
        ADD_FAILURE() << "no data set " << folder;
        return {};
    }

    void openGeneral()
    {
        openCopy(dataSet("0001"), departmentsSql(), false);
        AccInf.DATATYPE = 2;
        AccInf.KAISINO = 1;
        AccInf.BUMON = 2;
    }

    void openMedical()
    {
        openCopy(dataSet("0004"), "", true);
        AccInf.DATATYPE = 3;
        AccInf.KAISINO = 1;
        AccInf.SIME = 99;
        AccInf.KISHU = encodeDate(2024, 4, 1);
        AccInf.KIMATU = encodeDate(2025, 3, 31);
        AccInf.SysKCode[SysKurikosiRieki] = "3340";
    }

    Currency sqlAmount(const std::string& sql)
    {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        db::Statement st(dm_.IBDatabaseDAT.attachment(), tr, sql);
        st.execute();
        const Currency v = st.fetch() ? st.field(0).asCurrency() : 0;
        tr.commit();
        return v;
    }

    // The openings of the debit-natured accounts: as stored, and as shown.
    Currency storedDebitOpenings()
    {
        return sqlAmount("SELECT SUM(IIF(K.DAC IN (1, 4), Z.KAISIZAN, 0)) FROM KAMOKU_SZ Z "
                         "JOIN KAMOKUMST K ON K.KCODE = Z.KCODE");
    }
    Currency shownDebitOpenings() const
    {
        Currency sum = 0;
        for (const auto& [key, b] : accountRows())
            if (b->Account.TAISHAKU == 1 || b->Account.TAISHAKU == 4)
                sum += b->ZENZAN;
        return sum;
    }

    // Opening, debits, credits and closing of every account row (or line) of
    // one load computed over the year.
    std::map<std::string, std::string> load(const std::string& bcode, int scope, int layout, int haibun)
    {
        std::map<std::string, std::string> rows;
        EXPECT_TRUE(LoadTrialBalance(balances_, sorts_, "", bcode, 0, scope, layout, 1, haibun, 0, 0));
        EXPECT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
        for (const auto& [key, b] : accountRows())
            rows[key] = std::to_string(b->ZENZAN / CurrencyScale) + "|" + std::to_string(b->KARSUM / CurrencyScale) +
                        "|" + std::to_string(b->KASSUM / CurrencyScale) + "|" +
                        std::to_string(b->TOUZAN / CurrencyScale);
        return rows;
    }
};

// The custom scope of the department group equals the department procedures
// read department by department, with and without the common department's
// share, on the account rows and on the A4 and A3 lines.
TEST_F(SampleOfficeBalanceTest, CustomScopeOfADepartmentGroupMatchesTheDepartmentProcedures)
{
    openGeneral();
    struct Case {
        int layout, haibun;
        const char *cash, *supplies;  // the two rows of the group, from the rows entered above
    };
    const Case cases[] = {
        // Cash: 80,000 opening and nothing moved in the departments.
        // Supplies: 40,000 + 25,000.
        {0, 0, "80000|0|0|80000", "0|65000|0|65000"},
        // Shares of 00: opening 3,000.3 -> 3,000 and 4,500.45 -> 4,500;
        // supplies 30,001.5 -> 30,002 and 45,002.25 -> 45,002.
        {0, 1, "87500|0|0|87500", "0|140004|0|140004"},
        {1, 0, "80000|0|0|80000", "0|65000|0|65000"},
        {1, 1, "87500|0|0|87500", "0|140004|0|140004"},
        {2, 0, "80000|0|0|80000", "0|65000|0|65000"},
        {2, 1, "87500|0|0|87500", "0|140004|0|140004"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("layout " + std::to_string(c.layout) + " allocation " + std::to_string(c.haibun));
        const auto custom = load("G1", 6, c.layout, c.haibun);
        const auto procedures = load("G1", 4, c.layout, c.haibun);
        EXPECT_EQ(custom, procedures);
        const std::string cash = c.layout == 0 ? "1110" : "現金預金";
        const std::string supplies = c.layout == 0 ? "6210" : "消耗品";
        ASSERT_TRUE(custom.contains(cash) && custom.contains(supplies));
        EXPECT_EQ(custom.at(cash), c.cash);
        EXPECT_EQ(custom.at(supplies), c.supplies);
    }
    EXPECT_TRUE(seam_->messages.empty());
}

// The custom scope opens every account with the opening the procedures read,
// as the sample wrote it and after the carry forward rewrote it.
TEST_F(SampleOfficeBalanceTest, CustomScopeOpensWithTheStoredOpenings)
{
    openGeneral();
    struct Case {
        const char* what;
        const char* sql;
    };
    const Case cases[] = {
        {"the sample's openings", nullptr},
        {"carried forward", "SELECT BCOUNT FROM SP_SETHOJOKAISIZAN(0)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.sql)
            sqlAmount(c.sql);
        const auto custom = load("", 6, 0, 0);
        EXPECT_EQ(custom, load("", 0, 0, 0));
        // Every opening of the data set is there.
        EXPECT_NE(shownDebitOpenings(), 0);
        EXPECT_EQ(shownDebitOpenings(), storedDebitOpenings());
    }
}

// A quarter or half-year of the medical corporation starts its retained
// earnings from what was carried forward plus the profit of the periods
// before it; the year's profit line then holds the range's profit alone.
TEST_F(SampleOfficeBalanceTest, MedicalQuartersCarryTheProfitForward)
{
    openMedical();
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 0, 0, 1, 0, 0, 0));
    const Currency carried = sqlAmount("SELECT SUM(KAISIZAN) FROM KAMOKU_SZ WHERE KCODE = '3340'");
    EXPECT_EQ(carried, yen(20200000));
    auto profit = [&](int from, int to) {
        return sqlAmount("SELECT COALESCE(SUM(M.KAS_NUK + M.KAS_TAX - M.KAR_NUK - M.KAR_TAX), 0) FROM KAMOKU_MS M "
                         "JOIN KAMOKUMST K ON K.KCODE = M.KCODE WHERE K.BPFLG = 'P' AND M.MNUM BETWEEN " +
                         std::to_string(from) + " AND " + std::to_string(to));
    };
    struct Case {
        int kind, from, to;
    };
    const Case cases[] = {{1, 1, 4}, {2, 5, 8}, {3, 9, 12}, {4, 13, 16}, {5, 1, 8}, {6, 9, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind));
        ASSERT_TRUE(CalcBalancePeriods(balances_, 0, c.kind, 0, 0, 0));
        const TBALANCE& retained = rowOf("3340");
        EXPECT_EQ(retained.ZENZAN, carried + profit(1, c.from - 1));
        EXPECT_EQ(retained.TOUZAN, retained.ZENZAN);
        const TBALANCE& yearProfit = balances_[19];
        EXPECT_EQ(yearProfit.ZENZAN, 0);
        EXPECT_EQ(yearProfit.TOUZAN, profit(c.from, c.to));
        EXPECT_EQ(balances_[11].ZENZAN, balances_[24].ZENZAN);
        EXPECT_EQ(balances_[11].TOUZAN, balances_[24].TOUZAN);
    }
    // By hand: 2,505,000 of profit a month, three months before period 5.
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, 2, 0, 0, 0));
    EXPECT_EQ(rowOf("3340").ZENZAN, yen(27715000));
    EXPECT_EQ(balances_[19].TOUZAN, yen(7515000));
}

// The medical loader hands the department group to the custom scope on the
// account rows and on the settlement lines alike.
TEST_F(SampleOfficeBalanceTest, MedicalCustomScopeOfADepartmentGroup)
{
    openMedical();
    const Currency debits = sqlAmount("SELECT SUM(KAR_NUK + KAR_TAX) FROM KAMOKU_MS WHERE BCODE IN ('01', '02')");
    ASSERT_NE(debits, 0);
    for (int layout : {0, 3}) {
        SCOPED_TRACE("layout " + std::to_string(layout));
        ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "G1", 0, 6, layout, 1, 0, 0, 0));
        ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
        Currency sum = 0;
        for (const auto& [key, b] : accountRows())
            sum += b->KARSUM;
        EXPECT_EQ(sum, debits);
    }
    EXPECT_TRUE(seam_->messages.empty());
}

// A range from the opening (period 0) is computed from the plain openings
// after the message says so, as the range from period 1 is.
TEST_F(SampleOfficeBalanceTest, RangeFromTheOpeningIsComputed)
{
    for (const bool medical : {false, true}) {
        SCOPED_TRACE(medical ? "medical" : "general");
        if (medical) {
            dm_.CloseAccDat("", 0, 0);
            fs::remove(fs::path(SystemDef.DataDir) / DataDbFileName);
            openMedical();
        } else {
            openGeneral();
        }
        ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 0, 0, 1, 0, 0, 0));
        ASSERT_TRUE(CalcBalancePeriods(balances_, 0, 0, 1, 16, 0));
        std::map<std::string, Currency> closings;
        for (const auto& [key, b] : accountRows())
            closings[key] = b->TOUZAN;
        seam_->messages.clear();
        ASSERT_TRUE(CalcBalancePeriods(balances_, 0, 0, 0, 16, 0));
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_EQ(seam_->messages[0].text, "期間番号は「1～16」です。 [0-16]\r");
        for (const auto& [key, b] : accountRows()) {
            EXPECT_EQ(b->ZENZAN, b->KAISIZAN) << key;
            EXPECT_EQ(b->TOUZAN, closings.at(key)) << key;
        }
        EXPECT_EQ(shownDebitOpenings(), storedDebitOpenings());
    }
}

} // namespace
} // namespace vq
