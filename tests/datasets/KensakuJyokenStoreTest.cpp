// The operator's stored search conditions in KENSAKUJYOKEN.
#include <gtest/gtest.h>

#include "DataListFixture.h"
#include "datasets/KensakuJyokenStore.h"

using namespace vq;

class KensakuJyokenStoreTest : public test::DataListFixture {};

TEST_F(KensakuJyokenStoreTest, FirstUseInsertsABlankRowThatLaterReadsReturn)
{
    TKensakuJyokenStore store;
    store.ListType = 1;
    TDataKensakuRec cond;
    ASSERT_TRUE(store.SelectRecord(cond));
    EXPECT_EQ(cond.OPCODE, SystemDef.OPCODE);
    EXPECT_EQ(cond.LISTTYPE, 1);
    EXPECT_EQ(cond.JYOKENUSE, 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM KENSAKUJYOKEN WHERE LISTTYPE=1"), 1);

    cond.JYOKENUSE = 1;
    cond.DATATYPE = 2;
    cond.CODETYPE = 4;
    cond.DATACODE = "01";
    cond.DATANAME = "農園";
    cond.TANTO = 10;
    cond.DATAVER = "14.0";
    cond.VerMatch = 2;
    cond.SEIHINNAME = "22版";
    cond.SORTCOL = 5;   // the fiscal period column
    cond.SORTTYPE = 1;
    ASSERT_TRUE(store.UpdateRecord(cond));
    EXPECT_EQ(scalar("SELECT SORTCOL FROM KENSAKUJYOKEN WHERE LISTTYPE=1"), 3);

    TDataKensakuRec read;
    ASSERT_TRUE(store.SelectRecord(read));
    TDataKensakuRec expected = cond;
    expected.VerMatch = 0;   // not stored
    EXPECT_EQ(read, expected);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM KENSAKUJYOKEN"), 1);

    // Only the sort.
    read.SORTCOL = 1;
    read.SORTTYPE = 0;
    read.DATATYPE = 0;
    ASSERT_TRUE(store.UpdateRecordSortField(read));
    TDataKensakuRec sorted;
    ASSERT_TRUE(store.SelectRecord(sorted));
    EXPECT_EQ(sorted.SORTCOL, 1);
    EXPECT_EQ(sorted.DATATYPE, 2);
}

TEST_F(KensakuJyokenStoreTest, SortCodesOutsideTheTableReadAsTheFirstColumn)
{
    exec("INSERT INTO KENSAKUJYOKEN (OPCODE, LISTTYPE, SORTCOL) VALUES (" + std::to_string(SystemDef.OPCODE) +
         ", 0, 9)");
    TKensakuJyokenStore store;
    TDataKensakuRec cond;
    ASSERT_TRUE(store.SelectRecord(cond));
    EXPECT_EQ(cond.SORTCOL, 0);
    EXPECT_EQ(SortCodeOfGridColumn(2), 0);
    EXPECT_EQ(SortCodeOfGridColumn(1), 6);
    EXPECT_EQ(GridColumnOfSortCode(6), 1);
    // The data kinds of the dialog and back: a corporation whatever its code kind.
    EXPECT_EQ(ChoiceOfDataKind(1, 2), 1);
    EXPECT_EQ(DataKindOfChoice(1).CODETYPE, 1);
    EXPECT_EQ(ChoiceOfDataKind(2, 4), 6);
    EXPECT_EQ(ChoiceOfDataKind(2, 9), 0);
}

TEST_F(KensakuJyokenStoreTest, AFailedReadIsReportedAndGivesFalse)
{
    exec("DROP TABLE KENSAKUJYOKEN");
    TKensakuJyokenStore store;
    TDataKensakuRec cond;
    EXPECT_FALSE(store.SelectRecord(cond));
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_NE(seam_->messages.back().text.find("検索条件レコードの参照に失敗しました。"), std::string::npos);
    EXPECT_FALSE(store.transaction().active());
}
