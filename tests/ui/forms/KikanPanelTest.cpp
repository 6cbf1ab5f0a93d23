#include "ShownForm.h"

#include "foundation/calendar/DayNumber.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxKikanPanel12.h"
#include "ui/forms/TxKikanPanel16.h"
#include "ui/forms/TxKikanPanel4.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace vq;
using namespace vq::ui;

namespace {

QString labels(const KikanPanel& p)
{
    QStringList s;
    for (int i = 0; i < p.cellCount(); ++i)
        s << (p.cell(i)->text().isEmpty() ? QStringLiteral("_") : p.cell(i)->text());
    return s.join(QLatin1Char(' '));
}

struct PanelForm : ::testing::Test {
    QWidget form;
    TxEdit* before = new TxEdit(&form);
    TxKikanPanel16* panel = new TxKikanPanel16(&form);
    TxEdit* after = new TxEdit(&form);
    int mouseUps = 0;

    void SetUp() override
    {
        panel->move(0, 30);
        after->move(0, 60);
        QObject::connect(panel, &KikanPanel::mouseUp, [this] { ++mouseUps; });
        panel->SetKikan(99, encodeDate(2024, 4, 1), encodeDate(2025, 3, 31), encodeDate(2024, 8, 10));
        vq::test::showActive(form);
    }
};

} // namespace

TEST_F(PanelForm, LabelsOfAnAprilStartYear)
{
    EXPECT_EQ(labels(*panel), QStringLiteral("4 5 6 ・ 7 8 9 ・ 10 11 12 ・ 1 2 3 決"));
    EXPECT_EQ(panel->cell(0)->objectName(), QStringLiteral("No1"));
    EXPECT_EQ(panel->Stno(), 5);
    EXPECT_EQ(panel->Edno(), 15);
    EXPECT_EQ(panel->LastNo(), 15);
    EXPECT_EQ(panel->EdMonthNo(), 15);
    EXPECT_EQ(panel->width(), 16 * ((242 - 8) / 16) + 8);
}

TEST_F(PanelForm, LabelsOfATwentiethClosingYear)
{
    panel->SetKikan(20, encodeDate(2024, 3, 21), encodeDate(2025, 3, 20), encodeDate(2024, 3, 21));
    EXPECT_EQ(labels(*panel), QStringLiteral("4 5 6 ・ 7 8 9 ・ 10 11 12 ・ 1 2 3 決"));
    TxKikanPanel12 twelve;
    twelve.SetKikan(20, encodeDate(2024, 3, 21), encodeDate(2025, 3, 20), encodeDate(2024, 3, 21));
    EXPECT_EQ(labels(twelve), QStringLiteral("4 5 6 7 8 9 10 11 12 1 2 3"));
    twelve.setStno(5);
    twelve.setEdno(3);
    EXPECT_EQ(twelve.Stno(), 3);
    EXPECT_EQ(twelve.Edno(), 5);
    EXPECT_EQ(twelve.StMonNo(), 4);
}

TEST_F(PanelForm, KeyboardChoiceIsCommittedByEnter)
{
    panel->setFocus();
    QApplication::processEvents();
    QTest::keyClick(panel, Qt::Key_Left); // cannot go before the first open month
    EXPECT_EQ(panel->Stno(), 5);
    EXPECT_EQ(panel->Edno(), 5);
    QTest::keyClick(panel, Qt::Key_Right);
    QTest::keyClick(panel, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(panel, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(panel->Stno(), 6);
    EXPECT_EQ(panel->Edno(), 8);
    EXPECT_TRUE(panel->KBDMOUSE());
    QTest::keyClick(panel, Qt::Key_Return);
    EXPECT_EQ(mouseUps, 1);
    EXPECT_FALSE(panel->KBDMOUSE());
    EXPECT_TRUE(after->hasFocus());

    panel->setFocus();
    QTest::keyClick(panel, Qt::Key_Up);
    EXPECT_TRUE(before->hasFocus());
}

TEST_F(PanelForm, ClicksAndDragsChooseEnabledCellsOnly)
{
    QTest::mouseClick(panel->cell(2), Qt::LeftButton); // before the first open month
    EXPECT_EQ(mouseUps, 0);
    EXPECT_EQ(panel->Stno(), 5);

    QTest::mousePress(panel->cell(6), Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(panel->cell(9)->x() - panel->cell(6)->x() + 3, 5),
                     QPointF(), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel->cell(6), &move);
    QTest::mouseRelease(panel->cell(6), Qt::LeftButton);
    EXPECT_EQ(panel->Stno(), 6);
    EXPECT_EQ(panel->Edno(), 9);
    EXPECT_EQ(mouseUps, 1);
    EXPECT_EQ(panel->cell(7)->backColour(), toQColor(clNavy));
    EXPECT_NE(panel->cell(10)->backColour(), toQColor(clNavy));
}

TEST_F(PanelForm, SettlementCellAndClosedMonths)
{
    panel->setKESSAN(false);
    EXPECT_TRUE(panel->cell(15)->text().isEmpty());
    EXPECT_FALSE(panel->cell(15)->cellEnabled());
    panel->setKESSAN(true);
    EXPECT_EQ(panel->cell(15)->text(), QStringLiteral("決"));

    panel->SetKikan(99, encodeDate(2024, 4, 1), encodeDate(2025, 3, 31), encodeDate(2024, 4, 1));
    panel->setStno(6);
    panel->setEdno(8);
    panel->setKakuteiMNo(4);
    panel->setKakuteiMode(true);
    EXPECT_EQ(panel->cell(1)->backColour(), toQColor(0x4080FF));
    EXPECT_EQ(panel->cell(6)->backColour(), toQColor(clNavy));
    EXPECT_EQ(panel->cell(5)->backColour(), toQColor(clBtnFace));
}

TEST(TxKikanPanel4, CellCountsTwoAndFour)
{
    TxKikanPanel4 p;
    EXPECT_EQ(labels(p), QStringLiteral("1 2 3 4"));
    p.setBtnCnt(3);
    EXPECT_EQ(p.BtnCnt(), 4);
    p.setBtnCnt(2);
    EXPECT_TRUE(p.cell(2)->isHidden());
    EXPECT_EQ(p.cell(0)->text(), QStringLiteral("上"));
    EXPECT_EQ(p.Stno(), 0);
    EXPECT_EQ(p.Edno(), 1);
    p.setBtnCnt(4);
    p.SetKikan(99, encodeDate(2024, 4, 1), encodeDate(2025, 3, 31), encodeDate(2024, 10, 1));
    EXPECT_EQ(p.Stno(), 2);
    EXPECT_EQ(p.Edno(), 3);
    EXPECT_FALSE(p.cell(1)->cellEnabled());
}
