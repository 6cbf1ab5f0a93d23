// The journal writer's procedures: SP_SIWAKE_INS, SP_SIWAKE_UPD, SP_SIWAKE_DEL.
#include <gtest/gtest.h>

#include <map>

#include "SchemaTestDb.h"
#include "platform/db/DbError.h"

using namespace vq::test;

namespace {

// The 61 values of an entry, in the procedures' order, with defaults that a
// test overrides by name: cash 11,000 against sales (user codes 1110, 4110).
class EntryValues {
public:
    EntryValues& set(const std::string& name, const std::string& sqlValue)
    {
        values_[name] = sqlValue;
        return *this;
    }

    std::string list() const
    {
        std::string out;
        for (const auto& name : order()) {
            auto it = values_.find(name);
            out += (out.empty() ? "" : ", ") + (it != values_.end() ? it->second : defaultOf(name));
        }
        return out;
    }

private:
    static std::vector<std::string> order()
    {
        std::vector<std::string> names{"HIZUKE", "MNUM", "KESSAN", "SDAYNUM", "MDAYNUM", "DNUM", "SNUM", "SCODE"};
        for (const char* side : {"L_", "R_"})
            for (const char* c : {"KGROUP", "KCODE", "HCODE", "BCODE", "KNAME", "HNAME", "BNAME", "TAXCODE", "TAXUH",
                                  "TAXDC", "NUK", "ZEI", "RIT", "SIKIN"})
                names.push_back(std::string(side) + c);
        for (const char* c : {"KINGAKU", "ZEIGAKU", "ZEIRITUNO", "AUTCALCU", "TAXCALCU", "OLDRATE", "TEKCODE",
                              "TEKTEXT", "TORCODE", "TORTEXT", "FUSEN1", "FUSEN2", "FUSEN3", "FUSEN4", "FUSEN5",
                              "CTIME", "COMMENT", "AO_COMMENT", "LINKKEY", "LINKKUB", "LINKREC", "LOCALFLG",
                              "RESERVE1", "RESERVE2", "OPNCODE"})
            names.push_back(c);
        return names;
    }

    static std::string defaultOf(const std::string& name)
    {
        static const std::map<std::string, std::string> defaults = {
            {"HIZUKE", "'2024-01-10'"}, {"MNUM", "1"}, {"SCODE", "' '"},
            {"L_KGROUP", "'1100'"}, {"L_KCODE", "'1110'"}, {"L_KNAME", "'現金'"}, {"L_NUK", "11000"},
            {"R_KGROUP", "'4100'"}, {"R_KCODE", "'4110'"}, {"R_KNAME", "'売上高'"}, {"R_TAXCODE", "110"},
            {"R_TAXUH", "1"}, {"R_TAXDC", "3"}, {"R_NUK", "10000"}, {"R_ZEI", "1000"}, {"R_RIT", "10"},
            {"KINGAKU", "11000"}, {"ZEIGAKU", "1000"}, {"TEKTEXT", "'店頭売上'"}, {"TORTEXT", "''"},
            {"CTIME", "NULL"}, {"COMMENT", "''"}, {"AO_COMMENT", "''"}, {"LINKKEY", "''"},
            {"L_HCODE", "' '"}, {"L_BCODE", "' '"}, {"R_HCODE", "' '"}, {"R_BCODE", "' '"},
            {"L_HNAME", "''"}, {"L_BNAME", "''"}, {"R_HNAME", "''"}, {"R_BNAME", "''"},
            {"OPNCODE", "100000010"},
        };
        auto it = defaults.find(name);
        return it != defaults.end() ? it->second : "0";
    }

