#include "datasets/operations/KyoyuLock.h"

#include <gtest/gtest.h>

#include "OperationsFixture.h"
#include "datasets/DataRowChecks.h"

namespace fs = std::filesystem;
using namespace vq;

namespace {

// A consolidated data set kept on a share, with one child, and its working
// copy on this computer.
class KyoyuLockTest : public vq::test::OperationsFixture {
protected:
    void SetUp() override
    {
        OperationsFixture::SetUp();
        const fs::path share = root_.path() / "share" / "0007";
        makeDataSet(share, "共有商事", "2024-01-01", "2024-12-31", 1);
        makeDataSet(share / "001", "共有商事", "2024-01-01", "2024-12-31", 10);
        exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NETDRIVE, GASSAN) VALUES (7, 10000, '共有商事', '" +
             share.string() + "', 1, 1)");
        parent_.REC = 7;
        parent_.GROUPID = 10000;
        parent_.ENTTEXT = "共有商事";
        parent_.PASNAME = share.string();
        parent_.NETDRIVE = 1;
        parent_.GASSAN = GassanConsolidated;
        TDataListRec child = parent_;
        child.ROWNO = 1;
        child.GASSAN = GassanDistributedChild;
        child.PASNAME = (share / "001").string();
        parent_.Children.push_back(child);
        parent_.ChildCount = 1;
        // The working copies the share was taken into.
        makeDataSet(GetDataPath(parent_), "共有商事", "2024-01-01", "2024-12-31", 1);
        makeDataSet(GetDataPath(child), "共有商事", "2024-01-01", "2024-12-31", 10);
    }

    // KYOYULOCK of the parent's row and the child's row.
    std::vector<std::string> locks()
    {
        return {texts("SELECT KYOYULOCK FROM DATALIST WHERE REC=7").at(0),
                texts("SELECT KYOYULOCK FROM CHILD_DATALIST WHERE REC=7 AND ROWNO=1").at(0)};
    }

    // The share status of every folder involved: working copies, then shares.
    std::vector<int> shareStatuses()
    {
        const TDataListRec& child = parent_.Children.at(0);
        return {infoOf(GetDataPath(parent_)).SHARE_STATUS, infoOf(GetDataPath(child)).SHARE_STATUS,
                infoOf(parent_.PASNAME).SHARE_STATUS, infoOf(child.PASNAME).SHARE_STATUS};
    }

    TDataSentakuRec parent_;
    TDataSentakuListCtl store_;
};

} // namespace

TEST_F(KyoyuLockTest, TakingAndFreeingMarksRowsWorkingCopiesAndSharesOfParentAndChildren)
{
    ASSERT_TRUE(SetKyoyuLock(1, parent_, store_));
    EXPECT_EQ(locks(), (std::vector<std::string>{"1", "1"}));
    EXPECT_EQ(shareStatuses(), (std::vector<int>{2, 2, 2, 2}));
    EXPECT_EQ(GetKyoyuState(parent_), KyoyuTaken);

    ASSERT_TRUE(SetKyoyuLock(0, parent_, store_));
    EXPECT_EQ(locks(), (std::vector<std::string>{"0", "0"}));
    EXPECT_EQ(shareStatuses(), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(GetKyoyuState(parent_), KyoyuKept);
}

TEST_F(KyoyuLockTest, ANormalDataSetLeavesFoldersBelowItAlone)
{
    parent_.GASSAN = GassanNormal;
    exec("UPDATE DATALIST SET GASSAN=0 WHERE REC=7");
    ASSERT_TRUE(SetKyoyuLock(1, parent_, store_));
    EXPECT_EQ(shareStatuses(), (std::vector<int>{2, 1, 2, 1}));
    EXPECT_TRUE(texts("SELECT KYOYULOCK FROM CHILD_DATALIST WHERE REC=7").empty());
}
