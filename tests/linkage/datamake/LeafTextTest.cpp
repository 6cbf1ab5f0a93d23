#include "linkage/datamake/LeafText.h"

#include <gtest/gtest.h>

#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/Gengo.h"

namespace vq::linkage {
namespace {

TEST(LeafTextTest, AmountsAreWholeYenWithHalvesAwayFromZero)
{
    const struct {
        Currency amount;
        const char* text;
    } cases[] = {
        {0, ""},
        {YenToCurrency(1), "1"},
        {YenToCurrency(-1234), "-1234"},
        {YenToCurrency(1234567890123), "1234567890123"},
        {5000, "1"},           // 0.5 yen
        {-5000, "-1"},         // -0.5 yen
        {4999, ""},            // rounds to zero: empty, never "-0"
        {-4999, ""},
        {YenToCurrency(12) + 5000, "13"},
        {YenToCurrency(-12) - 5000, "-13"},
        {YenToCurrency(12) + 4999, "12"},
        {INT64_MIN, "-922337203685478"},
        {INT64_MAX, "922337203685478"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AmountText(c.amount), c.text) << c.amount;
}

TEST(LeafTextTest, CountsDatesAndChoices)
{
    EXPECT_EQ(IntOrEmptyText(0), "");
    EXPECT_EQ(IntOrEmptyText(42), "42");
    EXPECT_EQ(IntOrEmptyText(-3), "-3");

    EXPECT_EQ(DateToYyyymm(0), "");
    EXPECT_EQ(DateToYyyymm(-5), "");
    EXPECT_EQ(DateToYyyymm(encodeDate(2024, 3, 31)), "202403");

    EXPECT_EQ(AoiroSentakuText(0), "3");
    EXPECT_EQ(AoiroSentakuText(1), "2");
    EXPECT_EQ(AoiroSentakuText(2), "1");
    EXPECT_EQ(AoiroSentakuText(3), "0");
    EXPECT_EQ(AoiroSentakuText(-1), "0");
    EXPECT_EQ(KuriireRituText(1), "2");
    EXPECT_EQ(KuriireRituText(0), "1");
    EXPECT_EQ(KuriireRituText(7), "1");
}

TEST(LeafTextTest, AreasHaveTwoDecimalsRightAligned)
{
    EXPECT_EQ(AreaText(0), "  0.00");
    EXPECT_EQ(AreaText(455000), " 45.50");
    EXPECT_EQ(AreaText(12345670), "1234.57");
    EXPECT_EQ(AreaText(11250), "  1.13");   // 1.125 rounds away from zero
    EXPECT_EQ(AreaText(-15000), " -1.50");
    EXPECT_EQ(AreaText(-49), "  0.00");     // no "-0.00"
}

TEST(LeafTextTest, NamesAreCutByCp932BytesAndTrimmed)
{
    // Eleven double-byte characters (22 bytes) keep their first ten.
    EXPECT_EQ(CutNameText("あいうえおかきくけこさ", 20), "あいうえおかきくけこ");
    // Byte 20 would split the tenth double-byte character: it becomes a
    // blank and is trimmed away.
    EXPECT_EQ(CutNameText("Aあいうえおかきくけこ", 20), "Aあいうえおかきくけ");
    EXPECT_EQ(CutNameText("  雑費\t", 20), "雑費");
    EXPECT_EQ(CutNameText("", 20), "");
    EXPECT_EQ(CutNameText(std::string(100, 'x'), 80), std::string(80, 'x'));
}

class WarekiTextTest : public ::testing::Test {
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

TEST_F(WarekiTextTest, TheEraLetterAloneChoosesTheEra)
{
    const struct {
        const char *year, *month, *day, *text;
    } cases[] = {
        {"H20", "4", "1", "20080401"},   // Heisei whatever era the fiscal year lies in
        {"R05", "12", "31", "20231231"},
        {"S63", "01", "07", "19880107"},
        {"h20", "4", "1", "20080401"},
        {"H 5", "4", "1", "19930401"},
        {"H5", "4", "1", "19930401"},
        {"H", "4", "1", ""},             // no year digits
        {"H20", "4", "", ""},            // empty day
        {"", "4", "1", ""},
        {"H20", "4", "x", ""},           // day not a number
        {"H20", "2", "30", ""},          // no such day
        {"H00", "4", "1", ""},           // year 0
        {"Q20", "4", "1", ""},           // unknown letter
        {"平20", "4", "1", ""},          // not a letter of the table
    };
    for (const auto& c : cases)
        EXPECT_EQ(WarekiTextToYyyymmdd(c.year, c.month, c.day), c.text)
            << c.year << "/" << c.month << "/" << c.day;
}

TEST_F(WarekiTextTest, AnEmptyEraTableKnowsNoLetter)
{
    GengoTable.clear();
    EXPECT_EQ(WarekiTextToYyyymmdd("H20", "4", "1"), "");
}

} // namespace
} // namespace vq::linkage
