// The oldest data steps, 0.1.1 to 0.1.5, on the data sets of the first
// release: the update run brings every data kind to the last of them, and
// the rows, columns, procedures and triggers they write behave as the steps
// say.
#include "DbUpdateRunFixture.h"

#include <algorithm>
#include <functional>
#include <sstream>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/z5UserDbUpdate011.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

class OldDataStepsTest : public DbUpdateRunFixture {
protected:
    // The data set becomes one of the first release, of that kind.
    void useBase(const std::string& kind, int edition = 0)
    {
        fs::remove(dataFile());
        buildBaseDatabase(SchemaKind::DataSetBase, dataFile(), {kind, edition, {}});
    }
    // The first steps of the data list, up to 0.1.last, run in order.
    int runUpTo(int last)
    {
        TArrayDbUpdateListRec list = DataUpdateSteps();
        list.resize(static_cast<std::size_t>(last));
        state_.FDataList = std::move(list);
        state_.SetupUpdateList(1, "0.1.0");
        return run_.Execute();
    }
    std::int64_t count(const std::string& sql) { return std::stoll(scalar(sql)); }

    TDbVersionTest state_;
    TDbUpdateRun run_{state_};
};

} // namespace

TEST_F(OldDataStepsTest, TheRunBringsEveryDataKindToTheLastOldStep)
{
    struct Case {
        const char* kind;
        int edition;
    } cases[] = {{"corporation", 0}, {"individual", 0}, {"real-estate", 0}, {"clinic", 0},
                 {"agriculture", 0}, {"medical", 0},    {"corporation", 1}, {"individual", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " edition " + std::to_string(c.edition));
        useBase(c.kind, c.edition);
        // Whatever the cash-flow tables held gives way to the defaults.
        runSql(dataFile(), "INSERT INTO CASHFMST (CM_REC, CM_KIND, CM_NAME1) VALUES (500, 1, 'old');"
                           "INSERT INTO CASHFMKU (CF_REC, CM_REC, CF_KCODE) VALUES (0, 500, '1101');");
        ASSERT_EQ(runUpTo(5), 1) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
        EXPECT_EQ(version(), "0.1.5");
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||MIN(REC)||','||MAX(REC) FROM KS_SETSWK_INIT"), "70,1,70");
        EXPECT_EQ(scalar("SELECT KESSAN_KIKAN||','||CASHFLOW_KIKAN1||','||CASHFLOW_KIKAN2||','||SDAI_HASUU3 "
                         "FROM ACCDEF1 WHERE REC=1"),
                  "-1,-1,-1,0");
        EXPECT_EQ(scalar("SELECT TITLE FROM KANSA"), "監査報告書");
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||MIN(CM_REC)||','||MAX(CM_REC)||','||SUM(CM_KIND) FROM CASHFMST"),
                  "102,1,102,59");
        // Renumbered from 1 by their trigger, the generator started again.
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||MIN(CF_REC)||','||MAX(CF_REC) FROM CASHFMKU"), "491,1,491");
        EXPECT_EQ(count("SELECT COUNT(*) FROM CASHFMKU K JOIN CASHFMST M ON M.CM_REC = K.CM_REC WHERE M.CM_KIND = 1"),
                  220);
        // Account 1409 enters the purchase of fixed assets twice, both ways.
        EXPECT_EQ(scalar("SELECT LIST(CF_CAL||CF_CTYPE, ' ') FROM (SELECT CF_CAL, CF_CTYPE FROM CASHFMKU "
                         "WHERE CM_REC = 33 AND CF_KCODE = '1409' ORDER BY CF_REC)"),
                  "-3 +4");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KESSAN WHERE CHUKI_TITLEPRINT = 0"),
                  scalar("SELECT COUNT(*) FROM KESSAN"));
        EXPECT_EQ(count("SELECT COUNT(*) FROM EXTERKS WHERE AO_KISHUZAN <> 0 OR AO_KIMATUZAN <> 0"), 0);
        EXPECT_EQ(scalar("SELECT COUNT(*)||TEXT FROM KANSA_ITEM GROUP BY TEXT"), "1現・預金の残高確認");
    }
}

