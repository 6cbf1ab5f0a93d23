// SP_SISANHYO_KESSAN: the trial balance by the lines of the settlement
// statement, with and without consumption tax, and the past balances.
#include <gtest/gtest.h>

#include "SchemaTestDb.h"

using namespace vq::test;

namespace {

class SettlementBalance : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec({
            "INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '1100', 1, '現金')",
            "INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (2, '1100', 2, '')",
            "INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (3, '1100', 3, '')",
            "INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (5, '1100', 5, '')",
            "INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (6, '2100', 2, '')",
            "INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (7, '4100', 1, '売上（収入）金額')",
            "INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (8, '5200', 1, '仕入高')",
            "INSERT INTO EXTERKS (REC, KGROUP, SUBREC, KNAME1) VALUES (9, '6100', 5, '通信費')",
            account("1110", "現金", 1, 1, "1100"),
            account("1120", "普通預金", 1, 2, "1100"),
            account("1130", "売掛金", 1, 3, "1100"),
            account("1140", "未収入金", 1, 3, "1100"),
            account("1310", "仮払消費税", 1, 5, "1100"),
            account("2150", "仮受消費税", 2, 6, "2100"),
            account("4110", "売上高", 3, 7, "4100"),
            account("5210", "仕入高", 4, 8, "5200"),
            "INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('1310', '仮払消費税')",
            "INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('2150', '仮受消費税')",
            "INSERT INTO SISETUMST (SCODE, SNAME) VALUES (' ', '山田商店')",
            "UPDATE KAMOKU_SZ SET KAISIZAN = 100000 WHERE KCODE = '1110'",
            "UPDATE KAMOKU_SZ SET KAISIZAN = 500000 WHERE KCODE = '1120'",
        });
        // Sale in period 1, purchase in 2, transfer in 3, year-end sale in 16.
        entry(1, 1, "1110", 11000, 0, 0, "4110", 10000, 1000, 1);
        entry(2, 2, "5210", 5000, 500, 2, "1120", 5500, 0, 0);
        entry(3, 3, "1140", 1000, 0, 0, "1110", 1000, 0, 0);
        entry(4, 16, "1130", 3300, 0, 0, "4110", 3000, 300, 1);
    }

    static std::string account(const char* code, const char* name, int dac, int line, const char* group)
    {
        return std::string("INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, DAC, BPFLG, EXT1_KS) "
                           "VALUES ('") + code + "', '" + code + "', '" + group + "', '" + group + "', '" + name +
               "', " + std::to_string(dac) + ", '" + (code[0] < '4' ? "B" : "P") + "', " + std::to_string(line) +
               ")";
    }

    void entry(int w, int mnum, const char* debit, int dNuk, int dZei, int dTaxuh, const char* credit, int cNuk,
               int cZei, int cTaxuh)
    {
        auto row = [&](int rec, int side, const char* k, int nuk, int zei, int taxuh, const char* r) {
            return "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, KCODE, NUK, ZEI, TAXUH, "
                   "R_KCODE, KINGAKU) VALUES (" + std::to_string(rec) + ", " + std::to_string(w) + ", " +
                   std::to_string(w) + ", " + std::to_string(side) + ", '2024-01-10', " + std::to_string(mnum) +
                   ", '" + k + "', " + std::to_string(nuk) + ", " + std::to_string(zei) + ", " +
                   std::to_string(taxuh) + ", '" + r + "', " + std::to_string(nuk + zei) + ")";
        };
        db.exec({row(2 * w - 1, 1, debit, dNuk, dZei, dTaxuh, credit),
                 row(2 * w, 2, credit, cNuk, cZei, cTaxuh, debit)});
    }

    // One result column of one line.
    vq::db::Currency amount(int tax, int zentax, int line, const std::string& column)
    {
        return db.money("SELECT " + column + " FROM SP_SISANHYO_KESSAN(" + std::to_string(tax) + ", " +
                        std::to_string(zentax) + ") WHERE MSTREC = " + std::to_string(line));
    }
    // Expected amounts of lines, each as line, column, yen.
    struct Amount {
        int line;
        const char* column;
        std::int64_t yen;
    };
    void expectAmounts(int tax, int zentax, std::initializer_list<Amount> expected)
    {
        for (const auto& e : expected) {
            SCOPED_TRACE("line " + std::to_string(e.line) + " " + e.column);
            EXPECT_EQ(amount(tax, zentax, e.line, e.column), yen(e.yen));
        }
    }
    std::string text(int line, const std::string& column)
    {
        return db.text("SELECT " + column + " FROM SP_SISANHYO_KESSAN(0, -1) WHERE MSTREC = " +
                       std::to_string(line));
    }

    SchemaTestDb db{SchemaKind::DataSet};
};

} // namespace

