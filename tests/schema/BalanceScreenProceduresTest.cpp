// Opening balances by department, past-year balances and the budgets of the
// management-analysis statements.
#include <gtest/gtest.h>

#include "SchemaTestDb.h"

using namespace vq::test;

namespace {

class BalanceScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec({"INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('00', '共通')",
                 "INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', '営業部')",
                 "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, KNAME, USE, DAC, BPFLG) "
                 "VALUES ('6110', '6110', '6100', '6100', '旅費交通費', 1, 1, 'P')",
                 "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, KNAME, USE, DAC, BPFLG) "
                 "VALUES ('1110', '1110', '1100', '1100', '現金', 1, 1, 'B')",
                 "INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES (' ', '本店', 1)",
                 "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '6110', ' ', '00')",
                 "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '6110', ' ', '01')",
                 "UPDATE KAMOKU_SZ SET KAISIZAN = 5000 WHERE KCODE = '1110' AND BCODE = ' '"});
    }

    SchemaTestDb db{SchemaKind::DataSet};
};

} // namespace

TEST_F(BalanceScreens, OpeningBalancesByAccountAndDepartment)
{
    EXPECT_EQ(db.money("SELECT KAISIZAN FROM SP_KAISIZAN_LIST(' ', '') WHERE KCODE = '1110'"), 50000000);
    EXPECT_EQ(db.integer("SELECT RECCOUNT FROM SP_KAISIZAN_COUNT(' ', '')"), 1);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_BUMONKAISIZAN_LIST(' ') WHERE KCODE = '6110'"), 2);
    EXPECT_EQ(db.integer("SELECT RECCOUNT FROM SP_BUMONKAISIZAN_COUNT(' ')"), 1);
    // Retained earnings are a corporation's: an individual gets no row.
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_ZENKURI(' ', '')"), 0);
}

TEST_F(BalanceScreens, PastBalancesStopAtTheStartOfTheDataAndShareTheCommonDepartment)
{
    db.exec({"UPDATE ACCDEF1 SET KAISINO = 6 WHERE REC = 1",
             "UPDATE KAMOKU_PZ SET NUKIZAN = 700 WHERE KCODE = '6110' AND BCODE = ' ' AND MNUM = 7",
             "UPDATE KAMOKU_PZ SET NUKIZAN = 800 WHERE KCODE = '6110' AND BCODE = ' ' AND MNUM = 8",
             "UPDATE KAMOKU_PZ SET NUKIZAN = 1000 WHERE KCODE = '6110' AND BCODE = '00' AND MNUM = -1",
             "UPDATE KAMOKU_PZ SET HAIBUN = 30 WHERE KCODE = '6110' AND BCODE = '01' AND MNUM = -1"});
    // Start month 6 is period 8: the periods before it are read.
    EXPECT_EQ(db.money("SELECT ZANP07 FROM SP_KANENDOZAN_YOMIKOMI(' ', ' ') WHERE KCODE = '6110'"), 7000000);
    EXPECT_EQ(db.money("SELECT ZANP08 FROM SP_KANENDOZAN_YOMIKOMI(' ', ' ') WHERE KCODE = '6110'"), 0);
    EXPECT_EQ(db.money("SELECT ZANM01 FROM SP_KANENDO_BUMON_ZANDAKA(' ', '01', 1) WHERE KCODE = '6110'"), 3000000);
    EXPECT_EQ(db.money("SELECT ZANM01 FROM SP_KANENDO_BUMON_ZANDAKA(' ', '01', 0) WHERE KCODE = '6110'"), 0);
    // A blank and an empty department both mean every department.
    EXPECT_EQ(db.money("SELECT Z_ZAN15 FROM SP_MB_SELECT_KANENDOZAN(' ', '', 1) WHERE KCODE = '6110'"), 10000000);
    EXPECT_EQ(db.money("SELECT Z_ZAN15 FROM SP_MB_SELECT_KANENDOZAN(' ', ' ', 1) WHERE KCODE = '6110'"), 10000000);
}

