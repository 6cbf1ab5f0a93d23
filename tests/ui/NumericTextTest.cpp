#include "ui/NumericText.h"
#include "ui/InputKeyFilter.h"
#include "ui/HintText.h"
#include "ui/FormScale.h"
#include "ui/CheckedSelection.h"
#include "ui/PreeditReading.h"

#include <gtest/gtest.h>

using namespace vq::ui;

TEST(NumericText, PicturesAsFormatFloatDraws)
{
    struct Case {
        const char* picture;
        double value;
        const char* text;
    } cases[] = {
        {"#,##0", 1234567, "1,234,567"}, {"#,##0", 0, "0"},        {"#,##0", -1234, "-1,234"},
        {"#,##0", 999.5, "1,000"},       {"#,##0.00", 12.5, "12.50"}, {"0.0#", 3.14159, "3.14"},
        {"#,##0円", 1200, "1,200円"},    {"#,##0;▲#,##0", -5000, "▲5,000"}, {"#,##0;;ゼロ", 0, "ゼロ"},
        {"#", 0, ""},                    {"000", 7, "007"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.picture), c.value).toStdString(), c.text)
            << c.picture << " " << c.value;
}

// Amounts given as text are formatted digit for digit, however long: no
// double in between to make up or drop digits.
TEST(NumericText, AmountTextsKeepEveryDigit)
{
    struct Case {
        const char* picture;
        const char* amount;
        const char* text;
    } cases[] = {
        {"#,##0", "99999999999999999999999", "99,999,999,999,999,999,999,999"},
        {"#,##0", "-1,234,567", "-1,234,567"}, {"#,##0", "999.5", "1,000"},    {"#,##0", "-0.4", "0"},
        {"#,##0.00", "12.345", "12.35"},       {"0.0#", "3.14159", "3.14"},    {"#,##0", "", "0"},
        {"#,##0", "12a", "0"},                 {"#,##0;▲#,##0", "-5000", "▲5,000"},
        {"#,##0;;ゼロ", "0.00", "ゼロ"},       {"000", "7", "007"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatAmountText(QString::fromUtf8(c.picture), QString::fromUtf8(c.amount)).toStdString(), c.text)
            << c.picture << " " << c.amount;

    struct Negated {
        const char* amount;
        const char* text;
    } negated[] = {{"1,234", "-1234"}, {"-1,234.50", "1234.5"}, {"007", "-7"}, {"0", "0"}, {"abc", "abc"}};
    for (const auto& n : negated)
        EXPECT_EQ(NegatedAmountText(QString::fromUtf8(n.amount)).toStdString(), n.text) << n.amount;
    EXPECT_TRUE(HasNonZeroValue(QStringLiteral("0.0001")));
    EXPECT_FALSE(HasNonZeroValue(QStringLiteral("0.00004")));
    EXPECT_FALSE(HasNonZeroValue(QStringLiteral("5abc")));
}

// The one rule every text of the numeric edit is held to.
TEST(NumericText, TextsAnEditMayHold)
{
    struct Case {
        const char* text;
        TEditStyle style;
        int maxDigits;
        bool allowed;
    } cases[] = {
        {"1,234,000", esNumericMinus, 11, true}, {"1234000-5", esNumericMinus, 11, false},
        {"-", esNumericMinus, 11, true},         {"-5", esNumeric, 0, false},
        {"5abc", esNumericMinus, 0, false},      {"99999999999", esNumericMinus, 11, true},
        {"999999999999", esNumericMinus, 11, false}, {"1.5", esNumeric, 0, false},
        {"-1.5", esFloatMinus, 0, true},         {"1.5.", esFloat, 0, false},
        {"abc,", esNone, 4, true},               {"abcde", esNone, 4, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AmountTextAllowed(QString::fromUtf8(c.text), c.style, c.maxDigits), c.allowed) << c.text;
}

TEST(NumericText, StylesAndAmounts)
{
    EXPECT_EQ(FilterChar(u'-', esNumeric), QChar(0));
    EXPECT_EQ(FilterChar(u'-', esNumericMinus), QChar(u'-'));
    EXPECT_EQ(FilterChar(u'.', esNumericMinus), QChar(0));
    EXPECT_EQ(FilterChar(u'.', esFloatMinus), QChar(u'.'));
    EXPECT_EQ(FilterChar(u'a', esNone), QChar(u'a'));
    EXPECT_EQ(FilterChar(QChar(8), esNumeric), QChar(8));
    EXPECT_DOUBLE_EQ(TextToCurr(QStringLiteral("1,234.5")), 1234.5);
    EXPECT_DOUBLE_EQ(TextToCurr(QStringLiteral("12a")), 0.0);
    EXPECT_EQ(CurrToStr(-1234.0), QStringLiteral("-1234"));
    EXPECT_TRUE(EmptyOrHasPoint(QString()));
    EXPECT_EQ(CountOf(QStringLiteral("1,234,567"), QStringLiteral(",")), 2);
}

TEST(InputKeyFilter, KindsLetTheirCharactersThrough)
{
    const std::u32string all = U"-.5aZ:*|\"あ\b";
    struct Case {
        int kind;
        std::u32string passes;
    } cases[] = {{10, U"-.5\b"}, {20, U"aZ\b"}, {30, U"5aZ\b"}, {40, U"-.5aZあ\b"}, {0, all}};
    for (const auto& c : cases)
        for (char32_t ch : all)
            EXPECT_EQ(keyPasses(c.kind, ch), c.passes.find(ch) != std::u32string::npos)
                << "kind " << c.kind << " char " << static_cast<int>(ch);
    EXPECT_TRUE(keyPasses(10, U'\r'));
}

TEST(HintText, LongPartAfterTheFirstBar)
{
    EXPECT_EQ(longHintOf("短い|長い説明"), "長い説明");
    EXPECT_EQ(longHintOf("一つだけ"), "一つだけ");
    EXPECT_EQ(longHintOf("a|b|c"), "b|c");
    EXPECT_EQ(longHintOf(""), "");
}

TEST(FormScale, MonthCellsAndScaledDensity)
{
    EXPECT_EQ(MonthToCell(1), 0);
    EXPECT_EQ(MonthToCell(4), 4);
    EXPECT_EQ(MonthToCell(12), 14);
    EXPECT_EQ(MonthToCell(0), 0);
    EXPECT_EQ(MonthToCell(13), 0);
    EXPECT_EQ(scaleReferencePpi(10, 120), 120);
    EXPECT_EQ(scaleReferencePpi(9, 120), 96);
    EXPECT_EQ(scaledFormPpi(12, 9, 96), 128);   // 133 % of 96
    EXPECT_EQ(scaledFormPpi(10, 10, 96), 96);
}

TEST(CheckedSelection, TextForNoneOneAndThree)
{
    const QStringList items{QStringLiteral("田中"), QStringLiteral("佐藤"), QStringLiteral("鈴木")};
    const QString fmt = QStringLiteral("%d件選択");
    CheckedSelection s;
    EXPECT_EQ(s.displayText(dsKensu, items, false, QStringLiteral("未選択"), fmt), QStringLiteral("未選択"));
    s.tick(QStringLiteral("鈴木"));
    s.tick(QStringLiteral("鈴木"));
    EXPECT_EQ(s.count(), 1);
    EXPECT_EQ(s.displayText(dsKensu, items, false, QString(), fmt), QStringLiteral("鈴木"));
    s.tick(QStringLiteral("田中"));
    s.tick(QStringLiteral("佐藤"));
    EXPECT_EQ(s.displayText(dsKensu, items, false, QString(), fmt), QStringLiteral("3件選択"));
    EXPECT_EQ(s.displayText(dsItems, items, false, QString(), fmt), QStringLiteral("鈴木,田中,佐藤"));
    EXPECT_EQ(s.displayText(dsItems, items, true, QString(), fmt), QStringLiteral("田中,佐藤,鈴木"));
    s.untick(QStringLiteral("田中"));
    s.untick(QStringLiteral("鈴木"));
    EXPECT_EQ(s.text(), QStringLiteral("佐藤"));
    EXPECT_EQ(s.count(), 1);
}

TEST(PreeditReading, LastKanaPreeditIsTheReading)
{
    PreeditReading r;
    for (const char* p : {"t", "た", "たn", "たなか", "田中"})
        r.preedit(QString::fromUtf8(p));
    EXPECT_EQ(r.commit(QStringLiteral("田中")), QStringLiteral("たなか"));
    EXPECT_EQ(r.commit(QStringLiteral("abc")), QStringLiteral("abc"));   // no composition: as committed
}