TEST_F(SettlementBalance, LinesWithTaxIncluded)
{
    expectAmounts(0, -1, {
        {1, "KAISIZAN", 100000},
        {1, "KAR01", 11000},
        {1, "KAS03", 1000},
        {2, "KAISIZAN", 500000},
        {2, "KAS02", 5500},
        {3, "KAR03", 1000},
        {3, "KAR16", 3300},
        {7, "KAS01", 11000},
        {7, "KAS16", 3300},
        {8, "KAR02", 5500},
        // With tax included the tax accounts carry only their own entries.
        {5, "KAR02", 0},
        {6, "KAS01", 0},
    });
}

TEST_F(SettlementBalance, LinesWithoutTaxMoveTheTaxToTheTaxAccounts)
{
    expectAmounts(1, -1, {
        {7, "KAS01", 10000},
        {7, "KAS16", 3000},
        {8, "KAR02", 5000},
        {5, "KAR02", 500},
        {6, "KAS01", 1000},
        {6, "KAS16", 300},
        // Amounts without tax of their own are the same either way.
        {1, "KAR01", 11000},
    });
}

TEST_F(SettlementBalance, LineNamesCodesAndGroups)
{
    struct Shown {
        int line;
        const char* column;
        const char* value;
    };
    const Shown shown[] = {
        // A line named in EXTERKS keeps its name; one account named like the line
        // shows that account's codes.
        {1, "KNAME", "現金"},
        {1, "KCODE", "1110"},
        // A line without a name of its own is named from its account.
        {2, "KNAME", "普通預金"},
        {2, "USERCODE", "1120"},
        // Two accounts: the first one's name, no codes.
        {3, "KNAME", "売掛金"},
        {3, "KCODE", "-"},
        {3, "USERCODE", "-"},
        // A line named otherwise than its one account shows no codes.
        {7, "KNAME", "売上（収入）金額"},
        {7, "KCODE", "-"},
        {7, "GROUPM1", "4100"},
    };
    for (const auto& s : shown) {
        SCOPED_TRACE("line " + std::to_string(s.line) + " " + s.column);
        EXPECT_EQ(text(s.line, s.column), s.value);
    }
    EXPECT_EQ(db.integer("SELECT TAISHAKU FROM SP_SISANHYO_KESSAN(0, -1) WHERE MSTREC = 8"), 4);
    EXPECT_EQ(db.integer("SELECT SUBREC FROM SP_SISANHYO_KESSAN(0, -1) WHERE MSTREC = 6"), 2);
    // A line without accounts gives no row; the rows follow KGROUP, SUBREC.
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_SISANHYO_KESSAN(0, -1) WHERE MSTREC = 9"), 0);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_SISANHYO_KESSAN(0, -1)"), 7);
}

TEST_F(SettlementBalance, PreviousYearAsMovementsWithTheTaxModeOfZenTax)
{
    // Past balances are kept as the balance at the end of each period.
    db.exec({
        "UPDATE KAMOKU_PZ SET NUKIZAN = 80000 WHERE KCODE = '1110' AND MNUM = -16",
        "UPDATE KAMOKU_PZ SET NUKIZAN = 85000 WHERE KCODE = '1110' AND MNUM BETWEEN -15 AND -2",
        "UPDATE KAMOKU_PZ SET NUKIZAN = 95000 WHERE KCODE = '1110' AND MNUM = -1",
        "UPDATE KAMOKU_PZ SET NUKIZAN = 20000, ZEIGAKU = 2000 WHERE KCODE = '4110' AND MNUM = -15",
        "UPDATE KAMOKU_PZ SET NUKIZAN = 41000, ZEIGAKU = 4100 WHERE KCODE = '4110' AND MNUM BETWEEN -14 AND 0",
    });
    // The balance before the previous year and the movements from it; the
    // opening balance became the balance of MNUM 0.
    expectAmounts(0, -1, {
        {1, "KISHU1", 80000},
        {1, "ZANM15", 5000},
        {1, "ZANM14", 0},
        {1, "ZANM01", 10000},
        {1, "ZANM00", 5000},
        {1, "KISHU0", 100000},
    });

    struct Case {
        int tax, zentax;
        std::int64_t m15, m14;
    };
    const Case cases[] = {
        {0, -1, 22000, 23100},  // the year's mode: with tax
        {1, -1, 20000, 21000},  // the year's mode: without tax
        {0, 1, 20000, 21000},   // past without tax beside a year with tax
        {1, 0, 22000, 23100},   // past with tax beside a year without tax
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("TAX " + std::to_string(c.tax) + " ZENTAX " + std::to_string(c.zentax));
        EXPECT_EQ(amount(c.tax, c.zentax, 7, "ZANM15"), yen(c.m15));
        EXPECT_EQ(amount(c.tax, c.zentax, 7, "ZANM14"), yen(c.m14));
        EXPECT_EQ(amount(c.tax, c.zentax, 7, "ZANM13"), 0);
    }

    // Without tax the output tax account still keeps its tax: it is its amount.
    db.exec({"UPDATE KAMOKU_PZ SET NUKIZAN = 0, ZEIGAKU = 3000 WHERE KCODE = '2150' AND MNUM BETWEEN -15 AND 0"});
    for (int zentax : {-1, 0, 1}) {
        SCOPED_TRACE("ZENTAX " + std::to_string(zentax));
        EXPECT_EQ(amount(1, zentax, 6, "ZANM15"), yen(3000));
    }
}