TEST_F(OldDataStepsTest, ColumnTestsAddTheirLinesOnlyWhenTheColumnIsMissing)
{
    const auto has = [](const TUpdateScript& s, const std::string& line) {
        return std::find(s.Lines().begin(), s.Lines().end(), line) != s.Lines().end();
    };
    useBase("corporation");
    TUpdateScript missing;
    ASSERT_TRUE(missing.Build(z5UserDbUpdate011::Scheme()));
    EXPECT_TRUE(has(missing, "ADD KESSAN_KIKAN INTEGER DEFAULT -1,"));
    EXPECT_TRUE(has(missing, "ADD SDAI_HASUU3 INTEGER DEFAULT 0;"));
    // The version record comes after the column tests, last.
    EXPECT_EQ(missing.Lines().end()[-4].rfind("UPDATE ACCVERSION SET MAJOR=0,MINOR1=1,MINOR2=1,MEMO='", 0), 0u);
    EXPECT_EQ(std::count(missing.Lines().begin(), missing.Lines().end(), "SET NAMES SJIS_0208;"), 0);

    runSql(dataFile(), "ALTER TABLE ACCDEF1 ADD KESSAN_KIKAN INTEGER DEFAULT -1;");
    TUpdateScript present;
    ASSERT_TRUE(present.Build(z5UserDbUpdate011::Scheme()));
    EXPECT_FALSE(has(present, "ADD KESSAN_KIKAN INTEGER DEFAULT -1,"));
    EXPECT_FALSE(has(present, "ADD CASHFLOW_KIKAN1 INTEGER DEFAULT -1,"));
    EXPECT_TRUE(has(present, "ADD SDAI_HASUU3 INTEGER DEFAULT 0;"));
    EXPECT_TRUE(seam_->messages.empty());
}

namespace {

// The running totals the journal triggers keep for facility '01', account
// 4101, department '01', period 1 (tax class 1): the facility's entry count;
// debit net and tax, credit net and tax; the tax totals of the blank
// department and of department '01', debit and credit.
std::vector<double> journalTotals(const std::function<std::string(const std::string&)>& scalar)
{
    const std::string text = scalar(
        "SELECT S.SIWAKECOUNT||' '||M.KAR_NUK||' '||M.KAR_TAX||' '||M.KAS_NUK||' '||M.KAS_TAX"
        "||' '||T0.KAR||' '||T0.KAS||' '||T1.KAR||' '||T1.KAS "
        "FROM SISETUMST S, KAMOKU_MS M, KAMOKU_TAX T0, KAMOKU_TAX T1 WHERE S.SCODE='01' "
        "AND M.SCODE='01' AND M.KCODE='4101' AND M.HCODE=' ' AND M.BCODE='01' AND M.MNUM=1 "
        "AND T0.SCODE='01' AND T0.BCODE=' ' AND T0.KKUBUN=1 AND T0.MNUM=1 "
        "AND T1.SCODE='01' AND T1.BCODE='01' AND T1.KKUBUN=1 AND T1.MNUM=1");
    std::vector<double> values;
    std::istringstream in(text);
    for (double v; in >> v;)
        values.push_back(v);
    return values;
}

} // namespace

