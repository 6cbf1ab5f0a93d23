// The procedures that list the journal a page at a time: the journal
// monitor, the journal book and the ledger.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SchemaTestDb.h"

using namespace vq::test;

namespace {

// Cash against sales: entry w on the given day (KESSAN 1 a closing entry);
// its rows are 2w-1 (debit, cash) and 2w (credit, sales).
std::vector<std::string> entry(int w, const std::string& day, int kessan = 0)
{
    auto row = [&](int rec, int side, const char* k, const char* r) {
        return "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, DELFLG, TAISHAKU, HIZUKE, MNUM, KESSAN, SDAYNUM, "
               "SCODE, KCODE, HCODE, BCODE, R_KCODE, R_HCODE, R_BCODE, NUK, ZEI, KINGAKU) VALUES (" +
               std::to_string(rec) + ", " + std::to_string(w) + ", " + std::to_string(w) + ", " + std::to_string(w) +
               ", 0, " + std::to_string(side) + ", '" + day + "', 1, " + std::to_string(kessan) + ", " +
               std::to_string(w) + ", ' ', '" + k + "', ' ', ' ', '" + r + "', ' ', ' ', 1000, 0, 1000)";
    };
    return {row(2 * w - 1, 1, "1110", "4110"), row(2 * w, 2, "4110", "1110")};
}

class JournalList : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec({"INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, USE, BPFLG) VALUES ('1110', '1110', '現金', 1, 'B')",
                 "INSERT INTO KAMOKUMST (KCODE, USERCODE, KNAME, USE, BPFLG) VALUES ('4110', '4110', '売上高', 1, 'P')",
                 "INSERT INTO SISETUMST (SCODE, SNAME) VALUES (' ', '本店')"});
        const char* days[] = {"2024-01-05", "2024-01-06", "2024-01-06", "2024-01-07", "2024-01-08"};
        for (int w = 1; w <= 5; ++w)
            for (const auto& sql : entry(w, days[w - 1], w == 2 ? 1 : 0))
                db.exec({sql});
    }

    // "SWKREC:RECORDCNT" of every row the call returns.
    std::string rows(const std::string& call)
    {
        vq::db::Transaction tr(db.attachment());
        tr.start();
        vq::db::Statement st(db.attachment(), tr, "SELECT SWKREC, RECORDCNT, TAISHAKU FROM " + call);
        st.execute();
        std::string out;
        while (st.fetch())
            out += (out.empty() ? "" : " ") + std::to_string(st.field("SWKREC").asInt()) + ":" +
                   std::to_string(st.field("RECORDCNT").asInt());
        tr.commit();
        return out;
    }

    SchemaTestDb db{SchemaKind::DataSet};
};

} // namespace

TEST_F(JournalList, MonitorPagesFromTheLatestEntry)
{
    EXPECT_EQ(rows("SP_MONITOR_LISTUP(' ', 0, 0, -1, 0, 0, 0, 2)"), "5:1 4:2");
    EXPECT_EQ(rows("SP_MONITOR_LISTUP(' ', 0, 0, -1, 0, 0, 2, 2)"), "3:3 2:4");
    EXPECT_EQ(rows("SP_MONITOR_LISTDOWN(' ', 3, 3, -1, 0, 0, 0, 0)"), "3:1 4:2 5:3");
    EXPECT_EQ(rows("SP_MONITOR_LISTUP_ENTRYORDER(' ', 2, 2, 0, 1, 2, 0, 0)"), "2:1 1:2");
    // A facility without entries lists nothing.
    EXPECT_EQ(rows("SP_MONITOR_LISTUP('99', 0, 0, -1, 0, 0, 0, 0)"), "");
}

