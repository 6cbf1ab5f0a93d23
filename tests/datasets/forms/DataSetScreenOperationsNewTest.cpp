// [F3] in stand-alone mode on a copy of the sample office: a new data set in
// a free row (through the basic-settings wizard, played here by the test) and
// a new distributed-input child of a consolidated row.
#include <gtest/gtest.h>

#include "SelectionScreenFixture.h"
#include "datasets/operations/DataStatusGate.h"
#include "datasets/operations/GassanDataCtl.h"
#include "foundation/data/AccRegSettings.h"

using namespace vq;
namespace fs = std::filesystem;

class DataSetScreenOperationsNewTest : public test::SelectionScreenFixture {};

TEST_F(DataSetScreenOperationsNewTest, ANewDataSetAppearsInItsRowAndOpens)
{
    // The wizard makes the data set from a copy of another and reports 1.
    std::vector<std::string> calls;
    std::int32_t statusWhileCreating = -1;
    std::int32_t answer = 1;
    StartProcessProc = [&](const std::string& name, std::int32_t, const std::string& params) {
        calls.push_back(name + "|" + params);
        const std::string folder = paramValue(params, "DataPath");
        statusWhileCreating = statusOf(folder);
        if (answer == 1)
            fs::copy_file(fs::path(dataFolder("0005")) / DataDbFileName, fs::path(folder) / DataDbFileName);
        return answer;
    };
    TDataSentakuBox* box = open();
    const int row = firstBlankRow(*box);
    ASSERT_GE(row, 0);
    const std::string folder = box->List.GetDataPath(row);
    const std::int32_t rec = box->List.GetRowRecord(row)->REC;
    box->SelectRow(row);
    ASSERT_EQ(box->KeyCaption(KeyF3), "F3:新規作成");
    box->F3Click();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].substr(0, calls[0].find("PHandle=")),
              "QzKihonWiz|DataPath=" + folder + "\rDataListRec=" + std::to_string(rec) + "\r");
    EXPECT_EQ(statusWhileCreating, DataStatusCreating);
    EXPECT_EQ(statusOf(folder), DataStatusFree);

    // The row shows the new data set and F12 chooses it.
    const int shown = box->List.ScrollToFolder(folder);
    ASSERT_GE(shown, 0);
    EXPECT_EQ(box->List.Grid.Cell(shown, ColName), "青葉ベーカリー");
    box->SelectRow(shown);
    seam_->messages.clear();
    box->F12Click();
    EXPECT_EQ(box->result(), 1) << lastMessage();
    EXPECT_EQ(SystemDef.DataDir, folder);
}

TEST_F(DataSetScreenOperationsNewTest, AWizardThatCreatedNothingLeavesNoStatusBehind)
{
    StartProcessProc = [](const std::string&, std::int32_t, const std::string&) { return -1; };
    TDataSentakuBox* box = open();
    const int row = firstBlankRow(*box);
    const std::string folder = box->List.GetDataPath(row);
    box->SelectRow(row);
    box->F3Click();
    EXPECT_FALSE(fs::exists(fs::path(folder) / DataIniFileName));
    EXPECT_FALSE(fs::exists(fs::path(folder) / DataDbFileName));
    box->SelectRow(box->List.ScrollToFolder(folder));
    EXPECT_EQ(box->KeyCaption(KeyF3), "F3:新規作成");
}

TEST_F(DataSetScreenOperationsNewTest, AChildIsAddedUnderAConsolidatedRow)
{
    const std::string parentFolder = dataFolder("0001");
    ASSERT_TRUE(WriteGassanSetting(parentFolder, GassanConsolidated, 0));
    exec("UPDATE DATALIST SET GASSAN=1 WHERE REC=1");
    TDataSentakuBox* box = open();
    const int row = rowOf(*box, ColCode, "0001");
    ASSERT_GE(row, 0);
    box->SelectRow(row);
    ASSERT_EQ(box->KeyCaption(KeyF3), "F3:分散追加");

    seam_->messageAnswers.push_back(platform::ResultNo);
    box->F3Click();
    EXPECT_EQ(lastMessage(), "分散入力用のデータを追加します。\rよろしいですか？");
    EXPECT_FALSE(fs::exists(fs::path(parentFolder) / "001"));

    box->SelectRow(rowOf(*box, ColCode, "0001"));
    seam_->messageAnswers.push_back(platform::ResultYes);
    box->F3Click();
    EXPECT_TRUE(fs::exists(fs::path(parentFolder) / "001" / DataDbFileName)) << lastMessage();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=1"), 1);
    const int parentRow = rowOf(*box, ColCode, "0001");
    ASSERT_GE(parentRow, 0);
    ASSERT_LT(parentRow + 1, box->List.Grid.RowCount());
    EXPECT_EQ(box->List.Grid.CellInt(parentRow + 1, ColGassan), GassanDistributedChild);
    EXPECT_EQ(box->List.GetDataPath(parentRow + 1), (fs::path(parentFolder) / "001").string());
    ASSERT_TRUE(dm_.fnAccDatConnected("", parentFolder, 0));
    EXPECT_EQ(GetAccRegInt(GassanGroup, GassanCountKey, "0"), 1);
    dm_.CloseAccDat(parentFolder, 0, 0);
}
