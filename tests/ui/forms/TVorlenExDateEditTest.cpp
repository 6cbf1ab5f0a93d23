#include "ShownForm.h"

#include "foundation/calendar/DayNumber.h"
#include "platform/ScriptedInteraction.h"
#include "ui/SilentAbort.h"
#include "ui/SlotGuard.h"
#include "ui/forms/TVorlenExDateEdit.h"
#include "ui/forms/TxEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace vq;
using namespace vq::ui;

namespace {

struct DateEditForm : ::testing::Test {
    vq::platform::ScopedScriptedInteraction seam;
    QWidget form;
    TxEdit* before = new TxEdit(&form);
    TVorlenExDateEdit* edit = new TVorlenExDateEdit(&form);
    TxEdit* after = new TxEdit(&form);

    void SetUp() override
    {
        seam->clock = encodeDate(2025, 12, 9) + 0.5;
        edit->move(0, 30);
        after->move(0, 80);
        vq::test::showActive(form);
    }
    void type(const char* era, const char* y, const char* m, const char* d)
    {
        edit->eraCombo()->setCurrentIndex(edit->eraCombo()->findText(QString::fromUtf8(era)));
        edit->box(DatePart::Year)->setText(QString::fromUtf8(y));
        edit->box(DatePart::Month)->setText(QString::fromUtf8(m));
        edit->box(DatePart::Day)->setText(QString::fromUtf8(d));
    }
};

} // namespace

TEST_F(DateEditForm, EraEntryGivesTheWesternDate)
{
    type("平成", "31", "4", "30");
    EXPECT_EQ(edit->GetDateTime(), encodeDate(2019, 4, 30));
    EXPECT_TRUE(seam->messages.empty());

    edit->SetDateTime(encodeDate(2019, 5, 1));
    EXPECT_EQ(edit->eraCombo()->currentText(), QStringLiteral("令和"));
    EXPECT_EQ(edit->box(DatePart::Year)->text(), QStringLiteral("1"));
}

TEST_F(DateEditForm, AWrongEntryShowsOneMessageAndEndsSilently)
{
    type("平成", "", "4", "30");
    EXPECT_THROW(edit->GetDateTime(), SilentAbort);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "空白の入力欄があります．　　");
    EXPECT_EQ(seam->messages[0].caption, "日付時刻入力");
    EXPECT_EQ(seam->messages[0].kind, vq::platform::MessageKind::Information);
    EXPECT_EQ(form.focusWidget(), edit->box(DatePart::Year));

    // The slot guard swallows the abort: no second message.
    bool reachedEnd = false;
    EXPECT_FALSE(runGuarded([&] {
        edit->GetDateTime();
        reachedEnd = true;
    }));
    EXPECT_FALSE(reachedEnd);
    EXPECT_EQ(seam->messages.size(), 2u);

    edit->setDisplayError(false);
    EXPECT_THROW(edit->Validate(), SilentAbort);
    EXPECT_EQ(seam->messages.size(), 2u);
}

TEST_F(DateEditForm, EmptyEntryAndEarlyDates)
{
    EXPECT_EQ(edit->GetDateTime(), 0.0);
    edit->setCanEmpty(false);
    EXPECT_THROW(edit->GetDateTime(), SilentAbort);
    EXPECT_EQ(seam->messages.back().text, "入力欄が全て空白です．　　");

    edit->setCanEmpty(true);
    edit->setGengo(rsBoth);
    type("西暦", "1872", "1", "1");
    EXPECT_THROW(edit->GetDateTime(), SilentAbort);
    EXPECT_EQ(seam->messages.back().text, "1873年01月01日(明治6年01月01日)より前の日付は処理できません．　　");

    type("西暦", "1890", "1", "1"); // before day 0: no value
    EXPECT_EQ(edit->GetDateTime(), 0.0);
    edit->SetDateTime(encodeDate(1899, 12, 29));
    EXPECT_TRUE(edit->box(DatePart::Year)->text().isEmpty());
}

