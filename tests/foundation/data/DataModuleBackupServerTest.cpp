// Backup, restore and the server's file routines against the Firebird server
// that scripts/firebird-server starts (with the file-routine module in its
// plugin folder): the system database and the file-transfer database get
// the routines' declarations from schema/server/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ServerOfficeFixture.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/MessageWait.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "foundation/dataset/BackupRestoreThread.h"
#include "foundation/files/FileOperations.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class BackupOnServer : public test::ServerOfficeFixture {
protected:
    void SetUp() override
    {
        ServerOfficeFixture::SetUp();
        if (server_.empty())
            return;
        fs::create_directories(dataDir());
        test::buildDatabase(test::SchemaKind::DataSet, dataDir() / DataDbFileName);
    }

    fs::path dataDir() const { return root_.path() / "data" / "0001"; }

    std::string accdef(const fs::path& file) { return text(file.parent_path(), "SELECT SHOUGOU, KISHU, KIMATU FROM ACCDEF1 WHERE REC = 1"); }
};

} // namespace

TEST_F(BackupOnServer, FileRoutinesActOnTheServersFiles)
{
    const fs::path folder = root_.path() / "サーバー" / "保存";
    const fs::path file = folder / "データ.txt";
    EXPECT_TRUE(FileOpMkDir(folder.string(), ConnectMode));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(FileOpDExist(folder.string(), ConnectMode));
    test::writeBytes(file, "abc");
    EXPECT_TRUE(FileOpFExist(file.string(), ConnectMode));
    EXPECT_TRUE(FileOpFCopy(file.string(), (folder / "写し.txt").string(), ConnectMode));
    EXPECT_EQ(test::readBytes(folder / "写し.txt"), "abc");
    EXPECT_TRUE(FileOpFMove((folder / "写し.txt").string(), (folder / "移動.txt").string(), ConnectMode));
    EXPECT_FALSE(fs::exists(folder / "写し.txt"));
    EXPECT_TRUE(FileOpFDel(file.string(), ConnectMode, false));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(FileOpFExist(file.string(), ConnectMode));
    std::string shortName;
    dm_->ShortFileName(folder.string(), ConnectMode, shortName);
    EXPECT_EQ(shortName, folder.string());
    EXPECT_TRUE(FileOpRmDir((root_.path() / "サーバー").string(), ConnectMode, false));
    EXPECT_FALSE(fs::exists(root_.path() / "サーバー"));
    EXPECT_FALSE(dm_->IBDatabaseDEF.connected());   // connected for each call only
    EXPECT_TRUE(seam_->messages.empty());
    // A relative path and a folder outside the office are refused by the
    // server, and the operation's failure is shown.
    EXPECT_FALSE(dm_->ServerFileOperation("MKDIR", "relative/folder", {}));
    EXPECT_FALSE(dm_->ServerFileOperation("RMDIR", "/tmp/", {}));
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_EQ(seam_->messages.back().text.rfind("サーバーへのファイル操作(RMDIR)に失敗しました。", 0), 0u)
        << seam_->messages.back().text;
}

TEST_F(BackupOnServer, ServicesBackupAndRestoreOnTheServer)
{
    test::runSql(server_ + ":" + (dataDir() / DataDbFileName).string(),
                 "UPDATE ACCDEF1 SET SHOUGOU = 'サーバー商店' WHERE REC = 1;\n");
    const std::string before = accdef(dataDir() / DataDbFileName);
    const fs::path backup = root_.path() / "vqacc.fbk";
    ASSERT_TRUE(dm_->BackupFDB(0, server_, (dataDir() / DataDbFileName).string(), backup.string(), 1));
    const fs::path target = root_.path() / "data" / "0002" / DataDbFileName;
    fs::create_directories(target.parent_path());
    ASSERT_TRUE(dm_->RestoreFDB(0, server_, target.string(), backup.string(), 1)) << seam_->messages.size();
    EXPECT_EQ(accdef(target), before);
    EXPECT_FALSE(fs::exists(target.string() + ".restoring"));
    // Again over the existing target: the server moves the checked copy in.
    ASSERT_TRUE(dm_->RestoreFDB(0, server_, target.string(), backup.string(), 1));
    EXPECT_EQ(accdef(target), before);
    EXPECT_TRUE(dm_->ValidateDatabase(0, server_, target.string()));
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(BackupOnServer, TheThreadCarriesTheBackupThroughTheFileTransferDatabase)
{
    test::runSql(server_ + ":" + (dataDir() / DataDbFileName).string(),
                 "UPDATE ACCDEF1 SET SHOUGOU = '転送商店' WHERE REC = 1;\n");
    const std::string before = accdef(dataDir() / DataDbFileName);
    const fs::path local = root_.path() / "local" / "vqacc.fbk";
    fs::create_directories(local.parent_path());
    {
        TBackupRestoreThread job(true);
        job.Job = 0;
        job.Location = 1;
        job.Host = server_;
        job.DbFile = (dataDir() / DataDbFileName).string();
        job.BackupFile = local.string();
        job.Resume();
        ASSERT_TRUE(WaitForWithMessages([&] { return job.IsTerminated(); }, 20, std::chrono::minutes(5)));
        ASSERT_EQ(job.Succeeded, 1) << job.Code << " " << job.Message << " " << job.Detail;
    }
    EXPECT_GT(fs::file_size(local), 0u);
    const fs::path target = root_.path() / "data" / "0003" / DataDbFileName;
    fs::create_directories(target.parent_path());
    {
        TBackupRestoreThread job(true);
        job.Job = 1;
        job.Location = 1;
        job.Host = server_;
        job.DbFile = target.string();
        job.BackupFile = local.string();
        job.ActivateIndexes = 1;
        job.Resume();
        ASSERT_TRUE(WaitForWithMessages([&] { return job.IsTerminated(); }, 20, std::chrono::minutes(5)));
        ASSERT_EQ(job.Succeeded, 1) << job.Code << " " << job.Message << " " << job.Detail;
    }
    EXPECT_EQ(accdef(target), before);
    EXPECT_FALSE(dm_->IBFileMan.connected());
}
