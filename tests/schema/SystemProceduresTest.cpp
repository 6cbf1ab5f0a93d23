// Stored procedures of the system database: logon and data-list slots.
#include <gtest/gtest.h>

#include "SchemaTestDb.h"

using namespace vq::test;

TEST(SystemProcedures, LogonChecksTheOperatorAndRegistersIt)
{
    SchemaTestDb db(SchemaKind::System);
    db.exec({"INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD) "
             "VALUES (10000, 10, '佐藤', 5, 'Abc1')"});
    auto num = [&](const std::string& pc, int opcode, const std::string& password) {
        return db.integer("SELECT NUM FROM LOGONUSERTEST('" + pc + "', 10000, " + std::to_string(opcode) +
                          ", 2, '" + password + "')");
    };
    struct Case {
        const char* pc;
        int opcode;
        const char* password;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"PC1", 10, "abc1", -1},   // letter case counts
        {"PC1", 10, "Abc1 ", -1},  // so do trailing blanks
        {"PC1", 11, "", -1},       // unknown operator
        {"PC1", 10, "Abc1", 0},    // logged on
        {"PC1", 10, "Abc1", 1},    // again from the same computer
        {"PC2", 10, "Abc1", -3},   // refused elsewhere while logged on at PC1
        {"PC2", 10, "abc1", -1},   // the password is checked first
    };
    for (const auto& c : cases)
        EXPECT_EQ(num(c.pc, c.opcode, c.password), c.expected) << c.pc << " " << c.opcode << " " << c.password;

    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM LOGONUSERLIST WHERE OPCODE = 100000010 AND OPERATORCODE = 10"), 1);
    // Once logged off at PC1 the operator may log on at PC2.
    db.exec({"DELETE FROM LOGONUSERLIST WHERE PCNAME = 'PC1'"});
    EXPECT_EQ(num("PC2", 10, "Abc1"), 0);
    EXPECT_EQ(db.integer("SELECT JOBLEVEL FROM TE_LOGONUSERTEST('user', 10000, 10, 2, 'Abc1')"), 5);
}

TEST(SystemProcedures, SlotProcedureFillsAPlaceUpToItsCount)
{
    SchemaTestDb db(SchemaKind::System);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_DATALIST_INSERT(0, 'C:\\VQ\\DATA', 120)"), 120);
    EXPECT_EQ(db.text("SELECT PASNAME FROM DATALIST WHERE REC = 1"), "C:\\VQ\\DATA\\0001");
    EXPECT_EQ(db.text("SELECT PASNAME FROM DATALIST WHERE REC = 120"), "C:\\VQ\\DATA\\0120");
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM DATALIST WHERE ENTTEXT = '' AND GROUPID = 10000"), 120);
    // A full place gets nothing more.
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_DATALIST_INSERT(0, 'C:\\VQ\\DATA', 120)"), 0);

    // Other places live in DATALIST_EX.
    db.exec({"INSERT INTO DATAPLACEMAN (REC, ORDERKBN, NAME, PATH) VALUES (3, 4, '第三', 'C:\\VQ\\DATA03')"});
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_DATALIST_INSERT(3, 'C:\\VQ\\DATA03', 2)"), 2);
    EXPECT_EQ(db.text("SELECT PASNAME FROM DATALIST_EX WHERE DATAPLACEREC = 3 AND REC = 2"),
              "C:\\VQ\\DATA03\\0002");

    // A native path keeps its own separator.
    db.exec({"INSERT INTO DATAPLACEMAN (REC, ORDERKBN, NAME, PATH) VALUES (4, 5, '第四', '/srv/vq/data04')"});
    EXPECT_EQ(db.text("SELECT PATHNAME FROM SP_DATALIST_INSERT(4, '/srv/vq/data04', 1)"), "/srv/vq/data04/0001");
}
