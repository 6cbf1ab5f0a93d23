// The data-set operations in client/server mode against the Firebird server
// that scripts/firebird-server starts: the save and restore carry the backup
// through the file-transfer database, the paste and the rebuild run on the
// server's services and move files with its file routines, and every
// operation marks the data-list row with the operator's DATALOCK while it
// runs instead of a status in the info file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ServerOfficeFixture.h"
#include "datasets/operations/BackupTrailer.h"
#include "datasets/operations/DataSetNotices.h"
#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/PasteEngine.h"
#include "datasets/operations/RebuildEngine.h"
#include "datasets/operations/SaveRestoreEngine.h"
#include "datasets/operations/StagedFolder.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "foundation/data/DbErrorReporter.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Attachment.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class OperationsServerTest : public test::ServerOfficeFixture {
protected:
    void SetUp() override
    {
        ServerOfficeFixture::SetUp();
        if (server_.empty())
            return;
        // The operations run as the office's own database user, the owner of
        // its databases, not as the server's administrator; the test data is
        // seeded as the administrator (isql).
        SystemDef.DbUser = officeUser();
        SystemDef.DbPassword = officePassword();
        ensureOfficeUser(fs::path(SystemDef.SysDir) / SysDbFileName);
        ASSERT_TRUE(dm_->fnAccDefConnected("", 1));
        previousNotice_ = InstallListNotice([this](const ListNotice& n) {
            notices_.push_back(n);
            return 1;
        });
    }

    void TearDown() override
    {
        if (!server_.empty())
            InstallListNotice(previousNotice_);
        ServerOfficeFixture::TearDown();
    }

    static std::string officeUser()
    {
        return test::env("VQ_FB_OFFICE_USER").empty() ? DefaultDbUser : test::env("VQ_FB_OFFICE_USER");
    }
    static std::string officePassword()
    {
        return test::env("VQ_FB_OFFICE_USER").empty() ? DefaultDbPassword : test::env("VQ_FB_OFFICE_PASSWORD");
    }

    // The office's user as the server's set-up makes it (scripts/firebird-server):
    // known by name and password, allowed to create databases. A server made
    // before gets it here.
    void ensureOfficeUser(const fs::path& database)
    {
        const std::string remote = server_ + ":" + database.string();
        try {
            db::Attachment office;
            office.attach({remote, officeUser(), officePassword()});
        } catch (const db::DbError&) {
            test::runSql(remote, "CREATE OR ALTER USER " + officeUser() + " PASSWORD '" + officePassword() + "';");
        }
        // Tests running side by side grant it at the same time.
        for (int attempt = 1;; ++attempt) {
            try {
                test::runSql(remote, "GRANT CREATE DATABASE TO USER " + officeUser() + ";");
                return;
            } catch (const std::runtime_error&) {
                if (attempt == 5)
                    throw;
            }
        }
    }

    // A data set on the server with its data-list row REC.
    fs::path makeDataSet(int rec, const std::string& shougou, const std::string& note = "")
    {
        const fs::path folder = root_.path() / "data" / ("000" + std::to_string(rec));
        fs::create_directories(folder);
        test::buildDatabase(test::SchemaKind::DataSet, folder / DataDbFileName);
        sql(folder, "UPDATE ACCDEF1 SET SHOUGOU='" + shougou + "',ENTTEXT='" + shougou +
                        "',KISHU='2024-01-01',KIMATU='2024-12-31',ADD1='" + note + "' WHERE REC=1");
        for (const char* code : {"合算データ区分", "合算データ数"})
            sql(folder, std::string("INSERT INTO ACCREG (AGROUP,ACODE,ATYPE,ATEXT) VALUES ('基本設定','") + code +
                            "','整数','0')");
        exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, SHOUGOU, PASNAME) VALUES (" + std::to_string(rec) +
             ", 10000, '" + shougou + "', '" + shougou + "', '" + folder.string() + "')");
        return folder;
    }

    TDataListRec rowOf(int rec, const fs::path& folder)
    {
        TDataListRec row;
        row.REC = rec;
        row.PASNAME = folder.string();
        row.SHOUGOU = text(folder, "SELECT SHOUGOU FROM ACCDEF1");
        return row;
    }

    std::string tables(const fs::path& folder)
    {
        return text(folder, "SELECT SHOUGOU,KISHU,KIMATU,ADD1 FROM ACCDEF1") +
               text(folder, "SELECT * FROM KAMOKU_MS ORDER BY 1,2,3") +
               text(folder, "SELECT AGROUP,ACODE,ATEXT FROM ACCREG WHERE ACODE NOT STARTING WITH '＃' ORDER BY 1,2");
    }

    void exec(const std::string& statement)
    {
        db::TransactionScope scope(dm_->IBTransactionDEF);
        db::Statement q(dm_->IBDatabaseDEF.attachment(), dm_->IBTransactionDEF, statement);
        q.execute();
        scope.commit();
    }

    int lock(int rec)
    {
        db::TransactionScope scope(dm_->IBTransactionDEF);
        db::Statement q(dm_->IBDatabaseDEF.attachment(), dm_->IBTransactionDEF,
                        "SELECT DATALOCK FROM DATALIST WHERE REC=" + std::to_string(rec));
        q.execute();
        const int v = q.fetch() ? q.field(std::size_t{0}).asInt() : -1;
        q.close();
        scope.commit();
        return v;
    }

    std::vector<ListNotice> notices_;
    ListNoticeFunc previousNotice_;
};

} // namespace

