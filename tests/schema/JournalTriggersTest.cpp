// The journal triggers keep the period totals (KAMOKU_MS), the tax totals
// (KAMOKU_TAX) and the facility's entry count in step with SIWAKE.
#include <gtest/gtest.h>

#include "SchemaTestDb.h"

using namespace vq::test;

namespace {

class JournalTriggers : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec({
            "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, DAC, BPFLG) "
            "VALUES ('1110', '1110', '1100', '1110', '現金', 1, 'B')",
            "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, DAC, BPFLG) "
            "VALUES ('4110', '4110', '4100', '4110', '売上高', 3, 'P')",
            // The facility comes after the accounts and gets their balance rows.
            "INSERT INTO SISETUMST (SCODE, SNAME) VALUES (' ', '山田商店')",
        });
    }

    // TRANSKBN of an asset: 1 while a journal entry books it.
    std::int64_t assetMark(int rec)
    {
        return db.integer("SELECT TRANSKBN FROM KS_SISAN WHERE REC = " + std::to_string(rec));
    }

    // One entry: cash 11,000 on the debit side against sales of 10,000 with
    // 1,000 output tax on the credit side.
    void insertSale(int entry, const char* bcode = " ", int mnum = 1)
    {
        const std::string w = std::to_string(entry);
        const std::string b = std::string("'") + bcode + "'";
        const std::string m = std::to_string(mnum);
        db.exec({
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, BCODE, KCODE, NUK, ZEI, TAXUH, "
            "R_KCODE, KINGAKU) VALUES (" + std::to_string(2 * entry - 1) + ", " + w + ", " + w +
                ", 1, '2024-01-10', " + m + ", " + b + ", '1110', 11000, 0, 0, '4110', 11000)",
            "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, BCODE, KCODE, NUK, ZEI, TAXUH, "
            "R_KCODE, KINGAKU) VALUES (" + std::to_string(2 * entry) + ", " + w + ", " + w +
                ", 2, '2024-01-10', " + m + ", " + b + ", '4110', 10000, 1000, 1, '1110', 11000)",
        });
    }

    vq::db::Currency cashDebit() { return db.money("SELECT SUM(KAR_NUK) FROM KAMOKU_MS WHERE KCODE = '1110'"); }
    vq::db::Currency salesNet() { return db.money("SELECT SUM(KAS_NUK) FROM KAMOKU_MS WHERE KCODE = '4110'"); }
    vq::db::Currency salesTax() { return db.money("SELECT SUM(KAS_TAX) FROM KAMOKU_MS WHERE KCODE = '4110'"); }
    vq::db::Currency outputTax() { return db.money("SELECT SUM(KAS) FROM KAMOKU_TAX WHERE KKUBUN = 1"); }
    std::int64_t entryCount() { return db.integer("SELECT SIWAKECOUNT FROM SISETUMST WHERE SCODE = ' '"); }

    SchemaTestDb db{SchemaKind::DataSet};
};

} // namespace

TEST_F(JournalTriggers, NewFacilityGetsBalanceAndTaxRows)
{
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_SZ WHERE SCODE = ' '"), 2);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_MS WHERE KCODE = '1110'"), 16);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_PZ WHERE KCODE = '1110'"), 49);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_TAX WHERE SCODE = ' ' AND BCODE = ' '"), 32);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM HOJOMST WHERE HCODE = ' '"), 2);
}

TEST_F(JournalTriggers, InsertAddsBothSidesAndTheTax)
{
    insertSale(1);
    EXPECT_EQ(db.money("SELECT KAR_NUK FROM KAMOKU_MS WHERE KCODE = '1110' AND MNUM = 1"), yen(11000));
    EXPECT_EQ(db.money("SELECT KAS_NUK FROM KAMOKU_MS WHERE KCODE = '4110' AND MNUM = 1"), yen(10000));
    EXPECT_EQ(db.money("SELECT KAS_TAX FROM KAMOKU_MS WHERE KCODE = '4110' AND MNUM = 1"), yen(1000));
    EXPECT_EQ(db.money("SELECT KAS FROM KAMOKU_TAX WHERE SCODE = ' ' AND BCODE = ' ' AND KKUBUN = 1 AND MNUM = 1"),
              yen(1000));
    // Only the debit side counts as an entry of the facility.
    EXPECT_EQ(entryCount(), 1);
    insertSale(2, " ", 16);
    EXPECT_EQ(db.money("SELECT KAR_NUK FROM KAMOKU_MS WHERE KCODE = '1110' AND MNUM = 16"), yen(11000));
    EXPECT_EQ(entryCount(), 2);
}

