#include "trialbalance/BalanceFront.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "foundation/app/AccInf.h"
#include "platform/ScriptedInteraction.h"

namespace vq {
namespace {

// Records what the front hands on.
class RecordingEngine : public TrialBalanceEngine {
public:
    bool LoadTrialBalance(std::span<TBALANCE> balances, std::span<TQSORT> sorts,
                          const BalanceLoadArgs& args) override
    {
        loads.push_back(args);
        rows = balances.size();
        keys = sorts.size();
        return true;
    }
    bool CalcBalancePeriods(std::span<TBALANCE> balances, const BalancePeriodArgs& args) override
    {
        periods.push_back(args);
        rows = balances.size();
        return true;
    }

    std::vector<BalanceLoadArgs> loads;
    std::vector<BalancePeriodArgs> periods;
    std::size_t rows = 0;
    std::size_t keys = 0;
};

class BalanceFront : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedIryou_ = AccInf.IsIryou;
        previousGeneral_ = InstallTrialBalanceEngine(BalanceEdition::General, general_);
        previousMedical_ = InstallTrialBalanceEngine(BalanceEdition::Medical, medical_);
    }
    void TearDown() override
    {
        AccInf.IsIryou = savedIryou_;
        InstallTrialBalanceEngine(BalanceEdition::General, previousGeneral_);
        InstallTrialBalanceEngine(BalanceEdition::Medical, previousMedical_);
    }
    void edition(std::uint8_t isIryou)
    {
        AccInf.IsIryou = isIryou;
        balances_.assign(static_cast<std::size_t>(BalanceCapacity()), TBALANCE{});
        sorts_.assign(balances_.size(), TQSORT{});
    }

    platform::ScopedScriptedInteraction seam_;
    std::shared_ptr<RecordingEngine> general_ = std::make_shared<RecordingEngine>();
    std::shared_ptr<RecordingEngine> medical_ = std::make_shared<RecordingEngine>();
    std::vector<TBALANCE> balances_;
    std::vector<TQSORT> sorts_;

private:
    std::uint8_t savedIryou_ = 0;
    std::shared_ptr<TrialBalanceEngine> previousGeneral_;
    std::shared_ptr<TrialBalanceEngine> previousMedical_;
};

TEST_F(BalanceFront, CapacityAndTotalRowsFollowTheEdition)
{
    struct Case {
        std::uint8_t isIryou;
        int capacity, firstAccountRow;
        BalanceEdition edition;
    };
    const Case cases[] = {
        {0, 500, 51, BalanceEdition::General},
        {1, 700, 61, BalanceEdition::Medical},
        {2, 500, 51, BalanceEdition::General},
    };
    for (const Case& c : cases) {
        AccInf.IsIryou = c.isIryou;
        EXPECT_EQ(BalanceCapacity(), c.capacity);
        EXPECT_EQ(CurrentFirstAccountRow(), c.firstAccountRow);
        EXPECT_EQ(CurrentBalanceEdition(), c.edition);
    }
}

TEST_F(BalanceFront, LoadsGoToTheEngineOfTheEdition)
{
    edition(0);
    ASSERT_TRUE(LoadTrialBalance(balances_, sorts_, "001", "01", 1, 2, 0, 1, 1, 4, 1));
    ASSERT_TRUE(LoadTrialBalanceDefault(balances_, sorts_, 1, 1, 4, 0));
    ASSERT_EQ(general_->loads.size(), 2u);
    EXPECT_EQ(general_->loads[0], (BalanceLoadArgs{"001", "01", 1, 2, 0, 1, 1, 4, 1}));
    EXPECT_EQ(general_->loads[1], (BalanceLoadArgs{"dummy", "dummy", 1, 10, 4, 1, 0, 4, 0}));
    EXPECT_EQ(general_->rows, 500u);
    EXPECT_EQ(general_->keys, 500u);
    EXPECT_TRUE(medical_->loads.empty());

    edition(1);
    ASSERT_TRUE(LoadTrialBalanceDefault(balances_, sorts_, 2, 0, 2, 1));
    ASSERT_EQ(medical_->loads.size(), 1u);
    EXPECT_EQ(medical_->loads[0], (BalanceLoadArgs{"", "", 0, 0, 3, 1, 0, 2, 0}));
    EXPECT_EQ(medical_->rows, 700u);
    EXPECT_EQ(general_->loads.size(), 2u);
}

