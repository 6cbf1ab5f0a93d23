// The operator list of a group: numbers below 10 left out, approvers only,
// a first line, and system databases without the newer columns.
#include <gtest/gtest.h>

#include "OfficeFixture.h"
#include "foundation/office/UserList.h"

using namespace vq;

namespace {

class UserListTest : public test::OfficeFixture {
protected:
    void SetUp() override
    {
        OfficeFixture::SetUp();
        execDef("INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL,SHONIN,MYNUMBER_ADM) VALUES(10000,9,'九番',9,1,0);"
                "INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL,SHONIN,MYNUMBER_ADM) VALUES(10000,12,'佐藤',5,0,1);"
                "INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL,SHONIN,MYNUMBER_ADM) VALUES(10000,10,'鈴木',9,1,0);"
                "INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL,SHONIN) VALUES(10001,20,'他の事務所',9,1);");
    }
};

TEST_F(UserListTest, ListsTheGroupsOperatorsFromNumberTen)
{
    TUserList list;
    list.SetTransaction(dm_.IBTransactionDEF, 0);
    list.GroupId = 10000;
    list.FirstText = "選択なし";
    list.Execute();
    ASSERT_EQ(list.Count, 3);
    EXPECT_EQ(list.GetText(), "選択なし\n10:鈴木\n12:佐藤\n");
    EXPECT_EQ(list.GetOpCode(0), 0);
    EXPECT_EQ(list.Rows[0].JOBLEVEL, 9);
    EXPECT_EQ(list.GetOpCode(2), 12);
    EXPECT_EQ(list.GetOpCode(3), 0);
    EXPECT_EQ(list.IndexOfOpCode(12), 2);
    EXPECT_EQ(list.IndexOfOpCode(9), -1);
    EXPECT_EQ(list.IndexOfOpCode(1), -1);  // the system user
    EXPECT_EQ(list.Rows[1].NAME, "システム管理者");
    EXPECT_EQ(list.Rows[2].MYNUMBER_ADM, 1);
    EXPECT_FALSE(dm_.IBTransactionDEF.active());

    list.FirstText.clear();
    list.ApproversOnly = 1;
    list.QuotedLines = 1;
    list.Execute();
    ASSERT_EQ(list.Count, 1);
    EXPECT_EQ(list.Lines[0], "\"10\"\t\"鈴木\"");

    list.GroupId = 10002;
    list.ApproversOnly = 0;
    list.Execute();
    EXPECT_EQ(list.Count, 0);
}

TEST_F(UserListTest, AnOlderSystemDatabaseStillListsItsOperators)
{
    dm_.IBDatabaseDEF.disconnect();
    test::runSql(std::filesystem::path(SystemDef.SysDir) / SysDbFileName,
                 "ALTER TABLE OPERATOR DROP MYNUMBER_ADM, DROP SHONIN;");
    ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    TUserList list;  // on its own transaction
    list.GroupId = 10000;
    list.Execute();
    ASSERT_EQ(list.Count, 2);
    EXPECT_EQ(list.Rows[0].SHONIN, 0);
    EXPECT_EQ(list.Rows[1].MYNUMBER_ADM, 0);
    EXPECT_TRUE(seam_->messages.empty());
}

} // namespace
