// Building the system and data-set databases from schema/.
#include <gtest/gtest.h>

#include "SchemaTestDb.h"
#include "platform/Process.h"

using namespace vq::test;

namespace {

vq::platform::ProcessResult runBuildScript(const std::vector<std::string>& args,
                                           const vq::platform::ProcessOptions& options = {})
{
    std::vector<std::string> all{(schemaDir() / "build-database").string()};
    all.insert(all.end(), args.begin(), args.end());
    return vq::platform::runProcess("bash", all, options);
}

} // namespace

TEST(SchemaBuild, SystemDatabaseIsAtTheCurrentVersionWithItsStartRows)
{
    SchemaTestDb db(SchemaKind::System);
    EXPECT_EQ(db.text("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM VERSION "
                      "ORDER BY MAJOR DESC, MINOR1 DESC, MINOR2 DESC"),
              "12.0.0");
    EXPECT_EQ(db.text("SELECT OPNAME FROM OPERATOR WHERE GROUPID = 10000 AND OPCODE = 1"), "システムユーザー");
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM GENGO"), 5);
    EXPECT_EQ(db.text("SELECT GNAME FROM GENGO ORDER BY YEAROFFSET DESC"), "令和");
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM USERGROUP WHERE GROUPID = 10000"), 1);
    // Each applied step adds a version row numbered after the last one.
    db.exec({"INSERT INTO VERSION (MAJOR, MINOR1, MINOR2, MEMO) VALUES (12, 0, 1, '')"});
    EXPECT_EQ(db.integer("SELECT REC FROM VERSION WHERE MINOR2 = 1"), 2);
}

TEST(SchemaBuild, DataSetDatabaseIsAtTheCurrentVersionWithItsDescriptionRow)
{
    SchemaTestDb db(SchemaKind::DataSet);
    EXPECT_EQ(db.text("SELECT MAJOR || '.' || MINOR1 || '.' || MINOR2 FROM ACCVERSION WHERE REC = 1"), "14.0.0");
    EXPECT_EQ(db.integer("SELECT DATATYPE * 10 + CODETYPE FROM ACCDEF1 WHERE REC = 1"), 21);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM TUSIN_ID WHERE REC = 1"), 1);
    // Table names are stored upper-cased, as the existence tests compare them.
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = 'TUSIN_ID'"), 3);
    // The DDL is in SJIS_0208 throughout: Japanese text survives a round trip.
    db.exec({"INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', '個別原価別名', '文字', '個別原価')"});
    EXPECT_EQ(db.text("SELECT ATEXT FROM ACCREG WHERE AGROUP = '基本設定' AND ACODE = '個別原価別名'"), "個別原価");
}

TEST(SchemaBuild, ScriptLeavesNoDatabaseWhenAStatementFails)
{
    TempDir dir;
    writeBytes(dir / "broken.sql", "INSERT INTO NO_SUCH_TABLE VALUES (1);\n");
    auto result = runBuildScript({"dataset", (dir / "vqacc.fdb").string(), (dir / "broken.sql").string()});
    EXPECT_FALSE(result.succeeded());
    EXPECT_NE(result.standardError.find("NO_SUCH_TABLE"), std::string::npos) << result.standardError;
    EXPECT_FALSE(std::filesystem::exists(dir / "vqacc.fdb"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "broken.sql") << "left behind: " << entry.path();
}

TEST(SchemaBuild, ScriptRefusesAnExistingFileAndAnUnknownKind)
{
    TempDir dir;
    writeBytes(dir / "vqacc.fdb", "keep me");
    EXPECT_FALSE(runBuildScript({"dataset", (dir / "vqacc.fdb").string()}).succeeded());
    EXPECT_EQ(readBytes(dir / "vqacc.fdb"), "keep me");
    EXPECT_FALSE(runBuildScript({"office", (dir / "other.fdb").string()}).succeeded());
    EXPECT_FALSE(std::filesystem::exists(dir / "other.fdb"));
}

TEST(SchemaBuild, ScriptRunsFurtherScriptsInUtf8)
{
    TempDir dir;
    writeBytes(dir / "rows.sql", "UPDATE ACCDEF1 SET SHOUGOU = '山田商店' WHERE REC = 1;\n");
    auto result = runBuildScript({"dataset", (dir / "vqacc.fdb").string(), (dir / "rows.sql").string()});
    ASSERT_TRUE(result.succeeded()) << result.standardError;
    vq::db::Attachment a;
    a.attach({(dir / "vqacc.fdb").string(), "SYSDBA", ""});
    vq::db::Transaction tr(a);
    tr.start();
    vq::db::Statement st(a, tr, "SELECT SHOUGOU FROM ACCDEF1 WHERE REC = 1");
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.field("SHOUGOU").asString(), "山田商店");
}

