// The data steps of the evaluation releases and the first release, 0.2.0
// to 1.0.5, on the data sets of the first release: the update run brings
// every data kind through them, and the rows, procedures and repairs they
// write behave as the steps say.
#include "DataStepsFixture.h"

#include <algorithm>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/steps/z5UserDbUpdate022.h"
#include "dbupdate/steps/z5UserDbUpdate031.h"
#include "dbupdate/steps/z5UserDbUpdate033.h"
#include "dbupdate/steps/z5UserDbUpdate041.h"
#include "dbupdate/steps/z5UserDbUpdate101.h"
#include "dbupdate/steps/z5UserDbUpdate102.h"
#include "dbupdate/steps/z5UserDbUpdate103.h"
#include "foundation/app/AccInf.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

// Places of the steps in the data list (the first is 0.1.1).
constexpr int kTo033 = 12;
constexpr int kTo105 = 20;

class EarlyDataStepsTest : public DataStepsFixture {};

std::size_t countLines(const TUpdateScript& script, const std::string& prefix)
{
    return static_cast<std::size_t>(std::count_if(script.Lines().begin(), script.Lines().end(),
                                                  [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

} // namespace

TEST_F(EarlyDataStepsTest, TheRunBringsEveryDataKindThroughTheFirstReleaseSteps)
{
    struct Case {
        const char* kind;
        const char* auditCodes;    // rows 8, 10 and 12
        const char* cash;          // 1101's reading and bands after 0.3.3
        int totalNames;            // ACCTOTALNAME rows after 1.0.5
        int edition = 0;
    } cases[] = {{"corporation", "1306 6206 6212", "genki 0.9500 1", 38},
                 {"individual", "2104 6109 6107", "genki 0.9500 1", 31},
                 {"real-estate", "2104 6109 6107", "genki 0.9500 1", 24},
                 {"clinic", "2104 6109 6107", " ", 0},
                 {"agriculture", "2104 6109 6107", " ", 0},
                 {"medical", "2104 6109 6107", "genki 0.9500 1", 0},
                 // The distributor editions' five-digit codes: the lists name none of them.
                 {"corporation", "1306 6206 6212", "<none>", 38, 1},
                 {"individual", "2104 6109 6107", "<none>", 31, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " edition " + std::to_string(c.edition));
        useBase(c.kind, c.edition);
        // Lines 7 to 12 of the fixed trial balance become the quick assets.
        runSql(dataFile(), "INSERT INTO EXTERA4 (REC, KGROUP, SUBREC) VALUES (6, '1100', 9);"
                           "INSERT INTO EXTERA4 (REC, KGROUP, SUBREC) VALUES (7, '1100', 9);"
                           "INSERT INTO EXTERA4 (REC, KGROUP, SUBREC) VALUES (12, '1100', 9);"
                           "INSERT INTO EXTERA4 (REC, KGROUP, SUBREC) VALUES (13, '1100', 9);"
                           // The menu rights by menu position of an older data set.
                           "CREATE TABLE JOBCONTROL (LEVELNO INTEGER, PAGENO INTEGER, MENUNO INTEGER);"
                           "COMMIT;"
                           "INSERT INTO JOBCONTROL VALUES (200, 3, 8);"
                           "INSERT INTO JOBCONTROL VALUES (200, 1, 2);"
                           "INSERT INTO JOBCONTROL VALUES (1200, 2, 4);"
                           // A building, whose depreciation settings 0.2.2 makes again.
                           "INSERT INTO KAMOKUMST (KCODE, USERCODE, REC, GROUPM1, GROUPM2, KNAME, DAC, BPFLG, HOJOSW) "
                           "VALUES ('1401', '1401', 20, '1410', '1480', '建物', 1, 'B', '－');");
        ASSERT_EQ(runUpTo(kTo105), 1) << lastMessage();
        EXPECT_EQ(version(), "1.0.5");
        EXPECT_EQ(scalar("SELECT LIST(REC||':'||LEVELNO||'/'||PAGENO||'/'||MENUNO, ' ') "
                         "FROM (SELECT * FROM JOBCONTROL ORDER BY REC)"),
                  "1:200/1/2 2:200/3/8 3:1200/2/4");
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||COALESCE(MIN(REC), 0)||','||COALESCE(MAX(REC), 0) FROM ACCTOTALNAME"),
                  c.totalNames ? std::to_string(c.totalNames) + ",1," + std::to_string(c.totalNames) : "0,0,0");
        EXPECT_EQ(scalar("SELECT MEISHOU||' '||TRIM(GROUPA2) FROM HALBRIN_HIKAKU WHERE REC = 31"), "一人当たり人件費 ");
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||MIN(REC)||','||MAX(REC) FROM KS_SETSWK_INIT"), "70,1,70");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM0 IS DISTINCT FROM GROUPM1"), "0");
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||MAX(CM_REC) FROM CASHFMST"), "102,102");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM UTIWAKE10B")+scalar("SELECT COUNT(*) FROM UTIWAKE09B"), "124");
        EXPECT_EQ(scalar("SELECT COUNT(*)||MAX(REC) FROM AO_RISI"), "22");
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||SUM(NUM) FROM HALBRIN_HIKAKU_COL"), "8,36");
        // Every facility's depreciation settings come from the new defaults.
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KS_SETSWK WHERE KCODE = '1401'"),
                  scalar("SELECT COUNT(*) FROM SISETUMST"));
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM HALBRIN_HIKAKU"), "35");
        EXPECT_EQ(scalar("SELECT COALESCE(KKANA, '')||' '||COALESCE(HALBRIN_BADRATE||' '||HALBRIN_GOODKIND, '') "
                         "FROM KAMOKUMST WHERE KCODE='1101'"),
                  c.cash);
        EXPECT_EQ(scalar("SELECT LIST(COALESCE(MOT_KCODE, TOZ_KCODE), ' ') FROM (SELECT * FROM KANSA_ITEM "
                         "WHERE REC IN (8, 10, 12) ORDER BY REC)"),
                  c.auditCodes);
        EXPECT_EQ(scalar("SELECT COUNT(*)||','||MIN(REC)||','||MAX(REC) FROM KANSA_ITEM"), "12,1,12");
        EXPECT_EQ(scalar("SELECT LIST(REC||':'||TRIM(KGROUP)||':'||SUBREC, ' ') FROM (SELECT * FROM EXTERA4 ORDER BY REC)"),
                  "6:1100:9 7:1130:1 12:1130:6 13:1100:9");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM ACCDEF1 WHERE WEB_HOLDER = ''"), "1");
    }
}

