// Data steps 2.0.0 and 2.0.4 on data sets as the steps before them leave
// them (1.0.5): the update run brings every data kind through both, the
// data-dependent lines follow the data kind, and the procedures they write
// page, budget, update and head as the steps say.
#include "DataStepsFixture.h"

#include <algorithm>

#include "dbupdate/DbUpdateListRec.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/z5UserDbUpdate200.h"
#include "dbupdate/steps/z5UserDbUpdate204.h"
#include "foundation/app/AccInf.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

// Places in the data list: 2.0.0 and 2.0.4 are the 21st and 22nd steps.
constexpr int kTo204 = 22;

// The accounts the real-estate asset-posting defaults name, which the
// sample chart lacks.
std::string realEstateAssetAccounts()
{
    const char* codes[] = {"1401", "1402", "1403", "1404", "1405", "1406", "1407", "1408", "1409",
                           "1410", "1411", "1412", "1416", "1501", "1502", "1503", "1504", "1505",
                           "1506", "1601", "1602", "1603", "1604", "1605", "1606", "1607", "1608",
                           "1620", "1701", "1702", "1703", "2205"};
    std::string sql;
    int rec = 200;
    for (const std::string code : codes) {
        const std::string group = code.substr(0, 2) + "00";
        sql += "INSERT INTO KAMOKUMST (KCODE, USERCODE, REC, GROUPM0, GROUPM1, GROUPM2, KNAME, DAC, BPFLG, HOJOSW) "
               "VALUES ('" + code + "', '" + code + "', " + std::to_string(rec++) + ", '" + group + "', '" + group +
               "', '" + group + "', 'A" + code + "', 1, 'B', '－');\n";
    }
    return sql;
}

class Version10DataStepsTest : public DataStepsFixture {};

bool has(const TUpdateScript& script, const std::string& line)
{
    return std::find(script.Lines().begin(), script.Lines().end(), line) != script.Lines().end();
}

std::vector<std::string> linesStarting(const TUpdateScript& script, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const auto& line : script.Lines())
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    return found;
}

// 60 journal entries of facility ' ' on 2024-05-10 (the year starts in April), entry n with rows
// 2n-1 (debit 1101) and 2n (credit 9999), 1,000 yen each.
const char* kJournal = R"(SET TERM ^ ;
EXECUTE BLOCK AS
DECLARE VARIABLE I INTEGER = 1;
BEGIN
  WHILE (I <= 60) DO
  BEGIN
    INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, SITREC, KCODE, R_KCODE,
                        NUK, R_NUK, KINGAKU, LINKKEY, LINKKUB, LINKREC)
    VALUES (2 * :I - 1, :I, :I, 0, 1, '2024-05-10', 2, ' ', :I, '1101', '9999', 1000, 1000, 1000, 'L', 3, 7);
    INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, SITREC, KCODE, R_KCODE,
                        NUK, R_NUK, KINGAKU, LINKKEY, LINKKUB, LINKREC)
    VALUES (2 * :I, :I, :I, 0, 2, '2024-05-10', 2, ' ', :I, '9999', '1101', 1000, 1000, 1000, 'L', 3, 7);
    I = I + 1;
  END
END^
SET TERM ; ^
SET GENERATOR SIWAKE_REC_GEN TO 60;
)";

