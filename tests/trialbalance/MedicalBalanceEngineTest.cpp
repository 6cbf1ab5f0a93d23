// The medical engine on a real data set: the settlement load the linkage
// reads (layout 3), the facility, facility-group, department-group and
// custom scopes, the per-period totals of layout 4 and repeated computation.
#include "trialbalance/MedicalBalanceEngine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BalanceDataSetFixture.h"
#include "MedicalSampleSql.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

namespace vq {
namespace {

using test::yen;

class MedicalBalanceEngineTest : public test::BalanceDataSetFixture {
protected:
    void SetUp() override
    {
        BalanceDataSetFixture::SetUp();
        // A medical corporation's data set carries its edition's procedures.
        std::ifstream in(test::schemaDir() / "medical" / "trial-balance-procedures.sql", std::ios::binary);
        std::ostringstream procedures;
        procedures << in.rdbuf();
        ASSERT_FALSE(procedures.str().empty());
        open(procedures.str() + "\n" + test::medicalSampleSql(), true);
        AccInf.DATATYPE = 3;
        AccInf.KAISINO = 1;
        AccInf.SysKCode[SysKurikosiRieki] = "3340";
    }

    const TBALANCE& R(int n) const { return balances_[static_cast<std::size_t>(n)]; }

    bool shownRow(int n) const
    {
        for (const auto& s : sorts_)
            if (s.SIDX == n)
                return !s.hidden();
        return false;
    }

