#include "ui/DateEntry.h"

#include "foundation/calendar/DayNumber.h"

#include <gtest/gtest.h>

using namespace vq;
using namespace vq::ui;

namespace {

const double today = encodeDate(2025, 12, 9);

DateEntryConfig eraConfig(TVorlenExRekiSet calendar = rsWareki)
{
    DateEntryConfig c;
    c.gengo = calendar;
    c.eras = systemEraList();
    return c;
}

DateEntryParts ymd(const char* era, const char* y, const char* m, const char* d)
{
    DateEntryParts p;
    p.era = era;
    p.year = y;
    p.month = m;
    p.day = d;
    return p;
}

} // namespace

TEST(DateEntry, EraAndWesternYearsBecomeDates)
{
    auto r = evaluateDateEntry(eraConfig(), ymd("平成", "31", "4", "30"), today);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.value, encodeDate(2019, 4, 30));

    r = evaluateDateEntry(eraConfig(rsBoth), ymd("西暦", "2019", "4", "30"), today);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.value, encodeDate(2019, 4, 30));

    auto two = eraConfig(rsBoth);
    two.yeardigit = yddigit2;
    r = evaluateDateEntry(two, ymd("西暦", "19", "5", "1"), today);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.value, encodeDate(2019, 5, 1));

    r = evaluateDateEntry(eraConfig(rsBoth), ymd("令和", "1", "5", "1"), today);
    EXPECT_EQ(r.value, encodeDate(2019, 5, 1));
}

TEST(DateEntry, ValidationMessagesAndTheirParts)
{
    struct Case {
        DateEntryParts parts;
        TVorlenExRekiSet calendar;
        const char* message;
        DatePart focus;
    } cases[] = {
        {ymd("平成", "", "4", ""), rsWareki, "空白の入力欄があります．　　", DatePart::Year},
        {ymd("", "1", "4", "1"), rsWareki, "空白の入力欄があります．　　", DatePart::Era},
        {ymd("平成", "31", "2", "30"), rsWareki, "日付が正しくありません（変換できません）．　　", DatePart::Year},
        {ymd("西暦", "1872", "12", "31"), rsBoth,
         "1873年01月01日(明治6年01月01日)より前の日付は処理できません．　　", DatePart::Year},
        {ymd("西暦", "2999", "1", "1"), rsBoth, "2999年以降は元号に変換できません．　　", DatePart::Year},
    };
    for (const auto& c : cases) {
        const auto r = evaluateDateEntry(eraConfig(c.calendar), c.parts, today);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, c.message) << c.parts.year;
        EXPECT_EQ(r.focus, c.focus) << c.message;
    }
    auto western = eraConfig(rsSeireki);
    western.editGengo = false;
    EXPECT_TRUE(evaluateDateEntry(western, ymd("", "2999", "1", "1"), today).ok);
}

TEST(DateEntry, EmptyEntryIsTakenOnlyWhenAllowed)
{
    auto c = eraConfig();
    auto r = evaluateDateEntry(c, ymd("", "", "", ""), today);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.empty);
    c.canEmpty = false;
    r = evaluateDateEntry(c, ymd("", "", "", ""), today);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "入力欄が全て空白です．　　");
}

TEST(DateEntry, TwelveAndTwentyFourHourTimes)
{
    DateEntryConfig c;
    c.style = desHourMinute;
    c.editAmpm = true;
    DateEntryParts p;
    p.ampm = amItem;
    p.hour = "12";
    p.minute = "0";
    auto r = evaluateDateEntry(c, p, today);
    EXPECT_EQ(r.message, "時刻の入力可能な値は11時59分59秒までです．　　");
    EXPECT_EQ(r.focus, DatePart::Hour);

    p.ampm = pmItem;
    p.hour = "0";
    r = evaluateDateEntry(c, p, today);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.value, today + 0.5); // 12:00 of today

    c.editAmpm = false;
    p.hour = "23";
    p.minute = "60";
    r = evaluateDateEntry(c, p, today);
    EXPECT_EQ(r.message, "時刻の入力可能な値は23時59分59秒までです．　　");
    EXPECT_EQ(r.focus, DatePart::Minute);

    // A time-only entry takes its day from a set upper bound.
    c.maxDate = encodeDate(2024, 3, 31) + 0.9;
    p.minute = "30";
    p.hour = "6";
    r = evaluateDateEntry(c, p, today);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(dateOf(r.value), encodeDate(2024, 3, 31));
}

TEST(DateEntry, ValuesAreHeldWithinTheBounds)
{
    auto c = eraConfig(rsSeireki);
    c.editGengo = false;
    c.minDate = encodeDate(2019, 4, 1);
    auto r = evaluateDateEntry(c, ymd("", "2019", "3", "1"), today);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.value, encodeDate(2019, 4, 1));
    EXPECT_EQ(limitToBounds(dateEntryEmptyMarker(), c.minDate, 0), dateEntryEmptyMarker());
}

TEST(DateEntry, ShowingAValueChoosesEraAndYear)
{
    auto shown = showValue(eraConfig(), encodeDate(2019, 4, 30));
    EXPECT_EQ(shown.parts.era, "平成");
    EXPECT_EQ(shown.parts.year, "31");
    EXPECT_EQ(shown.parts.month, "4");
    shown = showValue(eraConfig(), encodeDate(2019, 5, 1));
    EXPECT_EQ(shown.parts.era, "令和");
    EXPECT_EQ(shown.parts.year, "1");
    auto two = eraConfig(rsSeireki);
    two.yeardigit = yddigit2;
    EXPECT_EQ(showValue(two, encodeDate(2005, 1, 2)).parts.year, "05");
    EXPECT_FALSE(showValue(eraConfig(), encodeDate(1872, 1, 1)).dateShown);

    DateEntryConfig time;
    time.style = desYearMonthDayHM;
    time.editAmpm = true;
    shown = showValue(time, encodeDateTime(2024, 1, 1, 13, 5, 0));
    EXPECT_EQ(shown.parts.ampm, pmItem);
    EXPECT_EQ(shown.parts.hour, "1");
    EXPECT_FALSE(showValue(time, encodeDate(2024, 1, 1)).timeShown);
}

TEST(DateEntry, EffectiveEraListFollowsTheBounds)
{
    const TGengoArray table = BuiltinEraTable();
    auto list = effectiveEraList(table, encodeDate(1990, 1, 1), encodeDate(2010, 1, 1));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].GNAME, "平成");
    list = effectiveEraList(table, encodeDate(1980, 1, 1), 0);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.back().GNAME, "昭和");
    EXPECT_EQ(effectiveEraList(table, encodeDate(2020, 1, 1), encodeDate(1990, 1, 1)).size(), table.size());
}