// A call of SP_SIWAKE_UPD with the stored debit row REC as it stands but for
// the changes (parameter -> SQL value), its answer kept in UPD_OUT.
std::string siwakeUpd(int rec, const std::map<std::string, std::string>& changes)
{
    const char* params[] = {
        "REC", "SWKREC", "SWKNO", "DELFLG", "HIZUKE", "MNUM", "KESSAN", "SDAYNUM", "MDAYNUM", "DNUM", "SNUM", "SCODE",
        "L_KGROUP", "L_KCODE", "L_HCODE", "L_BCODE", "L_KNAME", "L_HNAME", "L_BNAME", "L_TAXCODE", "L_TAXUH",
        "L_TAXDC", "L_NUK", "L_ZEI", "L_RIT", "L_SIKIN", "R_KGROUP", "R_KCODE", "R_HCODE", "R_BCODE", "R_KNAME",
        "R_HNAME", "R_BNAME", "R_TAXCODE", "R_TAXUH", "R_TAXDC", "R_NUK", "R_ZEI", "R_RIT", "R_SIKIN", "KINGAKU",
        "ZEIGAKU", "ZEIRITUNO", "AUTCALCU", "TAXCALCU", "OLDRATE", "TEKCODE", "TEKTEXT", "TORCODE", "TORTEXT",
        "FUSEN1", "FUSEN2", "FUSEN3", "FUSEN4", "FUSEN5", "CTIME", "COMMENT", "AO_COMMENT", "LINKKEY", "LINKKUB",
        "LINKREC", "LOCALFLG", "RESERVE1", "RESERVE2", "OPCODE"};
    std::string args;
    for (const std::string p : params) {
        std::string value;
        if (const auto change = changes.find(p); change != changes.end())
            value = change->second;
        else if (p == "L_KCODE")
            value = "V.USERCODE";
        else if (p == "R_KCODE")
            value = "V.R_USERCODE";
        else
            value = "V." + (p.rfind("L_", 0) == 0 ? p.substr(2) : p);
        args += (args.empty() ? "" : ", ") + value;
    }
    return "RECREATE TABLE UPD_OUT (RESULT VARCHAR(60)); COMMIT;\n"
           "INSERT INTO UPD_OUT SELECT P.NEWREC||','||P.NEWSWKREC||','||P.NEWSWKNO||','||P.UPREC "
           "FROM SIWAKE_VIEW V LEFT JOIN SP_SIWAKE_UPD(" +
           args + ") P ON 1 = 1 WHERE V.REC = " + std::to_string(rec) + ";\n";
}

} // namespace

TEST_F(Version10DataStepsTest, TheRunBringsEveryDataKindFrom105To204)
{
    struct Case {
        const char* kind;
        int edition;
        const char* seed;
        int setswkInit;    // rows of the asset-posting defaults after the run
    } cases[] = {{"corporation", 0, "", 0}, {"individual", 0, "", 0},  {"real-estate", 0, "", 35},
                 {"clinic", 0, "", 0},      {"agriculture", 0, "", 0}, {"medical", 0, "", 0},
                 {"corporation", 1, "", 0}, {"individual", 2, "", 0}};
    const std::string assets = realEstateAssetAccounts();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " edition " + std::to_string(c.edition));
        useBase(c.kind, c.edition, "1.0.5", c.setswkInit ? assets : "");
        ASSERT_EQ(runUpTo(kTo204, "1.0.5"), 1) << lastMessage();
        EXPECT_EQ(version(), "2.0.4");
        EXPECT_EQ(scalar("SELECT LIST(MEISHOU||RATE1||KIND1||RATE2||KIND2, '|') FROM "
                         "(SELECT * FROM HALBRIN_YOJITUHENDOU ORDER BY REC)"),
                  "売    上0.950001.05001|変 動 費1.050010.95000|限界利益0.950001.05001|"
                  "固 定 費1.050010.95000|営業利益0.950001.05001");
        EXPECT_EQ(scalar("SELECT REC||HOLDER||PASWORD FROM TUSIN_ID"), "1");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKU_MS WHERE RYOSAN IS DISTINCT FROM 0"), "0");
        // A dictionary entry outlives its department.
        EXPECT_EQ(scalar("SELECT LIST(TRIM(RDB$CONSTRAINT_NAME)||' '||TRIM(RDB$UPDATE_RULE)||' '||TRIM(RDB$DELETE_RULE), "
                         "'|') FROM (SELECT * FROM RDB$REF_CONSTRAINTS WHERE RDB$CONSTRAINT_NAME IN "
                         "('TEKDIC_KAS_BCODE', 'TORDIC_KAS_BCODE') ORDER BY 1)"),
                  "TEKDIC_KAS_BCODE CASCADE SET NULL|TORDIC_KAS_BCODE CASCADE SET NULL");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KS_SETSWK_INIT"), std::to_string(c.setswkInit));
        // The analysis bands reach the variable-cost statement's accounts only.
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKUMST WHERE HALBRIN_YOJITU_KIND1 IS NOT NULL "
                         "AND (GROUPM0 < '4000' OR GROUPM0 > '7000')"),
                  "0");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM KAMOKUMST WHERE GROUPM0 BETWEEN '4000' AND '7000' "
                         "AND HALBRIN_YOJITU_KIND1 IS DISTINCT FROM HALBRIN_BADKIND"),
                  "0");
        // The one-time line of the cash-flow statement, for corporate data of the general code system.
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM CASHFMKU WHERE CM_REC = 2 AND CF_KCODE = '9999' AND CF_CAL = '+'"),
                  std::string(c.kind) == "corporation" ? "1" : "0");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = 'ONE_TIME_PROC'"), "0");
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME IN "
                         "('ACCDEF1_BEFORE_UPDATE', 'SIWAKE_AFTER_DELETE')"),
                  "0");
    }
}

