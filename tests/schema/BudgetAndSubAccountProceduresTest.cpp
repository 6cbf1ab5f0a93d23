// Budgets by account and month, and the balance rows of a new sub-account.
#include <gtest/gtest.h>

#include "SchemaTestDb.h"

using namespace vq::test;

namespace {

class BudgetsAndSubAccounts : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec({"INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('00', '共通')",
                 "INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', '営業部')",
                 "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, KNAME, USE, DAC, BPFLG) "
                 "VALUES ('6110', '6110', '6100', '6100', '旅費交通費', 1, 1, 'P')",
                 "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, KNAME, USE, DAC, BPFLG) "
                 "VALUES ('1110', '1110', '1100', '1100', '現金', 1, 1, 'B')",
                 "INSERT INTO SISETUMST (SCODE, SNAME) VALUES (' ', '本店')",
                 "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '6110', ' ', '00')",
                 "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '6110', ' ', '01')",
                 "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1110', ' ', '01')"});
    }

    SchemaTestDb db{SchemaKind::DataSet};
};

} // namespace

TEST_F(BudgetsAndSubAccounts, MonthlyBudgetsAreKeptCumulativeAndReadBackByMonth)
{
    db.exec({"EXECUTE PROCEDURE SP_UPDATE_YOSAN(0, 1, '', '6110', ' ', '', "
             "100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100)"});
    EXPECT_EQ(db.money("SELECT BYOSAN FROM KAMOKU_MS WHERE SCODE = ' ' AND KCODE = '6110' AND BCODE = ' ' AND MNUM = 3"),
              3000000);
    // The quarter period repeats the period before; 16 ends with the year.
    EXPECT_EQ(db.money("SELECT BYOSAN FROM KAMOKU_MS WHERE SCODE = ' ' AND KCODE = '6110' AND BCODE = ' ' AND MNUM = 4"),
              3000000);
    EXPECT_EQ(db.money("SELECT BYOSAN FROM KAMOKU_MS WHERE SCODE = ' ' AND KCODE = '6110' AND BCODE = ' ' AND MNUM = 16"),
              12000000);
    db.exec({"EXECUTE PROCEDURE SP_UPDATE_YOSAN(1, 0, ' ', '6110', ' ', ' ', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12)"});
    EXPECT_EQ(db.money("SELECT RYOSAN FROM KAMOKU_MS WHERE SCODE = ' ' AND KCODE = '6110' AND BCODE = ' ' AND MNUM = 8"),
              60000);
    // Read back: profit-and-loss accounts only, the twelve months in order.
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_YOSAN_READ(0, ' ', ' ')"), 1);
    EXPECT_EQ(db.money("SELECT YOSAN04 FROM SP_YOSAN_READ(0, ' ', ' ')"), 4000000);
    EXPECT_EQ(db.money("SELECT YOSAN12 FROM SP_YOSAN_READ(1, ' ', ' ')"), 120000);
}

TEST_F(BudgetsAndSubAccounts, NewSubAccountGetsTheRowsOfItsAccountByTheDepartmentRule)
{
    db.exec({"INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('6110', '001', '電車')",
             "INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1110', '001', '小口')"});
    auto rows = [&](const char* kcode) {
        return db.integer(std::string("SELECT COUNT(*) FROM KAMOKU_SZ WHERE KCODE = '") + kcode + "' AND HCODE = '001'");
    };
    // BUMON 1: departments only for profit and loss.
    db.exec({"UPDATE ACCDEF1 SET BUMON = 1, HOJO_INS_MODE = 0 WHERE REC = 1"});
    EXPECT_EQ(db.text("SELECT OUT_HCODE FROM SP_HOJO_KAMOKUSZ_INS(' ', '6110', '001')"), "001");
    EXPECT_EQ(rows("6110"), 3);
    EXPECT_EQ(db.money("SELECT HAIBUN07 FROM KAMOKU_SZ WHERE KCODE = '6110' AND HCODE = '001' AND BCODE = '00'"),
              1000000);
    db.text("SELECT OUT_SCODE FROM SP_HOJO_KAMOKUSZ_INS(' ', '1110', '001')");
    EXPECT_EQ(rows("1110"), 1);
    // Called again it keeps what is there.
    db.text("SELECT OUT_SCODE FROM SP_HOJO_KAMOKUSZ_INS(' ', '6110', '001')");
    EXPECT_EQ(rows("6110"), 3);
}