TEST_F(SettlementBalance, PeriodsBeforeALateStartAsMovementsFromTheYearsOpening)
{
    // The data began with the fourth month: its opening balance is the
    // balance after period 4, the earlier periods come from KAMOKU_PZ.
    db.exec({
        "UPDATE ACCDEF1 SET KAISINO = 4 WHERE REC = 1",
        "UPDATE KAMOKU_SZ SET KAISIZAN = 110000 WHERE KCODE = '1110'",
        "UPDATE KAMOKU_PZ SET NUKIZAN = 100000 WHERE KCODE = '1110' AND MNUM = 0",
        "UPDATE KAMOKU_PZ SET NUKIZAN = 102000 WHERE KCODE = '1110' AND MNUM = 1",
        "UPDATE KAMOKU_PZ SET NUKIZAN = 104000 WHERE KCODE = '1110' AND MNUM = 2",
        "UPDATE KAMOKU_PZ SET NUKIZAN = 107000 WHERE KCODE = '1110' AND MNUM = 3",
    });
    expectAmounts(0, -1, {
        {1, "KISHU0", 100000},
        {1, "ZANP01", 2000},
        {1, "ZANP02", 2000},
        {1, "ZANP03", 3000},
        {1, "ZANP04", 3000},
        // From the start of the data on the periods come from the journal.
        {1, "ZANP05", 0},
        {1, "KAISIZAN", 110000},
    });
}

TEST_F(SettlementBalance, LayoutProceduresOfA4AndFacilityScope)
{
    db.exec({
        "INSERT INTO EXTERA4 (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '1110', 1, '')",
        "UPDATE KAMOKUMST SET EXT1_A4 = 1 WHERE KCODE IN ('1110', '1120')",
    });
    EXPECT_EQ(db.money("SELECT KAISIZAN FROM SP_SISANHYO_A4(0, '', '')"), yen(600000));
    EXPECT_EQ(db.money("SELECT KAS02 FROM SP_SISANHYO_A4(0, ' ', '')"), yen(5500));
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_SISANHYO_A4(0, 'X1', '')"), 0);
}

TEST_F(SettlementBalance, LayoutProcedureOfA3ReadsOnlyItsOwnLines)
{
    db.exec({
        "INSERT INTO EXTERA3 (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '1110', 1, '')",
        "INSERT INTO EXTERA4 (REC, KGROUP, SUBREC, KNAME1) VALUES (2, '1110', 1, '')",
        "UPDATE KAMOKUMST SET EXT1_A3 = 1, EXT1_A4 = 2 WHERE KCODE = '1110'",
        "UPDATE KAMOKUMST SET EXT1_A4 = 1 WHERE KCODE = '1120'",
    });
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_SISANHYO_A3(0, '', '')"), 1);
    EXPECT_EQ(db.integer("SELECT MSTREC FROM SP_SISANHYO_A3(0, '', '')"), 1);
    EXPECT_EQ(db.money("SELECT KAISIZAN FROM SP_SISANHYO_A3(0, '', '')"), yen(100000));
    EXPECT_EQ(db.text("SELECT KCODE FROM SP_SISANHYO_A3(0, '', '')"), "1110");
    EXPECT_EQ(db.money("SELECT KAR01 FROM SP_SISANHYO_A3(1, '', '')"), yen(11000));
    // The A4 layout knows line 2 only.
    EXPECT_EQ(db.integer("SELECT MSTREC FROM SP_SISANHYO_A4(0, '', '')"), 2);
}