TEST_F(Version10DataStepsTest, EveryDataKindOfTheFirstReleaseComesThroughTheWholeChain)
{
    struct Case {
        const char* kind;
        int edition;
    } cases[] = {{"corporation", 0}, {"individual", 0}, {"real-estate", 0}, {"clinic", 0},
                 {"agriculture", 0}, {"medical", 0},    {"corporation", 1}, {"individual", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " edition " + std::to_string(c.edition));
        useBase(c.kind, c.edition);
        ASSERT_EQ(runUpTo(kTo204), 1) << lastMessage() << readBytes(fs::path(SystemDef.LogDir) / "ErrDataup.txt");
        EXPECT_EQ(version(), "2.0.4");
        // The owner's asset defaults of individual data post nothing at
        // purchase and depreciate into 6202 where the chart has it (the
        // agricultural chart has not).
        const std::string kind = c.kind;
        if (kind == "individual" || kind == "clinic" || kind == "agriculture") {
            EXPECT_EQ(scalar("SELECT COUNT(*) FROM KS_SETSWK_INIT WHERE ACCGROUP = 2 AND "
                             "(GSKEIJYO <> 0 OR (SYOKYAKU1_KCODE = '6204' AND "
                             "EXISTS (SELECT 1 FROM KAMOKUMST WHERE KCODE = '6202')))"),
                      "0");
        }
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM HALBRIN_YOJITUHENDOU"), "5");
        // Real-estate data gets its defaults, without the accounts its chart lacks.
        if (kind == "real-estate") {
            EXPECT_EQ(scalar("SELECT COUNT(*)||','||COUNT(KCODE)||','||COUNT(SYOKYAKU1_KCODE) FROM KS_SETSWK_INIT"),
                      "35,0,18");
        }
    }
}