TEST_F(BalanceFront, PeriodComputationsGoToTheEngineOfTheEdition)
{
    edition(0);
    ASSERT_TRUE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 3));
    edition(1);
    ASSERT_TRUE(CalcBalancePeriods(balances_, 1, 0, 5, 7, 2));
    ASSERT_EQ(general_->periods.size(), 1u);
    EXPECT_EQ(general_->periods[0], (BalancePeriodArgs{0, -1, 1, 16, 3}));
    ASSERT_EQ(medical_->periods.size(), 1u);
    EXPECT_EQ(medical_->periods[0], (BalancePeriodArgs{1, 0, 5, 7, 2}));
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(BalanceFront, PeriodRangesOutsideTheCalendarAreRefused)
{
    edition(0);
    struct Case {
        int kind, from, to;
        bool accepted;
    };
    const Case cases[] = {
        {0, 1, 16, true},  {0, 16, 16, true}, {-1, 4, 4, true},
        // From the opening: the engine shows the message and computes.
        {0, 0, 16, true},  {7, 0, 3, true},
        {0, 0, 0, false},  {0, 1, 17, false}, {0, -15, 3, false}, {-1, 1, 40, false},
        {0, 9, 8, false},  {0, -1, 16, false},
        // Kinds 1..6 bring their own range.
        {1, 0, 0, true},   {4, -5, 99, true}, {6, 20, 30, true},
    };
    for (const Case& c : cases) {
        seam_->messages.clear();
        const std::size_t before = general_->periods.size();
        EXPECT_EQ(CalcBalancePeriods(balances_, 0, c.kind, c.from, c.to, 0), c.accepted)
            << c.kind << " " << c.from << "-" << c.to;
        EXPECT_EQ(general_->periods.size(), before + (c.accepted ? 1 : 0));
        if (c.accepted) {
            EXPECT_TRUE(seam_->messages.empty());
        } else {
            ASSERT_EQ(seam_->messages.size(), 1u);
            EXPECT_EQ(seam_->messages[0].text,
                      "期間番号は「1～16」です。 [" + std::to_string(c.from) + "-" + std::to_string(c.to) + "]\r");
            EXPECT_EQ(seam_->messages[0].kind, platform::MessageKind::Error);
        }
    }
}