TEST_F(DateEditForm, AWrongEntryKeepsTheCalendarAndEndsTheCaller)
{
    type("平成", "31", "13", "1");
    bool reachedEnd = false;
    EXPECT_FALSE(runGuarded([&] {
        edit->setGengo(rsBoth);
        reachedEnd = true;
    }));
    EXPECT_FALSE(reachedEnd);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "日付が正しくありません（変換できません）．　　");
    EXPECT_EQ(edit->Gengo(), rsWareki);
    EXPECT_EQ(edit->eraCombo()->currentText(), QStringLiteral("平成"));

    edit->box(DatePart::Month)->setText(QStringLiteral("4"));
    edit->setGengo(rsBoth);
    EXPECT_EQ(edit->Gengo(), rsBoth);
    EXPECT_EQ(edit->GetDateTime(), encodeDate(2019, 4, 1));
}

TEST_F(DateEditForm, BoundsPullTheValueIn)
{
    edit->setEditGengo(false);
    edit->setMinDate(encodeDate(2019, 4, 1));
    type("", "2019", "3", "1");
    EXPECT_EQ(edit->GetDateTime(), encodeDate(2019, 4, 1));
    EXPECT_EQ(edit->box(DatePart::Month)->text(), QStringLiteral("4"));

    edit->setMaxDate(encodeDate(2019, 6, 30));
    edit->SetDateTime(encodeDate(2020, 1, 1));
    EXPECT_EQ(edit->GetDateTime(), encodeDate(2019, 6, 30));
}

TEST_F(DateEditForm, TimeStylesTakeTheirDayFromTheUpperBound)
{
    edit->setEditStyle(desHourMinute);
    edit->setMaxDate(encodeDate(2024, 3, 31) + 0.99);
    edit->box(DatePart::Hour)->setText(QStringLiteral("9"));
    edit->box(DatePart::Minute)->setText(QStringLiteral("15"));
    EXPECT_EQ(edit->GetDateTime(), encodeDateTime(2024, 3, 31, 9, 15, 0));
    EXPECT_TRUE(edit->box(DatePart::Year)->isHidden());
    EXPECT_TRUE(edit->eraCombo()->isHidden());
}

TEST_F(DateEditForm, BoxesTakeDigitsAndEnterMovesOn)
{
    edit->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(form.focusWidget(), edit->eraCombo());
    QTest::keyClick(edit->eraCombo(), Qt::Key_Return);
    QLineEdit* year = edit->box(DatePart::Year);
    EXPECT_TRUE(year->hasFocus());
    QTest::keyClicks(year, "a3x1");
    EXPECT_EQ(year->text(), QStringLiteral("31"));
    QTest::keyClick(year, Qt::Key_Return);
    EXPECT_TRUE(edit->box(DatePart::Month)->hasFocus());
    QTest::keyClick(edit->box(DatePart::Month), Qt::Key_Return);
    QTest::keyClick(edit->box(DatePart::Day), Qt::Key_Return);
    EXPECT_TRUE(after->hasFocus());
}

TEST_F(DateEditForm, ExitCheckValidatesWhenTheFocusLeaves)
{
    edit->setExitCheck(true);
    type("平成", "31", "2", "30");
    edit->box(DatePart::Day)->setFocus();
    QApplication::processEvents();
    after->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "日付が正しくありません（変換できません）．　　");
}

TEST_F(DateEditForm, CustomEraTableAndLayout)
{
    TGengoArray table = BuiltinEraTable();
    edit->SetWarekiTable(table);
    edit->setMinDate(encodeDate(1990, 1, 1));
    QStringList items;
    for (int i = 0; i < edit->eraCombo()->count(); ++i)
        items << edit->eraCombo()->itemText(i);
    EXPECT_EQ(items, (QStringList{QStringLiteral("令和"), QStringLiteral("平成")}));

    // Parts sit left to right: era, year + "年", month + "月", day + "日".
    const int eraRight = edit->eraCombo()->geometry().right();
    EXPECT_EQ(edit->box(DatePart::Year)->x(), eraRight + 1 - 2);
    EXPECT_EQ(edit->label(0)->x(), edit->box(DatePart::Year)->geometry().right() + 1);
    EXPECT_EQ(edit->label(0)->text(), QStringLiteral("年"));
    EXPECT_EQ(edit->box(DatePart::Month)->x(), edit->label(0)->geometry().right() + 1 - 3);
    EXPECT_EQ(edit->width(), edit->label(2)->geometry().right() + 1);
}