TEST_F(Version10DataStepsTest, DataDependentLinesFollowTheDataKind)
{
    struct Case {
        const char* kind;
        const char* seed;             // besides the asset accounts
        bool depreciationUpdates;     // step 2.0.0's two updates of the defaults
        std::vector<std::string> calls;  // step 2.0.4's facilities; empty: no defaults written
    } cases[] = {
        {"corporation", "", false, {}},
        {"medical", "", false, {}},
        {"individual", "", true, {}},
        {"real-estate", "", true, {" "}},
        // With its defaults a data set keeps them.
        {"real-estate",
         "INSERT INTO KS_SETSWK_INIT (REC, ACCGROUP, KCODE, RUIKEIKCODE, SYOKYAKU1_KCODE, SYOKYAKU2_KCODE, "
         "JIGYOUNUSI_KCODE, BAISONKCODE, JYOSONKCODE, BAIEKIKCODE) "
         "VALUES (0, 2, '1401', NULL, NULL, NULL, NULL, NULL, NULL, NULL);", true, {}},
        // Three facilities: one call each, in code order.
        {"real-estate",
         "UPDATE ACCDEF1 SET SITEN = 3 WHERE REC = 1;"
         "INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('002', 'two');"
         "INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('001', 'one');",
         true, {" ", "001", "002"}},
    };
    const std::string assets = realEstateAssetAccounts();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.seed);
        const bool realEstate = std::string(c.kind) == "real-estate";
        useBase(c.kind, 0, "1.0.5", (realEstate ? assets : "") + c.seed);
        TUpdateScript s200;
        ASSERT_TRUE(s200.Build(z5UserDbUpdate200::Scheme()));
        EXPECT_EQ(has(s200, "UPDATE KS_SETSWK_INIT SET GSKEIJYO=0"), c.depreciationUpdates);
        EXPECT_EQ(has(s200, "WHERE (ACCGROUP=2) AND (SYOKYAKU1_KCODE='6204') "
                                "AND (EXISTS (SELECT KCODE FROM KAMOKUMST WHERE KCODE='6202'));"),
                  c.depreciationUpdates);
        TUpdateScript s204;
        ASSERT_TRUE(s204.Build(z5UserDbUpdate204::Scheme()));
        std::vector<std::string> expected;
        for (const auto& scode : c.calls)
            expected.push_back("EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU('" + scode + "');");
        EXPECT_EQ(linesStarting(s204, "EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU"), expected);
        EXPECT_EQ(has(s204, "DELETE FROM KS_SETSWK_INIT;"), !c.calls.empty());
        EXPECT_EQ(linesStarting(s204, "INSERT INTO KS_SETSWK_INIT VALUES").size(), c.calls.empty() ? 0u : 35u);
        // Both scripts end with their own commit, then the version record.
        for (const auto* s : {&s200, &s204}) {
            const auto& lines = s->Lines();
            EXPECT_EQ(lines.end()[-5], "Commit;");
            EXPECT_EQ(lines.end()[-4].rfind(s == &s200 ? "UPDATE ACCVERSION SET MAJOR=2,MINOR1=0,MINOR2=0,MEMO='"
                                                       : "UPDATE ACCVERSION SET MAJOR=2,MINOR1=0,MINOR2=4,MEMO='",
                                            0),
                      0u);
            EXPECT_EQ(lines.end()[-3], "WHERE REC=1;");
            EXPECT_EQ(std::count(lines.begin(), lines.end(), "SET NAMES SJIS_0208;"), 0);
        }
    }
}

TEST_F(Version10DataStepsTest, RealEstateDefaultsAreWrittenAgainForEveryFacility)
{
    useBase("real-estate", 0, "1.0.5",
          realEstateAssetAccounts() + "UPDATE ACCDEF1 SET SITEN = 2 WHERE REC = 1;"
                                      "INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('001', 'one');");
    ASSERT_EQ(runUpTo(kTo204, "1.0.5"), 1) << lastMessage();
    // Numbered afresh by the table's trigger; the rows of group 0 post.
    EXPECT_EQ(scalar("SELECT MIN(REC)||','||MAX(REC)||','||SUM(SETSWK) FROM KS_SETSWK_INIT"), "1,35,18");
    EXPECT_EQ(scalar("SELECT KGROUP||GSTAISYOU||GSKEIJYO||GSHOUHOU||SETSWK||COALESCE(RUIKEIKCODE,'-')||"
                     "SYOKYAKU1_KCODE||JIGYOUNUSI_KCODE||BAIEKIKCODE||TEKIYO||SYOKYAKUTEKIYO "
                     "FROM KS_SETSWK_INIT WHERE KCODE IS NULL AND KGROUP = 0"),
              "00111141662021608" "2205購入償却");
    EXPECT_EQ(scalar("SELECT LIST(DISTINCT SCODE, '|') FROM KS_SETSWK"), " |001");
}