TEST_F(BalanceFront, CallsWithoutRoomOrEngineDoNothing)
{
    edition(1);
    // Fewer keys than rows, or no room for the medical total rows.
    sorts_.resize(699);
    EXPECT_FALSE(LoadTrialBalance(balances_, sorts_, "", "", 0, 0, 0, 0, 0, 0, 0));
    std::vector<TBALANCE> small(60);
    std::vector<TQSORT> smallKeys(60);
    EXPECT_FALSE(LoadTrialBalance(small, smallKeys, "", "", 0, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(CalcBalancePeriods(small, 0, 0, 1, 16, 0));
    EXPECT_TRUE(medical_->loads.empty());
    EXPECT_TRUE(medical_->periods.empty());

    edition(0);
    InstallTrialBalanceEngine(BalanceEdition::General, nullptr);
    EXPECT_FALSE(LoadTrialBalanceDefault(balances_, sorts_, 1, 0, 0, 0));
    EXPECT_FALSE(CalcBalancePeriods(balances_, 0, -1, 1, 16, 0));
}

TEST_F(BalanceFront, ClearingKeepsWhatTheLoadersSetThemselves)
{
    TBALANCE row;
    row.Account.KCODE = "1110";
    row.Account.GROUP1 = "1100";
    row.Account.TAISHAKU = 1;
    row.Facility.SCODE = "01";
    row.Department.Amounts[19] = 5;
    row.SubAccount.HCODE = "001";
    row.KAISIZAN = 100;
    row.TOUZAN = 7;
    row.KAR[-32] = 1;
    row.ZAN[19] = 2;
    row.ZANKOUSEI[16] = 3;
    row.KAISIZAN5 = 4;
    row.HOJCNT = 1;
    row.HOJO.resize(1);
    row.HOJO[0].HCODE = "001";
    row.MSTREC = 11;
    row.SUBREC = 12;
    row.KMKCNT = 13;
    row.ZENNEN = 14;

    std::vector<TBALANCE> rows(3, row);
    std::vector<TQSORT> keys(4, TQSORT{"1100", 99});
    EXPECT_TRUE(InitBalanceArrays(rows, keys));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        TBALANCE expected;
        expected.HOJO = row.HOJO;
        expected.MSTREC = 11;
        expected.SUBREC = 12;
        expected.KMKCNT = 13;
        expected.ZENNEN = 14;
        EXPECT_EQ(rows[i].Account.KCODE, "");
        EXPECT_EQ(rows[i].Account.GROUP1, "");
        EXPECT_EQ(rows[i].Account.TAISHAKU, 0);
        EXPECT_EQ(rows[i].Facility.SCODE, "");
        EXPECT_EQ(rows[i].Department.Amounts[19], 0);
        EXPECT_EQ(rows[i].SubAccount.HCODE, "");
        EXPECT_EQ(rows[i].KAISIZAN, 0);
        EXPECT_EQ(rows[i].TOUZAN, 0);
        EXPECT_EQ(rows[i].KAR, expected.KAR);
        EXPECT_EQ(rows[i].ZAN, expected.ZAN);
        EXPECT_EQ(rows[i].ZANKOUSEI, expected.ZANKOUSEI);
        EXPECT_EQ(rows[i].KAISIZAN5, 0);
        EXPECT_EQ(rows[i].HOJCNT, 0);
        ASSERT_EQ(rows[i].HOJO.size(), 1u);
        EXPECT_EQ(rows[i].HOJO[0].HCODE, "001");
        EXPECT_EQ(rows[i].MSTREC, 11);
        EXPECT_EQ(rows[i].SUBREC, 12);
        EXPECT_EQ(rows[i].KMKCNT, 13);
        EXPECT_EQ(rows[i].ZENNEN, 14);
        EXPECT_EQ(keys[i], (TQSORT{HiddenSortKey, static_cast<std::int32_t>(i)}));
    }
    EXPECT_EQ(keys[3], (TQSORT{"1100", 99})); // keys beyond the rows stay

    std::vector<TQSORT> fewer(2);
    EXPECT_FALSE(InitBalanceArrays(rows, fewer));
    EXPECT_EQ(fewer[1], (TQSORT{HiddenSortKey, 1}));
}

TEST_F(BalanceFront, RatiosBecomePercentagesWithOneDecimal)
{
    struct Case {
        double ratio;
        Currency percent; // Currency units: 12.3 % = 123000
    };
    const Case cases[] = {
        {0.5, 500000},       {0.12345, 123000}, {-0.12345, -123000}, {0.99995, 1000000},
        {-0.00049, 0},       {0.00055, 1000},   {0.00049, 0},        {-0.00051, -1000},
        {0.0, 0},            {1.0, 1000000},    {-2.5, -2500000},   {0.00095, 1000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RatioToPercent(c.ratio), c.percent) << c.ratio;
    EXPECT_EQ(RatioToPercent(std::nan("")), 0);
    EXPECT_GT(RatioToPercent(1e300), 0);
    EXPECT_LT(RatioToPercent(-1e300), 0);
}

} // namespace
} // namespace vq
