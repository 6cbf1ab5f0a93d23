// The backup-and-restore thread on the embedded engine: a data set saved
// with its trailer, the trailer cut, the backup restored; the failure codes;
// the transfer through the file-transfer database failing; a backup without
// My Number values that leaves the data set as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "../data/DataModuleFixture.h"
#include "SchemaDatabase.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/MessageWait.h"
#include "foundation/app/SystemDef.h"
#include "foundation/dataset/BackupRestoreThread.h"
#include "foundation/text/StoredValueCodec.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

std::string queryText(const fs::path& file, const std::string& sql)
{
    db::Attachment att;
    att.attach({file.string(), "SYSDBA", "masterkey"});
    db::Transaction tr(att, db::kSnapshotReadOnly);
    tr.start();
    db::Statement q(att, tr, sql);
    q.execute();
    std::string out;
    while (q.fetch()) {
        for (std::size_t i = 0; i < q.fieldCount(); ++i)
            out += q.field(i).asString() + "|";
        out += "\n";
    }
    return out;
}

class BackupRestoreThreadTest : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        test::runSql(dataFile(), "UPDATE ACCDEF1 SET SHOUGOU = '復元テスト商店' WHERE REC = 1;\n");
        backup_ = (root_.path() / "save" / "vqacc.fbk").string();
        fs::create_directories(fs::path(backup_).parent_path());
        target_ = root_.path() / "data" / "0002" / DataDbFileName;
        fs::create_directories(target_.parent_path());
    }

    // Runs a job as a screen does: resumed, then polled with messages.
    static void run(TBackupRestoreThread& job)
    {
        job.Resume();
        ASSERT_TRUE(WaitForWithMessages([&] { return job.IsTerminated(); }, 20, std::chrono::minutes(5)));
    }

    std::string backup_;
    fs::path target_;
};

} // namespace

TEST_F(BackupRestoreThreadTest, BackupWithTrailerThenCutAndRestore)
{
    const std::string accdef = queryText(dataFile(), "SELECT * FROM ACCDEF1");
    {
        TBackupRestoreThread job(true);
        job.Job = 0;
        job.DbFile = dataFile().string();
        job.BackupFile = backup_;
        job.WithTrailer = 1;
        job.SHOUGOU = "復元テスト商店";
        job.KISHU = "2024/01/01";
        job.KIMATU = "2024/12/31";
        job.SIWAKE = 12;
        job.TOTALSIWAKE = 15;
        job.DATAVARSION = "14.0.0";
        job.GASSAN = 0;
        run(job);
        EXPECT_EQ(job.Succeeded, 1);
        EXPECT_EQ(job.Failed, 0);
    }
    TBackupRestoreThread reader(true);
    ASSERT_TRUE(reader.ReadTrailer(backup_, true));
    EXPECT_EQ(reader.SHOUGOU, "復元テスト商店");
    EXPECT_EQ(reader.KISHU, "2024/01/01");
    EXPECT_EQ(reader.KIMATU, "2024/12/31");
    EXPECT_EQ(reader.SIWAKE, 12);
    EXPECT_EQ(reader.TOTALSIWAKE, 15);
    EXPECT_EQ(reader.DATAVARSION, "14.0.0");
    EXPECT_EQ(reader.USEMYNUMBER, 0);
    EXPECT_FALSE(reader.ReadTrailer(backup_, false));   // cut: gone

    TBackupRestoreThread job(true);
    job.Job = 1;
    job.DbFile = target_.string();
    job.BackupFile = backup_;
    job.ActivateIndexes = 1;
    job.USEMYNUMBER = reader.USEMYNUMBER;
    run(job);
    EXPECT_EQ(job.Succeeded, 1) << job.Message << " " << job.Detail;
    EXPECT_EQ(queryText(target_, "SELECT * FROM ACCDEF1"), accdef);
}

