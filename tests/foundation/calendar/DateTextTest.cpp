#include "foundation/calendar/DateText.h"

#include <gtest/gtest.h>

#include <cmath>

#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/app/SystemDef.h"
#include "platform/ScriptedInteraction.h"

namespace vq {
namespace {

double d(int y, int m, int day)
{
    return encodeDate(y, m, day);
}

class DateText : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedTable_ = GengoTable;
        savedEra_ = SystemDef.EraDisplay;
        LoadBuiltinEraTable();
        seam_->clock = d(2025, 12, 9) + 0.5;
    }
    void TearDown() override
    {
        GengoTable = savedTable_;
        SystemDef.EraDisplay = savedEra_;
    }
    static void eraDisplay(bool on) { SystemDef.EraDisplay = on ? 1 : 0; }

    platform::ScopedScriptedInteraction seam_;

private:
    TGengoArray savedTable_;
    std::int32_t savedEra_ = 0;
};

struct StyleCase {
    const char* style;
    int eraKind;
    const char* expected;
};

TEST_F(DateText, FormatterOfTheFixedFormats)
{
    const double t = encodeDateTime(2024, 4, 5, 14, 7, 9, 30);
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", t), "2024/04/05 14:07:09");
    EXPECT_EQ(FormatDateTime("yy/m/d h:n:s.zzz", t), "24/4/5 14:7:9.030");
    EXPECT_EQ(FormatDateTime("yyyy年mm月dd日", t), "2024年04月05日");
    EXPECT_EQ(FormatDateTime("hh:mm", t), "14:07"); // minutes after an hour
    EXPECT_EQ(FormatDateTime("ddd dddd mmm", t), "金 金曜日 4月");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", t), "2:07 pm");
    EXPECT_EQ(FormatDateTime("'yyyy' \"mm\" yyyy", t), "yyyy mm 2024");
    EXPECT_EQ(FormatDateTime("", t), "2024/04/05 14:07:09");
    EXPECT_EQ(FormatDateTime("", d(2024, 4, 5)), "2024/04/05");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", d(1, 1, 1)), "0001/01/01");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", d(9999, 12, 31) + 0.5), "9999/12/31");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", 1e12), "");
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", std::nan("")), "");
    EXPECT_EQ(FormatDateSlash("yyyy/mm/dd", 0, 1e12), "");
}

TEST_F(DateText, DateToStrByStyle)
{
    const double t = encodeDateTime(2024, 4, 5, 9, 30, 15);
    for (int style : {2, 3, 4})
        EXPECT_EQ(DateToStrByStyle(style, 0), "") << style;
    EXPECT_EQ(DateToStrByStyle(2, t), "24/04/05");
    EXPECT_EQ(DateToStrByStyle(4, t), "2024/04/05");
    EXPECT_EQ(DateToStrByStyle(3, t), "2024/04/05 09:30");
    EXPECT_EQ(DateToStrByStyle(0, -1.0), "1899/12/29 00:00");
}

TEST_F(DateText, SlashStylesWithEraDisplay)
{
    eraDisplay(true);
    const StyleCase cases[] = {
        {"yyyy/mm/dd", 0, "06/04/05"},
        {"yy/mm/dd", 1, "令和 06/04/05"},
        {"yyyy/mm/dd", 2, "R 06/04/05"},
        {"yyyy/mm/dd", 3, "R06/04/05"},
        {"yyyy/mm/dd", 4, "令和 06/04/05"},
        {"yy/mm", 2, "R 06/04"},
        {"yyyy", 2, "R 06"},
        {"yyyy/m/d", 2, "R  6/ 4/ 5"},
        {"y/m/d", 3, "R6/4/5"},
        {"yy/m", 0, "6/ 4"},
        {"y/m", 1, "令和  6/ 4"},
        {"y", 2, "R  6"},
        {"yy2/mm/dd", 2, "R06/04/05"},
        {"yy2/mm/dd", 0, "06/04/05"},
        {"mm/dd", 2, ""},
        {"YYYY/MM/DD", 2, ""}, // style names are compared exactly
    };
    for (const StyleCase& c : cases)
        EXPECT_EQ(FormatDateSlash(c.style, c.eraKind, d(2024, 4, 5)), c.expected) << c.style << " " << c.eraKind;
}

// The last half-millisecond of the last Heisei day prints as the day it rounds to.
TEST_F(DateText, EraTextOfATimeThatRoundsIntoANewEra)
{
    eraDisplay(true);
    const double lastInstant = d(2019, 5, 1) - 0.4 / 86'400'000.0;
    EXPECT_EQ(FormatDateSlash("yyyy/mm/dd", 1, lastInstant), "令和 01/05/01");
    EXPECT_EQ(FormatDateKanji("yyyy年mm月dd日", 2, lastInstant), "R 01年05月01日");
    EXPECT_EQ(PeriodToText(lastInstant, lastInstant), "R 01/05/01 ～ R 01/05/01");
}