TEST_F(Version10DataStepsTest, ProceduresOfTheStepsBehaveAsWritten)
{
    useBase("corporation", 0, "1.0.5", kJournal);
    ASSERT_EQ(runUpTo(kTo204, "1.0.5"), 1) << lastMessage();

    // Months of the year as periods; anything else unchanged.
    EXPECT_EQ(scalar("SELECT LIST(T.TNUM, ' ') FROM (SELECT 0 AS N FROM RDB$DATABASE UNION ALL SELECT 3 FROM "
                     "RDB$DATABASE UNION ALL SELECT 12 FROM RDB$DATABASE UNION ALL SELECT 13 FROM RDB$DATABASE) X "
                     "LEFT JOIN SP_CONVERT_12TO16(X.N) T ON 1 = 1"),
              "0 4 16 13");

    // Monthly budgets are written as running sums; the quarter periods repeat.
    runSql(dataFile(), "EXECUTE PROCEDURE SP_UPDATE_YOSAN(0, 1, '', '1101', ' ', '', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, "
                       "11, 12);"
                       "EXECUTE PROCEDURE SP_UPDATE_YOSAN(1, 0, '', '1101', ' ', '', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, "
                       "11, 12);");
    EXPECT_EQ(scalar("SELECT LIST(CAST(BYOSAN AS INTEGER), ' ') FROM (SELECT BYOSAN FROM KAMOKU_MS WHERE SCODE = ' ' "
                     "AND KCODE = '1101' AND HCODE = ' ' AND BCODE = ' ' ORDER BY MNUM)"),
              "1 3 6 6 10 15 21 21 28 36 45 45 55 66 78 78");
    EXPECT_EQ(scalar("SELECT LIST(CAST(RYOSAN AS INTEGER), ' ') FROM (SELECT RYOSAN FROM KAMOKU_MS WHERE SCODE = ' ' "
                     "AND KCODE = '1101' AND HCODE = ' ' AND BCODE = ' ' ORDER BY MNUM)"),
              "1 2 3 3 4 5 6 6 7 8 9 9 10 11 12 12");

    // Paging: PLIMIT 0 is 50 rows; RECORDCNT counts from the start.
    struct Page {
        const char* call;
        const char* rowsAndLastCount;
    } pages[] = {
        {"SP_MONITOR_LISTUP(' ', 0, 0, -1, 0, 0, 0, 0)", "50,50"},
        {"SP_MONITOR_LISTUP(' ', 0, 0, -1, 0, 0, 50, 0)", "10,60"},
        {"SP_MONITOR_LISTDOWN(' ', 0, 0, 0, 0, 0, 10, 5)", "5,15"},
        {"SP_MONITOR_LISTUP_ENTRYORDER(' ', 0, 0, -1, 0, 0, 55, 10)", "5,60"},
        {"SP_MONITOR_LISTDOWN_ENTRYORDER(' ', 30, 0, 0, 0, 0, 0, 0)", "31,31"},
        {"SP_MONITOR_LISTUP('001', 0, 0, -1, 0, 0, 0, 0)", "0,"},
        // The end before the start reads to the year's end (journal book) or
        // from its start (ledger).
        {"SP_SIWAKE_LISTDOWN(' ', 0, '2024-01-01', '2023-01-01', 0, 0, 10, 5)", "5,15"},
        {"SP_SIWAKE_LISTUP(' ', 0, '2024-01-01', '2024-12-31', 0, 0, 0, 0)", "50,50"},
        {"SP_SIWAKE_LISTIN(' ', -1, '2024-01-01', '2024-12-31', 0, 0, 0, 0)", "50,50"},
        {"SP_MOTOCHO_LISTUP(0, ' ', '1101', '', '', 0, '2024-12-31', '2024-06-30', 0, 0, 0, 0, 0)", "50,50"},
        {"SP_MOTOCHO_LISTDOWN(0, '', '9999', '', '', 0, '2024-01-01', '2024-12-31', 0, 0, 0, 40, 0)", "20,60"},
        {"SP_MOTOCHO_LISTIN(0, ' ', '1101', '', '', -1, '2024-01-01', '2024-12-31', 0, 0, 0, 0, 7)", "7,7"},
        {"SP_MOTOCHO_LISTUP(3, ' ', '1101', '', '', 0, '2024-01-01', '2024-12-31', 0, 0, 0, 0, 0)", "0,"},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.call);
        EXPECT_EQ(scalar(std::string("SELECT COUNT(*)||','||COALESCE(MAX(RECORDCNT), '') FROM ") + p.call),
                  p.rowsAndLastCount);
    }
    // Step 2.0.4 lists by entry number: an entry moved to number 70 comes first.
    runSql(dataFile(), "UPDATE SIWAKE SET SITREC = 70 WHERE SWKREC = 3;");
    EXPECT_EQ(scalar("SELECT FIRST 1 SWKREC FROM SP_MONITOR_LISTUP(' ', 70, 70, -1, 0, 0, 0, 0)"), "3");

    // A deleted entry is not updated; a change of sticky notes keeps the
    // entry where it is; any other change makes a new entry and keeps the old.
    runSql(dataFile(), "SELECT * FROM SP_SIWAKE_DEL(5, 9);");
    EXPECT_EQ(scalar("SELECT LIST(DELFLG||LINKKEY||LINKKUB||LINKREC||OPCODE, ' ') FROM SIWAKE WHERE SWKREC = 5"),
              "1009 1009");
    runSql(dataFile(), siwakeUpd(9, {{"FUSEN1", "1"}}));
    EXPECT_EQ(scalar("SELECT RESULT FROM UPD_OUT"), "-1,0,5,-1");
    EXPECT_EQ(scalar("SELECT COUNT(*)||','||COALESCE(SUM(FUSEN1), 0) FROM SIWAKE"), "120,0");
    runSql(dataFile(), siwakeUpd(11, {{"FUSEN1", "1"}}));
    EXPECT_EQ(scalar("SELECT RESULT FROM UPD_OUT"), "11,6,6,0");
    EXPECT_EQ(scalar("SELECT COUNT(*)||','||SUM(FUSEN1)||','||MIN(DELFLG) FROM SIWAKE WHERE SWKREC = 6"), "2,2,0");
    runSql(dataFile(), siwakeUpd(13, {{"KINGAKU", "2000"}, {"L_NUK", "2000"}, {"R_NUK", "2000"}}));
    EXPECT_EQ(scalar("SELECT RESULT FROM UPD_OUT"), "121,61,7,0");
    EXPECT_EQ(scalar("SELECT LIST(REC||':'||DELFLG||':'||CAST(KINGAKU AS INTEGER), ' ') FROM "
                     "(SELECT * FROM SIWAKE WHERE SWKNO = 7 ORDER BY REC)"),
              "13:2:1000 14:2:1000 121:0:2000 122:0:2000");

    // A new facility's customer dictionary is headed by the syllabary.
    runSql(dataFile(), "INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('002', 'two');");
    EXPECT_EQ(scalar("SELECT LIST(TEXT, '') FROM (SELECT TEXT FROM TORDICTI WHERE SCODE = '002' ORDER BY SORTCODE)"),
              "あかさたなはまやらわいきしちにひみ　り　うくすつぬふむゆる　えけせてねへめ　れ　おこそとのほもよろ　");
}

