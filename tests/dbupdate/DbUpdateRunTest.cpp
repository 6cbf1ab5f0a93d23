// The update run on a real data set: the steps in order, the row statuses,
// the backup taken and restored after a failed step whatever way it failed,
// the refusal while the data set is used, and the backup file kept when the
// restore itself fails.
#include "DbUpdateRunFixture.h"

#include <stdexcept>

#include "platform/Cp932.h"

using namespace vq;
using namespace vq::test;
namespace fs = std::filesystem;

namespace {

class DbUpdateRunTest : public DbUpdateRunFixture {
protected:
    int run(TArrayDbUpdateListRec list, const std::string& version = "14.0.0")
    {
        state_.FDataList = std::move(list);
        state_.SetupUpdateList(1, version);
        return run_.Execute();
    }
    bool messaged(const std::string& part)
    {
        for (const auto& m : seam_->messages)
            if (m.text.find(part) != std::string::npos)
                return true;
        return false;
    }

    TDbVersionTest state_;
    TDbUpdateRun run_{state_};
};

} // namespace

TEST_F(DbUpdateRunTest, EveryStepDoneReachesTheTarget)
{
    EXPECT_EQ(run(steps(1, runs(scheme(2, {"INSERT INTO DBUP_T1 VALUES(2);"})))), 1);
    EXPECT_TRUE(run_.FUpdated);
    EXPECT_EQ(run_.FRowStatus, (std::vector<std::string>{"完了", "完了", "完了"}));
    EXPECT_EQ(version(), "14.0.3");
    EXPECT_EQ(scalar("SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1"), "三番目");
    EXPECT_EQ(state_.FDbMinor2, 3);
    EXPECT_FALSE(fs::exists(run_.FBackupFile));
    EXPECT_TRUE(seam_->messages.empty());
    EXPECT_TRUE(dm_.IBDatabaseDAT.connected());   // reconnected for the caller
}

TEST_F(DbUpdateRunTest, AFailedMiddleStepWithABackupLeavesTheDatabaseAsBefore)
{
    fs::create_directories(SystemDef.SqlDir);
    TUpdateScheme missingPart = scheme(2, {});
    missingPart.PartFiles = {"vqzup01.sql"};
    TUpdateScheme postWorkRaises = scheme(2, {"INSERT INTO DBUP_T1 VALUES(2);"});
    postWorkRaises.PostWork = [] { throw std::runtime_error("post-work"); };
    const TUpdateScheme scriptError = scheme(2, {"INSERT INTO DBUP_T1 VALUES(2);", "UPDATE NO_SUCH_TABLE SET A=1;"});
    const TUpdateScheme works = scheme(2, {"INSERT INTO DBUP_T1 VALUES(2);"});
    struct Case {
        const char* name;
        std::function<std::int32_t()> middle;
        const char* status;
    } cases[] = {
        {"script error", runs(scriptError), "失敗"},
        {"tool missing",
         [] {
             ScopedEnv isql("VQ_ISQL", "/nonexistent/isql-fb");
             return RunUpdateStep(scheme(2, {}));
         },
         "失敗"},
        {"part file missing", runs(missingPart), "ﾌｧｲﾙ不足"},
        {"post-work raises", runs(postWorkRaises), "失敗"},
        {"exception after a script",
         [works]() -> std::int32_t {
             RunUpdateStep(works);
             throw std::runtime_error("unreadable part file");
         },
         "失敗"},
    };
    const DatabaseState before = settledState();
    for (const auto& c : cases) {
        seam_->messages.clear();
        EXPECT_EQ(run(steps(1, c.middle)), 4) << c.name;
        EXPECT_FALSE(run_.FUpdated) << c.name;
        EXPECT_EQ(run_.FRowStatus, (std::vector<std::string>{"完了", c.status, ""})) << c.name;
        EXPECT_EQ(difference(databaseState(dataFile()), before), "") << c.name;
        EXPECT_EQ(version(), "14.0.0") << c.name;
        EXPECT_FALSE(fs::exists(run_.FBackupFile)) << c.name;
        EXPECT_TRUE(messaged("会計データの更新に失敗しました。")) << c.name;
    }
    EXPECT_TRUE(messaged("unreadable part file"));
}

