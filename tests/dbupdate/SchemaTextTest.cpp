// The schema text that tells an updated database from a fresh one: equal
// builds read the same, and a pair of databases that differ in one thing
// shows exactly that thing.
#include <gtest/gtest.h>

#include <vector>

#include "../schema/SchemaTestDb.h"
#include "dbupdate/SchemaText.h"
#include "platform/Process.h"

using namespace vq;
using namespace vq::test;

namespace {

// Each statement in its own transaction, as the office's database user
// (the owner of every object) in the update steps.
void run(SchemaTestDb& db, const std::vector<std::string>& statements)
{
    db.attachment().attach({db.file().string(), "VORLEN", ""});
    for (const auto& sql : statements)
        db.exec({sql});
}

} // namespace

// Two builds of the same scripts, one through the test cache and one run
// anew, read the same: nothing in the text depends on when or how often the
// engine made an object.
TEST(SchemaText, FreshBuildsOfTheSameScriptsAreEqual)
{
    for (auto kind : {SchemaKind::System, SchemaKind::DataSet, SchemaKind::FileTransfer}) {
        SchemaTestDb cached(kind);
        TempDir dir;
        const auto file = dir / "fresh.fdb";
        const char* name = kind == SchemaKind::System ? "system" : kind == SchemaKind::DataSet ? "dataset" : "filetransfer";
        const auto built = platform::runProcess("bash", {(schemaDir() / "build-database").string(), name, file.string()});
        ASSERT_TRUE(built.succeeded()) << built.standardError;
        const auto a = SchemaText::read(cached.attachment());
        const auto b = SchemaText::readFile(file);
        EXPECT_EQ(a.differenceTo(b), "") << name;
        EXPECT_EQ(a.text(), b.text()) << name;
        // The text covers the whole database, not only its name.
        EXPECT_GT(a.blocks().size(), 5u) << name;
    }
}

TEST(SchemaText, APairThatDiffersInOneThingShowsExactlyThatThing)
{
    struct Case {
        const char* what;
        std::vector<std::string> a, b;   // run on fresh data sets
        std::string difference;          // of a to b
    };
    const std::string probe = "CREATE PROCEDURE VQ_PROBE RETURNS (X INTEGER) AS BEGIN X = 1; SUSPEND; END";
    const Case cases[] = {
        {"a default", {}, {"ALTER TABLE KAMOKUMST ALTER COLUMN REC SET DEFAULT 1"},
         "  TABLE KAMOKUMST\n"
         "-   column REC INTEGER DEFAULT 0\n"
         "+   column REC INTEGER DEFAULT 1\n"},
        {"a moved column", {}, {"ALTER TABLE KAMOKUMST ALTER COLUMN REC POSITION 1"},
         "  TABLE KAMOKUMST\n"
         "+   column REC INTEGER DEFAULT 0\n"
         "-   column REC INTEGER DEFAULT 0\n"},
        {"a procedure body", {probe}, {"CREATE OR ALTER PROCEDURE VQ_PROBE RETURNS (X INTEGER) AS BEGIN X = 2; SUSPEND; END"},
         "  PROCEDURE VQ_PROBE\n"
         "-   | BEGIN X = 1; SUSPEND; END\n"
         "+   | BEGIN X = 2; SUSPEND; END\n"},
        {"only the layout of a body", {probe},
         {"CREATE OR ALTER PROCEDURE VQ_PROBE RETURNS (X INTEGER) AS\n\n  BEGIN   X = 1;\tSUSPEND; END  "}, ""},
        {"a dropped foreign key", {}, {"ALTER TABLE KANSA_ITEM DROP CONSTRAINT KANSA_ITEM_MOTO"},
         "  TABLE KANSA_ITEM\n"
         "-   constraint FOREIGN KEY (MOT_KENSAKU) REFERENCES SWK_SEARCH (REC) ON UPDATE CASCADE ON DELETE SET NULL "
         "CONSTRAINT KANSA_ITEM_MOTO\n"
         "-   index KANSA_ITEM_MOTO (MOT_KENSAKU)\n"},
        {"a trigger position", {}, {"ALTER TRIGGER BUMONMST_BEFORE_DELETE POSITION 5"},
         "  TRIGGER BUMONMST_BEFORE_DELETE\n"
         "-   on BUMONMST BEFORE DELETE POSITION 0 ACTIVE\n"
         "+   on BUMONMST BEFORE DELETE POSITION 5 ACTIVE\n"},
        {"a missing grant", {}, {"REVOKE UPDATE ON KAMOKUMST FROM PUBLIC"},
         "  PRIVILEGES ON TABLE KAMOKUMST\n"
         "-   user PUBLIC U\n"},
        // The engine numbers unnamed constraints in the order they are made;
        // a table made after others were made and dropped is still the same.
        {"only the engine's names of unnamed constraints",
         {"CREATE TABLE VQ_T (A INTEGER NOT NULL PRIMARY KEY, B INTEGER REFERENCES VQ_T, CHECK (B > 0))"},
         {"CREATE TABLE VQ_X (A INTEGER NOT NULL PRIMARY KEY, CHECK (A > 0))", "DROP TABLE VQ_X",
          "CREATE TABLE VQ_T (A INTEGER NOT NULL PRIMARY KEY, B INTEGER REFERENCES VQ_T, CHECK (B > 0))"},
         ""},
        {"a missing procedure", {probe}, {},
         "- PRIVILEGES ON PROCEDURE VQ_PROBE\n"
         "-   user VORLEN X WITH GRANT OPTION\n"
         "- PROCEDURE VQ_PROBE\n"
         "-   owner VORLEN\n"
         "-   selectable\n"
         "-   output X INTEGER\n"
         "-   | BEGIN X = 1; SUSPEND; END\n"},
    };
    for (const Case& c : cases) {
        SchemaTestDb a(SchemaKind::DataSet), b(SchemaKind::DataSet);
        run(a, c.a);
        run(b, c.b);
        EXPECT_EQ(SchemaText::read(a.attachment()).differenceTo(SchemaText::read(b.attachment())), c.difference)
            << c.what;
    }
}
