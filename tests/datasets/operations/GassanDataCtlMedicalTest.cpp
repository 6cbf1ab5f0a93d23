// Consolidated data of a medical corporation whose children go by branch:
// the sample office's data set 0004 (a hospital "H1" and a care facility
// "K1"), copied and made consolidated head-office-and-branch data.
#include "datasets/operations/GassanDataCtl.h"

#include <gtest/gtest.h>

#include "OperationsFixture.h"
#include "datasets/operations/StagedFolder.h"
#include "platform/db/Attachment.h"

namespace fs = std::filesystem;
using namespace vq;

namespace {

class GassanDataCtlMedicalTest : public vq::test::OperationsFixture {
protected:
    void SetUp() override
    {
        OperationsFixture::SetUp();
        const fs::path sample = fs::path(VQ_SAMPLE_OFFICE) / "common" / "draxon" / "zeverivurev" / "data" / "0004";
        parentFolder_ = root_.path() / "data" / "0004";
        fs::create_directories(parentFolder_);
        fs::copy_file(sample / DataDbFileName, parentFolder_ / DataDbFileName);
        query(parentFolder_, "UPDATE OR INSERT INTO ACCREG (AGROUP,ACODE,ATYPE,ATEXT) "
                             "VALUES ('基本設定','合算データ区分','整数','2') MATCHING (AGROUP,ACODE);");
        TDataInfomation().RefreshIniFile(parentFolder_.string(), "");
        exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, GASSAN) VALUES (4, 10000, '医療法人 清流会', '" +
             parentFolder_.string() + "', 2)");
        ctl_.SetDataPath(parentFolder_.string());
        ctl_.SetDataRec(4);
    }

    std::vector<int> childRows()
    {
        std::vector<int> rows;
        for (const std::string& n : texts("SELECT ROWNO FROM CHILD_DATALIST WHERE REC=4 ORDER BY ROWNO"))
            rows.push_back(std::stoi(n));
        return rows;
    }

    std::string facilities(const fs::path& folder)
    {
        dm_.CloseAccDat("", 0, 0);
        return query(folder, "SELECT '[' || TRIM(SCODE) || ']' FROM SISETUMST ORDER BY SCODE;");
    }

    fs::path parentFolder_;
    TGassanDataCtl ctl_;
};

} // namespace

TEST_F(GassanDataCtlMedicalTest, ChildrenGoByBranchCodeAndKeepOnlyTheirOwnFacility)
{
    ctl_.SetActive(true);
    EXPECT_EQ(ctl_.GassanRec.BySiten, 1);
    ASSERT_EQ(ctl_.ExpectedChildren.size(), 2u);
    EXPECT_EQ(ctl_.ExpectedChildren[0].SCode, "H1");
    EXPECT_EQ(ctl_.ExpectedChildren[0].ChildNo, 1);
    EXPECT_EQ(ctl_.ExpectedChildren[1].SCode, "K1");
    EXPECT_EQ(ctl_.ExpectedChildren[1].Folder, (parentFolder_ / "K1").string());
    EXPECT_TRUE(ctl_.Children.empty());

    // By branch a child needs its code.
    EXPECT_FALSE(ctl_.AddChild(""));
    EXPECT_EQ(SortedFolderEntries(parentFolder_).size(), 2u); // the database and its info file

    ASSERT_TRUE(ctl_.AddChild("H1"));
    ASSERT_TRUE(ctl_.AddChild("K1"));
    // Each child has a row of its own: the second is not written over the first.
    EXPECT_EQ(childRows(), (std::vector<int>{1, 2}));
    const std::string hospital = facilities(parentFolder_ / "H1");
    EXPECT_NE(hospital.find("[H1]"), std::string::npos);
    EXPECT_EQ(hospital.find("[K1]"), std::string::npos);
    EXPECT_NE(facilities(parentFolder_ / "K1").find("[K1]"), std::string::npos);
    EXPECT_EQ(facilities(parentFolder_ / "K1").find("[H1]"), std::string::npos);
    EXPECT_EQ(infoOf(parentFolder_ / "K1").GASSANKBN, GassanDistributedChild);

    // Listed again from the folders: both children, with the numbers of their rows.
    TGassanDataCtl again;
    again.SetDataPath(parentFolder_.string());
    again.SetDataRec(4);
    again.SetActive(true);
    ASSERT_EQ(again.Children.size(), 2u);
    EXPECT_EQ(again.Children[0].SCode, "H1");
    EXPECT_EQ(again.Children[0].ChildNo, 1);
    EXPECT_EQ(again.Children[1].SCode, "K1");
    EXPECT_EQ(again.Children[1].ChildNo, 2);
    EXPECT_EQ(again.NextChildNo(1), 3);
}

TEST_F(GassanDataCtlMedicalTest, TheHeadOfficeChildIsListedUnderItsCode)
{
    ctl_.SetActive(true);
    ASSERT_TRUE(ctl_.AddChild("00"));
    EXPECT_EQ(facilities(parentFolder_ / "00").find("[H1]"), std::string::npos);
    fs::create_directories(parentFolder_ / "notes");
    ctl_.SetDataRec(0);
    ctl_.SetDataRec(4);
    ctl_.SetActive(true);
    ASSERT_EQ(ctl_.Children.size(), 1u);
    EXPECT_EQ(ctl_.Children[0].SCode, "00");
    EXPECT_EQ(ctl_.Children[0].Folder, (parentFolder_ / "00").string());
}