TEST_F(JournalTriggers, OnlyTheDeletedFlagMovesTotals)
{
    insertSale(1);
    // Changing amounts in place changes no total: corrections replace rows.
    db.exec({"UPDATE SIWAKE SET NUK = 99999 WHERE SWKREC = 1"});
    EXPECT_EQ(cashDebit(), yen(11000));
    db.exec({"UPDATE SIWAKE SET NUK = 11000 WHERE REC = 1",
             "UPDATE SIWAKE SET NUK = 10000 WHERE REC = 2"});

    db.exec({"UPDATE SIWAKE SET DELFLG = 1 WHERE SWKREC = 1"});
    EXPECT_EQ(cashDebit(), 0);
    EXPECT_EQ(salesNet(), 0);
    EXPECT_EQ(salesTax(), 0);
    EXPECT_EQ(outputTax(), 0);
    EXPECT_EQ(entryCount(), 0);

    // A deleted entry that comes back rejoins the totals.
    db.exec({"UPDATE SIWAKE SET DELFLG = 0 WHERE SWKREC = 1"});
    EXPECT_EQ(cashDebit(), yen(11000));
    EXPECT_EQ(outputTax(), yen(1000));
    EXPECT_EQ(entryCount(), 1);

    // Replaced by a correction (flag 2): out of the totals, and setting the
    // flag back to 0 adds nothing (only 1 -> 0 does).
    db.exec({"UPDATE SIWAKE SET DELFLG = 2 WHERE SWKREC = 1"});
    EXPECT_EQ(cashDebit(), 0);
    db.exec({"UPDATE SIWAKE SET DELFLG = 0 WHERE SWKREC = 1"});
    EXPECT_EQ(cashDebit(), 0);
    EXPECT_EQ(entryCount(), 0);
}

TEST_F(JournalTriggers, RowWrittenAlreadyDeletedCountsOnlyOnceBroughtBack)
{
    insertSale(1);
    db.exec({"UPDATE SIWAKE SET DELFLG = 1 WHERE SWKREC = 1"});
    // Copy the deleted entry as entry 2, still deleted: no total moves.
    db.exec({"INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, BCODE, KCODE, NUK, ZEI, "
             "TAXUH, R_KCODE, KINGAKU) SELECT REC + 2, 2, 2, DELFLG, TAISHAKU, HIZUKE, MNUM, BCODE, KCODE, NUK, "
             "ZEI, TAXUH, R_KCODE, KINGAKU FROM SIWAKE WHERE SWKREC = 1"});
    EXPECT_EQ(cashDebit(), 0);
    EXPECT_EQ(outputTax(), 0);
    EXPECT_EQ(entryCount(), 0);
    // Brought back, it counts once.
    db.exec({"UPDATE SIWAKE SET DELFLG = 0 WHERE SWKREC = 2"});
    EXPECT_EQ(cashDebit(), yen(11000));
    EXPECT_EQ(salesTax(), yen(1000));
    EXPECT_EQ(outputTax(), yen(1000));
    EXPECT_EQ(entryCount(), 1);
}

TEST_F(JournalTriggers, EntryWithoutBalanceRowsGetsThemInsteadOfBeingLost)
{
    // Department 01 has no balance rows; its totals are created on the way.
    insertSale(1, "01");
    EXPECT_EQ(db.money("SELECT KAR_NUK FROM KAMOKU_MS WHERE KCODE = '1110' AND BCODE = '01' AND MNUM = 1"),
              yen(11000));
    // Without departments for every account (BUMON other than 2) the tax
    // totals of every department go to the blank department.
    EXPECT_EQ(db.money("SELECT KAS FROM KAMOKU_TAX WHERE BCODE = ' ' AND KKUBUN = 1 AND MNUM = 1"), yen(1000));

    db.exec({"UPDATE ACCDEF1 SET BUMON = 2 WHERE REC = 1"});
    insertSale(2, "01");
    EXPECT_EQ(db.money("SELECT KAS FROM KAMOKU_TAX WHERE BCODE = '01' AND KKUBUN = 1 AND MNUM = 1"), yen(1000));
    EXPECT_EQ(db.money("SELECT KAS FROM KAMOKU_TAX WHERE BCODE = ' ' AND KKUBUN = 1 AND MNUM = 1"), yen(1000));
}

