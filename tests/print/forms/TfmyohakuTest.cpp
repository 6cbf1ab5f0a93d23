// The margin dialog: keys typed into its number edits, the bounds applied
// when an edit is left, the setters and OK.
#include <gtest/gtest.h>

#include "print/forms/TEdit360.h"
#include "print/forms/Tfmyohaku.h"
#include "print/forms/UpDownButtons.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace vq::print;

namespace {

class MarginDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        box_.show();
        QApplication::processEvents();
    }

    // Types key into edit showing text, with the caret at the end or everything selected.
    QString typed(TEdit360* edit, const QString& text, const QString& key, bool selectAll)
    {
        edit->setFocus();
        edit->setText(text);
        if (selectAll)
            edit->selectAll();
        else
            edit->setCursorPosition(static_cast<int>(text.size()));
        QTest::keyClicks(edit, key);
        return edit->text();
    }

    Tfmyohaku box_;
};

TEST_F(MarginDialogTest, TypedKeysGoThroughTheNumericFilter)
{
    TEdit360* e = box_.TopMarginEdit;
    EXPECT_EQ(typed(e, "5", "-", false), "5");
    EXPECT_EQ(typed(e, "5", "-", true), "-");
    EXPECT_EQ(typed(e, "0", "0", false), "0");
    EXPECT_EQ(typed(e, "0", "5", false), "05");
    EXPECT_EQ(typed(e, "1", "x.", false), "1");
}

TEST_F(MarginDialogTest, LeavingAnEditKeepsItsValueInBounds)
{
    struct Case {
        TEdit360* edit;
        QString text;
        QString kept;
    };
    for (const Case& c : {Case{box_.TopMarginEdit, "150", "100"}, Case{box_.LeftMarginEdit, "-99", "-99"},
                          Case{box_.VRatioEdit, "-70", "-50"}, Case{box_.HRatioEdit, "70", "50"},
                          Case{box_.TopMarginEdit, "abc", "abc"}}) {
        SCOPED_TRACE(c.text.toStdString());
        c.edit->setText(c.text);
        box_.ED_TOPExit(c.edit);
        EXPECT_EQ(c.edit->text(), c.kept);
    }
    EXPECT_EQ(box_.TopMargin(), 0); // "abc" reads as 0
    EXPECT_EQ(box_.LeftMargin(), -99);
    EXPECT_EQ(box_.VRatio(), -50);  // the correction itself until OK
}

TEST_F(MarginDialogTest, SettersAndOk)
{
    box_.SetVRatio(1030);
    EXPECT_EQ(box_.UpDown3->Position(), 30);
    EXPECT_EQ(box_.VRatioEdit->text(), "30");
    box_.SetVRatio(900);
    EXPECT_EQ(box_.UpDown3->Position(), 0);
    EXPECT_EQ(box_.VRatio(), 900);
    box_.SetTopMargin(40);
    EXPECT_EQ(box_.TopMarginEdit->text(), "40");
    box_.TopMarginEdit->setText("7");
    box_.SetTopMargin(40); // the value it holds: the edit is left alone
    EXPECT_EQ(box_.TopMarginEdit->text(), "7");

    box_.VRatioEdit->setText("-20");
    box_.HRatioEdit->setText("5");
    box_.LeftMarginEdit->setText("-90");
    box_.Button1->click();
    EXPECT_EQ(box_.result(), QDialog::Accepted);
    EXPECT_EQ(box_.TopMargin(), 7);
    EXPECT_EQ(box_.LeftMargin(), -90);
    EXPECT_EQ(box_.VRatio(), 980);
    EXPECT_EQ(box_.HRatio(), 1005);
}

TEST_F(MarginDialogTest, UpDownStepsTheEdit)
{
    box_.UpDown1->stepBy(1);
    EXPECT_EQ(box_.LeftMarginEdit->text(), "10");
    box_.LeftMarginEdit->setText("95");
    box_.UpDown1->stepBy(1);
    EXPECT_EQ(box_.LeftMarginEdit->text(), "100");
    EXPECT_EQ(box_.UpDown4->minimum(), -50);
}

TEST_F(MarginDialogTest, EditsTakeTheirDesign)
{
    for (TEdit360* e : {box_.TopMarginEdit, box_.LeftMarginEdit, box_.VRatioEdit, box_.HRatioEdit}) {
        EXPECT_EQ(e->maxLength(), 3);
        EXPECT_EQ(e->size(), QSize(30, 20));
        EXPECT_EQ(e->KeyEdit3D(), vq::ui::bsNone);
        EXPECT_EQ(e->ImeMode(), vq::ui::imDisable);
    }
    EXPECT_EQ(box_.windowTitle(), "設定");
}

} // namespace
