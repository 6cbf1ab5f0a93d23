// The objects of the three databases against the list of objects that the
// programs and the database update use and against schema/manifest.txt; the
// rows the database update writes without a column list; and what the
// office's database user, the owner of every database, may change.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "SchemaMetadata.h"
#include "SchemaTestDb.h"
#include "platform/db/DbError.h"

using namespace vq::test;

namespace {

const char* databaseName(SchemaKind kind)
{
    switch (kind) {
    case SchemaKind::System: return "system";
    case SchemaKind::DataSet: return "dataset";
    case SchemaKind::FileTransfer: return "filetransfer";
    case SchemaKind::SystemBase:
    case SchemaKind::DataSetBase: break;
    }
    return "";
}

constexpr SchemaKind kAllKinds[] = {SchemaKind::System, SchemaKind::DataSet, SchemaKind::FileTransfer};

// The lines of a list file without comments and blank lines, split at blanks.
std::vector<std::vector<std::string>> listLines(const std::filesystem::path& file)
{
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(readBytes(file));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string w; words >> w;)
            fields.push_back(w);
        if (!fields.empty())
            lines.push_back(fields);
    }
    return lines;
}

} // namespace

TEST(SchemaObjects, EveryObjectTheProgramsUseIsBuiltAndNoDroppedOneIs)
{
    const auto named = listLines(VQ_NAMED_OBJECTS);
    ASSERT_GT(named.size(), 300u);
    std::vector<std::string> later;
    for (auto kind : kAllKinds) {
        SchemaTestDb db(kind);
        const auto meta = readMetadata(db);
        for (const auto& f : named) {
            ASSERT_GE(f.size(), 3u);
            if (f[0] != databaseName(kind))
                continue;
            const auto found = meta.objects.find(f[2]);
            if (f[1] == "DROPPED") {
                EXPECT_EQ(found, meta.objects.end()) << f[0] << " still has " << f[2];
            } else if (f.size() > 3 && f[3] == "later") {
                if (found == meta.objects.end())
                    later.push_back(f[2]);
            } else if (found == meta.objects.end()) {
                ADD_FAILURE() << f[0] << " lacks " << f[1] << " " << f[2];
            } else {
                EXPECT_EQ(found->second, f[1]) << f[0] << " " << f[2];
            }
        }
    }
    std::string text;
    for (const auto& name : later)
        text += " " + name;
    RecordProperty("left_for_later", text);
}

TEST(SchemaObjects, ManifestNamesEveryObjectAndNothingElse)
{
    const auto manifest = listLines(schemaDir() / "manifest.txt");
    const std::regex version("base|[0-9]+\\.[0-9]+\\.[0-9]+");
    for (auto kind : kAllKinds) {
        SchemaTestDb db(kind);
        const auto meta = readMetadata(db);
        std::set<std::string> listed;
        for (const auto& f : manifest) {
            // DATABASE KIND NAME VERSION, then pairs "anew STEP" / "dropped STEP".
            ASSERT_TRUE(f.size() >= 4 && f.size() % 2 == 0) << f[2];
            EXPECT_TRUE(std::regex_match(f[3], version)) << f[2] << " " << f[3];
            for (std::size_t i = 4; i < f.size(); i += 2) {
                EXPECT_TRUE(f[i] == "anew" || f[i] == "dropped") << f[2] << " " << f[i];
                EXPECT_TRUE(std::regex_match(f[i + 1], version)) << f[2] << " " << f[i + 1];
            }
            if (f[0] != databaseName(kind))
                continue;
            const bool dropped = f.size() > 4 && f[f.size() - 2] == "dropped";
            if (f[1] == "COLUMN") {
                EXPECT_TRUE(meta.columns.count(f[2])) << f[0] << " has no column " << f[2];
                continue;
            }
            if (f[1] == "CONSTRAINT") {
                EXPECT_EQ(meta.constraints.count(f[2]), dropped ? 0u : 1u) << f[0] << " constraint " << f[2];
                continue;
            }
            listed.insert(f[2]);
            const auto found = meta.objects.find(f[2]);
            if (dropped)
                EXPECT_EQ(found, meta.objects.end()) << f[0] << " still has " << f[1] << " " << f[2];
            else if (found == meta.objects.end())
                ADD_FAILURE() << f[0] << " has no " << f[1] << " " << f[2];
            else
                EXPECT_EQ(found->second, f[1]) << f[2];
        }
        for (const auto& [name, objectKind] : meta.objects)
            EXPECT_TRUE(listed.count(name)) << databaseName(kind) << " " << objectKind << " " << name
                                            << " is missing from the manifest";
    }
}

