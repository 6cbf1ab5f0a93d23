#include "foundation/calendar/Gengo.h"

#include <gtest/gtest.h>

#include "foundation/calendar/DayNumber.h"

namespace vq {
namespace {

double d(int y, int m, int day)
{
    return encodeDate(y, m, day);
}

// Every test starts from the built-in table and leaves the table as it was.
class Gengo : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = GengoTable;
        LoadBuiltinEraTable();
    }
    void TearDown() override { GengoTable = saved_; }

private:
    TGengoArray saved_;
};

TEST_F(Gengo, BuiltinTableIsNewestFirst)
{
    ASSERT_EQ(GengoTable.size(), 5u);
    const TGengoRec expected[] = {
        {"令和", "R", d(2019, 5, 1), 2019}, {"平成", "H", d(1989, 1, 8), 1989},
        {"昭和", "S", d(1926, 12, 25), 1926}, {"大正", "T", d(1912, 7, 30), 1912},
        {"明治", "M", d(1868, 9, 8), 1868},
    };
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(GengoTable[i], expected[i]) << i;
}

struct EraCase {
    double date;
    const char* name;
    const char* sign;
    int year;
};

TEST_F(Gengo, ConvertsBothWaysAtEveryEraBoundary)
{
    const EraCase cases[] = {
        {d(1912, 7, 29), "明治", "M", 45}, {d(1912, 7, 30), "大正", "T", 1},
        {d(1926, 12, 24), "大正", "T", 15}, {d(1926, 12, 25), "昭和", "S", 1},
        {d(1989, 1, 7), "昭和", "S", 64}, {d(1989, 1, 8), "平成", "H", 1},
        {d(2019, 4, 30), "平成", "H", 31}, {d(2019, 5, 1), "令和", "R", 1},
        {d(2024, 4, 1), "令和", "R", 6}, {d(1873, 1, 1), "明治", "M", 6},
        {d(1868, 9, 8), "明治", "M", 1},
    };
    for (const EraCase& c : cases) {
        const CivilDate cd = decodeDate(c.date);
        SCOPED_TRACE(std::to_string(cd.year) + "-" + std::to_string(cd.month) + "-" + std::to_string(cd.day));
        const TWarekiRec w = DateToWareki(c.date);
        EXPECT_EQ(w, (TWarekiRec{c.name, c.sign, c.year, cd.month, cd.day}));
        // Back by name alone, by letter alone, and by both.
        EXPECT_EQ(WarekiToDate({c.name, "", c.year, cd.month, cd.day}), c.date);
        EXPECT_EQ(WarekiToDate({"", c.sign, c.year, cd.month, cd.day}), c.date);
        EXPECT_EQ(WarekiToDate(w), c.date);
    }
}

TEST_F(Gengo, TimeOfDayCountsOnTheFirstDayOfAnEra)
{
    EXPECT_EQ(DateToWareki(d(2019, 5, 1) + 0.25).GNAME, "令和");
    EXPECT_EQ(DateToWareki(d(2019, 5, 1) - 0.25).GNAME, "平成");
}

// A time that rounds to the next midnight is that day: its era comes from the
// rounded value as its date does, so no era date names a day it does not have.
TEST_F(Gengo, TimeThatRoundsToMidnightTakesTheNextDaysEra)
{
    constexpr double QuarterMs = 0.25 / 86'400'000.0;
    EXPECT_EQ(DateToWareki(d(2019, 5, 1) - QuarterMs), (TWarekiRec{"令和", "R", 1, 5, 1}));
    EXPECT_EQ(DateToWareki(d(1989, 1, 8) - QuarterMs), (TWarekiRec{"平成", "H", 1, 1, 8}));
    // Less than half a millisecond later the day and the era are still the old ones.
    EXPECT_EQ(DateToWareki(d(2019, 5, 1) - 3 * QuarterMs), (TWarekiRec{"平成", "H", 31, 4, 30}));
}

TEST_F(Gengo, DatesBeforeTheOldestEraKeepIt)
{
    EXPECT_EQ(DateToWareki(d(1868, 1, 1)), (TWarekiRec{"明治", "M", 1, 1, 1}));
    EXPECT_EQ(DateToWareki(d(1867, 6, 1)), (TWarekiRec{"明治", "M", 0, 6, 1}));
    // Day 0 is "no date": its Western year alone.
    EXPECT_EQ(DateToWareki(0.0), (TWarekiRec{"", "", 1899, 12, 30}));
}

TEST_F(Gengo, EraDatesThatNameNoDate)
{
    EXPECT_EQ(WarekiToDate({"", "", 31, 4, 30}), 0);
    EXPECT_EQ(WarekiToDate({"平成", "H", 0, 4, 30}), 0);
    EXPECT_EQ(WarekiToDate({"平成", "H", 31, 2, 30}), 0);
    EXPECT_EQ(WarekiToDate({"平成", "H", 31, 13, 1}), 0);
    // An era the table does not know lands in 1899.
    EXPECT_EQ(WarekiToDate({"天平", "X", 5, 12, 31}), d(1899, 12, 31));
}

TEST_F(Gengo, EmptyTableGivesWesternYears)
{
    GengoTable.clear();
    EXPECT_EQ(DateToWareki(d(2024, 4, 1)), (TWarekiRec{"", "", 2024, 4, 1}));
    EXPECT_EQ(WarekiToDate({"令和", "R", 6, 4, 1}), d(1899, 4, 1));
}

TEST_F(Gengo, ReplacedTableIsUsedAndEmptyRowsFallBack)
{
    SetEraTable({{"新元", "N", d(2030, 1, 1), 2030}, {"令和", "R", d(2019, 5, 1), 2019}});
    EXPECT_EQ(DateToWareki(d(2031, 2, 3)), (TWarekiRec{"新元", "N", 2, 2, 3}));
    EXPECT_EQ(WarekiToDate({"", "N", 1, 1, 1}), d(2030, 1, 1));
    // The walk ends at a row without a name.
    SetEraTable({{"", "", d(2030, 1, 1), 2030}, {"令和", "R", d(2019, 5, 1), 2019}});
    EXPECT_EQ(DateToWareki(d(2024, 4, 1)), (TWarekiRec{"", "", 2024, 4, 1}));
    SetEraTable({});
    EXPECT_EQ(GengoTable, BuiltinEraTable());
}

TEST_F(Gengo, DatesBefore1873AreRefused)
{
    EXPECT_TRUE(IsBeforeEraDateLimit(d(1872, 12, 31)));
    EXPECT_TRUE(IsBeforeEraDateLimit(d(1873, 1, 1) - 0.5));
    EXPECT_FALSE(IsBeforeEraDateLimit(d(1873, 1, 1)));
    EXPECT_EQ(EraDateLowerLimit(), d(1873, 1, 1));

    EXPECT_EQ(EraDateRangeError(1872, false), "1873年01月01日(明治6年01月01日)より前の日付は処理できません．　　");
    EXPECT_EQ(EraDateRangeError(1872, true), EraDateLowerLimitMessage);
    EXPECT_EQ(EraDateRangeError(1873, true), "");
    EXPECT_EQ(EraDateRangeError(2998, true), "");
    EXPECT_EQ(EraDateRangeError(2999, true), "2999年以降は元号に変換できません．　　");
    EXPECT_EQ(EraDateRangeError(2999, false), "");
}

} // namespace
} // namespace vq
