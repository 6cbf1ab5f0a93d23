// The script runner against the Firebird server on localhost (started by
// scripts/firebird-server; without VQ_FB_SERVER the test is skipped): the
// password reaches the server through isql's environment alone.
#include <gtest/gtest.h>

#include "SchemaDatabase.h"
#include "ServerEnv.h"
#include "TempDir.h"
#include "dbupdate/IsqlRunner.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/SystemDef.h"
#include "platform/ScriptedInteraction.h"

using namespace vq;
namespace fs = std::filesystem;

TEST(IsqlRunnerServer, ThePasswordGoesToTheServerAndNowhereElse)
{
    const std::string server = test::env("VQ_FB_SERVER");
    if (server.empty())
        GTEST_SKIP() << "VQ_FB_SERVER is not set (scripts/firebird-server start)";
    const TSystemDef saved = SystemDef;
    fs::create_directories(test::serverOfficeRoot());
    test::TempDir root(test::serverOfficeRoot());
    platform::ScopedScriptedInteraction seam;
    SystemDef.HostName = server;
    SystemDef.DataDir = (root / "data").string();
    SystemDef.WinTempDir = (root / "tmp").string();
    SystemDef.LogDir = (root / "log").string();
    SystemDef.DbUser = test::env("VQ_FB_OFFICE_USER");
    fs::create_directories(SystemDef.DataDir);
    fs::create_directories(SystemDef.WinTempDir);
    test::buildDatabase(test::SchemaKind::DataSet, fs::path(SystemDef.DataDir) / DataDbFileName);

    TUpdateScript script;
    script.AddHeader(1);
    script.Add("UPDATE ACCDEF1 SET SHOUGOU='サーバ' WHERE REC=1;");
    script.Add("COMMIT;");
    script.Add("EXIT;");
    SystemDef.DbPassword = test::env("VQ_FB_OFFICE_PASSWORD");
    EXPECT_EQ(ExecIsqlScript(script, "9.0.0"), 1);

    SystemDef.DbPassword = "not-the-password";
    EXPECT_EQ(ExecIsqlScript(script, "9.0.0"), 16);
    const std::string log = test::readBytes(fs::path(SystemDef.LogDir) / "ErrDataup.log");
    EXPECT_NE(log.find("SQLSTATE = 28000"), std::string::npos);
    EXPECT_EQ(log.find(SystemDef.DbPassword), std::string::npos);
    EXPECT_TRUE(fs::is_empty(SystemDef.WinTempDir));
    SystemDef = saved;
}