    std::map<std::string, std::string> values_;
};

class JournalProcedures : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Internal codes differ from the codes the operator knows.
        db.exec({
            "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, DAC, BPFLG) "
            "VALUES ('K01', '1110', '1100', '現金', 1, 'B')",
            "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, KNAME, DAC, BPFLG) "
            "VALUES ('K02', '4110', '4100', '売上高', 3, 'P')",
            "INSERT INTO SISETUMST (SCODE, SNAME) VALUES (' ', '山田商店')",
        });
    }

    std::int64_t insert(const EntryValues& v, const char* column = "NEWREC")
    {
        return db.integer(std::string("SELECT ") + column + " FROM SP_SIWAKE_INS(" + v.list() + ")");
    }
    std::int64_t update(int rec, int swkrec, int swkno, const EntryValues& v, const char* column)
    {
        std::string list = v.list();
        list = list.substr(0, list.rfind(','));  // the writer's code is the last value, as OPCODE
        return db.integer(std::string("SELECT ") + column + " FROM SP_SIWAKE_UPD(" + std::to_string(rec) + ", " +
                          std::to_string(swkrec) + ", " + std::to_string(swkno) + ", 0, " + list + ", 100000010)");
    }
    vq::db::Currency sales() { return db.money("SELECT SUM(KAS_NUK) FROM KAMOKU_MS WHERE KCODE = 'K02'"); }

    SchemaTestDb db{SchemaKind::DataSet};
};

} // namespace

TEST_F(JournalProcedures, InsertWritesBothSidesUnderTheInternalCodes)
{
    EXPECT_EQ(insert(EntryValues()), 1);
    EXPECT_EQ(db.text("SELECT KCODE FROM SIWAKE WHERE REC = 1"), "K01");
    EXPECT_EQ(db.text("SELECT R_KCODE FROM SIWAKE WHERE REC = 1"), "K02");
    EXPECT_EQ(db.text("SELECT KCODE FROM SIWAKE WHERE REC = 2"), "K02");
    EXPECT_EQ(db.integer("SELECT TAISHAKU FROM SIWAKE WHERE REC = 2"), 2);
    EXPECT_EQ(db.text("SELECT USERCODE FROM SIWAKE_VIEW WHERE REC = 1"), "1110");
    EXPECT_EQ(sales(), yen(10000));
    // The next entry of the day and of the facility is numbered after it.
    EXPECT_EQ(insert(EntryValues(), "NEWSDAYNUM"), 2);
    EXPECT_EQ(insert(EntryValues(), "NEWSITREC"), 3);
    EXPECT_EQ(db.integer("SELECT SWKNO FROM SIWAKE WHERE REC = 5"), 3);

    // An account the chart does not know is refused, and nothing is written.
    EXPECT_THROW(insert(EntryValues().set("R_KCODE", "'9999'")), vq::db::DbError);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SIWAKE"), 6);
}

TEST_F(JournalProcedures, UpdateInPlaceOrAsANewEntryWithHistory)
{
    ASSERT_EQ(insert(EntryValues()), 1);
    // Only a sticky note: the same rows.
    EXPECT_EQ(update(1, 1, 1, EntryValues().set("FUSEN1", "1"), "NEWREC"), 1);
    EXPECT_EQ(db.integer("SELECT FUSEN1 FROM SIWAKE WHERE REC = 2"), 1);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SIWAKE"), 2);

    // A new amount: the old rows stay as history, the totals follow.
    EXPECT_EQ(update(1, 1, 1, EntryValues().set("R_NUK", "20000").set("R_ZEI", "2000").set("L_NUK", "22000"),
                     "NEWREC"),
              3);
    EXPECT_EQ(db.integer("SELECT DELFLG FROM SIWAKE WHERE REC = 1"), 2);
    EXPECT_EQ(db.integer("SELECT SWKNO FROM SIWAKE WHERE REC = 3"), 1);
    EXPECT_EQ(sales(), yen(20000));

    // The replaced entry points at its successor; a deleted one changes nothing.
    EXPECT_EQ(update(1, 1, 1, EntryValues(), "UPREC"), -2);
    EXPECT_EQ(update(1, 1, 1, EntryValues(), "NEWREC"), 3);
    EXPECT_EQ(db.integer("SELECT RESULT FROM SP_SIWAKE_DEL(2, 100000010)"), 0);
    EXPECT_EQ(update(3, 2, 1, EntryValues(), "UPREC"), -1);
    EXPECT_EQ(sales(), 0);

    // A new date gives the entry the number of its new rows.
    ASSERT_EQ(insert(EntryValues()), 5);
    EXPECT_EQ(update(5, 3, 3, EntryValues().set("HIZUKE", "'2024-02-01'").set("MNUM", "2"), "NEWSWKNO"), 4);
}
