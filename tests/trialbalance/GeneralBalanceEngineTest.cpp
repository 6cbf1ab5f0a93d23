// The general engine on a real data set: the settlement layout the linkage
// reads, the other layouts and scopes, the start during the year, repeated
// computation and a failing load.
#include "trialbalance/GeneralBalanceEngine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "BalanceDataSetFixture.h"
#include "GeneralSampleSql.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {
namespace {

using test::yen;

class GeneralBalanceEngineTest : public test::BalanceDataSetFixture {
protected:
    void openGeneral(int kaisino = 1)
    {
        open(test::generalSampleSql(kaisino), false);
        AccInf.DATATYPE = 1;
        AccInf.KAISINO = kaisino;
    }

    const TBALANCE& S(int slot) const { return balances_[BalanceLineIndex()[static_cast<std::size_t>(slot)]]; }

    // Every account row closes at opening + movement by its side, and every
    // total row routed from accounts holds the sum of its accounts.
    void expectRowsBalance() const
    {
        for (int i = FirstAccountRow; i < static_cast<int>(balances_.size()); ++i) {
            const TBALANCE& b = balances_[static_cast<std::size_t>(i)];
            if (b.Account.KCODE.empty())
                continue;
            const bool debit = b.Account.TAISHAKU == 1 || b.Account.TAISHAKU == 4;
            EXPECT_EQ(b.TOUZAN, b.ZENZAN + (debit ? b.KARSUM - b.KASSUM : b.KASSUM - b.KARSUM)) << b.Account.KCODE;
        }
        EXPECT_EQ(S(21).TOUZAN, S(56).TOUZAN);
        EXPECT_EQ(S(21).ZENZAN, S(56).ZENZAN);
    }
};

TEST_F(GeneralBalanceEngineTest, SettlementLayoutMatchesTheGoldenTable)
{
    openGeneral();
    ASSERT_TRUE(LoadTrialBalanceDefault(balances_, sorts_, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    // The settlement statement's line keys ("110/" ...) show its subtotal
    // lines; cost lines are named by the data set's cost words (none here).
    EXPECT_EQ(table(),
              "110/|【流動資産】|1500000|2000000\n"
              "110001|現金及び預金|1000000|1600000\n"
              "110002|売掛金|500000|400000\n"
              "140-||0|0\n"
              "140/||0|0\n"
              "160/||0|0\n"
              "170/||0|0\n"
              "180/||0|0\n"
              "1900|資産の部合計|1500000|2000000\n"
              "210/||300000|370000\n"
              "210001|買掛金|300000|370000\n"
              "220/||0|0\n"
              "230/||0|0\n"
              "2800|負債の部合計|300000|370000\n"
              "310/||1200000|1630000\n"
              "310001|資本金|1000000|1000000\n"
              "320/||0|0\n"
              "322/|その他|0|0\n"
              "330/||200000|630000\n"
              "330001|繰越利益剰余金|200000|630000\n"
              "332/|その他|200000|630000\n"
              "350/||0|0\n"
              "360/||0|0\n"
              "3800|純資産の部合計|1200000|1630000\n"
              "3900|負債純資産の部合計|1500000|2000000\n"
              "410/|【売上高】|0|800000\n"
              "410001|売上高|0|800000\n"
              "510/||0|0\n"
              "551/|【】|0|0\n"
              "560/|【】|0|0\n"
              "565/|【】|0|0\n"
              "570/|【】|0|0\n"
              "5900|売上総利益|0|800000\n"
              "610/|【販売費及び一般管理費】|0|370000\n"
              "610001|給料手当|0|300000\n"
              "610002|旅費通信費|0|70000\n"
              "6200|営業利益|0|430000\n"
              "710/||0|0\n"
              "720/||0|0\n"
              "7300|経常利益|0|430000\n"
              "810/||0|0\n"
              "820/||0|0\n"
              "8400|当期純利益|0|430000\n");
    expectRowsBalance();
    EXPECT_EQ(rowOf("-", "旅費通信費").KARSUM, yen(70000));
    EXPECT_EQ(S(65).KOUSEI, 100 * CurrencyScale);
    EXPECT_EQ(S(83).KOUSEI, 463000);  // 370,000 of 800,000: 46.25 % -> 46.3
}

TEST_F(GeneralBalanceEngineTest, ComputingTwiceGivesTheSameRows)
{
    openGeneral();
    ASSERT_TRUE(LoadTrialBalanceDefault(balances_, sorts_, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, 3, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    const std::vector<TBALANCE> first = balances_;
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    for (std::size_t i = 0; i < balances_.size(); ++i) {
        EXPECT_EQ(balances_[i].KMKCNT, first[i].KMKCNT) << i;
        EXPECT_EQ(balances_[i].TOUZAN, first[i].TOUZAN) << i;
        EXPECT_EQ(balances_[i].ZENZAN, first[i].ZENZAN) << i;
        EXPECT_EQ(balances_[i].KOUSEI, first[i].KOUSEI) << i;
    }
    EXPECT_EQ(S(83).KMKCNT, 2);  // the two expense lines
}

TEST_F(GeneralBalanceEngineTest, QuarterStartsProfitAccountsAtZero)
{
    openGeneral();
    ASSERT_TRUE(LoadTrialBalanceDefault(balances_, sorts_, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, 3, 0, 0, 0));  // periods 9-12
    EXPECT_EQ(rowOf("-", "現金及び預金").ZENZAN, yen(1500000));
    EXPECT_EQ(rowOf("-", "現金及び預金").TOUZAN, yen(1500000));
    EXPECT_EQ(rowOf("1130").ZENZAN, yen(500000));
    EXPECT_EQ(S(83).ZENZAN, 0);
    EXPECT_EQ(S(83).TOUZAN, yen(70000));
}

// Bookkeeping began in month 7: the balance sheet opens from the balances at
// the start of the year, and liabilities and net assets open with their
// parts, so the balance sheet balances at the start too.
TEST_F(GeneralBalanceEngineTest, DataThatBeganInMonthSevenOpensFromTheYearStart)
{
    openGeneral(7);
    {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        db::Statement st(dm_.IBDatabaseDAT.attachment(), tr,
                         "UPDATE KAMOKU_PZ SET NUKIZAN = :V WHERE SCODE = 'A' AND KCODE = :K AND HCODE = ' ' "
                         "AND BCODE = ' ' AND MNUM BETWEEN 0 AND 8");
        const std::pair<const char*, std::int64_t> starts[] = {
            {"1110", 900000}, {"1130", 0}, {"2110", 250000}, {"3110", 1000000}, {"3340", 100000}};
        for (const auto& [k, v] : starts) {
            st.param("K").setString(k);
            st.param("V").setCurrency(yen(v));
            st.execute();
        }
        st.setSql("UPDATE KAMOKU_PZ SET NUKIZAN = :V WHERE SCODE = 'A' AND KCODE = '1130' AND HCODE = '001' "
                  "AND BCODE = ' ' AND MNUM BETWEEN 0 AND 8");
        st.param("V").setCurrency(yen(450000));
        st.execute();
        tr.commit();
    }
    ASSERT_TRUE(LoadTrialBalanceDefault(balances_, sorts_, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    EXPECT_EQ(rowOf("-", "現金及び預金").ZENZAN, yen(900000));
    EXPECT_EQ(rowOf("1130").ZENZAN, yen(450000));
    EXPECT_EQ(S(21).ZENZAN, yen(1350000));
    EXPECT_EQ(S(29).ZENZAN, yen(250000));
    EXPECT_EQ(S(54).ZENZAN, yen(1100000));
    EXPECT_EQ(S(56).ZENZAN, yen(1350000));
}

TEST_F(GeneralBalanceEngineTest, SubAccountLayoutCarriesTheBreakdown)
{
    openGeneral();
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 0, 0, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    const TBALANCE* receivables = accountRow("1130");
    ASSERT_NE(receivables, nullptr);
    ASSERT_EQ(receivables->HOJCNT, 2);
    EXPECT_EQ(receivables->HOJO[0].HCODE, "001");
    EXPECT_EQ(receivables->HOJO[0].TOUZAN, yen(300000));
    EXPECT_EQ(receivables->HOJO[1].TOUZAN, yen(100000));
    EXPECT_EQ(receivables->HOJO[0].KOUSEI, 75 * CurrencyScale);
    EXPECT_EQ(receivables->TOUZAN, yen(400000));
    expectRowsBalance();
    EXPECT_EQ(S(21).TOUZAN, yen(2000000));
}

TEST_F(GeneralBalanceEngineTest, LineLayoutsNameTheirLines)
{
    openGeneral();
    // A4: the line 売掛金 of one account named like it loses its own name and
    // is named from the account, with the account's codes.
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 0, 1, 1, 0, 0, 0));
    const TBALANCE* receivables = accountRow("1130");
    ASSERT_NE(receivables, nullptr);
    EXPECT_EQ(receivables->Account.KNAME, "売掛金");
    const TBALANCE* expenses = accountRow("-");
    ASSERT_NE(expenses, nullptr);
    EXPECT_EQ(expenses->Account.KNAME, "経費");
    {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        db::Statement st(dm_.IBDatabaseDAT.attachment(), tr, "SELECT KNAME1 FROM EXTERA4 WHERE REC = 2");
        st.execute();
        ASSERT_TRUE(st.fetch());
        EXPECT_EQ(st.field(0).asString(), "");
    }
    // A3: lines without names of their own.
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 0, 2, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    const TBALANCE* cashLine = accountRow("-");
    ASSERT_NE(cashLine, nullptr);
    EXPECT_EQ(S(83).TOUZAN, yen(370000));
    // Total rows only.
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 0, 3, 1, 0, 0, 0));
    for (const auto* row : shown())
        EXPECT_TRUE(row->Account.KCODE.empty());
    EXPECT_FALSE(shown().empty());
}

TEST_F(GeneralBalanceEngineTest, DepartmentGroupSumsItsDepartments)
{
    openGeneral();
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "G1", 0, 0, 0, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    ASSERT_NE(accountRow("4110"), nullptr);
    ASSERT_NE(accountRow("6110"), nullptr);
    EXPECT_EQ(accountRow("4110")->TOUZAN, yen(800000));
    EXPECT_EQ(accountRow("6110")->TOUZAN, yen(300000));
    EXPECT_EQ(accountRow("1110"), nullptr);  // kept without departments
    EXPECT_EQ(S(85).TOUZAN, yen(500000));
}

// Department 02 of facility A gets a cash line with an opening balance and
// journal rows: an expense paid in month 3 and partly refunded in month 7.
class DepartmentBalanceTest : public GeneralBalanceEngineTest {
protected:
    void SetUp() override
    {
        GeneralBalanceEngineTest::SetUp();
        openGeneral();
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        const char* const sql[] = {
            "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('A', '1110', ' ', '02')",
            "UPDATE KAMOKU_SZ SET KAISIZAN = 50000 WHERE SCODE = 'A' AND KCODE = '1110' AND BCODE = '02'",
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, BCODE, KCODE, NUK, R_KCODE, "
            "KINGAKU) VALUES (901, 901, 901, 1, '2024-06-10', 3, 'A', '02', '6110', 40000, '1110', 40000)",
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, BCODE, KCODE, NUK, R_KCODE, "
            "KINGAKU) VALUES (902, 901, 901, 2, '2024-06-10', 3, 'A', '02', '1110', 40000, '6110', 40000)",
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, BCODE, KCODE, NUK, R_KCODE, "
            "KINGAKU) VALUES (903, 902, 902, 1, '2024-10-10', 7, 'A', '02', '1110', 5000, '6110', 5000)",
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, BCODE, KCODE, NUK, R_KCODE, "
            "KINGAKU) VALUES (904, 902, 902, 2, '2024-10-10', 7, 'A', '02', '6110', 5000, '1110', 5000)",
        };
        for (const char* q : sql) {
            db::Statement st(dm_.IBDatabaseDAT.attachment(), tr, q);
            st.execute();
        }
        tr.commit();
    }

    void expectAccountRowsClose() const
    {
        for (int i = FirstAccountRow; i < static_cast<int>(balances_.size()); ++i) {
            const TBALANCE& b = balances_[static_cast<std::size_t>(i)];
            if (b.Account.KCODE.empty())
                continue;
            const bool debit = b.Account.TAISHAKU == 1 || b.Account.TAISHAKU == 4;
            EXPECT_EQ(b.TOUZAN, b.ZENZAN + (debit ? b.KARSUM - b.KASSUM : b.KASSUM - b.KARSUM)) << b.Account.KCODE;
        }
    }
};

TEST_F(DepartmentBalanceTest, DepartmentHoldsWhatItsJournalRowsGive)
{
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "A", "02", 0, 3, 0, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    expectAccountRowsClose();
    const TBALANCE& cash = rowOf("1110");
    EXPECT_EQ(cash.ZENZAN, yen(50000));
    EXPECT_EQ(cash.KARSUM, yen(5000));
    EXPECT_EQ(cash.KASSUM, yen(40000));
    EXPECT_EQ(cash.TOUZAN, yen(15000));
    const TBALANCE& salaries = rowOf("6110");
    EXPECT_EQ(salaries.KARSUM, yen(340000));
    EXPECT_EQ(salaries.KASSUM, yen(5000));
    EXPECT_EQ(salaries.TOUZAN, yen(335000));
    EXPECT_EQ(accountRow("4110"), nullptr);  // department 01 only
    EXPECT_EQ(accountRow("1130"), nullptr);  // kept without departments

    // The A4 and A3 lines of the department carry the same amounts.
    for (int layout : {1, 2}) {
        ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "A", "02", 0, 3, layout, 1, 0, 0, 0)) << layout;
        ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
        expectAccountRowsClose();
        std::int64_t expenses = 0;
        for (const auto* row : shown())
            if (!row->Account.KCODE.empty() && row->Account.TAISHAKU == 1 && row->ZENZAN == 0)
                expenses += row->TOUZAN;
        EXPECT_EQ(expenses, yen(335000)) << layout;
    }
}

TEST_F(DepartmentBalanceTest, DepartmentGroupAddsItsDepartmentsRowByRow)
{
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "A", "G1", 0, 4, 0, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    expectAccountRowsClose();
    EXPECT_EQ(rowOf("4110").TOUZAN, yen(800000));
    EXPECT_EQ(rowOf("6110").TOUZAN, yen(335000));
    EXPECT_EQ(rowOf("1110").TOUZAN, yen(15000));
    EXPECT_EQ(rowOf("1110").ZENZAN, yen(50000));
    int salaryRows = 0;
    for (const auto* row : shown())
        salaryRows += row->Account.KCODE == "6110";
    EXPECT_EQ(salaryRows, 1);

    // The group procedure sums the same departments in one pass.
    db::Transaction tr(dm_.IBDatabaseDAT.attachment());
    tr.start();
    db::Statement st(dm_.IBDatabaseDAT.attachment(), tr,
                     "SELECT SUM(KAR01 + KAR02 + KAR03 + KAR04 + KAR05 + KAR06 + KAR07 + KAR08 + KAR09 + KAR10 + "
                     "KAR11 + KAR12 + KAR13 + KAR14 + KAR15 + KAR16) FROM SP_SISANHYO_BUMON_GROUP(0, 'A', 'G1') "
                     "WHERE KCODE = '6110' AND HCODE = ''");
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.field(0).asCurrency(), yen(340000));
}