    void expectBalanced() const
    {
        for (int i = MedicalFirstAccountRow; i < static_cast<int>(balances_.size()); ++i) {
            const TBALANCE& b = R(i);
            if (b.Account.KCODE.empty())
                continue;
            const bool debit = b.Account.TAISHAKU == 1 || b.Account.TAISHAKU == 4;
            EXPECT_EQ(b.TOUZAN, b.ZENZAN + (debit ? b.KARSUM - b.KASSUM : b.KASSUM - b.KARSUM)) << b.Account.KCODE;
        }
        EXPECT_EQ(R(11).TOUZAN, R(24).TOUZAN);
        EXPECT_EQ(R(11).ZENZAN, R(24).ZENZAN);
        EXPECT_EQ(R(19).TOUZAN, R(49).TOUZAN);
    }
};

TEST_F(MedicalBalanceEngineTest, SettlementLoadMatchesTheGoldenTable)
{
    ASSERT_TRUE(LoadTrialBalanceDefault(balances_, sorts_, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    EXPECT_EQ(table(),
              "111001|現金|2500000|3560000\n"
              "116002|医業未収金|800000|800000\n"
              "1180|事業未収金計|3300000|4360000\n"
              "1280|棚卸資産計|0|0\n"
              "1380|その他の流動資産計|0|0\n"
              "1390|流動資産合計|3300000|4360000\n"
              "151001|建物|3000000|3000000\n"
              "1580|有形固定資産計|3000000|3000000\n"
              "1680|無形固定資産計|0|0\n"
              "1780|その他の資産計|0|0\n"
              "1790|固定資産合計|3000000|3000000\n"
              "1880|繰延資産計|0|0\n"
              "1900|資産合計|6300000|7360000\n"
              "211001|買掛金|600000|950000\n"
              "2180|流動負債合計|600000|950000\n"
              "2280|固定負債合計|0|0\n"
              "2800|負債合計|600000|950000\n"
              "311001|出資金|5000000|5000000\n"
              "3180|出資金合計|5000000|5000000\n"
              "3280|資本剰余金合計|0|0\n"
              "334001|前期繰越利益|700000|700000\n"
              "3460|積立金合計|0|0\n"
              "3480|当期純利益|0|710000\n"
              "3700|繰越利益剰余金合計|700000|1410000\n"
              "3750|評価換算差額等|0|0\n"
              "3800|純資産の部合計|5700000|6410000\n"
              "3900|負債純資産の部合計|6300000|7360000\n"
              "412001|介護報酬収益|0|400000\n"
              "4150|介護保険収益|0|400000\n"
              "4180|介護事業収益計|0|400000\n"
              "4200|福祉収益|0|0\n"
              "4300|保健収益|0|0\n"
              "441001|入院診療収益|0|1200000\n"
              "4480|その他事業収益合計|0|1200000\n"
              "4800|事業収益合計|0|1600000\n"
              "611001|医薬品費|0|300000\n"
              "6180|材料費|0|300000\n"
              "621001|給料|0|600000\n"
              "6280|給与費|0|600000\n"
              "6380|委託費|0|0\n"
              "6480|設備関係費|0|0\n"
              "6580|研究研修費|0|0\n"
              "6680|経費|0|0\n"
              "6780|控除対象外消費税|0|0\n"
              "6880|本部費|0|0\n"
              "6900|事業費用合計|0|900000\n"
              "6950|事業利益|0|700000\n"
              "711001|受取利息|0|10000\n"
              "7180|事業外収益|0|10000\n"
              "7280|事業外費用|0|0\n"
              "7300|経常利益|0|710000\n"
              "8180|特別収益|0|0\n"
              "8280|特別費用|0|0\n"
              "8300|税引前当期純利益|0|710000\n"
              "9280|当期純利益|0|710000\n"
              "9380|繰越利益|0|710000\n"
              "9480|積立金取崩額|0|0\n"
              "9580|積立金積立額|0|0\n"
              "9600|次期繰越利益|0|710000\n");
    expectBalanced();
    EXPECT_EQ(R(11).TOUZAN, yen(7360000));
    EXPECT_EQ(R(49).TOUZAN, yen(710000));
    // Kinds 8 and 1 have facilities, 4 and 2 none.
    EXPECT_TRUE(shownRow(26));
    EXPECT_TRUE(shownRow(31));
    EXPECT_TRUE(shownRow(32));
    EXPECT_FALSE(shownRow(28));
    EXPECT_FALSE(shownRow(30));
    EXPECT_EQ(R(32).TOUZAN, yen(1600000));
    EXPECT_EQ(R(31).KOUSEI, 750000);  // 1,200,000 of 1,600,000
}

TEST_F(MedicalBalanceEngineTest, ComputingTwiceGivesTheSameRows)
{
    ASSERT_TRUE(LoadTrialBalanceDefault(balances_, sorts_, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, 0, 5, 8, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    const std::vector<TBALANCE> first = balances_;
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    for (std::size_t i = 0; i < balances_.size(); ++i) {
        EXPECT_EQ(balances_[i].KMKCNT, first[i].KMKCNT) << i;
        EXPECT_EQ(balances_[i].TOUZAN, first[i].TOUZAN) << i;
        EXPECT_EQ(balances_[i].Account.KNAME, first[i].Account.KNAME) << i;
    }
}

TEST_F(MedicalBalanceEngineTest, FacilityAndGroupScopes)
{
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "H1", "", 0, 2, 0, 2, 0, 1, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 1));
    EXPECT_EQ(rowOf("1110").TOUZAN, yen(2910000));
    EXPECT_EQ(rowOf("4120").TOUZAN, 0);  // the care facility's revenue

    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "HG", "", 0, 5, 0, 2, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    EXPECT_EQ(rowOf("1110").TOUZAN, yen(3560000));
    expectBalanced();
}

TEST_F(MedicalBalanceEngineTest, WholeDataSetAndBusinessKind)
{
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 0, 0, 2, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    EXPECT_EQ(rowOf("1110").TOUZAN, yen(3560000));
    expectBalanced();

    // Business kind 8: the care facility alone.
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 1, 0, 2, 0, 8, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 8));
    EXPECT_EQ(rowOf("1110").TOUZAN, yen(650000));
    EXPECT_EQ(rowOf("4410").TOUZAN, 0);
    EXPECT_EQ(R(26).TOUZAN, yen(400000));
}

TEST_F(MedicalBalanceEngineTest, DepartmentAndDepartmentGroupOfAFacility)
{
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "H1", "01", 0, 3, 0, 2, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 1));
    EXPECT_EQ(rowOf("4410").TOUZAN, yen(1200000));
    EXPECT_EQ(accountRow("6110"), nullptr);  // kept in department 02 only

    // The two departments list different accounts: each still adds into its
    // own account's row.

    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "H1", "G1", 0, 4, 0, 2, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 1));
    EXPECT_EQ(rowOf("4410").TOUZAN, yen(1200000));
    EXPECT_EQ(rowOf("6110").TOUZAN, yen(300000));
    EXPECT_EQ(R(42).TOUZAN, yen(900000));  // the departments' result
}