TEST_F(Version10DataStepsTest, NewSubAccountRowsStillFitWhenTheBalanceTableGrows)
{
    // From 6.0.0 on the balance rows carry two opening columns more.
    useBase("corporation", 0, "6.0.0");
    TUpdateScript statements;
    old_data_step::AddStepSql(statements, "data_2_0_4");
    std::string text;
    for (const auto& line : statements.Lines())
        text += line + "\n";
    runSql(dataFile(), text +
                           "UPDATE ACCDEF1 SET BUMON = 2, HOJO_INS_MODE = 0 WHERE REC = 1;"
                           "UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('00', 'common') MATCHING (BCODE);"
                           "UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', 'one') MATCHING (BCODE);"
                           "UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1101', ' ', '00') "
                           "MATCHING (SCODE, KCODE, HCODE, BCODE);"
                           "UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE) VALUES (' ', '1101', ' ', '01') "
                           "MATCHING (SCODE, KCODE, HCODE, BCODE);"
                           "INSERT INTO HOJOMST (KCODE, HCODE, HNAME, BPFLG) VALUES ('1101', '005', 'five', 'B');"
                           "SELECT * FROM SP_HOJO_KAMOKUSZ_INS(' ', '1101', '005');");
    EXPECT_EQ(scalar("SELECT LIST(BCODE||':'||CAST(KAISIZAN AS INTEGER)||':'||CAST(HAIBUN01 AS INTEGER)||':'||"
                     "CAST(HAIBUN16 AS INTEGER)||':'||CAST(KAKOZAN AS INTEGER), ' ') FROM (SELECT * FROM KAMOKU_SZ "
                     "WHERE SCODE = ' ' AND KCODE = '1101' AND HCODE = '005' ORDER BY BCODE)"),
              " :0:0:0:0 00:0:100:100:0 01:0:0:0:0");
}