TEST_F(DbUpdateRunTest, WithoutABackupTheEarlierStepsStay)
{
    const TUpdateScheme scriptError = scheme(2, {"UPDATE NO_SUCH_TABLE SET A=1;"});
    EXPECT_EQ(run(steps(0, runs(scriptError))), 4);
    EXPECT_EQ(run_.FRowStatus, (std::vector<std::string>{"完了", "失敗", ""}));
    EXPECT_EQ(version(), "14.0.1");
    EXPECT_EQ(scalar("SELECT SHOUGOU FROM ACCDEF1 WHERE REC=1"), "一番目");
    EXPECT_FALSE(fs::exists(run_.FBackupFile));
    EXPECT_NE(test::readBytes(fs::path(SystemDef.LogDir) / "ErrDataup.txt").find("NO_SUCH_TABLE"), std::string::npos);
}

TEST_F(DbUpdateRunTest, AFailedRestoreKeepsTheBackupAndNamesIt)
{
    const auto spoilBackup = [] {
        test::writeBytes(TDbUpdateRun::BackupPath(), "not a backup");
        return std::int32_t{UpdateFailed};
    };
    EXPECT_EQ(run(steps(1, spoilBackup)), 4);
    EXPECT_TRUE(run_.FBackupKept);
    EXPECT_TRUE(fs::exists(run_.FBackupFile));
    ASSERT_FALSE(run_.FFailureLines.empty());
    EXPECT_EQ(run_.FFailureLines.back(), run_.FBackupFile);
    EXPECT_TRUE(messaged(run_.FBackupFile));
}

TEST_F(DbUpdateRunTest, AnotherAttachmentRefusesTheRunAndNothingChanges)
{
    const DatabaseState before = settledState();
    {
        db::Attachment other = db::attachDatabase({dataFile().string(), "SYSDBA", ""});
        EXPECT_EQ(run(steps(1, runs(scheme(2, {})))), 4);
    }
    EXPECT_TRUE(messaged("現在、他のオペレータが会計データを利用中です。"));
    EXPECT_TRUE(run_.FRowStatus.empty());
    EXPECT_EQ(difference(databaseState(dataFile()), before), "");
    EXPECT_FALSE(fs::exists(TDbUpdateRun::BackupPath()));
    // The data set is open to everybody again.
    db::Attachment a = db::attachDatabase({dataFile().string(), "SYSDBA", ""});
    db::Attachment b = db::attachDatabase({dataFile().string(), "SYSDBA", ""});
}

TEST_F(DbUpdateRunTest, NothingPendingEndsWithTheFailureBoxSayingSo)
{
    EXPECT_EQ(run(steps(1, runs(scheme(2, {}))), "14.0.3"), 4);
    EXPECT_TRUE(messaged("会計データの更新に失敗しました。\r更新が必要な処理はありません。"));
    EXPECT_FALSE(fs::exists(TDbUpdateRun::BackupPath()));
}

TEST_F(DbUpdateRunTest, TheDatabaseIsHeldForTheRunAlone)
{
    // During a step the database admits one attachment at a time (the
    // step's own isql); a second one is refused.
    bool intruderRefused = false;
    const auto tryToAttach = [&]() -> std::int32_t {
        try {
            db::Attachment intruder = db::attachDatabase({dataFile().string(), "SYSDBA", ""});
            db::Attachment second = db::attachDatabase({dataFile().string(), "SYSDBA", ""});
        } catch (const db::DbError&) {
            intruderRefused = true;
        }
        return UpdateDone;
    };
    EXPECT_EQ(run(steps(0, tryToAttach)), 1);
    EXPECT_TRUE(intruderRefused);
}
