#include "datasets/operations/SaveRestoreEngine.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "FakeGbak.h"
#include "OperationsFixture.h"
#include "datasets/operations/BackupTrailer.h"
#include "datasets/operations/RebuildEngine.h"
#include "datasets/operations/StagedFolder.h"
#include "platform/db/Attachment.h"

namespace fs = std::filesystem;
using namespace vq;
using vq::test::readBytes;
using vq::test::snapshotOf;
using vq::test::writeBytes;

namespace {

const char* TablesQuery = "SELECT SHOUGOU,KISHU,KIMATU,ENTTEXT,DATATYPE,CODETYPE FROM ACCDEF1;"
                          "SELECT * FROM KAMOKU_MS ORDER BY 1,2,3;"
                          "SELECT * FROM SISETUMST ORDER BY 1;"
                          "SELECT AGROUP,ACODE,ATYPE,ATEXT FROM ACCREG ORDER BY AGROUP,ACODE;";

class SaveRestoreEngineTest : public vq::test::OperationsFixture {
protected:
    void SetUp() override
    {
        OperationsFixture::SetUp();
        source_ = makeDataSet(root_.path() / "data" / "0002", "テスト商事");
        place_ = root_.path() / "backup";
    }

    std::string tables(const fs::path& folder)
    {
        dm_.CloseAccDat("", 0, 0);
        return query(folder, TablesQuery);
    }

    std::int32_t save(const fs::path& folder, bool placeGiven = true, const DataSetBackupTool& tool = {})
    {
        SaveRequest request;
        request.Folder = folder.string();
        request.Place = place_.string();
        request.PlaceGiven = placeGiven;
        return SaveDataSet(request, tool);
    }

    RestoreOutcome restore(const fs::path& folder, int gassan = 0, const DataSetBackupTool& tool = {})
    {
        RestoreRequest request;
        request.Folder = folder.string();
        request.Place = place_.string();
        request.Row.GASSAN = static_cast<std::uint8_t>(gassan);
        request.Row.SHOUGOU = infoOf(folder).SHOUGOU;
        RestoreOutcome outcome = RestoreDataSet(request, tool);
        copy_ = outcome.Source;
        return outcome;
    }

    static fs::path workName(const fs::path& file)
    {
        return SiblingWorkPath(file, "new-" + std::to_string(::getpid()));
    }

    DataSetBackupTool gbak() const
    {
        DataSetBackupTool tool;
        tool.UseGbak = true;
        return tool;
    }

    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }

    fs::path source_;
    fs::path place_;
    TCopySource copy_;
};

TEST_F(SaveRestoreEngineTest, SaveThenRestoreGivesIdenticalTables)
{
    ASSERT_EQ(save(source_), 1);
    BackupTrailer trailer;
    ASSERT_TRUE(ReadBackupTrailer(place_ / "vqacc.fbk", trailer, false));
    EXPECT_EQ(trailer.SHOUGOU, "テスト商事");
    EXPECT_EQ(trailer.DATAVARSION, "14.0.0");
    EXPECT_EQ(infoOf(source_).STATUS, DataStatusFree);
    EXPECT_EQ(SortedFolderEntries(place_).size(), 1u);

    const fs::path blank = root_.path() / "data" / "0003";
    const RestoreOutcome outcome = restore(blank);
    ASSERT_EQ(outcome.Result, 1) << lastMessage();
    EXPECT_FALSE(outcome.HadDatabase);
    EXPECT_TRUE(outcome.DescriptionRead);
    EXPECT_EQ(outcome.Restored.SHOUGOU, "テスト商事");
    EXPECT_EQ(copy_.Row.SHOUGOU, "テスト商事");
    EXPECT_EQ(infoOf(blank).STATUS, DataStatusFree);
    EXPECT_EQ(tables(blank), tables(source_));
    // Nothing of the work is left beside the data set or in the temp folder.
    for (const fs::path& p : SortedFolderEntries(blank))
        EXPECT_NE(p.filename().string().front(), '.') << p;
    EXPECT_TRUE(SortedFolderEntries(SystemDef.TempDir).empty());
}

