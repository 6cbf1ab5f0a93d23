#include "linkage/datamake/SyotokuZeiTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace vq::linkage {
namespace {

// Every position of the amount array is fed by exactly one statement line.
template <std::size_t Lines>
void expectEachPositionFedOnce(const std::array<int, Lines>& index, std::size_t positions, const char* what)
{
    std::vector<int> fed(positions + 1, 0);
    for (int position : index) {
        if (position == NotCarried)
            continue;
        ASSERT_GE(position, 1) << what;
        ASSERT_LE(position, static_cast<int>(positions)) << what;
        ++fed[static_cast<std::size_t>(position)];
    }
    for (std::size_t p = 1; p <= positions; ++p)
        EXPECT_EQ(fed[p], 1) << what << " position " << p;
}

TEST(SyotokuZeiTablesTest, IndexTablesFeedEveryElementOnce)
{
    expectEachPositionFedOnce(IppanSonekiIndex, IppanSonekiNames.size(), "IppanSoneki");
    expectEachPositionFedOnce(IppanSeizouIndex, IppanSeizouNames.size(), "IppanSeizou");
    expectEachPositionFedOnce(FudosanSonekiIndex, FudosanSonekiNames.size(), "FudosanSoneki");
    expectEachPositionFedOnce(NougyouSonekiIndex, NougyouSonekiNames.size(), "NougyouSoneki");

    std::array<int, 2 * TaisyakuLines * 2> balance{};
    std::size_t n = 0;
    for (const auto* side : {&TaisyakuSisanIndex, &TaisyakuFusaiIndex})
        for (const TaisyakuLineIndex& line : *side) {
            balance[n++] = line.kishu;
            balance[n++] = line.kimatu;
        }
    expectEachPositionFedOnce(balance, TaisyakuPositions, "Taisyaku");
}

TEST(SyotokuZeiTablesTest, BalanceSheetRunsInLineOrderWithClosingOnlyLines)
{
    // Positions grow with the line, the opening before the closing amount.
    int last = 0;
    for (const auto* side : {&TaisyakuSisanIndex, &TaisyakuFusaiIndex})
        for (const TaisyakuLineIndex& line : *side) {
            if (line.kishu != NotCarried) {
                EXPECT_EQ(line.kishu, last + 1);
                last = line.kishu;
            }
            EXPECT_EQ(line.kimatu, last + 1);
            last = line.kimatu;
        }
    EXPECT_EQ(TaisyakuSisanIndex[23].kishu, NotCarried);  // owner's drawings
    EXPECT_EQ(TaisyakuFusaiIndex[21].kishu, NotCarried);  // owner's borrowings
    EXPECT_EQ(TaisyakuFusaiIndex[23].kishu, NotCarried);  // income before the deduction

    for (const auto* names : {&IppanTaisyakuNames, &FudosanTaisyakuNames, &NougyouTaisyakuNames}) {
        const std::set<std::string> unique(names->begin(), names->end());
        EXPECT_EQ(unique.size(), std::size_t(TaisyakuPositions));
        EXPECT_STREQ((*names)[46], "JIGYOUNUSIKASI_KIMATU");
        EXPECT_STREQ((*names)[89], "JIGYOUNUSIKARI_KIMATU");
        EXPECT_STREQ((*names)[92], "KOUJYOMAESYOTOKUKINNGAKU_KIMATU");
        // Each opening name is followed by the closing name of its line.
        for (std::size_t p = 0; p + 1 < names->size(); ++p) {
            const std::string name = (*names)[p];
            if (name.ends_with("_KISYU")) {
                EXPECT_EQ(std::string((*names)[p + 1]), name.substr(0, name.size() - 6) + "_KIMATU");
            }
        }
    }
}

} // namespace
} // namespace vq::linkage
