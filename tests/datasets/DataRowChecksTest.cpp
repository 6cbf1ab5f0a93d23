// The status a data set records, the record and folder behind a grid row,
// and the folder check before a data set is chosen.
#include <gtest/gtest.h>

#include <filesystem>

#include "DataListFixture.h"
#include "datasets/DataFolderCheck.h"
#include "datasets/DataRowChecks.h"
#include "platform/IniFile.h"

using namespace vq;
namespace fs = std::filesystem;

class DataRowChecksTest : public test::DataListFixture {
protected:
    void setStatus(int status)
    {
        platform::IniFile ini(fs::path(SystemDef.DataDir) / DataIniFileName);
        ini.writeInteger("DATASTS", "STATUS", status);
        ini.writeInteger("DATASTS", "OPCODE", 100000012);
        ini.writeString("DATASTS", "OPERATOR", "田中 花子");
    }
};

TEST_F(DataRowChecksTest, AFolderWithoutADatabase)
{
    const std::string empty = (fs::path(root()) / "0042").string();
    fs::create_directories(empty);
    TDataInfomationRec info;
    EXPECT_EQ(CheckDataStatus(empty, false, true, info), DataStatusFree);
    EXPECT_TRUE(seam_->messages.empty());
    EXPECT_EQ(CheckDataStatus(empty, true, true, info), 0);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "このフォルダには財務データがありません。\r");

    // Choosing such a row: refused under type 3, an empty target for type 2.
    EXPECT_EQ(CheckDataFolder(empty, 3, info), FolderRefused);
    EXPECT_EQ(CheckDataFolder(empty, 2, info), FolderEmpty);
    EXPECT_EQ(CheckDataFolder("  ", 3, info), FolderBlank);
    EXPECT_THROW(CheckDataFolder("  ", 0, info), std::runtime_error);
}

TEST_F(DataRowChecksTest, StatusesByConnectionMode)
{
    TDataInfomationRec info;
    setStatus(DataStatusInUse);
    EXPECT_EQ(CheckDataStatus(SystemDef.DataDir, true, true, info), DataStatusInUse);
    ASSERT_EQ(seam_->messages.size(), 1u);
    const std::string& report = seam_->messages[0].text;
    EXPECT_EQ(seam_->messages[0].caption, "選択データの状態");
    EXPECT_NE(report.find("このデータは使用中のため処理が行えません。\r前回、異常終了した場合は"), std::string::npos);
    EXPECT_NE(report.find("【オペレータ】\r　12\r"), std::string::npos);
    EXPECT_NE(report.find("【オペレータ名】\r　田中 花子"), std::string::npos);
    EXPECT_EQ(CheckDataFolder(SystemDef.DataDir, 3, info), FolderRefused);

    // Without a report, and for the damaged status, nothing is shown.
    seam_->messages.clear();
    EXPECT_EQ(CheckDataStatus(SystemDef.DataDir, true, false, info), DataStatusInUse);
    setStatus(DataStatusDamaged);
    EXPECT_EQ(CheckDataStatus(SystemDef.DataDir, true, true, info), DataStatusDamaged);
    EXPECT_TRUE(seam_->messages.empty());

    setStatus(DataStatusFree);
    EXPECT_EQ(CheckDataFolder(SystemDef.DataDir, 3, info), FolderHoldsData);
    EXPECT_EQ(CheckDataFolder(SystemDef.DataDir, 2, info), FolderHoldsData);

    EXPECT_TRUE(IsAllowedStatus(DataStatusInUse, ConnectClientServer));
    EXPECT_FALSE(IsAllowedStatus(DataStatusInUse, ConnectStandAlone));
    EXPECT_FALSE(IsAllowedStatus(DataStatusFree, 3));
}

TEST_F(DataRowChecksTest, RecordsAndFoldersOfGridRows)
{
    TDataSentakuRecArray rows(2);
    rows[1].REC = 7;
    rows[1].NETDRIVE = 1;
    rows[1].KYOYULOCK = 1;
    rows[1].PASNAME = "X:/zeverivurev/sv0003";
    rows[1].GASSAN = GassanConsolidated;
    TDataListRec c;
    c.REC = 7;
    c.NETDRIVE = 1;
    c.PASNAME = "X:/zeverivurev/sv0003/002/";
    c.GASSAN = GassanDistributedChild;
    rows[1].Children = {c};

    EXPECT_EQ(GetRowRecord(rows, {GassanConsolidated, 1, 0}), &rows[1]);
    EXPECT_EQ(GetRowRecord(rows, {GassanDistributedChild, 1, 0}), &rows[1].Children[0]);
    EXPECT_EQ(GetRowRecord(rows, {GassanDistributedChild, 1, 1}), nullptr);
    EXPECT_EQ(GetRowRecord(rows, {0, 2, 0}), nullptr);
    EXPECT_EQ(GetDataPath(rows[1]), (fs::path(root()) / "0007").string());
    EXPECT_EQ(GetDataPath(rows[1].Children[0]), (fs::path(root()) / "0007" / "002").string());
    EXPECT_EQ(GetKyoyuState(rows[1]), KyoyuTaken);
    EXPECT_EQ(GetKyoyuState(rows[1].Children[0]), KyoyuKept);
    rows[0].PASNAME = "/data/0001/";
    EXPECT_EQ(GetDataPath(rows[0]), "/data/0001");
    EXPECT_EQ(GetKyoyuState(rows[0]), KyoyuNone);
}
