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
        open(test::generalSampleSql(), false);
        AccInf.DATATYPE = 1;
        AccInf.KAISINO = 1;
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

TEST_F(CustomScopeTest, SettlementLinesSumTheirAccounts)
{
    const auto lines = compute("", 0, 3);
    EXPECT_EQ(lines.at("-/旅費通信費").debit, yen(70000));
    EXPECT_EQ(lines.at("-/現金及び預金").opening, yen(1000000));
    EXPECT_EQ(lines.at("1130/売掛金").credit, yen(100000));
}

} // namespace
} // namespace vq