// The database update writes these rows by position; the column order of
// the tables must take them as they come.
TEST(SchemaObjects, RowsWrittenByPositionFitTheirTables)
{
    SchemaTestDb system(SchemaKind::System);
    system.exec({"DELETE FROM GENGO WHERE GNAME = '明治'",
                 "INSERT INTO GENGO VALUES ('明治', 'M', '1868/09/08', 1868)"});
    EXPECT_EQ(system.integer("SELECT YEAROFFSET FROM GENGO WHERE GSIGN = 'M'"), 1868);

    SchemaTestDb db(SchemaKind::DataSet);
    db.exec({
        "DELETE FROM ACCVERSION",
        "INSERT INTO ACCVERSION VALUES (1, 0, 1, 0, '')",
        "INSERT INTO KAMOKU_KOSEI_GROUP VALUES ('減価償却費', '6202', ' ')",
        "DELETE FROM HALBRIN_YOJITU_HYOKARULE WHERE FGCODE = '4800'",
        "INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('4800', '売上', 0.95, 0, 1.05, 1)",
        "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, KNAME, USE, BPFLG) "
        "VALUES ('1401', '1401', '1400', '1400', '建物', 1, 'B')",
        "INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM0, GROUPM1, KNAME, USE, BPFLG) "
        "VALUES ('6204', '6204', '6200', '6200', '減価償却費', 1, 'P')",
        // REC 0 is renumbered by the generator.
        "INSERT INTO KS_SETSWK_INIT VALUES (0, 2, 0, '1401', 1, '購入', 0, 1, 0, 1, 0, 1, NULL, '6204', NULL, "
        "NULL, '償却', NULL, '売却', NULL, '除却', NULL, '売却')",
        "INSERT INTO KS_SETSWK_INIT VALUES (0, 2, 0, NULL, 1, '購入', 0, 1, 0, 1, 0, 1, NULL, '6204', NULL, "
        "NULL, '償却', NULL, '売却', NULL, '除却', NULL, '売却')",
        "INSERT INTO ORGDIC_1 (REC, CREC, SORTCODE, TEXT) VALUES (1, 1, 1, '売上')",
        "INSERT INTO ORGDIC_2 (REC, CREC, KANA, TEXT, \"ROW\", COL, KAR_KCODE, KAR_HCODE, KAR_TAXCODE, "
        "KAS_KCODE, KAS_HCODE, KAS_TAXCODE) VALUES (1, 1, 'ﾀﾃﾓﾉ', '建物の取得', 1, 1, '1401', '001', 0, "
        "'6204', NULL, 0)",
        "INSERT INTO HOJOMST (KCODE, HCODE, HNAME) VALUES ('1401', '002', '倉庫')",
        "INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('01', '本店')",
    });
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM ACCVERSION WHERE REC = 1 AND MINOR1 = 1"), 1);
    EXPECT_EQ(db.integer("SELECT MIN(REC) FROM KS_SETSWK_INIT"), 1);
    // The new facility: its description dictionary copied by position (an
    // unknown sub-account falls back to the account's own line), its
    // transfer settings, the settings of its fixed-asset account, 48
    // headcount rows and the syllabary heads of its customer dictionary.
    EXPECT_EQ(db.text("SELECT KAR_HCODE || '/' || TEXT FROM TEKDIC WHERE SCODE = '01'"), " /建物の取得");
    EXPECT_EQ(db.integer("SELECT TRANS1 FROM KS_TRANSSWK WHERE SCODE = '01'"), -1);
    EXPECT_EQ(db.text("SELECT SYOKYAKU1_KCODE FROM KS_SETSWK WHERE SCODE = '01' AND KCODE = '1401'"), "6204");
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM ACCDEF5 WHERE SCODE = '01'"), 48);
    EXPECT_EQ(db.text("SELECT TEXT FROM TORDICTI WHERE SCODE = '01' AND SORTCODE = 12"), "き");
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM SWKDICTI WHERE SCODE = '01'"), 50);
    // A deleted sub-account is logged by position and its references fall back.
    db.exec({"UPDATE TEKDIC SET KAR_HCODE = '002' WHERE SCODE = '01'",
             "DELETE FROM KAMOKU_SZ WHERE KCODE = '1401' AND HCODE = '002'",
             "DELETE FROM HOJOMST WHERE KCODE = '1401' AND HCODE = '002'"});
    EXPECT_EQ(db.text("SELECT HNAME FROM HOJOLOG WHERE KCODE = '1401'"), "倉庫");
    EXPECT_EQ(db.text("SELECT KAR_HCODE FROM TEKDIC WHERE SCODE = '01'"), " ");
    // The default rows themselves were written by position at the build.
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM KANSA_ITEM"), 12);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM HALBRIN_HIKAKU"), 35);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM UTIWAKE10B"), 12);
}

