#include "datasets/operations/GassanDataCtl.h"

#include <gtest/gtest.h>

#include "OperationsFixture.h"
#include "datasets/operations/GassanChildRows.h"
#include "datasets/operations/StagedFolder.h"
#include "platform/db/Attachment.h"

namespace fs = std::filesystem;
using namespace vq;

namespace {

class GassanDataCtlTest : public vq::test::OperationsFixture {
protected:
    void SetUp() override
    {
        OperationsFixture::SetUp();
        parentFolder_ = makeDataSet(root_.path() / "data" / "0002", "合算商事", "2024-01-01", "2024-12-31", 1);
        exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, GASSAN) VALUES (2, 10000, '合算商事', '" +
             parentFolder_.string() + "', 1)");
        parent_.REC = 2;
        parent_.GROUPID = 10000;
        parent_.GASSAN = GassanConsolidated;
        parent_.PASNAME = parentFolder_.string();
    }

    std::string setting(const fs::path& folder, const char* key)
    {
        dm_.CloseAccDat("", 0, 0);
        return query(folder, std::string("SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='") + key + "';");
    }

    // 合算データ数 of the parent; a setting not written yet counts 0.
    int childCount()
    {
        const std::string text = setting(parentFolder_, GassanCountKey);
        const std::size_t at = text.find_last_of("0123456789");
        return at == std::string::npos ? 0 : text[at] - '0';
    }

    bool add()
    {
        seam_->messageAnswers.push_back(platform::ResultYes);
        return AddBunsanData(parent_, parentFolder_.string(), ctl_);
    }

    fs::path parentFolder_;
    TDataSentakuRec parent_;
    TGassanDataCtl ctl_;
};

TEST_F(GassanDataCtlTest, ChildFoldersAreNumberedAfterTheHighest)
{
    std::string name;
    TGassanDataCtl::NextChildFolderName(parentFolder_.string(), 1, name);
    EXPECT_EQ(name, "001");
    for (const char* n : {"001", "002", "005", "abc"})
        fs::create_directories(parentFolder_ / n);
    TGassanDataCtl::NextChildFolderName(parentFolder_.string(), 1, name);
    EXPECT_EQ(name, "006");
    fs::create_directories(parentFolder_ / "999");
    try {
        TGassanDataCtl::NextChildFolderName(parentFolder_.string(), 1, name);
        ADD_FAILURE() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "作成できるフォルダ名は[999]までです。");
    }
    EXPECT_TRUE(name.empty());
}

TEST_F(GassanDataCtlTest, AChildIsAnEmptiedCopyAndRaisesTheCount)
{
    vq::test::runSql(parentFolder_ / DataDbFileName, "UPDATE ACCDEF1 SET KANSA_LOCK=1 WHERE REC=1; ALTER SEQUENCE SIWAKE03_GEN RESTART WITH 40;");
    ASSERT_TRUE(add()) << (seam_->messages.empty() ? "" : seam_->messages.back().text);
    const fs::path child = parentFolder_ / "001";
    ASSERT_TRUE(fs::exists(child / DataDbFileName));
    EXPECT_EQ(childCount(), 1);
    EXPECT_NE(setting(child, GassanKindKey).find("10"), std::string::npos);
    const std::string emptied = query(child, "SELECT KANSA_LOCK FROM ACCDEF1; SELECT GEN_ID(SIWAKE03_GEN, 0) FROM RDB$DATABASE; SELECT COUNT(*) FROM SIWAKE;");
    EXPECT_EQ(emptied.find("40"), std::string::npos) << emptied;
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=2 AND ROWNO=1 AND GASSAN=10"), 1);
    EXPECT_EQ(parent_.ChildCount, 1);
    EXPECT_EQ(infoOf(child).STATUS, DataStatusFree);

    ASSERT_TRUE(add());
    EXPECT_TRUE(fs::exists(parentFolder_ / "002" / DataDbFileName));
    EXPECT_EQ(childCount(), 2);
    EXPECT_EQ(parent_.ChildCount, 2);
    for (const fs::path& p : SortedFolderEntries(parentFolder_))
        EXPECT_NE(p.filename().string().front(), '.') << p;
}