TEST_F(BalanceScreens, BudgetFromLastYearsActualsForTheChosenMonths)
{
    db.exec({"UPDATE KAMOKU_PZ SET NUKIZAN = 1000 WHERE KCODE = '6110' AND BCODE = ' ' AND MNUM = -15",
             "UPDATE KAMOKU_PZ SET NUKIZAN = 3000 WHERE KCODE = '6110' AND BCODE = ' ' AND MNUM = -14",
             "EXECUTE PROCEDURE SP_MB_UPDATE_JISSEKIYOSAN(' ', '6110', ' ', 1.1, 1, 2)"});
    EXPECT_EQ(db.money("SELECT T_YOSAN1 FROM SP_MB_SELECT_YOSAN(' ', ' ') WHERE KCODE = '6110'"), 11000000);
    EXPECT_EQ(db.money("SELECT T_YOSAN2 FROM SP_MB_SELECT_YOSAN(' ', ' ') WHERE KCODE = '6110'"), 33000000);
    EXPECT_EQ(db.money("SELECT T_YOSAN12 FROM SP_MB_SELECT_YOSAN(' ', ' ') WHERE KCODE = '6110'"), 33000000);
}

TEST_F(BalanceScreens, YearEndCarriesBalanceSheetRowsForwardAndClearsProfitAndLoss)
{
    db.exec({"UPDATE KAMOKU_MS SET KAR_NUK = 2000, KAS_NUK = 500 WHERE KCODE = '1110' AND BCODE = ' ' AND MNUM = 3",
             "UPDATE KAMOKU_SZ SET KAISIZAN = 300 WHERE KCODE = '6110' AND BCODE = '01'"});
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_KURIKOSIZANDAKA(0, ' ') WHERE KCODE = '1110'"), 1);
    EXPECT_EQ(db.money("SELECT KAR03 - KAS03 + KAISIZAN FROM SP_KURIKOSIZANDAKA(0, ' ') WHERE KCODE = '1110'"),
              65000000);
    EXPECT_EQ(db.integer("SELECT BCOUNT * 10 + PCOUNT FROM SP_SETHOJOKAISIZAN(0)"), 13);
    EXPECT_EQ(db.money("SELECT KAISIZAN FROM KAMOKU_SZ WHERE KCODE = '1110' AND BCODE = ' '"), 65000000);
    EXPECT_EQ(db.money("SELECT SUM(KAISIZAN) FROM KAMOKU_SZ WHERE KCODE = '6110'"), 0);
}

TEST_F(BalanceScreens, DictionaryCheckEmptiesReferencesToMissingAccounts)
{
    db.exec({"INSERT INTO TEKDIC (TEKCODE, CREC, SCODE, TEXT, KAR_KCODE, KAR_HCODE, KAS_KCODE, KAS_HCODE) "
             "VALUES (0, 1, ' ', '交通費', '6110', '009', '9999', ' ')"});
    EXPECT_EQ(db.integer("SELECT RPCNT FROM SP_SEIGO_TEKDIC"), 2);
    EXPECT_EQ(db.text("SELECT KAR_HCODE || '/' || COALESCE(KAS_KCODE, 'none') FROM TEKDIC"), " /none");
}

TEST_F(BalanceScreens, AnIndividualsCapitalTakesTheYearsResultAndTheOwnersAccounts)
{
    db.exec({"INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, KNAME, USE, DAC, BPFLG) "
             "VALUES ('3120', '3120', '3100', '3100', '元入金', 1, 2, 'B')",
             "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, KNAME, USE, DAC, BPFLG) "
             "VALUES ('1910', '1910', '1800', '1800', '事業主貸', 1, 1, 'B')",
             "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, KNAME, USE, DAC, BPFLG) "
             "VALUES ('3110', '3110', '3100', '3100', '事業主借', 1, 2, 'B')",
             "INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('3120', '元入金')",
             "INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1910', '事業主貸')",
             "INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('3110', '事業主借')"});
    for (const char* row : {"'3120', 3000", "'1910', 800", "'3110', 200"})
        db.exec({std::string("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', ") + std::string(row).substr(0, 6) +
                 ", ' ', ' ', " + std::string(row).substr(8) + ")"});
    EXPECT_EQ(db.money("SELECT MOTOIREZAN FROM SP_MOTOIREKIN_KURIIRE(' ')"), 50000000);
    EXPECT_EQ(db.money("SELECT KAISIZAN FROM KAMOKU_SZ WHERE KCODE = '3120' AND BCODE = ' '"), 50000000);
    EXPECT_EQ(db.money("SELECT SUM(KAISIZAN) FROM KAMOKU_SZ WHERE KCODE IN ('1910', '3110')"), 0);
}