TEST_F(OldDataStepsTest, JournalTriggersKeepTheTotalsOfValidEntriesOnly)
{
    useBase("corporation");
    ASSERT_EQ(runUpTo(5), 1) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
    runSql(dataFile(), "UPDATE OR INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM) VALUES ('01', ' ', 1, 1) "
                       "MATCHING (SCODE, BCODE, KKUBUN, MNUM);"
                       "UPDATE OR INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM) VALUES ('01', '01', 1, 1) "
                       "MATCHING (SCODE, BCODE, KKUBUN, MNUM);");
    const auto entry = [](int rec, int side, int net, int tax) {
        return "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, HCODE, BCODE, "
               "TAXUH, NUK, ZEI) VALUES (" + std::to_string(rec) + ", " + std::to_string(rec) + ", 1, " +
               std::to_string(side) + ", '2024-04-10', 1, '01', '4101', ' ', '01', 1, " + std::to_string(net) +
               ", " + std::to_string(tax) + ");";
    };
    // Each statement, and what it adds to the totals (count; debit net, tax;
    // credit net, tax; tax of the blank department debit, credit; of '01').
    struct Case {
        const char* what;
        std::string sql;
        std::vector<double> change;
    } cases[] = {
        {"a debit entry", entry(9001, 1, 1000, 100), {1, 1000, 100, 0, 0, 100, 0, 0, 0}},
        {"a credit entry counts no entry", entry(9002, 2, 500, 50), {0, 0, 0, 500, 50, 0, 50, 0, 0}},
        {"the credit marked deleted", "UPDATE SIWAKE SET DELFLG=1 WHERE REC=9002;", {0, 0, 0, -500, -50, 0, -50, 0, 0}},
        {"an amount changed while deleted", "UPDATE SIWAKE SET NUK=700 WHERE REC=9002;", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"the credit back from 1", "UPDATE SIWAKE SET DELFLG=0 WHERE REC=9002;", {0, 0, 0, 700, 50, 0, 50, 0, 0}},
        {"an amount changed while valid", "UPDATE SIWAKE SET NUK=900 WHERE REC=9002;", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"the debit marked deleted with 2", "UPDATE SIWAKE SET DELFLG=2 WHERE REC=9001;",
         {-1, -1000, -100, 0, 0, -100, 0, 0, 0}},
        {"the debit back from 2 adds nothing", "UPDATE SIWAKE SET DELFLG=0 WHERE REC=9001;", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"with departments on every account, tax goes to the department",
         "UPDATE ACCDEF1 SET BUMON=2 WHERE REC=1;" + entry(9003, 1, 10, 1), {1, 10, 1, 0, 0, 0, 0, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<double> before = journalTotals([this](const std::string& q) { return scalar(q); });
        ASSERT_EQ(before.size(), 9u);
        runSql(dataFile(), c.sql);
        const std::vector<double> after = journalTotals([this](const std::string& q) { return scalar(q); });
        ASSERT_EQ(after.size(), 9u);
        for (std::size_t i = 0; i < after.size(); ++i)
            EXPECT_DOUBLE_EQ(after[i] - before[i], c.change[i]) << "value " << i;
    }
}

TEST_F(OldDataStepsTest, AFixedAssetEntryMarksItsAssetUntilNoEntryLinksIt)
{
    useBase("corporation");
    ASSERT_EQ(runUpTo(5), 1) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
    // The payment and receipt accounts default to '', which no sub-account has.
    runSql(dataFile(), "INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, "
                       "SYUNYUHCODE) VALUES (1, '01', '1301', ' ', NULL, NULL, NULL, NULL);"
                       "INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, "
                       "SYUNYUHCODE) VALUES (2, ' ', '1301', ' ', NULL, NULL, NULL, NULL);");
    const auto linked = [](int rec, int asset, const std::string& key) {
        return "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, LINKKUB, LINKREC, "
               "LINKKEY) VALUES (" + std::to_string(rec) + ", " + std::to_string(rec) +
               ", 1, 1, '2024-04-10', 1, '01', '1301', 8, " + std::to_string(asset) + ", '" + key + "');";
    };
    const std::string hojo = scalar("SELECT REC FROM HOJOMST WHERE KCODE='1301' AND HCODE=' '");
    struct Case {
        const char* what;
        std::string sql;
        const char* marks;   // TRANSKBN of assets 1 and 2
    } cases[] = {
        {"an entry linked to asset 1", linked(9101, 1, "1-1"), "1 <null>"},
        {"marked deleted, it still links the asset", "UPDATE SIWAKE SET DELFLG=1 WHERE REC=9101;", "1 <null>"},
        {"deleted and unlinked at once", "UPDATE SIWAKE SET DELFLG=0 WHERE REC=9101;"
                                         "UPDATE SIWAKE SET DELFLG=1, LINKKUB=0 WHERE REC=9101;", "0 <null>"},
        {"an entry of another facility reaches the asset by its number", linked(9102, 2, "1-2"), "0 1"},
        {"by sub-account: the assets of the entry's facility", linked(9103, std::stoi(hojo), "2-A1"), "1 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        runSql(dataFile(), c.sql);
        EXPECT_EQ(scalar("SELECT LIST(COALESCE(CAST(TRANSKBN AS VARCHAR(4)), '<null>'), ' ') FROM "
                         "(SELECT TRANSKBN FROM KS_SISAN ORDER BY REC)"),
                  c.marks);
    }
}

TEST_F(OldDataStepsTest, ANewFacilityGetsItsRowsAndDepartmentsByBumex)
{
    useBase("corporation");
    ASSERT_EQ(runUpTo(5), 1) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
    runSql(dataFile(), "INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('02', '支店', 0);"
                       "INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('03', '工場', 1);");
    struct Case {
        const char* scode;
        const char* departments;
    } cases[] = {{"02", ""}, {"03", "00 01 02"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scode);
        const std::string where = std::string(" WHERE SCODE='") + c.scode + "'";
        EXPECT_EQ(scalar("SELECT COALESCE(LIST(TRIM(BCODE), ' '), '') FROM (SELECT BCODE FROM SISETUBUM" + where +
                         " ORDER BY BCODE)"),
                  c.departments);
        EXPECT_EQ(scalar("SELECT COUNT(*)||' '||MIN(MNUM)||' '||MAX(MNUM) FROM ACCDEF5" + where), "48 -31 16");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM TORDICTI" + where), "50");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM SWKDICTI" + where), "50");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KS_TRANSSWK" + where), "1");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM YOSOKUINF" + where), "1");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKU_SZ" + where),
                  scalar("SELECT COUNT(*) FROM KAMOKUMST K JOIN HOJOMST H ON H.KCODE=K.KCODE WHERE K.USE=1"));
    }

    // Headcounts: facility '02' holds 100 + MNUM in every period.
    runSql(dataFile(), "UPDATE ACCDEF5 SET NUM1 = 100 + MNUM WHERE SCODE='02';"
                       "UPDATE ACCDEF5 SET NUM1 = 1000 WHERE SCODE='03';");
    EXPECT_EQ(scalar("SELECT T_NINZU1||' '||T_NINZU3||' '||T_NINZU4||' '||T_NINZU12||' '||Z_NINZU1||' '||Z_NINZU12"
                     "||' '||ZZ_NINZU1||' '||ZZ_NINZU12 FROM SP_MB_SELECT_SYUGYOU('02', '')"),
                  "101 103 105 115 85 99 69 83");
    // Blank facility and department: every facility's rows of the period.
    EXPECT_EQ(scalar("SELECT T_NINZU1 FROM SP_MB_SELECT_SYUGYOU('', '')"),
              scalar("SELECT CAST(SUM(NUM1) AS INTEGER) FROM ACCDEF5 WHERE MNUM=1"));
    EXPECT_EQ(scalar("SELECT Z_NINZU12 FROM SP_MB_SELECT_SYUGYOU('', ' ')"),
              scalar("SELECT CAST(SUM(NUM1) AS INTEGER) FROM ACCDEF5 WHERE MNUM=-1"));
}

