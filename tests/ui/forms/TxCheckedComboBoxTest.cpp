#include "ShownForm.h"

#include "ui/forms/TxCheckedComboBox.h"

#include <QListWidget>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace vq::ui;

TEST(TxCheckedComboBox, TextForNoneOneAndThreeChosen)
{
    TxCheckedComboBox box;
    box.setItems({QStringLiteral("田中"), QStringLiteral("佐藤"), QStringLiteral("鈴木")});
    QSignalSpy changes(&box, &TxCheckedComboBox::changed);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("未選択"));
    box.setChecked(2, true);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("鈴木"));
    box.setChecked(0, true);
    box.setChecked(1, true);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("3件選択"));
    EXPECT_EQ(box.Text(), QStringLiteral("鈴木,田中,佐藤"));
    box.setDispStyle(dsItems);
    box.setSortDisplay(true);
    EXPECT_EQ(box.DisplayText(), QStringLiteral("田中,佐藤,鈴木"));
    EXPECT_EQ(changes.count(), 3);

    box.setDispStyle(dsKensu);
    box.DeSelectAll();
    EXPECT_EQ(box.DisplayText(), QStringLiteral("未選択"));
    box.SelectAll();
    EXPECT_EQ(box.SelectedCount(), 3);
    box.setItems({QStringLiteral("A")});   // a new list empties the choice
    EXPECT_EQ(box.DisplayText(), QStringLiteral("未選択"));
}

TEST(TxCheckedComboBox, SingleChoiceAndDropDownLines)
{
    TxCheckedComboBox box;
    box.setMultiSelect(false);
    box.setItems({QStringLiteral("A"), QStringLiteral("B")});
    box.setChecked(0, true);
    box.setChecked(1, true);
    EXPECT_FALSE(box.isChecked(0));
    EXPECT_EQ(box.DisplayText(), QStringLiteral("B"));
    box.SelectAll();   // not offered without MultiSelect
    EXPECT_EQ(box.SelectedCount(), 1);

    QStringList thirty;
    for (int i = 0; i < 30; ++i)
        thirty << QString::number(i);
    box.setItems(thirty);
    EXPECT_EQ(box.droppedLines(), 15);
    box.setDropDownLines(25);
    EXPECT_EQ(box.DropDownLines(), 15);
    box.setColumns(3);
    EXPECT_EQ(box.droppedLines(), 11);

    TxCheckedComboBox empty;
    empty.DropDown();
    EXPECT_FALSE(empty.isDroppedDown());
}