TEST_F(DateText, SlashStylesWithWesternDates)
{
    eraDisplay(false);
    const StyleCase cases[] = {
        {"yyyy/m/d", 2, "2024/ 4/ 5"},
        {"yy/m/d", 0, " 5/ 4/ 5"},
        {"y/m/d", 1, " 5/ 4/ 5"},
        {"yyyy/m", 3, "2024/ 4"},
        {"yy/m", 0, " 5/ 4"},
        {"yy2/mm/dd", 2, "05/04/05"},
        {"yyyy/mm/dd", 2, "2024/04/05"},
        {"mm/dd", 0, "04/05"}, // any other name is a format
    };
    for (const StyleCase& c : cases) {
        const double date = std::string(c.style).rfind("yyyy", 0) == 0 ? d(2024, 4, 5) : d(2005, 4, 5);
        EXPECT_EQ(FormatDateSlash(c.style, c.eraKind, date), c.expected) << c.style;
    }
}

TEST_F(DateText, KanjiStylesWithEraDisplay)
{
    eraDisplay(true);
    const StyleCase cases[] = {
        {"yyyy年mm月dd日", 0, "06年04月05日"},
        {"yyyy年mm月dd日", 1, "令和 06年04月05日"},
        {"yy年mm月dd日", 2, "R 06年04月05日"},
        {"yy年mm月dd日", 3, "令和 06年04月05日"},
        {"yyyy年mm月", 1, "令和 06年04月"},
        {"yy年", 2, "R 06年"},
        {"y年m月d日", 1, "令和  6年 4月 5日"},
        {"yyyy年m月", 1, "令和  6年 4月"},
        {"y年", 1, "令和 6年"},
        {"y", 0, "6年"},
        {"y年 m月 d日", 1, "令和  6年 4月 5日"},
        {"yy年 m月", 2, "R  6年 4月"},
        {"yyyy年 mm月 dd日", 1, "令和 06年 04月 05日"},
        {"yy年 mm月", 1, "令和 06年 04月"},
        {"mm月dd日", 1, ""},
    };
    for (const StyleCase& c : cases)
        EXPECT_EQ(FormatDateKanji(c.style, c.eraKind, d(2024, 4, 5)), c.expected) << c.style << " " << c.eraKind;
}

TEST_F(DateText, KanjiStylesWithWesternDates)
{
    eraDisplay(false);
    const StyleCase cases[] = {
        {"yyyy年m月d日", 1, "2005年 4月 5日"},
        {"yy年m月d日", 1, " 5年 4月 5日"},
        {"yyyy年m月", 1, "2005年 4月"},
        {"yy年m月", 1, "05年 4月"},
        {"y年", 1, "2005年"},
        {"y", 1, "2005年"},
        {"yyyy年 m月 d日", 1, "2005年 4月 5日"},
        {"yyyy年 m月", 1, "2005年 4月"},
        {"yy年 m月 d日", 1, "05年 4月 5日"},
        {"y年 m月", 1, "05年 4月"},
        {"yyyy年mm月dd日", 1, "2005年04月05日"},
        {"mm月dd日", 1, "04月05日"},
    };
    for (const StyleCase& c : cases)
        EXPECT_EQ(FormatDateKanji(c.style, c.eraKind, d(2005, 4, 5)), c.expected) << c.style;
}

TEST_F(DateText, PeriodTexts)
{
    eraDisplay(false);
    EXPECT_EQ(PeriodToText(d(2024, 4, 1), d(2025, 3, 31)), "2024/04/01 ～ 2025/03/31");
    eraDisplay(true);
    EXPECT_EQ(PeriodToText(d(2019, 4, 1), d(2020, 3, 31)), "H 31/04/01 ～ R 02/03/31");
}

TEST_F(DateText, ReadsDateTextsInTheFixedFormats)
{
    struct Case {
        const char* text;
        double fixed;  // StrToDateTimeFixed
        double safe;   // SafeStrToDate
    };
    const Case cases[] = {
        {"2024/04/01", d(2024, 4, 1), d(2024, 4, 1)},
        {" 2024/4/1 ", d(2024, 4, 1), d(2024, 4, 1)},
        {"24/4/1", d(2024, 4, 1), d(2024, 4, 1)},
        {"4/1", d(2025, 4, 1), d(2025, 4, 1)}, // this year (the clock says 2025)
        {"2024/04/01 10:30", encodeDateTime(2024, 4, 1, 10, 30, 0), 0},
        {"2024/04/01 10:30:15", encodeDateTime(2024, 4, 1, 10, 30, 15), 0},
        {"2024/04/01 PM 1:05", encodeDateTime(2024, 4, 1, 13, 5, 0), 0},
        {"10:30", encodeTime(10, 30, 0), 0},
        {"2024/02/30", 0, 0},
        {"2024-04-01", 0, 0},
        {"01.04.2024", 0, 0},
        {"abc", 0, 0},
        {"", 0, 0},
        {"2024/04/01 25:00", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrToDateTimeFixed(c.text), c.fixed) << c.text;
        EXPECT_EQ(SafeStrToDate(c.text), c.safe) << c.text;
    }
}

} // namespace
} // namespace vq