// The common department 00 spent 100,005 on salaries in period 3; department
// 02 takes 30 % of it, 00 keeps the share its own line gives it.
TEST_F(DepartmentBalanceTest, AllocationSharesTheCommonDepartment)
{
    auto run = [&](const std::vector<std::string>& sql) {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        for (const auto& q : sql) {
            db::Statement st(dm_.IBDatabaseDAT.attachment(), tr, q);
            st.execute();
        }
        tr.commit();
    };
    auto commonSalaries = [&](int haibun) {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        db::Statement st(dm_.IBDatabaseDAT.attachment(), tr,
                         "SELECT KAR03 FROM SP_SISANHYO_BUMON(0, :H, 'A', '00') WHERE KCODE = '6110' AND HCODE = ''");
        st.param("H").setInt(haibun);
        st.execute();
        EXPECT_TRUE(st.fetch());
        return st.field(0).asCurrency();
    };
    run({"INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('00', '共通')",
         "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('A', '6110', ' ', '00')",
         "UPDATE KAMOKU_MS SET KAR_NUK = 100005 WHERE SCODE = 'A' AND KCODE = '6110' AND BCODE = '00' AND MNUM = 3",
         "UPDATE KAMOKU_SZ SET HAIBUN01 = 30, HAIBUN02 = 30, HAIBUN03 = 30, HAIBUN04 = 30, HAIBUN05 = 30, "
         "HAIBUN06 = 30, HAIBUN07 = 30, HAIBUN08 = 30, HAIBUN09 = 30, HAIBUN10 = 30, HAIBUN11 = 30, HAIBUN12 = 30, "
         "HAIBUN13 = 30, HAIBUN14 = 30, HAIBUN15 = 30, HAIBUN16 = 30 WHERE SCODE = 'A' AND BCODE = '02'"});

    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "A", "02", 0, 3, 0, 1, 1, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    expectAccountRowsClose();
    EXPECT_EQ(rowOf("6110").KARSUM, yen(340000 + 30002));  // 30,001.5 rounded up
    EXPECT_EQ(rowOf("1110").TOUZAN, yen(15000));           // nothing of 00 to share
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "A", "02", 0, 3, 0, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    EXPECT_EQ(rowOf("6110").KARSUM, yen(340000));

    // 00 with ratios of 0 has given everything away; with 100 it keeps all.
    EXPECT_EQ(commonSalaries(1), 0);
    EXPECT_EQ(commonSalaries(0), yen(100005));
    run({"UPDATE KAMOKU_SZ SET HAIBUN03 = 100 WHERE SCODE = 'A' AND KCODE = '6110' AND BCODE = '00'"});
    EXPECT_EQ(commonSalaries(1), yen(100005));
}

