// The data module against a Firebird server (scripts/firebird-server): a
// connection the server drops is reported once and ends the program's work.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "DataModuleFixture.h"
#include "SchemaDatabase.h"
#include "ServerEnv.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/data/QueryFactory.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using namespace vq;
namespace fs = std::filesystem;

TEST(DataModuleServer, LostConnectionIsReportedOnceAndEndsTheProgram)
{
    const std::string server = test::env("VQ_FB_SERVER");
    if (server.empty())
        GTEST_SKIP() << "VQ_FB_SERVER is not set (scripts/firebird-server start)";

    const TSystemDef saved = SystemDef;
    const auto savedMode = ConnectMode;
    test::TempDir root;
    platform::ScopedScriptedInteraction seam;
    int ends = 0;
    const auto previousEnd = setProgramEndHook([&] { ++ends; });

    // The server may run under a user of its own: it must reach the folder.
    const fs::path folder = root.path() / "0001";
    fs::create_directories(folder);
    fs::permissions(root.path(), fs::perms::all);
    fs::permissions(folder, fs::perms::all);
    test::buildDatabase(test::SchemaKind::DataSet, folder / DataDbFileName);
    fs::permissions(folder / DataDbFileName, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));

    ConnectMode = ConnectClientServer;
    DbFatalFlag = 0;
    SystemDef.HostName = server;
    SystemDef.DbUser = test::env("VQ_FB_USER").empty() ? "SYSDBA" : test::env("VQ_FB_USER");
    SystemDef.DbPassword = test::env("VQ_FB_PASSWORD");
    SystemDef.LogDir = (root.path() / "log").string();
    {
        TDM dm;
        ASSERT_TRUE(dm.fnAccDatConnected("", folder.string(), 0)) << seam->messages.size();
        EXPECT_EQ(dm.IBDatabaseDAT.DatabaseName, server + ":" + (folder / DataDbFileName).string());

        // Another attachment makes the server drop ours, as a server that
        // went away would.
        std::int64_t id = 0;
        {
            auto q = CreateAccQuery(kAccDat, false);
            db::TransactionScope scope(dm.IBTransactionDAT);
            q->setSql("SELECT CURRENT_CONNECTION AS ID FROM RDB$DATABASE");
            q->execute();
            ASSERT_TRUE(q->fetch());
            id = q->field("ID").asInt64();
            q->close();
            scope.commit();
        }
        db::Attachment admin;
        admin.attach({server + ":" + (folder / DataDbFileName).string(), SystemDef.DbUser, SystemDef.DbPassword});
        {
            db::Transaction tr(admin);
            tr.start();
            db::Statement kill(admin, tr, "DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = :ID");
            kill.param("ID").setInt(id);
            kill.execute();
            tr.commit();
        }

        // Every method after that fails; only the first report is shown.
        for (int i = 0; i < 3; ++i) {
            try {
                GetAccRegText("基本設定", "試験", "");
                ADD_FAILURE() << "the dropped connection still answered";
            } catch (const db::DbError& e) {
                EXPECT_TRUE(e.isLostConnection()) << e.errorCode() << " " << e.message();
                ReportDbError(e, "TDM.fnGetAccInfo", "読み込みに失敗しました。");
            }
        }
        ASSERT_EQ(seam->messages.size(), 1u);
        EXPECT_EQ(seam->messages[0].text.rfind("何らかの原因でネットワークが物理的に切断されている", 0), 0u);
        EXPECT_EQ(ends, 1);
        EXPECT_EQ(DbFatalFlag, 1);
        const std::string log = platform::cp932::toUtf8(test::readBytes(fs::path(SystemDef.LogDir) / "ErrFbAccess.log"));
        EXPECT_EQ(log.find("Error=TDM.fnGetAccInfo"), log.rfind("Error=TDM.fnGetAccInfo")) << "logged once";
        EXPECT_NE(log.find("Error=TDM.fnGetAccInfo"), std::string::npos);

        EXPECT_EQ(dm.CloseAccDat("", 0, 0), 1);
        EXPECT_FALSE(dm.IBDatabaseDAT.connected());
    }
    setProgramEndHook(previousEnd);
    DbFatalFlag = 0;
    ConnectMode = savedMode;
    SystemDef = saved;
}

// A data set a server holds is out of sight of this program's own engine and
// its service manager; the probe that cannot open the file must not answer
// "free", or a caller would drop, restore or overwrite a data set in use.
class DataModuleServerInUse : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        server_ = test::env("VQ_FB_SERVER");
        if (server_.empty())
            GTEST_SKIP() << "VQ_FB_SERVER is not set (scripts/firebird-server start)";
        // The server may run under a user of its own: it must reach the file.
        for (fs::path p = dataFile(); p != root_.path().parent_path(); p = p.parent_path())
            fs::permissions(p, fs::perms::others_read | fs::perms::others_write, fs::perm_options::add);
        fs::permissions(root_.path(), fs::perms::all);
    }

    std::string server_;
};

TEST_F(DataModuleServerInUse, ADataSetTheServerHoldsCountsAsInUse)
{
    EXPECT_FALSE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));
    ASSERT_TRUE(seam_->messages.empty());
    {
        db::Attachment held;
        held.attach({server_ + ":" + dataFile().string(),
                     test::env("VQ_FB_USER").empty() ? "SYSDBA" : test::env("VQ_FB_USER"), test::env("VQ_FB_PASSWORD")});
        EXPECT_TRUE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));
        // The operator reads the program's conclusion; the engine's words
        // are in the error log.
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_EQ(seam_->messages[0].text, "データベースの使用情報の取得に失敗しました。\r使用中として扱います。");
        EXPECT_EQ(ends_, 0);
        const std::string log =
            platform::cp932::toUtf8(test::readBytes(fs::path(SystemDef.LogDir) / "ErrFbAccess.log"));
        EXPECT_NE(log.find("Error=TDM.AccDatInConnection [335544344]"), std::string::npos) << log;
    }
}

// Through the server the probe asks the database itself, as the office's own
// database user (no administrator of the server): a file the server does not
// have is free, another attachment of the office makes it in use.
TEST_F(DataModuleServerInUse, TheOfficesOwnUserAsksTheServerWithoutAdministratorRights)
{
    ConnectMode = ConnectClientServer;
    SystemDef.HostName = server_;
    SystemDef.DbUser = DefaultDbUser;
    SystemDef.DbPassword = DefaultDbPassword;
    const std::string remote = server_ + ":" + dataFile().string();
    {
        db::Attachment office;
        ASSERT_NO_THROW(office.attach({remote, DefaultDbUser, DefaultDbPassword}))
            << "the server does not know the office's user: restart it with scripts/firebird-server";
    }

    const fs::path empty = root_.path() / "data" / "0002";
    fs::create_directories(empty);
    EXPECT_FALSE(dm_.AccDatInConnection(1, "", empty.string(), 0));
    EXPECT_FALSE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));
    {
        db::Attachment other;
        other.attach({remote, DefaultDbUser, DefaultDbPassword});
        EXPECT_TRUE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));
    }
    EXPECT_FALSE(dm_.AccDatInConnection(1, "", SystemDef.DataDir, 0));
    EXPECT_TRUE(seam_->messages.empty()) << seam_->messages[0].text;
}
