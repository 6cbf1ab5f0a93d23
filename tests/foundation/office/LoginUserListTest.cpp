// The operators logged on to the office, without the asking operator's own
// entries unless asked for.
#include <gtest/gtest.h>

#include "OfficeFixture.h"
#include "foundation/office/LoginUserList.h"

using namespace vq;

namespace {

using LoginUserListTest = test::OfficeFixture;

TEST_F(LoginUserListTest, OneLinePerLogonEntry)
{
    execDef("INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL) VALUES(10000,10,'鈴木',9);"
            "INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL) VALUES(10000,11,'田中',5);"
            "INSERT INTO LOGONUSERLIST(OPCODE,OPERATORCODE,GROUPID,PCNAME) VALUES(100010,10,10000,'PC-A');"
            "INSERT INTO LOGONUSERLIST(OPCODE,OPERATORCODE,GROUPID,PCNAME) VALUES(100011,11,10000,'PC-B');"
            "INSERT INTO LOGONUSERLIST(OPCODE,OPERATORCODE,GROUPID,PCNAME) VALUES(100011,11,10000,'PC-C');");
    TLoginUserListOnDef list;
    list.Execute(10000, 100011, 0);
    ASSERT_EQ(list.Count, 1);
    EXPECT_EQ(list.Lines[0], "10:鈴木");
    EXPECT_EQ(list.GetOperatorCode(0), 10);
    EXPECT_EQ(list.GetOpName(1), "");

    list.Execute(10000, 100011, 1);
    ASSERT_EQ(list.Count, 3);
    EXPECT_EQ(list.Rows[1].PCNAME, "PC-B");
    EXPECT_EQ(list.Rows[2].PCNAME, "PC-C");
    EXPECT_EQ(list.GetOpName(2), "田中");
}

} // namespace
