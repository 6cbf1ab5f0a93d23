#include "ui/PlainDateEntry.h"

#include "foundation/calendar/DayNumber.h"

#include <gtest/gtest.h>

using namespace vq;
using namespace vq::ui;

TEST(PlainDateEntry, EachStyleHasItsMaskAndTextLayout)
{
    const double day = encodeDate(2024, 4, 1); // 令和6年
    struct Case {
        int style;
        bool era, twoDigit;
        const char* mask;
        const char* qtMask;
        const char* text;
    } cases[] = {
        {pdsYearMonthDay, false, false, "0000/99/99;1; ", "9999/00/00; ", "2024/04/01"},
        {pdsYearMonthDay, false, true, "00/99/99;1; ", "99/00/00; ", "24/04/01"},
        {pdsYearMonthDay, true, false, "00/99/99;1; ", "99/00/00; ", "06/04/01"},
        {pdsYearMonth, false, false, "0000/99;1; ", "9999/00; ", "2024/04"},
        {pdsYearMonth, true, false, "00/99;1; ", "99/00; ", "06/04"},
        {pdsYear, false, false, "0000;1; ", "9999; ", "2024"},
        {pdsYear, false, true, "00;1; ", "99; ", "24"},
        {pdsMonthDay, true, false, "99/99;1; ", "00/00; ", "04/01"},
        {pdsMonth, false, false, "99;1; ", "00; ", "04"},
        {pdsDay, false, true, "99;1; ", "00; ", "01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PlainDateConfig config;
        config.style = c.style;
        config.era = c.era;
        config.twoDigitYear = c.twoDigit;
        const std::string mask = plainDateEditMask(c.style, plainDateTwoDigit(config));
        EXPECT_EQ(mask, c.mask);
        EXPECT_EQ(qtInputMask(mask), c.qtMask);
        EXPECT_EQ(plainDateText(config, day), c.text);
    }
    EXPECT_EQ(plainDateShortFormat(false), "YYYY/MM/DD");
    EXPECT_EQ(plainDateShortFormat(true), "YY/MM/DD");
}

TEST(PlainDateEntry, OnlyTheYearMonthDayAndMonthDayStylesAreTaken)
{
    for (int style = 0; style <= 5; ++style)
        EXPECT_EQ(plainDateStyleAccepted(style), style == pdsYearMonthDay || style == pdsMonthDay) << style;
}

TEST(PlainDateEntry, TypingStartsAtAPartTheStyleShows)
{
    struct Case {
        int style, asked, position, caret4, caret2;
    } cases[] = {
        {pdsYearMonthDay, pdpDay, pdpDay, 8, 6}, {pdsYearMonthDay, pdpMonth, pdpMonth, 5, 3},
        {pdsYearMonth, pdpDay, pdpMonth, 5, 3},  {pdsYear, pdpDay, pdpYear, 0, 0},
        {pdsMonthDay, pdpYear, pdpMonth, 0, 0},  {pdsMonthDay, pdpDay, pdpDay, 3, 3},
        {pdsMonth, pdpDay, pdpMonth, 0, 0},      {pdsDay, pdpYear, pdpDay, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " asked " << c.asked);
        EXPECT_EQ(plainDateInputPosition(c.style, c.asked), c.position);
        EXPECT_EQ(plainDateCaretOffset(c.style, false, c.asked), c.caret4);
        EXPECT_EQ(plainDateCaretOffset(c.style, true, c.asked), c.caret2);
    }
}

TEST(PlainDateEntry, EraYearsComeFromTheCustomTableWhenInUse)
{
    PlainDateConfig config;
    config.era = true;
    // The system's eras.
    EXPECT_EQ(plainDateEraYear(config, encodeDate(2019, 4, 30)), 31);
    EXPECT_EQ(plainDateEraYear(config, encodeDate(2019, 5, 1)), 1);
    // A date before every era keeps its Western year.
    EXPECT_EQ(plainDateEraYear(config, encodeDate(1850, 1, 1)), 1850);

    // A custom table that starts its one era in 2000 counts from there.
    config.useWarekiTable = true;
    config.table = {TGengoRec{"新元", "N", encodeDate(2000, 1, 1), 2000}};
    EXPECT_EQ(plainDateEraYear(config, encodeDate(2024, 4, 1)), 25);
    EXPECT_EQ(plainDateText(config, encodeDate(2024, 4, 1)), "25/04/01");
    EXPECT_EQ(plainDateEraYear(config, encodeDate(1999, 12, 31)), 1999);
    // Switched on but empty: the system's eras again.
    config.table.clear();
    EXPECT_EQ(plainDateEraYear(config, encodeDate(2024, 4, 1)), 6);
}

TEST(PlainDateEntry, InEraModeAYearlessStyleHoldsTheEndWithinAYear)
{
    const double start = encodeDate(2024, 4, 1);
    const double tooFar = encodeDate(2025, 6, 30);
    const double lastDay = encodeDate(2025, 3, 31);
    struct Case {
        int style;
        bool era;
        double end, held;
    } cases[] = {
        {pdsMonthDay, true, tooFar, lastDay},
        {pdsMonth, true, tooFar, lastDay},
        {pdsMonthDay, true, encodeDate(2024, 9, 30), encodeDate(2024, 9, 30)},
        {pdsMonthDay, false, tooFar, tooFar},
        {pdsYearMonthDay, true, tooFar, tooFar},
    };
    for (const Case& c : cases) {
        PlainDateConfig config;
        config.style = c.style;
        config.era = c.era;
        EXPECT_EQ(plainDateHeldEnd(config, start, c.end), c.held) << c.style << ' ' << c.era;
    }
    PlainDateConfig config;
    config.style = pdsMonthDay;
    config.era = true;
    // Without a start there is nothing to hold the end to.
    EXPECT_EQ(plainDateHeldEnd(config, 0, tooFar), tooFar);
}