TEST_F(OperationsServerTest, SaveAndRestoreCarryTheBackupThroughTheFileTransferDatabase)
{
    const fs::path source = makeDataSet(2, "サーバー商事", "原本");
    const fs::path target = makeDataSet(3, "サーバー商事", "古いデータ");
    const fs::path place = root_.path() / "place";

    SaveRequest save;
    save.Folder = source.string();
    save.Place = place.string();
    save.PlaceGiven = true;
    save.Rec = 2;
    ASSERT_EQ(SaveDataSet(save, {}), 1) << lastMessage();
    BackupTrailer trailer;
    ASSERT_TRUE(ReadBackupTrailer(place / "vqacc.fbk", trailer, false));
    EXPECT_EQ(trailer.SHOUGOU, "サーバー商事");
    // The server's copy of the transfer is gone again.
    EXPECT_TRUE(SortedFolderEntries(SystemDef.FileTransId).empty());

    RestoreRequest restore;
    restore.Folder = target.string();
    restore.Place = place.string();
    restore.Row = rowOf(3, target);
    const RestoreOutcome outcome = RestoreDataSet(restore, {});
    ASSERT_EQ(outcome.Result, 1) << lastMessage();
    EXPECT_TRUE(outcome.HadDatabase);
    EXPECT_EQ(tables(target), tables(source));
    EXPECT_EQ(lock(3), 0);
    EXPECT_FALSE(fs::exists(target / "vqacc.fdb.restoring"));
    EXPECT_TRUE(SortedFolderEntries(SystemDef.FileTransId).empty());
}

TEST_F(OperationsServerTest, TheDefaultPlaceIsReadAndRestoredOnTheServer)
{
    const fs::path source = makeDataSet(2, "サーバー商事", "原本");
    const fs::path target = makeDataSet(3, "サーバー商事", "古いデータ");
    // A backup without trailer in the data set's own folder, as other
    // operations leave it there.
    SaveRequest save;
    save.Folder = source.string();
    save.Place = target.string();
    save.PlaceGiven = true;
    ASSERT_EQ(SaveDataSet(save, {}), 1) << lastMessage();
    BackupTrailer trailer;
    ASSERT_TRUE(ReadBackupTrailer(target / "vqacc.fbk", trailer, true));
    const auto backupSize = fs::file_size(target / "vqacc.fbk");

    RestoreRequest restore;
    restore.Folder = target.string();
    restore.Place = target.string();
    restore.PlaceOnServer = true;
    restore.Row = rowOf(3, target);
    ASSERT_EQ(RestoreDataSet(restore, {}).Result, 1) << lastMessage();
    EXPECT_EQ(tables(target), tables(source));
    EXPECT_EQ(lock(3), 0);
    // The backup stays; the trial copy on the server is gone.
    EXPECT_EQ(fs::file_size(target / "vqacc.fbk"), backupSize);
    EXPECT_FALSE(fs::exists(ServerWorkFolder()));
}

