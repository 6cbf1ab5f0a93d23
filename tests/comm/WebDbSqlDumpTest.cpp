// The accounting-data dump on real data-set databases: the value kinds, the
// batching, the sections with rules of their own, the transaction and the
// failures, and one whole dump against its golden file.
#include "comm/WebDbSqlDump.h"

#include "DumpFixture.h"
#include "foundation/calendar/DayNumber.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#include <gtest/gtest.h>


using namespace vq;
using comm::DumpKind;
using comm::TWebDbSqlDump;
namespace fs = std::filesystem;

namespace {

int count(const std::string& text, const std::string& piece)
{
    int n = 0;
    for (std::size_t p = text.find(piece); p != std::string::npos; p = text.find(piece, p + piece.size()))
        ++n;
    return n;
}

// The rows of each INSERT statement of a section.
std::vector<int> statementRows(const std::string& section, const std::string& head)
{
    std::vector<int> rows;
    for (std::size_t p = section.find(head); p != std::string::npos; p = section.find(head, p + 1)) {
        const std::size_t end = section.find(';', p);
        rows.push_back(count(section.substr(p, end - p), "),(") + 1);
    }
    return rows;
}

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

class WebDbSqlDumpTest : public test::DumpFixture {
protected:
    // Runs sql in a transaction of its own on the open data set.
    void exec(const std::string& sql)
    {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment());
        tr.start();
        dm_.IBDatabaseDAT.attachment().execute(tr, sql);
        tr.commit();
    }

    std::string value(const std::string& expression, DumpKind kind)
    {
        db::Transaction tr(dm_.IBDatabaseDAT.attachment(), db::kReadCommittedReadOnly);
        tr.start();
        db::Statement q(dm_.IBDatabaseDAT.attachment(), tr, "SELECT " + expression + " AS V FROM RDB$DATABASE");
        q.execute();
        EXPECT_TRUE(q.fetch());
        return TWebDbSqlDump::Value(q, {kind, "V"}, 1);
    }

    void pastJournal(int rows)
    {
        exec("DELETE FROM KAKOSIWAKE1");
        if (rows > 0)
            exec("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= " + std::to_string(rows) +
                 ") DO BEGIN INSERT INTO KAKOSIWAKE1(REC,SWKREC,KCODE,R_KCODE,TEKTEXT) "
                 "VALUES(:I,:I,'1000','2000','x'); I = I + 1; END END");
    }
};