// An office folder named in Japanese, built from a shell or a service whose
// locale is unset ("C") or a legacy one.
TEST(SchemaBuild, ScriptDoesNotDependOnTheCallersLocale)
{
    TempDir dir;
    const auto office = dir / "会計事務所" / "データ";
    std::filesystem::create_directories(office);
    writeBytes(office / "行.sql", "UPDATE ACCDEF1 SET SHOUGOU = '山田商店' WHERE REC = 1;\n");
    for (const char* locale : {"", "C", "POSIX"}) {
        SCOPED_TRACE(std::string("locale '") + locale + "'");
        vq::platform::ProcessOptions options;
        options.environment = {{"LANG", locale}, {"LC_ALL", locale}, {"LC_CTYPE", locale}, {"LANGUAGE", ""}};
        const auto file = office / (std::string("会計") + locale + ".fdb");
        auto result = runBuildScript({"dataset", file.string(), (office / "行.sql").string()}, options);
        ASSERT_TRUE(result.succeeded()) << result.standardError;
        vq::db::Attachment a;
        a.attach({file.string(), "SYSDBA", ""});
        vq::db::Transaction tr(a);
        tr.start();
        vq::db::Statement st(a, tr, "SELECT SHOUGOU FROM ACCDEF1 WHERE REC = 1");
        st.execute();
        ASSERT_TRUE(st.fetch());
        EXPECT_EQ(st.field("SHOUGOU").asString(), "山田商店");
    }
}

TEST(SchemaBuild, RunSqlSeedsADatabaseAndReportsFailures)
{
    TempDir dir;
    buildDatabase(SchemaKind::DataSet, dir / "vqacc.fdb");
    runSql(dir / "vqacc.fdb", "INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('01', '営業部');\n"
                              "INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('02', '製造部');");
    EXPECT_THROW(runSql(dir / "vqacc.fdb", "INSERT INTO BUMONMST (BCODE) VALUES ('01');"), std::runtime_error);
    vq::db::Attachment a;
    a.attach({(dir / "vqacc.fdb").string(), "SYSDBA", ""});
    vq::db::Transaction tr(a);
    tr.start();
    vq::db::Statement st(a, tr, "SELECT BNAME FROM BUMONMST WHERE BCODE = '02'");
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.field("BNAME").asString(), "製造部");
}

// The programs attach as the office's database user, not as the owner of the
// objects; without rights on every object they could read nothing.
TEST(SchemaBuild, TheProgramsDatabaseUserMayReadWriteAndRunProcedures)
{
    for (auto kind : {SchemaKind::System, SchemaKind::DataSet}) {
        SchemaTestDb owner(kind);
        owner.attachment().detach();
        vq::db::Attachment db;
        db.attach({owner.file().string(), "VORLEN", "tamsin"});
        vq::db::Transaction tr(db);
        tr.start();
        const char* sql = kind == SchemaKind::System
            ? "UPDATE OPERATOR SET OPNAME = OPNAME WHERE GROUPID = 10000"
            : "UPDATE ACCDEF1 SET SHOUGOU = SHOUGOU WHERE REC = 1";
        vq::db::Statement update(db, tr, sql);
        update.execute();
        EXPECT_EQ(update.rowsAffected(), 1) << sql;
        vq::db::Statement next(db, tr, kind == SchemaKind::System
            ? "SELECT F_RIGHT('ABC', 1) FROM DIRECTORYTEST('0', '/tmp')"
            : "SELECT GEN_ID(SIWAKE_REC_GEN, 1) FROM RDB$DATABASE");
        next.execute();
        EXPECT_TRUE(next.fetch());
        tr.rollback();
    }
}
