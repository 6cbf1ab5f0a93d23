// The office's database user owns the databases built from schema/ also
// when they are reached through the Firebird server on localhost (started
// by scripts/firebird-server; without VQ_FB_SERVER the test is skipped).
#include <gtest/gtest.h>

#include <cstdlib>

#include "SchemaTestDb.h"
#include "platform/db/DbError.h"

using namespace vq::test;

namespace {

std::string env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

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
    const std::string admin = env("VQ_FB_USER").empty() ? "SYSDBA" : env("VQ_FB_USER");

    for (auto kind : {SchemaKind::DataSet, SchemaKind::System}) {
        SchemaTestDb built(kind);
        built.attachment().detach();
        const std::string remote = server + ":" + built.file().string();
        {
            // The server knows the user by name and password; the database
            // knows it as its owner.
            vq::db::Attachment sysdba;
            sysdba.attach({remote, admin, env("VQ_FB_PASSWORD")});
            run(sysdba, "CREATE OR ALTER USER VORLEN PASSWORD 'tamsin'");
        }
        vq::db::Attachment db;
        db.attach({remote, "VORLEN", "tamsin"});
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