// Columns the update steps add without a default have none: rows written
// later by the programs must set them, as they would on an updated database.
TEST(SchemaObjects, ColumnsAddedWithoutADefaultHaveNone)
{
    SchemaTestDb db(SchemaKind::DataSet);
    EXPECT_EQ(db.integer("SELECT COUNT(*) FROM RDB$RELATION_FIELDS R JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE "
                         "WHERE TRIM(R.RDB$RELATION_NAME) || '.' || TRIM(R.RDB$FIELD_NAME) IN "
                         "('KAMOKUMST.GROUPM0', 'ACCDEF1.WEB_HOLDER', 'KAMOKU_MS.RYOSAN') "
                         "AND R.RDB$DEFAULT_SOURCE IS NULL AND F.RDB$DEFAULT_SOURCE IS NULL"),
              3);
}

TEST(SchemaObjects, YenRoundingTakesHalvesAwayFromZero)
{
    SchemaTestDb db(SchemaKind::DataSet);
    EXPECT_EQ(db.money("SELECT F_ROUND(1234.5) FROM RDB$DATABASE"), 12350000);
    EXPECT_EQ(db.money("SELECT F_ROUND(-1234.5) FROM RDB$DATABASE"), -12350000);
    EXPECT_EQ(db.money("SELECT F_ROUND(1234.4999) FROM RDB$DATABASE"), 12340000);
}

