// The office's database user owns the databases built from schema/ also
// when they are reached through the Firebird server on localhost (started
// by scripts/firebird-server; without VQ_FB_SERVER the test is skipped).
#include <gtest/gtest.h>

#include <cstdlib>

#include "SchemaTestDb.h"
#include "ServerEnv.h"
#include "platform/db/DbError.h"

using namespace vq::test;

namespace {

void run(vq::db::Attachment& db, const std::string& sql)
{
    vq::db::Transaction tr(db);
    tr.start();
    vq::db::Statement st(db, tr, sql);
    st.execute();
    tr.commit();
}

} // namespace

TEST(SchemaOwnerServer, TheOfficesDatabaseUserChangesTablesAndProceduresThroughTheServer)
{
    const std::string server = env("VQ_FB_SERVER");
    if (server.empty())
        GTEST_SKIP() << "VQ_FB_SERVER is not set (scripts/firebird-server start)";
    // The server knows the user by name and password (scripts/firebird-server
    // makes it); the database knows it as its owner.
    ASSERT_FALSE(env("VQ_FB_OFFICE_USER").empty()) << "scripts/firebird-server exports the office's user";

    for (auto kind : {SchemaKind::DataSet, SchemaKind::System}) {
        SchemaTestDb built(kind);
        built.attachment().detach();
        vq::db::Attachment db;
        db.attach({server + ":" + built.file().string(), env("VQ_FB_OFFICE_USER"), env("VQ_FB_OFFICE_PASSWORD")});
        const std::string table = kind == SchemaKind::System ? "OPERATOR" : "KAMOKUMST";
        EXPECT_NO_THROW(run(db, "ALTER TABLE " + table + " ADD VQ_PROBE INTEGER"));
        EXPECT_NO_THROW(run(db, "CREATE OR ALTER PROCEDURE VQ_PROBE RETURNS (X INTEGER) AS BEGIN X = 1; SUSPEND; END"));
        EXPECT_NO_THROW(run(db, "ALTER TABLE " + table + " DROP VQ_PROBE"));
        vq::db::Transaction tr(db);
        tr.start();
        vq::db::Statement st(db, tr, "SELECT X FROM VQ_PROBE");
        st.execute();
        ASSERT_TRUE(st.fetch());
        EXPECT_EQ(st.field(std::size_t{0}).asInt64(), 1);
        tr.commit();
    }
}
