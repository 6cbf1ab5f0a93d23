// The statutory rate tables: the rows quoted by the rules, the shape of both
// tables and the columns they share.
#include "linkage/depreciation/GenkaRateTable.h"

#include <gtest/gtest.h>

namespace vq::linkage {
namespace {

TEST(GenkaRateTable, QuotedRowsAsStored)
{
    // life, straight, 250%: declining, revised, guarantee, 200%: declining, revised, guarantee, old straight, old declining
    const double rows[][10] = {
        {2, 0.5, 1.0, 0, 0, 1.0, 0, 0, 0.5, 0.684},
        {3, 0.334, 0.833, 1.0, 0.02789, 0.667, 1.0, 0.11089, 0.333, 0.536},
        {10, 0.1, 0.25, 0.334, 0.04448, 0.2, 0.25, 0.06552, 0.1, 0.206},
        {50, 0.02, 0.05, 0.053, 0.01072, 0.04, 0.042, 0.0144, 0.02, 0.045},
        {100, 0.01, 0.025, 0.026, 0.00546, 0.02, 0.02, 0.00742, 0.01, 0.023},
    };
    for (const auto& r : rows) {
        const auto life = static_cast<std::size_t>(r[0]);
        const auto& a = GenkaRateTable250()[life].rates;
        const auto& b = GenkaRateTable200()[life].rates;
        EXPECT_EQ(a[RateStraightLine], r[1]) << life;
        EXPECT_EQ(a[RateDeclining], r[2]) << life;
        EXPECT_EQ(a[RateRevised], r[3]) << life;
        EXPECT_EQ(a[RateGuarantee], r[4]) << life;
        EXPECT_EQ(b[RateDeclining], r[5]) << life;
        EXPECT_EQ(b[RateRevised], r[6]) << life;
        EXPECT_EQ(b[RateGuarantee], r[7]) << life;
        EXPECT_EQ(a[RateOldStraightLine], r[8]) << life;
        EXPECT_EQ(a[RateOldDeclining], r[9]) << life;
    }
}

TEST(GenkaRateTable, ShapeAndSharedColumns)
{
    for (const auto* table : {&GenkaRateTable250(), &GenkaRateTable200()}) {
        for (std::size_t life = 0; life <= GenkaMaxLife; ++life) {
            const auto& row = (*table)[life];
            EXPECT_EQ(row.life, static_cast<int>(life));
            for (double rate : row.rates) {
                if (life < 2)
                    EXPECT_EQ(rate, 0) << life;
                else
                    EXPECT_TRUE(rate >= 0 && rate <= 1) << life;
            }
            if (life >= 2) {
                EXPECT_GT(row.rates[RateStraightLine], 0) << life;
                EXPECT_GT(row.rates[RateDeclining], row.rates[RateStraightLine]) << life;
            }
        }
    }
    for (std::size_t life = 0; life <= GenkaMaxLife; ++life)
        for (int column : {RateStraightLine, RateOldStraightLine, RateOldDeclining})
            EXPECT_EQ(GenkaRateTable250()[life].rates[static_cast<std::size_t>(column)],
                      GenkaRateTable200()[life].rates[static_cast<std::size_t>(column)])
                << life;
}

} // namespace
} // namespace vq::linkage