TEST_F(OldDataStepsTest, BankReconciliationListsComeInPagesAroundTheReferenceEntry)
{
    useBase("corporation");
    ASSERT_EQ(runUpTo(2), 1) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
    // One entry a day from 1 May (period 2) to 29 June (period 3), entry
    // number = day count; a second entry on 10 May booked to period 3.
    runSql(dataFile(), "SET TERM ^ ;\n"
                       "EXECUTE BLOCK AS DECLARE I INTEGER = 1; DECLARE D DATE; BEGIN\n"
                       "  WHILE (I <= 60) DO BEGIN\n"
                       "    D = DATEADD(I - 1 DAY TO DATE '2024-05-01');\n"
                       "    INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, NUK)\n"
                       "    VALUES (9000 + :I, 9000 + :I, :I, 1, :D, IIF(EXTRACT(MONTH FROM :D) = 5, 2, 3), '01',\n"
                       "            '1301', 100);\n"
                       "    I = I + 1;\n"
                       "  END\n"
                       "END^\n"
                       "SET TERM ; ^\n"
                       "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, NUK)\n"
                       "VALUES (9100, 9100, 100, 1, '2024-05-10', 3, '01', '1301', 100);\n");
    // Count, first and last entry number and the highest record count of a call.
    const auto page = [this](const std::string& proc, const std::string& args) {
        return scalar("SELECT COUNT(*)||' '||COALESCE(LIST(SWKNO, ' '), '')||' /'||COALESCE(MAX(RECORDCNT), 0) "
                      "FROM SP_TOUZACHOSEIHYO_" + proc + "(" + args + ")");
    };
    const auto swknos = [](int from, int to) {
        std::string text;
        for (int i = from; from <= to ? i <= to : i >= to; i += from <= to ? 1 : -1)
            text += (text.empty() ? "" : " ") + std::to_string(i);
        return text;
    };
    struct Case {
        const char* what;
        const char* proc;
        std::string args;   // kind, facility, account, sub, dept, period, settlement, from, to, no, side, del, offset, limit
        std::string rows;
    } cases[] = {
        {"limit 0 gives 50, newest first", "LISTUP", "0,'','1301','','',0,0,'2024-04-01','2025-03-31',0,0,0,0,0",
         "50 " + swknos(60, 11) + " /50"},
        {"the next page counts the offset rows", "LISTUP",
         "0,'','1301','','',0,0,'2024-04-01','2025-03-31',0,0,0,50,50",
         "11 100 " + swknos(10, 1) + " /61"},
        {"an end before the start reads from the start of the year", "LISTUP",
         "0,'01','1301','','',0,0,'2024-12-01','2024-05-03',0,0,0,0,0", "3 3 2 1 /3"},
        {"up to the reference entry of its day", "LISTUP",
         "0,'','1301','','',0,0,'2024-04-01','2024-05-10',10,1,0,0,100", "10 " + swknos(10, 1) + " /10"},
        {"without a reference entry its whole day", "LISTUP",
         "0,'','1301','','',0,0,'2024-04-01','2024-05-10',0,0,0,0,100", "11 100 " + swknos(10, 1) + " /11"},
        {"a settlement reference counts a day later", "LISTUP",
         "0,'','1301','','',0,1,'2024-04-01','2024-05-10',10,1,0,0,100", "11 100 " + swknos(10, 1) + " /11"},
        {"another kind lists nothing", "LISTUP", "2,'','1301','','',0,0,'2024-04-01','2025-03-31',0,0,0,0,0",
         "0  /0"},
        {"deleted entries only when asked", "LISTUP", "0,'','1301','','',0,0,'2024-04-01','2025-03-31',0,0,1,0,0",
         "0  /0"},
        {"later periods only on the reference day", "LISTDOWN",
         "0,'','1301','','',2,0,'2024-05-10','2025-03-31',0,0,0,0,100", "23 10 100 " + swknos(11, 31) + " /23"},
        {"from the reference entry on", "LISTDOWN",
         "0,'','1301','','',2,0,'2024-05-10','2025-03-31',100,1,0,0,100", "22 100 " + swknos(11, 31) + " /22"},
        {"pages going down", "LISTDOWN", "0,'','1301','','',3,0,'2024-05-01','2025-03-31',0,0,0,5,3",
         "3 6 7 8 /8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(page(c.proc, c.args), c.rows);
    }

    // The balance before an entry: kind, calculation, facility, account, sub,
    // dept, tax treatment, period, date, settlement, side of the account,
    // entry, its side, starting balance.
    const auto balance = [this](const std::string& args) {
        return scalar("SELECT ZANDAKA FROM SP_TOUZACHOSEIHYO_ZENZAN(" + args + ")");
    };
    const std::string beforeEleventh = balance("0,0,'','1301','','',0,2,'2024-05-31',0,1,9011,1,1000");
    EXPECT_NE(beforeEleventh, "1000.0000");
    // An entry not found: every entry of the period up to the date counts.
    EXPECT_EQ(balance("0,0,'','1301','','',0,2,'2024-05-10',0,1,4242,1,1000"), beforeEleventh);
    EXPECT_EQ(balance("0,0,'','1301','','',0,2,'2024-05-01',0,1,9001,1,1000"), "1000.0000");
    EXPECT_EQ(balance("2,0,'','1301','','',0,2,'2024-05-31',0,1,9011,1,1000"), "1000.0000");
    EXPECT_EQ(balance("0,2,'','1301','','',0,2,'2024-05-31',0,1,9011,1,1000"), "1000.0000");
}

TEST_F(OldDataStepsTest, AllocationRatiosAreMadeToAddUpThroughTheCommonDepartment)
{
    useBase("corporation");
    ASSERT_EQ(runUpTo(5), 1) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
    const auto asset = [](int rec) {
        return "INSERT INTO KS_SISAN (REC, SCODE, KCODE, HCODE, SIHAKCODE, SIHAHCODE, SYUNYUKCODE, SYUNYUHCODE) "
               "VALUES (" + std::to_string(rec) + ", '01', '1301', ' ', NULL, NULL, NULL, NULL);";
    };
    const auto ratio = [](int rec, const char* bcode, int haibun) {
        return "INSERT INTO KS_BUMONHB (KS_REC, SCODE, BCODE, HAIBUN) VALUES (" + std::to_string(rec) + ", '01', '" +
               bcode + "', " + std::to_string(haibun) + ");";
    };
    const auto ratios = [this] {
        return scalar("SELECT LIST(KS_REC||':'||TRIM(BCODE)||'='||CAST(HAIBUN AS INTEGER), ' ') FROM "
                      "(SELECT * FROM KS_BUMONHB ORDER BY KS_REC, BCODE)");
    };
    // The repair writes: its rows are read and committed.
    const auto repair = [this](const std::string& scode) {
        db::Attachment a = db::attachDatabase({dataFile().string(), "SYSDBA", ""});
        db::Transaction tr(a, db::kReadCommitted);
        tr.start();
        db::Statement q(a, tr, "SELECT SYUFUKU FROM SP_KS_SISAN_SYUFUKU_HAIBUNRITU('" + scode + "')");
        q.execute();
        std::string rows;
        while (q.fetch())
            rows += q.field(std::size_t{0}).asString() + ";";
        tr.commit();
        return rows;
    };
    // Asset 1 is 10 short, asset 2 adds up, asset 3 has no common row.
    runSql(dataFile(), asset(1) + asset(2) + asset(3) + ratio(1, "01", 30) + ratio(1, "00", 60) + ratio(2, "01", 50) +
                           ratio(2, "00", 50) + ratio(3, "01", 40));
    EXPECT_EQ(repair("01"), "1;");
    EXPECT_EQ(ratios(), "1:00=70 1:01=30 2:00=50 2:01=50 3:01=40");
    // Only asset 3 is left, and it still cannot add up.
    EXPECT_EQ(repair("01"), "1;");
    runSql(dataFile(), "DELETE FROM KS_SISAN WHERE REC=3;");
    EXPECT_EQ(repair("01"), "0;");
    // A facility without departments returns no row at all.
    EXPECT_EQ(repair(" "), "");
    EXPECT_EQ(ratios(), "1:00=70 1:01=30 2:00=50 2:01=50");
}

TEST_F(OldDataStepsTest, TheVersionTableStartsAgainWhenItLacksTheFirstRelease)
{
    struct Case {
        const char* what;
        const char* rows;       // ACCVERSION before the step
        const char* after;      // REC:version of each row after 0.1.1
    } cases[] = {
        {"without the row of 0.1.0", "UPDATE ACCVERSION SET MINOR1=0, MINOR2=9 WHERE REC=1;"
                                     "INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (2, 0, 0, 8, '');",
         "1:0.1.1"},
        {"with it", "INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (2, 0, 0, 8, '');",
         "1:0.1.1 2:0.0.8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        useBase("corporation");
        runSql(dataFile(), c.rows);
        ASSERT_EQ(runUpTo(1), 1) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
        EXPECT_EQ(scalar("SELECT LIST(REC||':'||MAJOR||'.'||MINOR1||'.'||MINOR2, ' ') FROM "
                         "(SELECT * FROM ACCVERSION ORDER BY REC)"),
                  c.after);
    }
}

TEST_F(OldDataStepsTest, ANewAccountTakesTheSettingsOfItsGroupInEveryFacility)
{
    useBase("corporation");
    ASSERT_EQ(runUpTo(5), 1) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
    struct Case {
        const char* kcode;
        const char* groupm1;
        const char* settings;   // per facility: GSTAISYOU GSKAHI GSHOUHOU SETSWK SYOKYAKU1
    } cases[] = {
        {"A1399", "1399", ""},
        {"A1450", "1450", "0 0 1 1 6204;0 0 1 1 6204;"},
        {"A1650", "1650", "0 1 3 0 -;0 1 3 0 -;"},
        {"A1800", "1800", "0 3 1 1 6204;0 3 1 1 6204;"},
        {"A1850", "1850", ""},
    };
    int rec = 900;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kcode);
        runSql(dataFile(), std::string("INSERT INTO KAMOKUMST (KCODE, USERCODE, REC, GROUPM1, GROUPM2, KNAME, DAC, "
                                       "BPFLG, HOJOSW) VALUES ('") + c.kcode + "', '" + c.kcode + "', " +
                               std::to_string(++rec) + ", '" + c.groupm1 + "', '" + c.groupm1 +
                               "', '新科目', 1, 'B', '－');");
        EXPECT_EQ(scalar(std::string("SELECT COUNT(*) FROM HOJOMST WHERE HCODE=' ' AND KCODE='") + c.kcode + "'"),
                  "1");
        EXPECT_EQ(scalar(std::string("SELECT COALESCE(LIST(GSTAISYOU||' '||GSKAHI||' '||GSHOUHOU||' '||SETSWK||' '||"
                                     "COALESCE(SYOKYAKU1_KCODE, '-')||';', ''), '') FROM (SELECT * FROM KS_SETSWK "
                                     "WHERE KCODE='") + c.kcode + "' ORDER BY SCODE)"),
                  c.settings);
    }
}