TEST_F(WebDbSqlDumpTest, EveryValueKindWritesItsForm)
{
    open();
    struct Case {
        const char* expression;
        DumpKind kind;
        const char* expected;
    };
    const Case cases[] = {
        // Text: every value escaped, a NULL is NULL, never an empty field.
        {"'O''Neil\\x'", DumpKind::T, "'O\\'Neil\\\\x'"},
        {"'O''Neil\\x'", DumpKind::Q, "'O\\'Neil\\\\x'"},
        {"'a' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'b'", DumpKind::T, "'a\\r\\nb'"},
        {"'株式会社　テスト'", DumpKind::T, "'株式会社　テスト'"},
        {"CAST(NULL AS VARCHAR(5))", DumpKind::T, "null"},
        {"CAST(NULL AS VARCHAR(5))", DumpKind::Q, "null"},
        {"CAST(NULL AS INTEGER)", DumpKind::P, "null"},
        {"CAST(NULL AS NUMERIC(16,4))", DumpKind::N, "null"},
        // 19 bytes, then a double-byte character across byte 20.
        {"'ABCDEFGHIJKLMNOPQRSあいう'", DumpKind::T20, "'ABCDEFGHIJKLMNOPQRS'"},
        {"'  ab  '", DumpKind::T20, "'ab'"},
        // Numbers in their shortest form.
        {"CAST(12.5 AS NUMERIC(16,4))", DumpKind::P, "12.5"},
        {"CAST(100 AS NUMERIC(16,4))", DumpKind::P, "100"},
        {"CAST(-0.01 AS NUMERIC(16,4))", DumpKind::N, "-0.01"},
        {"CAST(-7 AS INTEGER)", DumpKind::P, "-7"},
        // A plain column that is no number is still quoted.
        {"'x'' OR 1=1'", DumpKind::P, "'x\\' OR 1=1'"},
        {"DATE '2024-04-01'", DumpKind::Q, "'2024/04/01'"},
        {"TIMESTAMP '2024-04-01 09:05:03'", DumpKind::Q, "'2024/04/01 09:05:03'"},
        // Date-times keep to MySQL's range.
        {"TIMESTAMP '1965-05-01 00:00:00'", DumpKind::D, "'1970-01-02 00:00:00'"},
        {"TIMESTAMP '2040-01-01 00:00:00'", DumpKind::D, "'2038-01-01 00:00:00'"},
        {"TIMESTAMP '1899-12-30 00:00:00'", DumpKind::D, "'0000-00-00 00:00:00'"},
        {"CAST(NULL AS TIMESTAMP)", DumpKind::D, "'0000-00-00 00:00:00'"},
        {"TIMESTAMP '1970-01-01 12:00:00'", DumpKind::D, "'1970/01/01 12:00:00'"},
        {"TIMESTAMP '2024-04-01 00:00:00'", DumpKind::D, "'2024/04/01'"},
        // Colours: red in the high byte; a system colour by its palette.
        {"255", DumpKind::C, "16711680"},
        {"16711680", DumpKind::C, "255"},
        {"-2147483643", DumpKind::C, "16777215"}, // the window colour, white
        {"'A'", DumpKind::Int, "0"},
        {"'12'", DumpKind::Int, "12"},
        {"5", DumpKind::CType, "2"},
        {"4", DumpKind::CType, "3"},
        {"1", DumpKind::CType, "0"},
        {"9", DumpKind::CType, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(value(c.expression, c.kind), c.expected) << c.expression;
}

TEST_F(WebDbSqlDumpTest, TheProgramsDatesKeepToTheServersRange)
{
    struct Case {
        const char* kind;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"DATE", 0, "'0000-00-00'"},
        {"datetime", 0, "'0000-00-00 00:00:00'"},
        {"DATE", encodeDate(1970, 1, 1), "'1970-01-02'"},
        {"DATETIME", encodeDateTime(1970, 1, 1, 0, 0, 1), "'1970-01-01 00:00:01'"},
        {"DATETIME", encodeDate(2038, 1, 1), "'2038-01-01 00:00:00'"},
        {"DATETIME", encodeDateTime(2025, 12, 9, 12, 34, 56), "'2025-12-09 12:34:56'"},
        {"TIME", encodeDate(2025, 1, 1), "'0000-00-00'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TWebDbSqlDump::DateToSqlValue(c.kind, c.value), c.expected) << c.kind << " " << c.value;
    EXPECT_EQ(TWebDbSqlDump::EscapeSqlText(std::string("a\\b'c\0d\x1A", 8)), "a\\\\b\\'c\\0d\\Z");
}

TEST_F(WebDbSqlDumpTest, BatchedTablesSplitIntoStatementsOfAHundredRows)
{
    open();
    struct Case {
        int rows;
        std::vector<int> statements;
    };
    const Case cases[] = {{0, {}}, {1, {1}}, {100, {100}}, {101, {100, 1}}, {250, {100, 100, 50}}};
    for (const auto& c : cases) {
        pastJournal(c.rows);
        const std::string s = section(dump(), "KAKOSIWAKE1");
        EXPECT_EQ(statementRows(s, "INSERT INTO KAKOSIWAKE1 VALUES\r\n"), c.statements) << c.rows;
        EXPECT_EQ(count(s, ";\r\n"), static_cast<int>(c.statements.size()) + 1) << c.rows;
        if (c.rows == 0)
            EXPECT_EQ(s, "DELETE FROM KAKOSIWAKE1;\r\n\r\n");
        else
            EXPECT_EQ(s.substr(s.size() - 4), ");\r\n") << c.rows;
    }
}

TEST_F(WebDbSqlDumpTest, TheDumpReadsInItsOwnSnapshotAndLeavesTheCallersTransactionAlone)
{
    open();
    exec("DELETE FROM AOPRO_YOSAN_KIHONRULE");
    // The caller's uncommitted work: neither committed nor seen.
    dm_.IBTransactionDAT.start();
    dm_.IBDatabaseDAT.attachment().execute(dm_.IBTransactionDAT,
                                           "INSERT INTO GROUPMST(GCODE,GNAME) VALUES('G9','未確定')");
    const std::string text = dump();
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(dm_.IBTransactionDAT.active());
    dm_.IBTransactionDAT.rollback();
    EXPECT_EQ(section(text, "GROUPMST"), "DELETE FROM GROUPMST;\r\n\r\n");

    // The default budget rules were added, committed, and dumped with the
    // identifiers 1 to 6.
    const std::string rules = section(text, "AOPRO_YOSAN_KIHONRULE");
    EXPECT_EQ(count(rules, "'売上債権',"), 3);
    EXPECT_NE(rules.find("(1,'仕入債務',1,'現金',100,0,'',"), std::string::npos) << rules;
    EXPECT_NE(rules.find("(6,'売上債権',3,'手形',0,2,'','1970-01-02 00:00:00',0);"), std::string::npos) << rules;
    db::Transaction tr(dm_.IBDatabaseDAT.attachment());
    tr.start();
    db::Statement q(dm_.IBDatabaseDAT.attachment(), tr, "SELECT COUNT(*) AS N FROM AOPRO_YOSAN_KIHONRULE");
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.field("N").asInt(), 6);
}

TEST_F(WebDbSqlDumpTest, TheBudgetRulesSendTheFirstTenTaxAndOtherRulesAfterTheRest)
{
    open();
    exec("DELETE FROM AOPRO_YOSAN_KIHONRULE");
    exec("INSERT INTO AOPRO_YOSAN_KIHONRULE(FID,FKOMOKU,FROW,FKBN) VALUES(100,'売上債権',1,'現金')");
    exec("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 12) DO BEGIN "
         "INSERT INTO AOPRO_YOSAN_KIHONRULE(FID,FKOMOKU,FROW,FKBN,FHIZUKE) "
         "VALUES(200 + :I,'納税',13 - :I,'',DATEADD(:I DAY TO TIMESTAMP '2025-01-01 00:00:00')); I = I + 1; END END");
    exec("INSERT INTO AOPRO_YOSAN_KIHONRULE(FID,FKOMOKU,FROW,FKBN) VALUES(300,'その他',1,'')");
    const std::string rules = section(dump(), "AOPRO_YOSAN_KIHONRULE");
    const std::string head =
        "INSERT INTO AOPRO_YOSAN_KIHONRULE(FID,FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES\r\n";
    EXPECT_EQ(statementRows(rules, head), (std::vector<int>{1, 10, 1}));
    // By date: the rows of 1-02 .. 1-11, identifiers after the first pass.
    EXPECT_NE(rules.find("(2,'納税',12,'',0,0,'','2025/01/02',0),"), std::string::npos) << rules;
    EXPECT_NE(rules.find("(11,'納税',3,'',0,0,'','2025/01/11',0);"), std::string::npos) << rules;
    EXPECT_EQ(rules.find("2025/01/12"), std::string::npos);
    EXPECT_NE(rules.find("(12,'その他',1,"), std::string::npos);
    EXPECT_EQ(rules.substr(rules.size() - 4), "\r\n\r\n");
}

TEST_F(WebDbSqlDumpTest, MedicalDataReadsItsJobLevelAndWritesLevelTwoHundred)
{
    open("UPDATE ACCDEF1 SET DATATYPE=3, CODETYPE=1 WHERE REC=1;"
         "INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID) VALUES(200,'GENERAL');"
         "INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID) VALUES(1200,'QzMedB');"
         "INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID) VALUES(1200,'QzMedA');"
         "INSERT INTO KAMOKUMST(KCODE,USERCODE,KNAME,GROUPM1,GROUPM2) VALUES('1000','100','現金','A1','A2');");
    ASSERT_EQ(AccInf.DATATYPE, 3);
    const std::string text = dump();
    EXPECT_EQ(section(text, "JOBCONTROL"),
              "DELETE FROM JOBCONTROL;\r\nINSERT INTO JOBCONTROL VALUES\r\n"
              "(1,200,0,0,'','QzMedA'),(2,200,0,0,'','QzMedB');\r\n");
    // The medical grouping columns are read; the report columns this data
    // set lacks are null.
    const std::string accounts = section(text, "KAMOKUMST");
    EXPECT_NE(accounts.find(",null,null,null,null,null,null)"), std::string::npos) << accounts;
    EXPECT_NE(accounts.find("('1000','100',"), std::string::npos) << accounts;
}

TEST_F(WebDbSqlDumpTest, DataBeforeVersionEightZeroTwoSendsNoBudgetsAndNoJobList)
{
    open("UPDATE ACCVERSION SET MAJOR=8, MINOR1=0, MINOR2=1;");
    ASSERT_EQ(AccInf.DataVerMinor2, 1);
    const std::string text = dump();
    EXPECT_NE(text.find("DELETE FROM JOBCONTROL;\r\nDELETE FROM KAKOSIWAKE1;\r\n"), std::string::npos);
    for (const char* table : {"AOPRO_YOSAN_KANRI", "AOPRO_KAMOKU_YOSAN", "AOPRO_YOSAN_KIHONRULE",
                              "HALBRIN_YOJITU_HYOKARULE"})
        EXPECT_EQ(section(text, table), std::string("DELETE FROM ") + table + ";\r\n\r\n") << table;
    EXPECT_EQ(section(text, "KAMOKU_KOSEI_GROUP"),
              "DELETE FROM KAMOKU_KOSEI_GROUP;\r\n\r\n"
              "DELETE FROM KAMOKU_KOSEI_GROUP WHERE (FGNAME='未払金／未払費用');\r\n");
}

TEST_F(WebDbSqlDumpTest, AFailedDumpLeavesNoFileAndReportsOnce)
{
    open();
    TWebDbSqlDump d;
    fs::create_directories(d.DumpFilePath.parent_path());
    std::ofstream(d.DumpFilePath) << "old dump";

    // Names that could leave the grave accents are refused before anything
    // is touched.
    for (const char* name : {"", "halbrin_d_12`; DROP DATABASE x; --", "halbrin d"}) {
        d.DatabaseName = name;
        EXPECT_FALSE(d.WriteDump()) << name;
        EXPECT_EQ(readFile(d.DumpFilePath), "old dump");
    }
    EXPECT_TRUE(seam_->messages.empty());

    // A missing script: reported, and neither the old nor a partial file stays.
    d.IndexScriptPath = root_.path() / "none.sql";
    EXPECT_EQ(dump(d), "");
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text.rfind("SQLDumpファイルの作成に失敗しました。", 0), 0u);
    EXPECT_TRUE(fs::is_empty(d.DumpFilePath.parent_path()));

    // A folder that cannot hold the file: the system's text and the path.
    TWebDbSqlDump blocked;
    blocked.DatabaseName = "halbrin_d_1_1";
    std::ofstream(root_.path() / "file") << "x";
    blocked.DumpFilePath = root_.path() / "file" / "vqacc.sql";
    try {
        blocked.WriteDump();
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("\"" + blocked.DumpFilePath.string() + "\"が使用中です。"), std::string::npos) << what;
    }
}