TEST_F(OperationsServerTest, ARestoreThatFailsOrIsRefusedLeavesTargetAndLockAsTheyWere)
{
    const fs::path target = makeDataSet(3, "サーバー商事", "古いデータ");
    const std::string before = tables(target);
    const fs::path place = root_.path() / "place";
    fs::create_directories(place);
    test::writeBytes(place / "vqacc.fbk", std::string(4096, 'x'));
    WriteBackupTrailer(place / "vqacc.fbk", BackupTrailer{"サーバー商事", "2024/01/01", "2024/12/31", 0, 0, "14.0.0", 0, 0});

    RestoreRequest restore;
    restore.Folder = target.string();
    restore.Place = place.string();
    restore.Row = rowOf(3, target);
    EXPECT_EQ(RestoreDataSet(restore, {}).Result, -1);
    EXPECT_EQ(lastMessage().rfind("データベースの復元に失敗しました。\r", 0), 0u) << lastMessage();
    EXPECT_EQ(tables(target), before);
    EXPECT_EQ(lock(3), 0);
    EXPECT_FALSE(fs::exists(target / "vqacc.fdb.restoring"));

    // Another operator holds the row: refused before anything is written,
    // and that operator's lock stays.
    exec("UPDATE DATALIST SET DATALOCK=7 WHERE REC=3");
    restore.Row.DATALOCK = 7;
    EXPECT_EQ(RestoreDataSet(restore, {}).Result, 0);
    EXPECT_EQ(lock(3), 7);
    EXPECT_EQ(tables(target), before);
}

TEST_F(OperationsServerTest, APasteRunsOnTheServerAndFreesTheRowAgain)
{
    const fs::path source = makeDataSet(2, "サーバー商事", "原本");
    const fs::path target = makeDataSet(4, "サーバー商事", "古いデータ");
    TCopySource copy;
    TDataListRec sourceRow = rowOf(2, source);
    sourceRow.ENTTEXT = "サーバー商事";
    ASSERT_TRUE(MarkCopySource(source.string(), sourceRow, 0, copy)) << lastMessage();

    PasteRequest paste;
    paste.Folder = target.string();
    paste.Row = rowOf(4, target);
    const PasteOutcome outcome = PasteDataSet(paste, copy, {});
    ASSERT_EQ(outcome.Result, 1) << lastMessage();
    EXPECT_TRUE(outcome.DescriptionRead);
    EXPECT_EQ(outcome.Pasted.DATALISTNAME, "サーバー商事～コピー");
    EXPECT_EQ(text(target, "SELECT ADD1 FROM ACCDEF1"), "原本");
    EXPECT_EQ(text(target, "SELECT * FROM KAMOKU_MS ORDER BY 1,2,3"), text(source, "SELECT * FROM KAMOKU_MS ORDER BY 1,2,3"));
    EXPECT_EQ(lock(4), 0);
    EXPECT_FALSE(copy.pending());
    EXPECT_FALSE(fs::exists(target / "vqacc.fdb.restoring"));
    EXPECT_TRUE(SortedFolderEntries(SystemDef.FileTransId).empty());
}

TEST_F(OperationsServerTest, ARebuildOnTheServerKeepsTheDataAndLeavesNoBackupBehind)
{
    const fs::path folder = makeDataSet(2, "サーバー商事", "原本");
    const std::string before = tables(folder);
    RebuildRequest request;
    request.Folder = folder.string();
    request.Rec = 2;
    ASSERT_TRUE(RebuildData(request, {})) << lastMessage();
    EXPECT_EQ(tables(folder), before);
    EXPECT_EQ(lock(2), 0);
    EXPECT_FALSE(fs::exists(folder / "vqacc.fb_"));
    EXPECT_FALSE(fs::exists(folder / "vqacc.fdb.restoring"));

    // Someone attached: refused, nothing touched.
    db::Attachment other;
    other.attach({server_ + ":" + (folder / DataDbFileName).string(), SystemDef.DbUser, SystemDef.DbPassword});
    EXPECT_FALSE(RebuildData(request, {}));
    EXPECT_EQ(lastMessage().rfind("現在、他のユーザーがデータに接続中です。", 0), 0u) << lastMessage();
    other.detach();
    EXPECT_EQ(tables(folder), before);
}