TEST_F(EarlyDataStepsTest, TheAccountGroupStepWritesOnlyTheVersionRecordWhenGroupM0IsThere)
{
    useBase("corporation");
    TUpdateScript missing;
    ASSERT_TRUE(missing.Build(z5UserDbUpdate022::Scheme()));
    EXPECT_EQ(countLines(missing, "INSERT INTO KS_SETSWK_INIT "), 70u);
    EXPECT_EQ(countLines(missing, "DROP PROCEDURE SP_"), 16u);

    runSql(dataFile(), "ALTER TABLE KAMOKUMST ADD GROUPM0 AC_CODE;");
    TUpdateScript present;
    ASSERT_TRUE(present.Build(z5UserDbUpdate022::Scheme()));
    ASSERT_EQ(present.Lines().size(), 7u);   // header, empty line, CONNECT, record (2), COMMIT, EXIT
    EXPECT_EQ(present.Lines()[3].rfind("UPDATE ACCVERSION SET MAJOR=0,MINOR1=2,MINOR2=2,MEMO='", 0), 0u);
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(EarlyDataStepsTest, TheAccountListFollowsTheDataKind)
{
    struct Case {
        int dataType, codeType;
        std::size_t statements;
        const char* line1101;
    } cases[] = {
        {1, 0, 250, "KKANA='genki'"},   // corporation
        {2, 1, 222, "KKANA='genki'"},   // individual, general
        {3, 1, 222, "KKANA='genki'"},   // medical corporation takes the general list
        {2, 2, 162, "KKANA='genki'"},   // real estate
        {2, 3, 0, nullptr},             // clinic
        {2, 4, 0, nullptr},             // agriculture
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dataType) + "/" + std::to_string(c.codeType));
        TUpdateScript script;
        z5UserDbUpdate033::AddAccountList(script, c.dataType, c.codeType);
        EXPECT_EQ(countLines(script, "UPDATE KAMOKUMST SET KKANA="), c.statements);
        EXPECT_EQ(script.Lines().size(), c.statements);
        if (c.line1101) {
            EXPECT_EQ(script.Lines()[0], std::string("UPDATE KAMOKUMST SET ") + c.line1101 +
                                             ",Halbrin_BadRate=0.95,Halbrin_BadKind=0,Halbrin_GoodRate=1.05,"
                                             "Halbrin_GoodKind=1 WHERE KCODE='1101';");
            EXPECT_EQ(script.Lines().back(), "UPDATE KAMOKUMST SET KKANA='syoku',Halbrin_BadRate=0,Halbrin_BadKind=0,"
                                             "Halbrin_GoodRate=0,Halbrin_GoodKind=0 WHERE KCODE='9999';");
        }
    }
    // A cost account should shrink.
    TUpdateScript general;
    z5UserDbUpdate033::AddAccountList(general, 2, 1);
    EXPECT_EQ(countLines(general, "UPDATE KAMOKUMST SET KKANA='kisyu',Halbrin_BadRate=1.05,Halbrin_BadKind=1,"), 1u);
}

