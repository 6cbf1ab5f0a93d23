#include "ui/KikanCells.h"

#include "foundation/calendar/DayNumber.h"

#include <gtest/gtest.h>

using namespace vq;
using namespace vq::ui;

namespace {

std::string texts(const KikanLayout& k)
{
    std::string s;
    for (const auto& c : k.cells)
        s += (c.text.empty() ? "_" : c.text) + " ";
    return s;
}

} // namespace

TEST(KikanCells, AprilStartYearWithMonthEndClosing)
{
    const auto k = kikanLayout16(99, encodeDate(2024, 4, 1), encodeDate(2025, 3, 31), encodeDate(2024, 4, 1),
                                 true, true);
    EXPECT_EQ(texts(k), "4 5 6 ・ 7 8 9 ・ 10 11 12 ・ 1 2 3 決 ");
    EXPECT_EQ(k.lastNo, 15);
    EXPECT_EQ(k.stno, 0);
    EXPECT_EQ(k.edno, 15);
    EXPECT_EQ(k.cells[15].period, 15);
    EXPECT_EQ(k.cells[3].period, 3);
}

TEST(KikanCells, TwentiethClosingYearStartingOn21March)
{
    const auto k = kikanLayout16(20, encodeDate(2024, 3, 21), encodeDate(2025, 3, 20), encodeDate(2024, 3, 21),
                                 true, true);
    EXPECT_EQ(texts(k), "4 5 6 ・ 7 8 9 ・ 10 11 12 ・ 1 2 3 決 ");
    const auto twelve = kikanLayout12(20, encodeDate(2024, 3, 21), encodeDate(2025, 3, 20),
                                      encodeDate(2024, 3, 21), true);
    EXPECT_EQ(texts(twelve), "4 5 6 7 8 9 10 11 12 1 2 3 ");
    EXPECT_EQ(periodOfCell12(3), 4);
}

TEST(KikanCells, ShortYearsAndALateFirstEntryMonth)
{
    const double start = encodeDate(2024, 4, 1);
    auto k = kikanLayout16(99, start, encodeDate(2024, 6, 30), start, true, true);
    EXPECT_EQ(texts(k), "4 5 6 決 _ _ _ _ _ _ _ _ _ _ _ _ ");
    EXPECT_EQ(k.lastNo, 3);
    EXPECT_EQ(k.cells[3].period, 15);
    EXPECT_FALSE(k.cells[4].enabled);

    k = kikanLayout16(99, start, encodeDate(2024, 9, 30), start, true, true);
    EXPECT_EQ(texts(k), "4 5 6 ・ 7 8 9 決 _ _ _ _ _ _ _ _ ");

    k = kikanLayout16(99, start, encodeDate(2025, 3, 31), encodeDate(2024, 8, 10), true, true);
    EXPECT_EQ(k.firstSelectable, 5);
    EXPECT_EQ(k.stno, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(k.cells[static_cast<std::size_t>(i)].enabled) << i;

    k = kikanLayout16(99, start, encodeDate(2025, 3, 31), start, false, true);
    EXPECT_EQ(k.edno, 14);
    EXPECT_TRUE(k.cells[15].text.empty());
    EXPECT_FALSE(k.cells[15].enabled);
    EXPECT_EQ(k.cells[15].period, 15); // still the settlement, only not selectable
}

TEST(KikanCells, QuartersAndHalves)
{
    const double start = encodeDate(2024, 4, 1), end = encodeDate(2025, 3, 31);
    auto k = kikanLayout4(4, 99, start, end, encodeDate(2024, 8, 1), true);
    EXPECT_EQ(texts(k), "1 2 3 4 ");
    EXPECT_EQ(k.stno, 1);
    EXPECT_EQ(k.edno, 3);
    EXPECT_FALSE(k.cells[0].enabled);
    k = kikanLayout4(2, 99, start, end, start, false);
    EXPECT_EQ(texts(k), "上 下 ");
    EXPECT_EQ(k.edno, 0);
}
