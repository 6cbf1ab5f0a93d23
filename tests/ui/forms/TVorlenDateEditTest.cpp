#include "ShownForm.h"

#include "foundation/calendar/DayNumber.h"
#include "ui/forms/TVorlenDateEdit.h"
#include "ui/forms/TxEdit.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace vq;
using namespace vq::ui;

namespace {

struct PlainDateForm : ::testing::Test {
    QWidget form;
    TxEdit* before = new TxEdit(&form);
    TVorlenDateEdit* edit = new TVorlenDateEdit(&form);

    void SetUp() override
    {
        edit->move(0, 30);
        vq::test::showActive(form);
    }
};

} // namespace

TEST_F(PlainDateForm, StyleEraAndYearWidthShapeMaskAndText)
{
    EXPECT_EQ(edit->EditMask(), QStringLiteral("0000/99/99;1; "));
    EXPECT_EQ(edit->inputMask(), QStringLiteral("9999/00/00")); // Qt drops the default blank
    EXPECT_EQ(edit->ShortDateFormat(), QStringLiteral("YYYY/MM/DD"));

    edit->setStartDate(encodeDate(2024, 4, 1));
    EXPECT_EQ(edit->Date(), encodeDate(2024, 4, 1));
    EXPECT_EQ(edit->text(), QStringLiteral("2024/04/01"));

    edit->setEra(true);
    EXPECT_EQ(edit->EditMask(), QStringLiteral("00/99/99;1; "));
    EXPECT_EQ(edit->ShortDateFormat(), QStringLiteral("YY/MM/DD"));
    EXPECT_EQ(edit->text(), QStringLiteral("06/04/01"));

    // Era mode and a style without a year: the end stays within the year.
    edit->setEndDate(encodeDate(2025, 6, 30));
    edit->setStyle(pdsMonthDay);
    EXPECT_EQ(edit->EditMask(), QStringLiteral("99/99;1; "));
    EXPECT_EQ(edit->text(), QStringLiteral("04/01"));
    EXPECT_EQ(edit->EndDate(), encodeDate(2025, 3, 31));

    // A style the editor does not take leaves everything as it was.
    edit->setStyle(pdsYearMonth);
    EXPECT_EQ(edit->Style(), pdsMonthDay);
    EXPECT_EQ(edit->EditMask(), QStringLiteral("99/99;1; "));
}

TEST_F(PlainDateForm, TheCustomEraTableStartsEmptyWhenSwitched)
{
    edit->setEra(true);
    edit->setUseWarekiTable(true);
    edit->SetWarekiTable({TGengoRec{"新元", "N", encodeDate(2000, 1, 1), 2000}});
    edit->setDate(encodeDate(2024, 4, 1));
    EXPECT_EQ(edit->text(), QStringLiteral("25/04/01"));
    edit->setUseWarekiTable(false);
    EXPECT_TRUE(edit->WarekiTable().empty());
    EXPECT_EQ(edit->text(), QStringLiteral("06/04/01"));
}

TEST_F(PlainDateForm, TypingStartsAtTheInputPosition)
{
    edit->setDate(encodeDate(2024, 4, 1));
    edit->setInputPosition(pdpDay);
    before->setFocus();
    QApplication::processEvents();
    QTest::keyClick(before, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(form.focusWidget(), edit);
    EXPECT_EQ(edit->cursorPosition(), 8);
    QTest::keyClicks(edit, "15");
    EXPECT_EQ(edit->text(), QStringLiteral("2024/04/15"));
}