TEST_F(BalanceScreens, BudgetVersusActualTakesPastBalancesBeforeTheStartAndSharesTheCommonDepartment)
{
    db.exec({"UPDATE KAMOKUMST SET HALBRIN_YOJITU_RATE1 = 1.05 WHERE KCODE = '6110'",
             "UPDATE KAMOKU_MS SET KAR_NUK = 100, RYOSAN = 150 WHERE KCODE = '6110' AND BCODE = ' ' AND MNUM = 6",
             "UPDATE KAMOKU_MS SET KAR_NUK = 200 WHERE KCODE = '6110' AND BCODE = '00' AND MNUM = 5",
             "UPDATE KAMOKU_SZ SET HAIBUN05 = 25 WHERE KCODE = '6110' AND BCODE = '01'",
             "UPDATE ACCDEF1 SET KAISINO = 3 WHERE REC = 1",
             "UPDATE KAMOKU_PZ SET NUKIZAN = 40 WHERE KCODE = '6110' AND BCODE = ' ' AND MNUM = 1",
             "UPDATE KAMOKU_PZ SET NUKIZAN = 100 WHERE KCODE = '6110' AND BCODE = ' ' AND MNUM = 2"});
    const char* all = "SP_YOJITU_HENDOU_SONEKI(1, '', '') WHERE KCODE = '6110' AND HCODE = ''";
    EXPECT_EQ(db.integer(std::string("SELECT COUNT(*) FROM ") + all), 1);
    EXPECT_EQ(db.money(std::string("SELECT BRATE FROM ") + all), 10500);
    // Start in month 3: periods 1 and 2 are the movements of the past balances.
    EXPECT_EQ(db.money(std::string("SELECT KAR01 * 1000 + KAR02 FROM ") + all), 400600000);
    EXPECT_EQ(db.money(std::string("SELECT KAR06 + YOSAN06 + YOSAN16 FROM ") + all), 2500000);
    EXPECT_EQ(db.money("SELECT KAR05 FROM SP_YOJITU_HENDOUSONEKI_BUMON(1, 1, ' ', '01') WHERE HCODE = ''"), 500000);
    EXPECT_EQ(db.money("SELECT KAR05 FROM SP_YOJITU_HENDOUSONEKI_BUMON(1, 0, ' ', '01') WHERE HCODE = ''"), 0);
}

TEST_F(BalanceScreens, PastBalancesByTheLinesOfTheA4Layout)
{
    db.exec({"INSERT INTO EXTERA4 (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '6100', 1, '経費')",
             "INSERT INTO EXTERA4 (REC, KGROUP, SUBREC, KNAME1) VALUES (2, '6100', 2, '空き')",
             "UPDATE KAMOKUMST SET EXT1_A4 = 1 WHERE KCODE = '6110'",
             "UPDATE KAMOKU_PZ SET NUKIZAN = 400 WHERE KCODE = '6110' AND BCODE = '01' AND MNUM = -3",
             "UPDATE KAMOKU_PZ SET NUKIZAN = 1000 WHERE KCODE = '6110' AND BCODE = '00' AND MNUM = -3",
             "UPDATE KAMOKU_PZ SET HAIBUN = 50 WHERE KCODE = '6110' AND BCODE = '01' AND MNUM = -3"});
    // A line without accounts gives no row.
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_KANENDO_BUMON_ZANDAKA_A4(' ', '01', 0)"), 1);
    EXPECT_EQ(db.money("SELECT ZANM03 FROM SP_KANENDO_BUMON_ZANDAKA_A4(' ', '01', 0)"), 4000000);
    EXPECT_EQ(db.money("SELECT ZANM03 FROM SP_KANENDO_BUMON_ZANDAKA_A4(' ', '01', 1)"), 9000000);
}