TEST_F(JournalList, JournalBookPutsClosingEntriesAfterTheirDay)
{
    // Entry 2 is a closing entry of 6 January: after entry 3 of that day.
    EXPECT_EQ(rows("SP_SIWAKE_LISTDOWN(' ', 0, '2024-01-01', '2024-12-31', 0, -1, 0, 0)"), "1:1 3:2 2:3 4:4 5:5");
    // Read back from 6 January: its closing entry only when closing entries count.
    EXPECT_EQ(rows("SP_SIWAKE_LISTUP(' ', 1, '2024-01-01', '2024-01-06', 0, -1, 0, 0)"), "2:1 3:2 1:3");
    EXPECT_EQ(rows("SP_SIWAKE_LISTUP(' ', 0, '2024-01-01', '2024-01-06', 0, -1, 0, 0)"), "3:1 1:2");
    // An end before the start reads to the end of the fiscal year.
    EXPECT_EQ(rows("SP_SIWAKE_LISTDOWN(' ', 0, '2024-01-07', '2024-01-01', 0, -1, 0, 0)"), "4:1 5:2");
    EXPECT_EQ(rows("SP_SIWAKE_LISTIN(' ', 1, '2024-01-01', '2024-12-31', 0, 0, 0, 0)"), "2:1");
}

TEST_F(JournalList, LedgerReadsBothSidesOfItsAccount)
{
    EXPECT_EQ(rows("SP_MOTOCHO_LISTDOWN(0, ' ', '4110', '', '', 0, '2024-01-01', '2024-12-31', 0, 1, 0, 0, 3)"),
              "1:1 3:2 2:3");
    EXPECT_EQ(rows("SP_MOTOCHO_LISTIN(0, '', '1110', '', '', -1, '2024-01-01', '2024-01-08', 4, 1, 0, 0, 0)"),
              "4:1 3:2 2:3 1:4");
    EXPECT_EQ(rows("SP_MOTOCHO_LISTUP(3, ' ', '4110', '', '', 0, '2024-01-01', '2024-12-31', 0, 1, 0, 0, 0)"), "");
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SP_MOTOCHO_LISTUP(0, ' ', '4110', '', '', 0, '2024-01-01', "
                         "'2024-12-31', 0, 1, 0, 0, 0) WHERE TAISHAKU = 2 AND RESERVE1 IS NULL"),
              5);
}

TEST_F(JournalList, ReconciliationListsOnlyOpenRowsAndCountsTheBalanceBackwards)
{
    db.exec({"UPDATE SIWAKE SET FUSEN2 = 1 WHERE SWKREC = 4"});
    EXPECT_EQ(rows("SP_TOUZACHOSEIHYO_LISTUP(1, '', '1110', '', '', 16, 0, '2024-01-01', '2024-12-31', 0, 1, 0, 0, 0)"),
              "5:1 2:2 3:3 1:4");
    EXPECT_EQ(rows("SP_TOUZACHOSEIHYO_LISTDOWN(2, '', '1110', '', '', 16, 0, '2024-01-01', '2024-12-31', 0, 1, 0, 0, 0)"),
              "");
    // Cash 10,000 before the period; each debit row counts as a credit.
    EXPECT_EQ(db.money("SELECT ZANDAKA FROM SP_TOUZACHOSEIHYO_ZENZAN(0, 1, '', '1110', '', '', 1, 1, '2024-01-31', 0, "
                       "1, 0, 0, 10000)"),
              50000000);
    EXPECT_EQ(db.money("SELECT ZANDAKA FROM SP_TOUZACHOSEIHYO_ZENZAN(0, 0, '', '1110', '', '', 1, 1, '2024-01-06', 0, "
                       "1, 3, 1, 10000)"),
              90000000);
}

TEST_F(JournalList, RepairRecountsTheTotalsFromTheValidRows)
{
    db.exec({"UPDATE SIWAKE SET DELFLG = 1 WHERE SWKREC = 5",
             "UPDATE KAMOKU_MS SET KAR_NUK = 99, KAS_NUK = 99",
             "UPDATE SISETUMST SET SIWAKECOUNT = 0",
             "DELETE FROM KAMOKU_PZ WHERE KCODE = '1110' AND MNUM = -32"});
    EXPECT_EQ(db.integer("SELECT RPCNT FROM SP_SIWAKE_REPAIR"), 8);
    EXPECT_EQ(db.money("SELECT SUM(KAR_NUK) FROM KAMOKU_MS WHERE KCODE = '1110'"), 40000000);
    EXPECT_EQ(db.money("SELECT SUM(KAS_NUK) FROM KAMOKU_MS WHERE KCODE = '1110'"), 0);
    EXPECT_EQ(db.integer("SELECT SIWAKECOUNT FROM SISETUMST WHERE SCODE = ' '"), 4);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KAMOKU_PZ WHERE KCODE = '1110' AND MNUM = -32"), 1);
}