// Every database belongs to the office's database user, who may therefore
// change tables and procedures as the database update does.
TEST(SchemaObjects, TheOfficesDatabaseUserOwnsAndMayChangeEveryDatabase)
{
    for (auto kind : kAllKinds) {
        SchemaTestDb owner(kind);
        EXPECT_EQ(owner.text("SELECT TRIM(MON$OWNER) FROM MON$DATABASE"), "VORLEN");
        owner.attachment().detach();
        vq::db::Attachment db;
        db.attach({owner.file().string(), "VORLEN", ""});
        std::vector<std::string> ddls{"ALTER TABLE VQ_PROBE_TABLE_NAME ADD VQ_PROBE INTEGER",
                                      "CREATE OR ALTER PROCEDURE VQ_PROBE RETURNS (X INTEGER) AS BEGIN X = 1; SUSPEND; END"};
        if (kind == SchemaKind::DataSet) {
            // The version patch switches this trigger off and on by name.
            ddls.push_back("ALTER TRIGGER ACCVERSION_AFTER_UPDATE INACTIVE");
            ddls.push_back("ALTER TRIGGER ACCVERSION_AFTER_UPDATE ACTIVE");
        }
        for (const auto& ddl : ddls) {
            std::string sql = ddl;
            const std::string table = kind == SchemaKind::System ? "OPERATOR"
                                    : kind == SchemaKind::DataSet ? "KAMOKUMST" : "FILETRANS";
            if (auto at = sql.find("VQ_PROBE_TABLE_NAME"); at != std::string::npos)
                sql.replace(at, 19, table);
            vq::db::Transaction tr(db);
            tr.start();
            vq::db::Statement st(db, tr, sql);
            EXPECT_NO_THROW(st.execute()) << databaseName(kind) << ": " << sql;
            tr.commit();
        }
        vq::db::Transaction tr(db);
        tr.start();
        vq::db::Statement st(db, tr, "SELECT X FROM VQ_PROBE");
        st.execute();
        ASSERT_TRUE(st.fetch());
        EXPECT_EQ(st.field(std::size_t{0}).asInt64(), 1);
        tr.commit();
        db.detach();

        // Anyone else needs rights the databases do not grant.
        vq::db::Attachment other;
        other.attach({owner.file().string(), "SOMEONE", ""});
        vq::db::Transaction otherTr(other);
        otherTr.start();
        vq::db::Statement alter(other, otherTr, "CREATE OR ALTER PROCEDURE VQ_PROBE RETURNS (X INTEGER) AS BEGIN X = 2; SUSPEND; END");
        EXPECT_THROW(alter.execute(), vq::db::DbError) << databaseName(kind);
        otherTr.rollback();
    }
}

// The file routines reach the server's file system: only the office's
// database user may run them, while everything else stays open to every user.
TEST(SchemaObjects, OnlyTheOfficesDatabaseUserRunsTheFileRoutines)
{
    struct Case {
        SchemaKind kind;
        std::vector<std::string> routines;   // calls of the file routines (SP_BLOBTOFILE's stand-in refuses everyone)
        std::string open;                    // a query any user may run
    };
    const Case cases[] = {
        {SchemaKind::System,
         {"SELECT WBOOL FROM FILEOPERATION('FEXIST', '/x', '')", "SELECT WBOOL FROM DIRECTORYTEST('DEXIST', '/x')",
          "SELECT SHORTNAME FROM LONGTOSHORTFILENAME('/x')"},
         "SELECT COUNT(*) FROM OPERATOR"},
        {SchemaKind::FileTransfer, {"SELECT SP_FILETOBLOB('/x') FROM RDB$DATABASE"}, "SELECT COUNT(*) FROM FILETRANS"},
    };
    const auto runs = [](const std::filesystem::path& file, const std::string& user, const std::string& sql) {
        vq::db::Attachment db;
        db.attach({file.string(), user, ""});
        vq::db::Transaction tr(db);
        tr.start();
        vq::db::Statement st(db, tr, sql);
        try {
            st.execute();
            st.fetch();
            return true;
        } catch (const vq::db::DbError&) {
            return false;
        }
    };
    for (const Case& c : cases) {
        SchemaTestDb built(c.kind);
        EXPECT_EQ(built.integer("SELECT COUNT(*) FROM RDB$USER_PRIVILEGES WHERE RDB$USER = 'PUBLIC' AND RDB$PRIVILEGE = 'X' "
                                "AND RDB$RELATION_NAME IN ('FILEOPERATION', 'DIRECTORYTEST', 'LONGTOSHORTFILENAME', "
                                "'SP_FILETOBLOB', 'SP_BLOBTOFILE')"),
                  0)
            << databaseName(c.kind);
        built.attachment().detach();
        for (const std::string& routine : c.routines) {
            EXPECT_TRUE(runs(built.file(), "VORLEN", routine)) << routine;
            EXPECT_FALSE(runs(built.file(), "SOMEONE", routine)) << routine;
        }
        EXPECT_TRUE(runs(built.file(), "SOMEONE", c.open)) << c.open;
    }
}