TEST_F(SaveRestoreEngineTest, AFailedSaveKeepsTheOldBackup)
{
    fs::create_directories(place_);
    writeBytes(place_ / "vqacc.fbk", "the old backup");
    for (const char* end : {"err boom exit 1", "err half-written crash"}) {
        vq::test::ScopedFakeGbak fake("touch " + workName(place_ / "vqacc.fbk").string() + " " + std::string(end));
        EXPECT_EQ(save(source_, true, gbak()), -1) << end;
        EXPECT_EQ(readBytes(place_ / "vqacc.fbk"), "the old backup") << end;
        EXPECT_EQ(SortedFolderEntries(place_).size(), 1u) << end;
        EXPECT_EQ(infoOf(source_).STATUS, DataStatusFree) << end;
        EXPECT_EQ(lastMessage().rfind("データベースの保存に失敗しました。\r", 0), 0u) << lastMessage();
    }
    EXPECT_NE(lastMessage().find("half-written"), std::string::npos);
}

TEST_F(SaveRestoreEngineTest, SavingOverAnExistingBackupAsksFirst)
{
    fs::create_directories(place_);
    writeBytes(place_ / "vqacc.fbk", "the old backup");
    seam_->messageAnswers = {platform::ResultCancel};
    EXPECT_EQ(save(source_, false), 0);
    EXPECT_EQ(lastMessage(), "この場所には、同じ名前のバックアップファイルが既に存在します。\r上書きしますか？");
    EXPECT_EQ(readBytes(place_ / "vqacc.fbk"), "the old backup");
    place_ = SystemDef.TempDir;
    EXPECT_EQ(save(source_), 0);
    EXPECT_EQ(lastMessage(), "このフォルダは選択出来ません。他の場所を選んで下さい。");
}

TEST_F(SaveRestoreEngineTest, ARestoreFailingMidwayLeavesTheTargetAsItWas)
{
    ASSERT_EQ(save(source_), 1);
    const fs::path target = makeDataSet(root_.path() / "data" / "0004", "テスト商事");
    fs::create_directories(target / "001");
    writeBytes(target / "001" / "note.txt", "a child's file");
    const std::string tablesBefore = tables(target);
    const auto before = snapshotOf(target);

    {
        // gbak killed midway through the file the data module restores into.
        vq::test::ScopedFakeGbak fake("touch " + (target / "vqacc.fdb.restoring").string() + " err killed crash");
        EXPECT_EQ(restore(target, 0, gbak()).Result, -1);
        EXPECT_EQ(lastMessage().rfind("データベースの復元に失敗しました。\r", 0), 0u) << lastMessage();
    }
    EXPECT_EQ(snapshotOf(target), before);
    EXPECT_EQ(infoOf(target).STATUS, DataStatusFree);
    {
        vq::test::ScopedFailingFileSystem failing(0);
        EXPECT_EQ(restore(target).Result, 0);
        EXPECT_EQ(lastMessage(), "ワーク領域にファイルをコピー出来なかったため、復元処理は失敗しました。");
    }
    EXPECT_EQ(snapshotOf(target), before);
    {
        // Someone attached to the target at the moment of the swap.
        db::Attachment other;
        other.attach({(target / "vqacc.fdb").string(), SystemDef.DbUser, SystemDef.DbPassword});
        EXPECT_EQ(restore(target).Result, -1);
        EXPECT_EQ(lastMessage(), RestoreInUseText);
        other.detach();
    }
    EXPECT_EQ(snapshotOf(target), before);
    EXPECT_EQ(tables(target), tablesBefore);
    EXPECT_EQ(infoOf(target).STATUS, DataStatusFree);
    EXPECT_TRUE(SortedFolderEntries(SystemDef.TempDir).empty());
}

TEST_F(SaveRestoreEngineTest, TheChecksRefuseBeforeAnythingIsWritten)
{
    ASSERT_EQ(save(source_), 1);
    const fs::path consolidated = makeDataSet(root_.path() / "data" / "0005", "テスト商事", "2024-01-01", "2024-12-31", 1);
    const auto before = snapshotOf(consolidated);
    EXPECT_EQ(restore(consolidated, 1).Result, -1);
    ASSERT_FALSE(notices_.empty());
    EXPECT_EQ(notices_.back().caption, "警告");
    EXPECT_EQ(snapshotOf(consolidated), before);
    EXPECT_EQ(infoOf(consolidated).STATUS, DataStatusFree);

    // Another company: the operator declines the collation.
    const fs::path other = makeDataSet(root_.path() / "data" / "0006", "別会社");
    listAnswer_ = 2;
    EXPECT_EQ(restore(other).Result, -1);
    EXPECT_EQ(notices_.back().caption, "データ照合チェックの結果");
    EXPECT_EQ(infoOf(other).SHOUGOU, "別会社");
}