TEST_F(EarlyDataStepsTest, ThePastBalanceRepairWritesEachOpeningBalanceBeforeTheStart)
{
    // Which accounts got their opening balance written, and into which
    // period: the data starts on the first day of the year (month 1), or
    // later in the year in month 7, or in a month outside 1-12.
    struct Case {
        const char* kind;
        int startMonth;
        bool fromYearStart;
        const char* written;
    } cases[] = {
        // Balance-sheet accounts only, the carried-forward earnings among them.
        {"corporation", 1, true, "1101@0 1103@0 1301@0 2103@0 2202@0 3301@0 9999@0"},
        {"corporation", 7, false,
         "1101@8 1103@8 1301@8 2103@8 2202@8 3301@8 4101@8 5101@8 5301@8 6204@8 7101@8 7201@8 8101@8 8201@8 8301@8 "
         "9999@8"},
        // Neither the owner's accounts nor the capital.
        {"individual", 1, true, "1101@0 1103@0 2103@0 2202@0 9999@0"},
        {"individual", 7, false,
         "1101@8 1103@8 2103@8 2202@8 3101@8 3201@8 3301@8 4101@8 5101@8 5201@8 5301@8 6202@8 6210@8 9999@8"},
        // No period before an unknown month: the previous year's closing.
        {"individual", 13, false,
         "1101@0 1103@0 2103@0 2202@0 3101@0 3201@0 3301@0 4101@0 5101@0 5201@0 5301@0 6202@0 6210@0 9999@0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " month " + std::to_string(c.startMonth));
        useBase(c.kind);
        runSql(dataFile(), "UPDATE KAMOKU_PZ SET NUKIZAN = -1;");
        AccInf.KAISINO = c.startMonth;
        AccInf.KAISI = c.fromYearStart ? AccInf.KISHU : AccInf.KISHU + 180;
        dm_.fnAccDatConnected({}, SystemDef.DataDir, 0);
        EXPECT_TRUE(z5UserDbUpdate102::RepairKanendoZan());
        dm_.CloseAccDat(SystemDef.DataDir, 0, 0);
        EXPECT_EQ(scalar("SELECT LIST(KCODE||'@'||MNUM, ' ') FROM (SELECT DISTINCT TRIM(KCODE) AS KCODE, MNUM "
                         "FROM KAMOKU_PZ WHERE NUKIZAN <> -1 ORDER BY 1, 2)"),
                  c.written);
        // The balance written is the row's own opening balance.
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKU_PZ P JOIN KAMOKU_SZ Z ON Z.SCODE = P.SCODE AND "
                         "Z.KCODE = P.KCODE AND Z.HCODE = P.HCODE AND Z.BCODE = P.BCODE "
                         "WHERE P.NUKIZAN <> -1 AND P.NUKIZAN <> Z.KAISIZAN"),
                  "0");
    }
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(EarlyDataStepsTest, APastBalanceRepairThatFailsShowsItsBoxAndRunsNoScript)
{
    useBase("corporation");
    runSql(dataFile(), "CREATE EXCEPTION E_REFUSED 'refused';"
                       "SET TERM ^ ;"
                       "CREATE TRIGGER KAMOKU_PZ_REFUSE FOR KAMOKU_PZ ACTIVE BEFORE UPDATE POSITION 0 "
                       "AS BEGIN IF (NEW.MNUM = 0) THEN EXCEPTION E_REFUSED; END^"
                       "SET TERM ; ^");
    const std::string before = scalar("SELECT SUM(NUKIZAN) FROM KAMOKU_PZ");
    EXPECT_EQ(RunUpdateStep(z5UserDbUpdate102::Scheme()), UpdateFailed);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "Ver 1.0.2のデータベース更新に失敗しました。(過年度残高の評価と修復)");
    EXPECT_EQ(seam_->messages[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(scalar("SELECT SUM(NUKIZAN) FROM KAMOKU_PZ"), before);
    EXPECT_EQ(version(), "0.1.0");
    EXPECT_FALSE(fs::exists(fs::path(SystemDef.TempDir) / "vqzdataup.sql"));
}

TEST_F(EarlyDataStepsTest, ThePeriodBeforeTheStartMonth)
{
    const int expected[] = {0, 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 0};
    for (int month = 0; month <= 13; ++month)
        EXPECT_EQ(z5UserDbUpdate102::PeriodBeforeStart(month), expected[month]) << month;
    EXPECT_EQ(z5UserDbUpdate102::PeriodBeforeStart(-1), 0);
}

TEST_F(EarlyDataStepsTest, TheTaxAndJournalProceduresOfTheFirstRelease)
{
    useBase("corporation");
    ASSERT_EQ(runUpTo(kTo105), 1) << lastMessage();

    // With a facility, a department and ratios of 1 the department's whole
    // received tax of each period is added, no other department's, no
    // other kind's.
    runSql(dataFile(), "INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES ('01', '01', 1, 1, 300, 40);"
                       "INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES ('01', '01', 1, 5, 70, 0);"
                       "INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES ('01', '02', 1, 1, 999, 9);"
                       "INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS) VALUES ('01', '01', 2, 1, 5000, 5);");
    std::string args = "'01', '01', 1";
    for (int i = 0; i < 16; ++i)
        args += ", 100";
    for (int i = 0; i < 16; ++i)
        args += ", 0";
    for (int i = 0; i < 16; ++i)
        args += ", 1";
    EXPECT_EQ(scalar("SELECT RKAR01||' '||RKAS01||' '||RKAR02||' '||RKAR05||' '||RKAS05 FROM SP_ZEIGAKU_ADD(" + args + ")"),
              "400.0000 40.0000 100.0000 170.0000 0.0000");

    // The journal viewer's first page: PSWKREC 0 starts from the facility's
    // newest entry, PLIMIT 0 gives 50 rows.
    runSql(dataFile(), "SET TERM ^ ;"
                       "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 60) DO BEGIN "
                       "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, SITREC, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, HCODE, "
                       "BCODE, NUK, DELFLG) VALUES (:I, :I, :I, :I, 1, '2024-04-10', 1, '01', '1101', ' ', ' ', 1000, 0);"
                       "I = I + 1; END END^"
                       "SET TERM ; ^");
    EXPECT_EQ(scalar("SELECT COUNT(*)||' '||MAX(SWKNO)||' '||MIN(SWKNO)||' '||MAX(RECORDCNT) "
                     "FROM SP_MONITOR_LISTUP('01', 0, 0, -1, 0, 0, 0, 0)"),
              "50 60 11 50");
}

TEST_F(EarlyDataStepsTest, LaterStepsWriteTheProceduresTheyShareInFull)
{
    struct Case {
        const char* step;
        TUpdateScheme (*scheme)();
        std::vector<const char*> procedures;
    } cases[] = {
        {"0.3.1", z5UserDbUpdate031::Scheme, {"SP_KANENDO_BUMON_GROUPZANDAKA"}},
        {"1.0.1", z5UserDbUpdate101::Scheme, {"SP_KANENDO_ZANDAKA", "SP_KANENDO_BUMON_ZANDAKA"}},
        {"1.0.2", z5UserDbUpdate102::Scheme, {"SP_SISANHYO_BUMON"}},
        {"1.0.3", z5UserDbUpdate103::Scheme, {"SP_MOTOIREKIN_KURIIRE", "SP_SISANHYO_BUMON"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        TUpdateScript script;
        ASSERT_TRUE(script.Build(c.scheme()));
        EXPECT_EQ(countLines(script, "/* PROCEDURE "), 0u);
        for (const char* name : c.procedures) {
            const auto head = std::find_if(script.Lines().begin(), script.Lines().end(), [&](const std::string& l) {
                return l.rfind(std::string("CREATE OR ALTER PROCEDURE ") + name + " ", 0) == 0;
            });
            ASSERT_NE(head, script.Lines().end()) << name;
            EXPECT_NE(std::find(head, script.Lines().end(), "END^"), script.Lines().end()) << name;
        }
    }
}

TEST_F(EarlyDataStepsTest, AProcedureWrittenAgainKeepsTheObjectsThatUseIt)
{
    useBase("individual");
    ASSERT_EQ(runUpTo(kTo033), 1) << lastMessage();
    // Something of the data set reads the capital carry-over that 1.0.3
    // writes again, and the balance procedure that 1.0.1 writes again.
    runSql(dataFile(), "SET TERM ^ ;"
                       "CREATE PROCEDURE SP_USES_KURIIRE RETURNS (N INTEGER) AS BEGIN "
                       "SELECT COUNT(*) FROM SP_MOTOIREKIN_KURIIRE('01') INTO :N; SUSPEND; END^"
                       "CREATE PROCEDURE SP_USES_ZANDAKA RETURNS (N INTEGER) AS BEGIN "
                       "SELECT COUNT(*) FROM SP_KANENDO_ZANDAKA('') INTO :N; SUSPEND; END^"
                       "SET TERM ; ^");
    ASSERT_EQ(runUpTo(kTo105, "0.3.3"), 1) << lastMessage();
    EXPECT_EQ(version(), "1.0.5");
    EXPECT_EQ(scalar("SELECT N FROM SP_USES_KURIIRE"), "1");
    EXPECT_NE(scalar("SELECT N FROM SP_USES_ZANDAKA"), "0");
}
