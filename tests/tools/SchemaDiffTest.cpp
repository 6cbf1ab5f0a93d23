// schema-diff answers by its exit status and prints only a difference.
#include <gtest/gtest.h>

#include "../schema/SchemaTestDb.h"
#include "platform/Process.h"

using namespace vq;
using namespace vq::test;

TEST(SchemaDiff, SaysSameDifferentOrUnreadableByItsStatus)
{
    SchemaTestDb a(SchemaKind::FileTransfer), b(SchemaKind::FileTransfer);
    a.attachment().detach();
    const auto same = platform::runProcess(VQ_SCHEMA_DIFF, {a.file().string(), b.file().string()});
    EXPECT_EQ(same.exitCode, 0) << same.standardError;
    EXPECT_EQ(same.standardOutput, "");

    b.exec({"CREATE EXCEPTION VQ_PROBE 'probe'"});
    b.attachment().detach();
    const auto differ = platform::runProcess(VQ_SCHEMA_DIFF, {a.file().string(), b.file().string()});
    EXPECT_EQ(differ.exitCode, 1) << differ.standardError;
    EXPECT_EQ(differ.standardOutput, "--- " + a.file().string() + "\n+++ " + b.file().string() +
                                         "\n+ EXCEPTION VQ_PROBE\n+   owner SYSDBA\n+   message probe\n"
                                         "+ PRIVILEGES ON EXCEPTION VQ_PROBE\n+   user SYSDBA G WITH GRANT OPTION\n");

    const auto text = platform::runProcess(VQ_SCHEMA_DIFF, {"--text", b.file().string()});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.standardOutput.find("EXCEPTION VQ_PROBE\n  owner SYSDBA\n  message probe\n"), std::string::npos);

    const auto missing = platform::runProcess(VQ_SCHEMA_DIFF, {a.file().string(), (a.file().parent_path() / "none.fdb").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.standardOutput, "");
    EXPECT_NE(missing.standardError, "");
}