TEST_F(GassanDataCtlTest, AFailedAddLeavesNoFolderNoRowAndTheCount)
{
    ASSERT_EQ(childCount(), 0);
    {
        vq::test::ScopedFailingFileSystem failing(0);
        EXPECT_FALSE(add());
    }
    {
        db::Attachment other;
        other.attach({(parentFolder_ / DataDbFileName).string(), SystemDef.DbUser, SystemDef.DbPassword});
        EXPECT_FALSE(add());
        EXPECT_EQ(seam_->messages.back().text, "このデータは他のオペレータが使用中です。");
        other.detach();
    }
    seam_->messageAnswers.push_back(platform::ResultNo);
    EXPECT_FALSE(AddBunsanData(parent_, parentFolder_.string(), ctl_));
    parent_.ChildCount = 99;
    EXPECT_FALSE(AddBunsanData(parent_, parentFolder_.string(), ctl_));
    EXPECT_EQ(seam_->messages.back().text, "これ以上の分散データの追加は行えません。(最大99件)\r");

    EXPECT_EQ(childCount(), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM CHILD_DATALIST"), 0);
    std::vector<std::string> entries;
    for (const fs::path& p : SortedFolderEntries(parentFolder_))
        entries.push_back(p.filename().string());
    EXPECT_EQ(entries, (std::vector<std::string>{"vqacc.fdb", "vqacc.ini"}));
}

TEST_F(GassanDataCtlTest, PasteAndRestoreAdjustTheSettingByTheTable)
{
    using S = std::optional<std::pair<std::int32_t, std::int32_t>>;
    struct Case {
        int mode, source, target;
        S expected;
    } cases[] = {
        {0, 1, 2, S({2, 4})}, {0, 2, 1, S({1, 4})}, {0, 1, 10, S({10, 0})}, {0, 2, 0, std::nullopt},
        {0, 10, 0, S({0, 0})}, {0, 10, 1, S({0, 0})}, {0, 10, 10, std::nullopt}, {0, 0, 10, S({10, 0})},
        {0, 0, 0, std::nullopt}, {0, 0, 2, std::nullopt}, {1, 1, 1, S({0, 0})}, {2, 10, 0, S({0, 0})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AdjustedGassanSetting(c.mode, c.source, c.target, 4), c.expected)
            << c.mode << " " << c.source << " " << c.target;
}

TEST_F(GassanDataCtlTest, TheRefreshRebuildsTheChildrenFromTheFoldersInNameOrder)
{
    ASSERT_TRUE(add());
    ASSERT_TRUE(add());
    ASSERT_TRUE(add());
    ASSERT_EQ(parent_.ChildCount, 3);
    fs::remove_all(parentFolder_ / "002"); // deleted by hand
    fs::create_directories(parentFolder_ / "004");
    vq::test::writeBytes(parentFolder_ / "004" / "vqacc.fdb", "not a database");

    TDataSentakuListCtl store;
    ScanChildFolders(parent_, parentFolder_.string(), store);
    ASSERT_EQ(parent_.ChildCount, 3);
    EXPECT_EQ(parent_.Children[0].PASNAME, parentFolder_.string() + "/001");
    EXPECT_EQ(parent_.Children[1].PASNAME, parentFolder_.string() + "/003");
    EXPECT_EQ(parent_.Children[1].ROWNO, 2);
    EXPECT_EQ(parent_.Children[2].ENTTEXT, "破損データ");
    EXPECT_EQ(parent_.Children[2].DATA_STATUS, 1);
    EXPECT_EQ(parent_.Children[2].SHOUGOU, parent_.SHOUGOU);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=2"), 3);

    // A damaged child stops the rebuild until it is dealt with.
    fs::remove_all(parentFolder_ / "003");
    ScanChildFolders(parent_, parentFolder_.string(), store);
    EXPECT_EQ(parent_.ChildCount, 3);

    ResetChildren(parent_, parentFolder_.string(), true, store);
    EXPECT_EQ(parent_.ChildCount, 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=2"), 0);
    EXPECT_FALSE(fs::exists(parentFolder_ / "001"));
    EXPECT_TRUE(fs::exists(parentFolder_ / DataDbFileName));
}

} // namespace