TEST_F(MedicalBalanceEngineTest, DepartmentGroupSumsItsDepartments)
{
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "G1", 0, 0, 0, 2, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    EXPECT_EQ(rowOf("4410").TOUZAN, yen(1200000));
    EXPECT_EQ(rowOf("6110").TOUZAN, yen(300000));
    EXPECT_EQ(accountRow("1110"), nullptr);
    for (int n = 46; n <= 53; ++n)
        EXPECT_FALSE(shownRow(n)) << n;
}

// The medical department procedures honour the allocation flag: department
// 02 of H1 takes 30 % of the common department's drug costs on every layout,
// and 00 keeps only its own share (none with ratios of 0).
TEST_F(MedicalBalanceEngineTest, DepartmentProceduresAllocateTheCommonDepartment)
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
         "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('H1', '6110', ' ', '00')",
         "UPDATE KAMOKU_MS SET KAR_NUK = 100005 WHERE SCODE = 'H1' AND KCODE = '6110' AND BCODE = '00' AND MNUM = 3",
         "UPDATE KAMOKU_SZ SET HAIBUN03 = 30, HAIBUN05 = 30 WHERE SCODE = 'H1' AND BCODE = '02'",
         "INSERT INTO EXTERA4 (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '6100', 1, '')",
         "INSERT INTO EXTERA3 (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '6100', 1, '')",
         "UPDATE KAMOKUMST SET EXT1_A4 = 1, EXT1_A3 = 1 WHERE KCODE = '6110'"});
    auto debits = [&](const std::string& procedure, const std::string& bcode, int haibun) {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        db::Statement st(dm_.IBDatabaseDAT.attachment(), tr,
                         "SELECT SUM(KAR01 + KAR02 + KAR03 + KAR04 + KAR05 + KAR06 + KAR07 + KAR08 + KAR09 + KAR10 + "
                         "KAR11 + KAR12 + KAR13 + KAR14 + KAR15 + KAR16) FROM " +
                             procedure + "('H1', :B, 0, :H) WHERE HCODE = ''");
        st.param("B").setString(bcode);
        st.param("H").setInt(haibun);
        st.execute();
        EXPECT_TRUE(st.fetch());
        return st.field(0).asCurrency();
    };
    for (const char* procedure : {"SP_SISANHYO_BUMON", "SP_SISANHYO_BUMON_A4", "SP_SISANHYO_BUMON_A3"}) {
        EXPECT_EQ(debits(procedure, "02", 0), yen(300000)) << procedure;
        EXPECT_EQ(debits(procedure, "02", 1), yen(300000 + 30002)) << procedure;  // 30,001.5 rounded
        EXPECT_EQ(debits(procedure, "00", 0), yen(100005)) << procedure;
        EXPECT_EQ(debits(procedure, "00", 1), 0) << procedure;
    }
}

TEST_F(MedicalBalanceEngineTest, PeriodTotalsOfTheComparisonLayout)
{
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 0, 4, 2, 0, 0, 0));
    for (int p : {0, 1, 6, 16}) {
        EXPECT_EQ(R(11).ZAN[p], R(24).ZAN[p]) << p;
        EXPECT_EQ(R(20).ZAN[p], R(49).ZAN[p]) << p;
    }
    EXPECT_EQ(R(11).ZAN[0], yen(6300000));
    EXPECT_EQ(R(31).ZOUGEN[1], yen(1200000));
    EXPECT_EQ(R(26).ZOUGEN[2], yen(400000));
    EXPECT_EQ(R(31).ZANKOUSEI[1], 100 * CurrencyScale);
}

TEST_F(MedicalBalanceEngineTest, CustomScopeCoversBothFacilities)
{
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 6, 0, 2, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    EXPECT_EQ(rowOf("1110").TOUZAN, yen(3560000));
    EXPECT_EQ(rowOf("4120").TOUZAN, yen(400000));
    EXPECT_EQ(R(11).TOUZAN, R(24).TOUZAN);
}

TEST(MedicalRatios, OutOfRangeRatiosBecomeZero)
{
    EXPECT_EQ(ZeroRatioOutOfRange(99990000), 99990000);
    EXPECT_EQ(ZeroRatioOutOfRange(99990001), 0);
    EXPECT_EQ(ZeroRatioOutOfRange(-9990000), -9990000);
    EXPECT_EQ(ZeroRatioOutOfRange(-9990001), 0);
}

} // namespace
} // namespace vq