TEST_F(SettlementBalance, TrialBalanceByAccountWithItsSubAccounts)
{
    // 普通預金 gets two banks; its own part keeps the opening and the payment.
    db.exec({
        "INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1120', '001', 'さくら信用金庫')",
        "INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1120', '002', '中央銀行')",
        "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '1120', '001', ' ', 300000)",
        "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1120', '002', ' ')",
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, KCODE, HCODE, NUK, R_KCODE) "
        "VALUES (101, 51, 51, 1, '2024-03-05', 3, '1120', '002', 7000, '1110')",
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, KCODE, NUK, R_KCODE, R_HCODE) "
        "VALUES (102, 51, 51, 2, '2024-03-05', 3, '1110', 7000, '1120', '002')",
    });
    auto value = [&](const std::string& column, const std::string& hcode) {
        return db.money("SELECT " + column + " FROM SP_SISANHYO(0, '', '') WHERE KCODE = '1120' AND HCODE = '" +
                        hcode + "'");
    };
    // The account row (HCODE '') carries the whole account.
    EXPECT_EQ(db.integer("SELECT HOJCNT FROM SP_SISANHYO(0, '', '') WHERE KCODE = '1120' AND HCODE = ''"), 3);
    EXPECT_EQ(value("KAISIZAN", ""), yen(800000));
    EXPECT_EQ(value("KAS02", ""), yen(5500));
    EXPECT_EQ(value("KAR03", ""), yen(7000));
    // Then its own part (HCODE ' ') and the sub-accounts in code order.
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_SISANHYO(0, '', '') WHERE KCODE = '1120'"), 4);
    EXPECT_EQ(db.text("SELECT HNAME FROM SP_SISANHYO(0, '', '') WHERE KCODE = '1120' AND HCODE = '002'"), "中央銀行");
    EXPECT_EQ(value("KAR03", "002"), yen(7000));
    EXPECT_EQ(value("KAISIZAN", "001"), yen(300000));
    // An account without sub-accounts is one row.
    EXPECT_EQ(db.integer("SELECT HOJCNT FROM SP_SISANHYO(0, '', '') WHERE KCODE = '4110'"), 0);
    // Without tax the output tax account gets the tax totals.
    EXPECT_EQ(db.money("SELECT KAS01 FROM SP_SISANHYO(1, '', '') WHERE KCODE = '2150'"), yen(1000));
}

TEST_F(SettlementBalance, FacilityGroupWithoutTaxAddsOnlyTheTaxOfItsFacilities)
{
    // A second facility in group G1 sells 2,000 with 200 output tax.
    db.exec({
        "INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('02', '駅前店')",
        "INSERT INTO SISETUGROUPLIST (GCODE, SCODE) VALUES ('G1', '02')",
        "INSERT INTO EXTERA4 (REC, KGROUP, SUBREC, KNAME1) VALUES (1, '2100', 1, '')",
        "UPDATE KAMOKUMST SET EXT1_A4 = 1 WHERE KCODE = '2150'",
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, NUK, ZEI, TAXUH, R_KCODE, "
        "KINGAKU) VALUES (11, 6, 6, 1, '2024-01-20', 1, '02', '1110', 2200, 0, 0, '4110', 2200)",
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, NUK, ZEI, TAXUH, R_KCODE, "
        "KINGAKU) VALUES (12, 6, 6, 2, '2024-01-20', 1, '02', '4110', 2000, 200, 1, '1110', 2200)",
    });
    EXPECT_EQ(db.money("SELECT KAS01 FROM SP_SISANHYO_A4(1, '', 'G1')"), yen(200));
    EXPECT_EQ(db.money("SELECT KAS01 FROM SP_SISANHYO_A4(1, '02', '')"), yen(200));
    EXPECT_EQ(db.money("SELECT KAS01 FROM SP_SISANHYO_A4(1, '', '')"), yen(1200));
    // Layout 0 reads the same amounts.
    EXPECT_EQ(db.money("SELECT KAS01 FROM SP_SISANHYO(1, '', 'G1') WHERE KCODE = '2150'"), yen(200));
}