TEST_F(WebDbSqlDumpTest, ASmallDataSetDumpsAsItsGoldenFile)
{
    SystemDef.Reserve4 = 1 << 2;
    SystemDef.Reserve2 = 2;
    SystemDef.ReportTitles[TitleSisan] = "合計残高試算表 'A'";
    open("UPDATE ACCDEF1 SET SHOUGOU='O''Neil\\x 商店', ADD1=NULL, WEB_HOLDER='123456789012' WHERE REC=1;"
         "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('経営ハルブリン','秘密','文字','x');"
         "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('ＷＥＢ会議設定','ＵＲＬ','文字','https://m.example/');"
         "INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('表示','引用','文字','it''s');"
         "INSERT INTO BUNSEKI_SYUKEIHYO(RECKEY,CODE,TITLE) VALUES(7,'x','B');"
         "INSERT INTO BUNSEKI_SYUKEIHYO(RECKEY,CODE,TITLE) VALUES(3,'y','A');"
         "INSERT INTO BUNSEKI_SYUKEIHYO(RECKEY,CODE,TITLE) VALUES(9,'z','C');"
         "INSERT INTO KAKOSIWAKE1(REC,SWKREC,HIZUKE,KCODE,R_KCODE,KINGAKU,TEKTEXT,TORTEXT,CTIME) VALUES"
         "(1,1,'2024-05-01','1000','2000',1234.5,'摘要 ''引用'' \\ 記号','ABCDEFGHIJKLMNOPQRSあいう',NULL);"
         "INSERT INTO SISETUMST(SCODE,SNAME,XSTR7,XSTR8) VALUES('S1','本店','seven','eight');"
         "INSERT INTO SIWAKE2(REC,SWKREC,LINKKEY,LINKKUB,LINKREC) VALUES(1,1,NULL,NULL,3);");
    const std::string text = dump();
    ASSERT_FALSE(text.empty());
    // The paths are the test's own; everything else must match.
    std::string portable = text;
    const std::string root = root_.path().string();
    for (std::size_t p = portable.find(root); p != std::string::npos; p = portable.find(root, p))
        portable.replace(p, root.size(), "<root>");
    const fs::path golden = fs::path(VQ_TEST_DATA) / "golden-dump.sql";
    if (std::getenv("VQ_WRITE_GOLDEN"))
        std::ofstream(golden, std::ios::binary) << portable;
    EXPECT_EQ(portable, readFile(golden));
}