// Every department load honours the allocation flag: department 02 takes 30 %
// of what 00 spent and of its opening, account by account, in the account
// rows, the A4 and A3 lines and as a member of group G1 (read department by
// department, so each member takes its own share).
TEST_F(DepartmentBalanceTest, AllocationReachesEveryDepartmentLoad)
{
    auto run = [&](const std::vector<std::string>& sql) {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        for (const auto& q : sql) {
            db::Statement st(dm_.IBDatabaseDAT.attachment(), tr, q);
            st.execute();
        }
        tr.commit();
    };
    run({"INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('00', '共通')",
         "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('A', '6110', ' ', '00')",
         "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('A', '1110', ' ', '00')",
         "UPDATE KAMOKU_SZ SET KAISIZAN = 10001 WHERE SCODE = 'A' AND KCODE = '1110' AND BCODE = '00'",
         "UPDATE KAMOKU_MS SET KAR_NUK = 100005 WHERE SCODE = 'A' AND KCODE = '6110' AND BCODE = '00' AND MNUM = 3",
         "UPDATE KAMOKU_SZ SET HAIBUN01 = 30, HAIBUN02 = 30, HAIBUN03 = 30, HAIBUN04 = 30, HAIBUN05 = 30, "
         "HAIBUN06 = 30, HAIBUN07 = 30, HAIBUN08 = 30, HAIBUN09 = 30, HAIBUN10 = 30, HAIBUN11 = 30, HAIBUN12 = 30, "
         "HAIBUN13 = 30, HAIBUN14 = 30, HAIBUN15 = 30, HAIBUN16 = 30 WHERE SCODE = 'A' AND BCODE = '02'"});
    // Debits and openings of every account row shown.
    auto totals = [&](const std::string& bcode, int scope, int layout, int haibun) {
        EXPECT_TRUE(LoadTrialBalance(balances_, sorts_, "A", bcode, 0, scope, layout, 1, haibun, 0, 0));
        EXPECT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
        expectAccountRowsClose();
        std::pair<std::int64_t, std::int64_t> sum{0, 0};
        for (const auto* row : shown())
            if (!row->Account.KCODE.empty()) {
                sum.first += row->KARSUM;
                sum.second += row->ZENZAN;
            }
        return sum;
    };
    struct Case {
        const char* what;
        const char* bcode;
        int scope, layout;
        std::int64_t debitShare, openingShare;
    };
    const Case cases[] = {
        // 30,001.5 and 3,000.3 rounded to the yen
        {"accounts", "02", 3, 0, yen(30002), yen(3000)},
        {"A4 lines", "02", 3, 1, yen(30002), yen(3000)},
        {"A3 lines", "02", 3, 2, yen(30002), yen(3000)},
        {"department group", "G1", 4, 0, yen(30002), yen(3000)},
        {"department group, A4 lines", "G1", 4, 1, yen(30002), yen(3000)},
    };
    for (const Case& c : cases) {
        const auto plain = totals(c.bcode, c.scope, c.layout, 0);
        const auto shared = totals(c.bcode, c.scope, c.layout, 1);
        EXPECT_EQ(shared.first - plain.first, c.debitShare) << c.what;
        EXPECT_EQ(shared.second - plain.second, c.openingShare) << c.what;
    }

    // 00 itself keeps its own share on every layout: nothing with ratios of 0,
    // all of period 3 with 100.
    for (int layout : {0, 1, 2}) {
        EXPECT_EQ(totals("00", 3, layout, 1).first, 0) << layout;
        EXPECT_EQ(totals("00", 3, layout, 0).first, yen(100005)) << layout;
    }
    run({"UPDATE KAMOKU_SZ SET HAIBUN03 = 100 WHERE SCODE = 'A' AND KCODE = '6110' AND BCODE = '00'"});
    for (int layout : {0, 1, 2})
        EXPECT_EQ(totals("00", 3, layout, 1).first, yen(100005)) << layout;

    // Bookkeeping that began in month 4: the account rows share the opening
    // of 00 by the ratio of the start month's period (05), the A4 and A3
    // lines by that of the period before it (03).
    run({"UPDATE ACCDEF1 SET KAISINO = 4",
         "UPDATE KAMOKU_SZ SET HAIBUN01 = 0, HAIBUN03 = 30, HAIBUN05 = 50 WHERE SCODE = 'A' AND BCODE = '02'"});
    auto openings = [&](const std::string& procedure) {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        db::Statement st(dm_.IBDatabaseDAT.attachment(), tr,
                         "SELECT SUM(KAISIZAN) FROM " + procedure + "(0, 1, 'A', '02') WHERE HCODE = ''");
        st.execute();
        EXPECT_TRUE(st.fetch());
        return st.field(0).asCurrency();
    };
    EXPECT_EQ(openings("SP_SISANHYO_BUMON"), yen(50000 + 5001));  // 5,000.5 rounded up
    EXPECT_EQ(openings("SP_SISANHYO_BUMON_A4"), yen(50000 + 3000));
    EXPECT_EQ(openings("SP_SISANHYO_BUMON_A3"), yen(50000 + 3000));
}