TEST_F(BackupRestoreThreadTest, FailureCodes)
{
    {   // not one of our database files
        TBackupRestoreThread job(true);
        job.Job = 0;
        job.DbFile = (root_.path() / "other.fdb").string();
        job.BackupFile = backup_;
        run(job);
        EXPECT_EQ(job.Failed, 1);
        EXPECT_EQ(job.ProcName, "BackupDatabase");
        EXPECT_EQ(job.Code, "101");
        EXPECT_EQ(job.Message, "指定されたファイルはヴォルレン財務用のデータではありません。");
    }
    {   // the target is in use
        db::Attachment other;
        other.attach({dataFile().string(), "SYSDBA", "masterkey"});
        TBackupRestoreThread job(true);
        job.Job = 1;
        job.DbFile = dataFile().string();
        job.BackupFile = backup_;
        run(job);
        EXPECT_EQ(job.Code, "202");
        EXPECT_EQ(job.Detail, "データベースの復元処理を中止しました。");
    }

    {   // a broken backup: the restore fails, the target stays
        test::writeBytes(backup_, "no backup");
        fs::copy_file(dataFile(), target_);
        const std::string before = queryText(target_, "SELECT * FROM ACCDEF1");
        TBackupRestoreThread job(true);
        job.Job = 1;
        job.DbFile = target_.string();
        job.BackupFile = backup_;
        run(job);
        EXPECT_EQ(job.Succeeded, 0);
        EXPECT_EQ(job.Code, "200");
        EXPECT_EQ(job.Message, "データベースの復元に失敗しました。");
        EXPECT_EQ(queryText(target_, "SELECT * FROM ACCDEF1"), before);
    }
}

TEST_F(BackupRestoreThreadTest, AFailedTransferIsAFailedRestore)
{
    // The embedded engine has no file access from SQL: writing the file on
    // the "server" fails, and the restore must say so.
    test::buildDatabase(test::SchemaKind::FileTransfer, fs::path(SystemDef.SysDir) / "vqfileman.fdb");
    ASSERT_TRUE(dm_.BackupFDB(3, "", dataFile().string(), backup_, 1));
    SystemDef.FileTransId = (root_.path() / "trans").string();
    TBackupRestoreThread job(true);
    job.Job = 1;
    job.Location = 1;
    job.DbFile = target_.string();
    job.BackupFile = backup_;
    run(job);
    EXPECT_EQ(job.Succeeded, 0);
    EXPECT_EQ(job.Failed, 1);
    EXPECT_EQ(job.Code, "203");
    EXPECT_EQ(job.Message, "バックアップファイルの転送処理（vqfileman.fdb）に失敗しました。");
    EXPECT_FALSE(fs::exists(target_));
    EXPECT_FALSE(dm_.IBFileMan.connected());
}

TEST_F(BackupRestoreThreadTest, BackupWithoutMyNumberLeavesNoTrace)
{
    const std::string key = EncodeStoredValue("pass1234");
    ASSERT_FALSE(key.empty());
    // A stored value this program cannot decode must survive unchanged too.
    const std::string value = "NOT-DECODABLE";
    test::runSql(dataFile(), "INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', '＃USE', '整数', '1');\n"
                             "INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', '＃KEY', '文字', '" +
                                 key + "');\n"
                             "INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', '＃VALUE', '文字', '" +
                                 value + "');\n");
    const std::string settingsSql = "SELECT ACODE, ATEXT FROM ACCREG WHERE ACODE STARTING WITH '＃' ORDER BY ACODE";
    const std::string before = queryText(dataFile(), settingsSql);
    SystemDef.MYNUMBER_ADM = 0;

    TBackupRestoreThread job(true);
    job.Job = 0;
    job.DbFile = dataFile().string();
    job.BackupFile = backup_;
    job.WithTrailer = 1;
    job.SHOUGOU = "復元テスト商店";
    job.USEMYNUMBER = 1;
    job.ConfirmMyNumber = 1;
    job.IncludeMyNumber = 1;
    run(job);
    ASSERT_EQ(job.Succeeded, 1) << job.Message << job.Detail;
    EXPECT_EQ(job.ExcludeMyNumber, 1);
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_EQ(seam_->messages.front().text, "保存データにマイナンバー情報は含まれません。");

    // The data set is as it was, its audit log without the clearing.
    EXPECT_EQ(queryText(dataFile(), settingsSql), before);
    EXPECT_EQ(queryText(dataFile(), "SELECT COUNT(*) FROM MYNUMBER_LOG"), "0|\n");
    EXPECT_EQ(job.USEMYNUMBER, 1);

    // The backup holds no My Number values and says so.
    TBackupRestoreThread reader(true);
    ASSERT_TRUE(reader.ReadTrailer(backup_, true));
    EXPECT_EQ(reader.USEMYNUMBER, 0);
    seam_->messages.clear();
    ASSERT_TRUE(dm_.RestoreFDB(3, "", target_.string(), backup_, 1))
        << (seam_->messages.empty() ? std::string() : seam_->messages.back().text);
    EXPECT_EQ(queryText(target_, settingsSql), "＃USE|0|\n");
}
