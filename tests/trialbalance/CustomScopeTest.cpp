// The custom scope on a real data set: a facility group equals the sum of
// its facilities, the loader's scope 6 takes the whole data set, and the
// settlement lines of the scope carry their accounts.
#include "trialbalance/CustomScope.h"

#include <gtest/gtest.h>

#include <map>

#include "BalanceDataSetFixture.h"
#include "GeneralSampleSql.h"

namespace vq {
namespace {

using test::yen;

struct Amounts {
    Currency opening = 0, debit = 0, credit = 0;
    friend bool operator==(const Amounts&, const Amounts&) = default;
};

class CustomScopeTest : public test::BalanceDataSetFixture {
protected:
    void SetUp() override
    {
        BalanceDataSetFixture::SetUp();
        open(test::generalSampleSql() + allocationSql(), false);
        AccInf.DATATYPE = 1;
        AccInf.KAISINO = 1;
        AccInf.SysKCode[SysKariukeTax] = "2150";
    }

    // The common department 00 of facility A with an expense of 1,001 yen in
    // period 5, which department 02 takes 40 % of; received tax of 1,001 yen
    // (department 00, allocated 40 % to department 01 and 60 % kept) and of
    // 300 yen (department 01) in period 5; an allowance (credit-natured,
    // line nature debit) on the receivables' settlement line.
    static std::string allocationSql()
    {
        return R"SQL(
INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('00', '共通');
INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, DAC, BPFLG, EXT1_KS)
  VALUES ('2150', '215', '2100', '2150', '仮受消費税', 3, 'B', 0);
INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, DAC, BLDAC, BPFLG, EXT1_KS)
  VALUES ('1190', '119', '1100', '1190', '貸倒引当金', 2, 1, 'B', 2);
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN, KISHU_KOMI, KISHU_NUKI) VALUES ('A', '1190', ' ', ' ', 20000, 20000, 20000);
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES ('A', '6110', ' ', '00');
UPDATE KAMOKU_MS SET KAR_NUK = 1001 WHERE SCODE = 'A' AND KCODE = '6110' AND BCODE = '00' AND MNUM = 5;
UPDATE KAMOKU_SZ SET HAIBUN05 = 40 WHERE SCODE = 'A' AND KCODE = '6110' AND BCODE = '02';
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, HAIBUN05) VALUES ('A', '2150', ' ', '01', 40);
INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, HAIBUN05) VALUES ('A', '2150', ' ', '00', 60);
INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES ('A', '00', 1, 5, 0, 1001);
INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES ('A', '01', 1, 5, 0, 300);
)SQL";
    }

    // One department of facility A, without tax and with allocation.
    const TBALANCE& departmentRow(const std::string& bcode, const std::string& kcode)
    {
        InitBalanceArrays(balances_, sorts_);
        TCalcSisanhyoSettingRec s;
        s.SCODE = "A";
        s.SCODEKBN = 1;
        s.BCODE = bcode;
        s.BCODEKBN = 1;
        s.SCOPE = 3;
        s.TAX = 1;
        s.HAIBUN = 1;
        bool overflow = false;
        dm_.IBTransactionDATSS.start();
        CalcCustomScope(balances_, sorts_, s, overflow);
        dm_.IBTransactionDATSS.commit();
        return rowOf(kcode);
    }

    // Account code -> amounts of one custom computation.
    std::map<std::string, Amounts> compute(const std::string& scode, int scodekbn, int layout = 0)
    {
        InitBalanceArrays(balances_, sorts_);
        TCalcSisanhyoSettingRec s;
        s.SCODE = scode;
        s.SCODEKBN = scodekbn;
        s.SCOPE = 6;
        s.LAYOUT = layout;
        bool overflow = false;
        dm_.IBTransactionDATSS.start();
        const int last = CalcCustomScope(balances_, sorts_, s, overflow);
        dm_.IBTransactionDATSS.commit();
        EXPECT_FALSE(overflow);
        return amountsUpTo(last);
    }

    std::map<std::string, Amounts> amountsUpTo(int last) const
    {
        std::map<std::string, Amounts> out;
        for (int r = FirstAccountRow; r <= last; ++r) {
            const TBALANCE& b = balances_[static_cast<std::size_t>(r)];
            Amounts& a = out[b.Account.KCODE + "/" + b.Account.KNAME];
            a.opening += b.KAISIZAN;
            for (int k = 1; k <= 16; ++k) {
                a.debit += b.KAR[k];
                a.credit += b.KAS[k];
            }
        }
        return out;
    }
};

TEST_F(CustomScopeTest, FacilityGroupEqualsTheSumOfItsFacilities)
{
    const auto a = compute("A", 1);
    const auto b = compute("B", 1);
    const auto group = compute("SG", 0);
    std::map<std::string, Amounts> sum = a;
    for (const auto& [code, amounts] : b) {
        sum[code].opening += amounts.opening;
        sum[code].debit += amounts.debit;
        sum[code].credit += amounts.credit;
    }
    EXPECT_EQ(group, sum);
    EXPECT_EQ(group.at("1130/売掛金").opening, yen(500000));
    EXPECT_EQ(a.at("1130/売掛金").opening, yen(300000));
    EXPECT_EQ(group.at("2110/買掛金").credit, yen(70000));
}

TEST_F(CustomScopeTest, LoaderScopeSixComputesTheWholeDataSet)
{
    const auto group = compute("SG", 0);
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "", "", 0, 6, 0, 1, 0, 0, 0));
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
    const auto whole = amountsUpTo(static_cast<int>(balances_.size()) - 1);
    for (const auto& [code, amounts] : group)
        EXPECT_EQ(whole.at(code), amounts) << code;
    const TBALANCE& receivables = rowOf("1130");
    ASSERT_EQ(receivables.HOJCNT, 2);
    EXPECT_EQ(receivables.HOJO[0].TOUZAN + receivables.HOJO[1].TOUZAN, receivables.TOUZAN);
    EXPECT_EQ(balances_[BalanceLineIndex()[21]].TOUZAN, balances_[BalanceLineIndex()[56]].TOUZAN);
}

TEST_F(CustomScopeTest, DepartmentTakesItsShareOfTheCommonDepartment)
{
    EXPECT_EQ(departmentRow("02", "6110").KAR[5], yen(300000 + 400));
    // Received tax: the department's own 300 and 40 % of the common 1,001.
    EXPECT_EQ(departmentRow("01", "2150").KAS[5], yen(300 + 400));
    // The common department keeps 60 % of its own tax: 600.6, halves up.
    EXPECT_EQ(departmentRow("00", "2150").KAS[5], yen(601));
}

TEST_F(CustomScopeTest, SettlementLinesSumTheirAccounts)
{
    const auto lines = compute("", 0, 3);
    EXPECT_EQ(lines.at("-/旅費通信費").debit, yen(70000));
    EXPECT_EQ(lines.at("-/現金及び預金").opening, yen(1000000));
    // The allowance on the receivables' line counts against it, and the line
    // keeps the debit nature the allowance declares for it.
    EXPECT_EQ(lines.at("-/売掛金").opening, yen(500000 - 20000));
    EXPECT_EQ(lines.at("-/売掛金").credit, yen(100000));
    EXPECT_EQ(rowOf("-", "売掛金").Account.TAISHAKU, 1);
}

} // namespace
} // namespace vq