TEST_F(GeneralBalanceEngineTest, DatabaseErrorDuringLoadFails)
{
    openGeneral();
    {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        db::Statement st(dm_.IBDatabaseDAT.attachment(), tr, "DROP PROCEDURE SP_SISANHYO_KESSAN");
        st.execute();
        tr.commit();
    }
    seam_->messages.clear();
    EXPECT_FALSE(LoadTrialBalanceDefault(balances_, sorts_, 1, 0, 0, 0));
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_FALSE(dm_.IBTransactionDATSS.active());
}

TEST_F(GeneralBalanceEngineTest, MoreAccountsThanRowsStopAtTheLastRow)
{
    openGeneral();
    balances_.resize(FirstAccountRow + 3);
    sorts_.resize(balances_.size());
    seam_->messages.clear();
    EXPECT_FALSE(LoadTrialBalanceDefault(balances_, sorts_, 1, 0, 0, 0));
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_NE(seam_->messages[0].text.find("試算表の行数が足りません"), std::string::npos);
    EXPECT_FALSE(balances_.back().Account.KCODE.empty());
}

TEST(MonthToPeriodCount, CountsThePeriodsBeforeAMonth)
{
    const int expected[] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(MonthToPeriodCount(m), expected[m - 1]) << m;
    EXPECT_EQ(MonthToPeriodCount(0), 0);
}

} // namespace
} // namespace vq