TEST_F(SaveRestoreEngineTest, MyNumberValuesStayOutOfTheBackupAndOutOfATargetThatManagesThem)
{
    const char* useMyNumber =
        "UPDATE OR INSERT INTO ACCREG (AGROUP,ACODE,ATYPE,ATEXT) VALUES ('基本設定','＃USE','整数','1') "
        "MATCHING (AGROUP,ACODE);";
    query(source_, useMyNumber);
    TDataInfomation().RefreshIniFile(source_.string(), "");
    ASSERT_EQ(infoOf(source_).USEMYNUMBER, 1);
    SystemDef.MYNUMBER_ADM = 0;

    ASSERT_EQ(save(source_), 1) << lastMessage();
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_EQ(seam_->messages.front().text, "保存データにマイナンバー情報は含まれません。");
    BackupTrailer trailer;
    ASSERT_TRUE(ReadBackupTrailer(place_ / "vqacc.fbk", trailer, false));
    EXPECT_EQ(trailer.USEMYNUMBER, 0);
    EXPECT_NE(tables(source_).find("＃USE"), std::string::npos);

    // The source itself manages My Number values: a backup without them
    // must not replace it.
    const auto before = snapshotOf(source_);
    const std::string tablesBefore = tables(source_);
    EXPECT_EQ(restore(source_).Result, -1);
    EXPECT_EQ(lastMessage(), "マイナンバー情報を管理しているデータへの復元はおこなえません。\r"
                             "データベースの復元処理を中止しました。");
    EXPECT_EQ(snapshotOf(source_), before);
    EXPECT_EQ(tables(source_), tablesBefore);
    EXPECT_EQ(infoOf(source_).STATUS, DataStatusFree);
}

TEST_F(SaveRestoreEngineTest, ABackupWithoutTrailerIsCheckedOnATrialRestore)
{
    ASSERT_EQ(save(source_), 1);
    BackupTrailer trailer;
    ASSERT_TRUE(ReadBackupTrailer(place_ / "vqacc.fbk", trailer, true));
    const fs::path target = makeDataSet(root_.path() / "data" / "0007", "別会社");
    listAnswer_ = 1;
    const RestoreOutcome outcome = restore(target);
    ASSERT_EQ(outcome.Result, 1) << lastMessage();
    ASSERT_FALSE(notices_.empty());
    EXPECT_EQ(notices_.back().lines.at(1), "　【復元元】：テスト商事");
    EXPECT_EQ(infoOf(target).SHOUGOU, "テスト商事");
    EXPECT_EQ(tables(target), tables(source_));
}

TEST_F(SaveRestoreEngineTest, RebuildKeepsTheDataOrLeavesItUntouched)
{
    const std::string tablesBefore = tables(source_);
    RebuildRequest request;
    request.Folder = source_.string();
    ASSERT_TRUE(RebuildData(request, {})) << lastMessage();
    EXPECT_EQ(tables(source_), tablesBefore);
    EXPECT_EQ(infoOf(source_).STATUS, DataStatusFree);

    const auto before = snapshotOf(source_);
    {
        vq::test::ScopedFakeGbak fake("err broken-pipe exit 2");
        EXPECT_FALSE(RebuildData(request, gbak()));
    }
    EXPECT_EQ(lastMessage().rfind("データ再構築の処理に失敗しました。\r\rデータベースの保存に失敗しました。\r", 0), 0u)
        << lastMessage();
    {
        // A gbak that claims success but leaves no database behind.
        const fs::path backup = fs::path(SystemDef.TempDir) / "vqacc.fb_";
        vq::test::ScopedFakeGbak fake("touch " + backup.string() + " touch " +
                                      (source_ / "vqacc.fdb.restoring").string());
        EXPECT_FALSE(RebuildData(request, gbak()));
        EXPECT_FALSE(fs::exists(backup));
    }
    {
        db::Attachment other;
        other.attach({(source_ / "vqacc.fdb").string(), SystemDef.DbUser, SystemDef.DbPassword});
        EXPECT_FALSE(RebuildData(request, {}));
        EXPECT_EQ(lastMessage().rfind("現在、他のユーザーがデータに接続中です。", 0), 0u);
        other.detach();
    }
    EXPECT_EQ(snapshotOf(source_), before);
    EXPECT_EQ(tables(source_), tablesBefore);
    EXPECT_EQ(infoOf(source_).STATUS, DataStatusFree);
}

} // namespace
