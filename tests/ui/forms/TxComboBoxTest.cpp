#include "ShownForm.h"

#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace vq::ui;

namespace {

struct ComboForm : ::testing::Test {
    QWidget form;
    TxEdit* before = new TxEdit(&form);
    TxComboBox* combo = new TxComboBox(&form);
    TxEdit* after = new TxEdit(&form);

    void SetUp() override
    {
        before->move(0, 0);
        combo->move(0, 30);
        after->move(0, 60);
        combo->addItems({QStringLiteral("001:本店"), QStringLiteral("002:支店"), QStringLiteral("003:営業所")});
        combo->setKeyLen(3);
        vq::test::showActive(form);
        combo->setItemIndex(0);
        combo->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    void type(const char* text)
    {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), text);
    }
};

} // namespace

TEST_F(ComboForm, TypedCodeSelectsTheItemWhenLeaving)
{
    type("002");
    EXPECT_EQ(combo->currentText(), QStringLiteral("002"));
    EXPECT_EQ(combo->rememberedIndex(), 1);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->currentText(), QStringLiteral("002:支店"));
}

TEST_F(ComboForm, UnknownCodeLeavesTheKeyAndKeepsThePreviousItem)
{
    type("2");
    EXPECT_EQ(combo->currentText(), QStringLiteral("2"));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 1);
    EXPECT_FALSE(combo->lineEdit()->hasSelectedText());
    after->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(combo->currentText(), QStringLiteral("001:本店"));

    combo->setFocus();
    type("00:x");
    EXPECT_EQ(combo->rememberedIndex(), 0); // key "00" finds the current item
}

TEST_F(ComboForm, DeleteFromTheStartChoosesTheFirstItem)
{
    combo->setItemIndex(2);
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo, Qt::Key_Delete);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->rememberedIndex(), 0);
    EXPECT_EQ(combo->currentText(), QStringLiteral("001:本店"));

    combo->lineEdit()->setCursorPosition(2);
    QTest::keyClick(combo, Qt::Key_Delete); // inside the text: an ordinary delete
    EXPECT_EQ(combo->currentText(), QStringLiteral("00:本店"));
}

TEST_F(ComboForm, UpLeavesAndDownChoosesTheNextItem)
{
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_TRUE(combo->hasFocus());
    EXPECT_EQ(combo->currentIndex(), 1);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_TRUE(before->hasFocus());
    EXPECT_EQ(combo->currentIndex(), 1);
}

TEST_F(ComboForm, FreeTextSurvivesReEntryWithoutCodeSearch)
{
    auto* free = new TxComboBox(&form);
    free->move(0, 90);
    free->show();
    free->setEditText(QStringLiteral("自由入力"));
    free->setFocus();
    after->setFocus();
    free->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(free->currentText(), QStringLiteral("自由入力"));
}