TEST_F(JournalTriggers, FixedAssetLinkMarksTheAssetWhileALinkedRowRemains)
{
    db.exec({
        "INSERT INTO KS_SISAN (REC, SCODE, KCODE, MEISYOU, TRANSKBN) VALUES (5, ' ', '1110', '軽トラック', 0)",
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, KCODE, NUK, R_KCODE, LINKKUB, LINKREC) "
        "VALUES (1, 1, 1, 1, '2024-03-01', 3, '1110', 500, '4110', 8, 5)",
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, KCODE, NUK, R_KCODE, LINKKUB, LINKREC) "
        "VALUES (2, 1, 1, 2, '2024-03-01', 3, '4110', 500, '1110', 8, 5)",
    });
    EXPECT_EQ(assetMark(5), 1);
    // Marked deleted but still carrying the link: the link counts itself.
    db.exec({"UPDATE SIWAKE SET DELFLG = 1 WHERE SWKREC = 1"});
    EXPECT_EQ(assetMark(5), 1);

    // Deleting the entry drops its link: the asset is no longer booked.
    db.exec({"UPDATE SIWAKE SET DELFLG = 0 WHERE SWKREC = 1"});
    EXPECT_EQ(db.integer("SELECT RESULT FROM SP_SIWAKE_DEL(1, 100000010)"), 0);
    EXPECT_EQ(assetMark(5), 0);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SIWAKE WHERE DELFLG = 1 AND OPCODE = 100000010"), 2);
    EXPECT_EQ(db.money("SELECT SUM(KAR_NUK) FROM KAMOKU_MS WHERE KCODE = '1110'"), 0);
}

TEST_F(JournalTriggers, SubAccountLinkMarksTheAssetsOfThatSubAccount)
{
    db.exec({
        "INSERT INTO HOJOMST (KCODE, HCODE, HNAME, REC) VALUES ('1110', 'A01', '金庫', 900)",
        "INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, TRANSKBN) VALUES (1, ' ', '1110', 'A01', 0)",
        "INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, TRANSKBN) VALUES (2, ' ', '1110', 'A02', 0)",
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, KCODE, HCODE, NUK, R_KCODE, "
        "LINKKUB, LINKKEY, LINKREC) VALUES (1, 1, 1, 1, '2024-03-01', 3, '1110', 'A01', 500, '4110', 8, '2-A001', 900)",
    });
    EXPECT_EQ(assetMark(1), 1);
    EXPECT_EQ(assetMark(2), 0);
}

TEST_F(JournalTriggers, OpeningBalanceBecomesThePastBalanceBeforeTheStart)
{
    db.exec({
        "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, DAC, BPFLG) "
        "VALUES ('3110', '3110', '2100', '3110', '元入金', 3, 'B')",
        "INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '3110', ' ', ' ')",
        "INSERT INTO ACCDEF2 (KCODE, KNAME) VALUES ('3110', '元入金')",
        "UPDATE KAMOKU_SZ SET KAISIZAN = 250000 WHERE KCODE = '1110'",
        "UPDATE KAMOKU_SZ SET KAISIZAN = 250000 WHERE KCODE = '3110'",
    });
    // Data that begins with the year: the previous year's closing, MNUM 0.
    EXPECT_EQ(db.money("SELECT NUKIZAN FROM KAMOKU_PZ WHERE KCODE = '1110' AND MNUM = 0"), yen(250000));
    EXPECT_EQ(db.money("SELECT KAKOZAN FROM KAMOKU_SZ WHERE KCODE = '1110'"), yen(250000));
    // An individual's capital carries no past balance of its own.
    EXPECT_EQ(db.money("SELECT NUKIZAN FROM KAMOKU_PZ WHERE KCODE = '3110' AND MNUM = 0"), 0);

    // Data that began in the fourth month: the period before it, MNUM 4.
    db.exec({"UPDATE ACCDEF1 SET KAISINO = 4 WHERE REC = 1",
             "UPDATE KAMOKU_SZ SET KAISIZAN = 300000 WHERE KCODE = '1110'"});
    EXPECT_EQ(db.money("SELECT NUKIZAN FROM KAMOKU_PZ WHERE KCODE = '1110' AND MNUM = 4"), yen(300000));
    EXPECT_EQ(db.money("SELECT KAISIZAN FROM KAMOKU_SZ WHERE KCODE = '1110'"), yen(300000));
}
