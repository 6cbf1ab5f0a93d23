#include "ShownForm.h"

#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxMaskEdit.h"
#include "ui/forms/TxRadioButton.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

using namespace vq::ui;

namespace {

struct EditForm : ::testing::Test {
    QWidget form;
    TxEdit* first = new TxEdit(&form);
    TxEdit* edit = new TxEdit(&form);
    TxEdit* last = new TxEdit(&form);

    void SetUp() override
    {
        first->setGeometry(0, 0, 100, 20);
        edit->setGeometry(0, 30, 100, 20);
        last->setGeometry(0, 60, 100, 20);
        vq::test::showActive(form);
    }
    void enter(TxEdit* e)
    {
        e->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(EditForm, EnterAndDefaultArrowsMoveBetweenFields)
{
    enter(edit);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(last->hasFocus());
    QTest::keyClick(last, Qt::Key_Up);
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Down); // not in the default styles
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Up, Qt::ShiftModifier); // a modifier keeps the key in the edit
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(EditForm, ArrowsLeaveOnlyFromTheEdgesOfTheText)
{
    edit->setKeyStyles({ksEnter, ksLeft, ksUp, ksRight, ksDown});
    edit->setText(QStringLiteral("abc"));

    enter(edit); // all selected on entry
    EXPECT_EQ(edit->selectedText(), QStringLiteral("abc"));
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_TRUE(last->hasFocus());

    enter(edit);
    QTest::keyClick(edit, Qt::Key_X); // replaces the selection, caret after it
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_TRUE(edit->hasFocus()); // caret moved from 1 to 0
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_TRUE(first->hasFocus());

    edit->clear();
    enter(edit);
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_TRUE(first->hasFocus());
    enter(edit);
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_TRUE(last->hasFocus());
}

TEST_F(EditForm, CaretPlacementOnEntry)
{
    edit->setText(QStringLiteral("12345"));
    edit->setCursorPos(cpLeft);
    enter(edit);
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->cursorPosition(), 0);
    edit->setCursorPos(cpRight);
    enter(first);
    enter(edit);
    EXPECT_EQ(edit->cursorPosition(), 5);
}

TEST_F(EditForm, NumbersReadAsZeroWhenNotNumbersAndZeroWritesNothing)
{
    edit->setText(QStringLiteral("abc"));
    EXPECT_EQ(edit->Curr(), 0.0);
    EXPECT_EQ(edit->Long(), 0);
    edit->setCurr(0);
    edit->setLong(0);
    EXPECT_EQ(edit->text(), QStringLiteral("abc"));
    edit->setCurr(1234.5);
    EXPECT_EQ(edit->text(), QStringLiteral("1234.5"));
    EXPECT_DOUBLE_EQ(edit->Curr(), 1234.5);
    edit->setLong(-42);
    EXPECT_EQ(edit->Long(), -42);
}

TEST_F(EditForm, PasteIsLockedOnlyWhileTheInputMethodIsDisabled)
{
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    edit->setImeMode(imDisable);
    enter(edit);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(edit->text().isEmpty());

    // Dropping text is pasting too.
    auto drop = [&] {
        QMimeData data;
        data.setText(QStringLiteral("dropped"));
        QDropEvent event(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // Straight to the control: the application routes drops only
        // during a drag it runs itself.
        static_cast<QObject*>(edit)->event(&event);
    };
    drop();
    EXPECT_TRUE(edit->text().isEmpty());

    edit->setImeMode(imHira);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("pasted"));
    drop();
    EXPECT_TRUE(edit->text().contains(QStringLiteral("dropped")));
}

TEST_F(EditForm, ReadingIsCapturedFromTypingAndCommittedText)
{
    edit->setKanaSw(true);
    enter(edit);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("やまだ"));
    QApplication::sendEvent(edit, &commit);
    QTest::keyClicks(edit, "a1");
    enter(last);
    EXPECT_EQ(edit->kana(), "ﾔﾏﾀﾞa1"); // kept after leaving the field
    enter(edit);
    EXPECT_EQ(edit->kana(), ""); // cleared by the next entry

    edit->setKanaSw(false);
    enter(last);
    enter(edit);
    QTest::keyClicks(edit, "b");
    EXPECT_EQ(edit->kana(), "");
}

TEST_F(EditForm, ReadingOfAConvertedEntryComesFromThePreeditKana)
{
    edit->setKanaSw(true);
    enter(edit);
    // The operator types y-a-m-a-d-a, the pre-edit shows the kana, then
    // converts and commits the kanji.
    for (const char* pre : {"y", "や", "やm", "やま", "やまd", "やまだ", "山田"}) {
        QInputMethodEvent composing(QString::fromUtf8(pre), {});
        QApplication::sendEvent(edit, &composing);
    }
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("山田"));
    QApplication::sendEvent(edit, &commit);
    EXPECT_EQ(edit->text(), QStringLiteral("山田"));
    EXPECT_EQ(edit->kana(), "ﾔﾏﾀﾞ");
}

TEST(KeyStyleControls, CheckBoxRadioAndMaskEditMoveWhateverTheirState)
{
    QWidget form;
    auto* check = new TxCheckBox(QStringLiteral("同意する"), &form);
    auto* radio1 = new TxRadioButton(QStringLiteral("一"), &form);
    auto* radio2 = new TxRadioButton(QStringLiteral("二"), &form);
    auto* mask = new TxMaskEdit(&form);
    auto* after = new TxEdit(&form);
    radio1->setChecked(true);
    radio1->setKeyStyles({ksEnter, ksUp, ksDown});
    mask->setInputMask(QStringLiteral("0000/00/00"));
    mask->setKeyStyles({ksEnter, ksRight});
    check->move(0, 0);
    radio1->move(0, 30);
    radio2->move(0, 60);
    mask->move(0, 90);
    after->move(0, 120);
    vq::test::showActive(form);

    check->setFocus();
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_TRUE(radio1->hasFocus());
    EXPECT_FALSE(check->isChecked());

    // Down goes on in tab order, not to the next button of the group.
    QTest::keyClick(radio1, Qt::Key_Down);
    EXPECT_TRUE(mask->hasFocus());
    EXPECT_TRUE(radio1->isChecked());

    mask->setFocus();
    mask->setCursorPosition(2);
    QTest::keyClick(mask, Qt::Key_Right);
    EXPECT_TRUE(after->hasFocus());
}

TEST(KeyStyleControls, AControlWithoutAFormKeepsItsFocus)
{
    TxEdit alone;
    vq::test::showActive(alone);
    alone.setFocus();
    QTest::keyClick(&alone, Qt::Key_Return);
    EXPECT_TRUE(alone.hasFocus());
}
