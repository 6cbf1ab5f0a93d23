// Shared data on a network drive: a consolidated data set with children taken
// into the local working copy and kept back, a keep whose child copy fails
// (the share stays whole and everything stays taken), and a damaged child.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "DataListFixture.h"
#include "datasets/DataSentakuListCtl.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Folders.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class SharedDataTest : public test::DataListFixture {
protected:
    void SetUp() override
    {
        DataListFixture::SetUp();
        drive_ = root_.path() / "drive-x";
        fs::create_directories(drive_ / "zeverivurev");
        platform::folders::mapDrive('X', drive_);
        share_ = drive_ / "zeverivurev" / "sv0001";
        dataSet(share_);
        info_.WriteIniValue(shareName(), "DATAINFO", "GASSANKBN", "1", false);
        fs::create_directories(share_ / "001"); // no data set: no child
        dataSet(share_ / "002");
        dataSet(share_ / "003");
        exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, NETDRIVE, GASSAN) "
             "VALUES (7, 10000, 'g', 'X:/zeverivurev/sv0001', 1, 1)");
        store_.DeletePauseMs = 0;
    }

    void dataSet(const fs::path& folder)
    {
        fs::create_directories(folder);
        fs::copy_file(dataFile(), folder / "vqacc.fdb");
        TDataInfomationRec rec;
        ASSERT_TRUE(info_.ReadIniFile("", folder.string(), rec));
    }
    static std::string shareName(const std::string& sub = {})
    {
        return "X:/zeverivurev/sv0001" + (sub.empty() ? "" : "/" + sub);
    }
    std::string local(const std::string& sub = {}) const
    {
        return root() + "/0007" + (sub.empty() ? "" : "/" + sub);
    }
    int shareStatus(const std::string& folder)
    {
        TDataInfomationRec rec;
        EXPECT_TRUE(info_.ReadIniFile("", folder, rec));
        return rec.SHARE_STATUS;
    }
    std::vector<std::string> locks()
    {
        auto rows = texts("SELECT 'P' || KYOYULOCK FROM DATALIST WHERE REC=7");
        for (const auto& r : texts("SELECT ROWNO || ':' || KYOYULOCK FROM CHILD_DATALIST WHERE REC=7 ORDER BY ROWNO"))
            rows.push_back(r);
        return rows;
    }

    test::ScopedRoot vqRoot_; // the drive map lives under it
    fs::path drive_;
    fs::path share_;
    TDataInfomation info_;
    TDataSentakuListCtl store_;
};

} // namespace

TEST_F(SharedDataTest, TakenWithChildrenAndKeptBack)
{
    TDataSentakuRec row;
    ASSERT_EQ(store_.GetRecordOfPath(local(), row), 1);
    EXPECT_EQ(row.PASNAME, shareName());
    ASSERT_EQ(store_.KyoyuDataGet(row, 1), 1);
    ASSERT_EQ(row.ChildCount, 2);
    EXPECT_EQ(row.Children[0].ROWNO, 2);
    EXPECT_EQ(row.Children[1].ROWNO, 3);
    EXPECT_EQ(row.Children[1].LOCAL_PATH, local("003"));
    for (const auto& sub : {"", "002", "003"})
        EXPECT_TRUE(fs::exists(fs::path(local(sub)) / "vqacc.fdb")) << sub;
    EXPECT_EQ(locks(), (std::vector<std::string>{"P1", "2:1", "3:1"}));
    EXPECT_EQ(shareStatus(shareName()), ShareStatusTaken);
    EXPECT_EQ(shareStatus(shareName("003")), ShareStatusTaken);

    // A child copy that fails: nothing is lost on the share, everything stays
    // taken, the failure is reported and the keep answers 0.
    dataSet(share_ / "004"); // a stale child folder of the share
    const std::string shareChild3 = test::readBytes(share_ / "003" / "vqacc.fdb");
    ASSERT_EQ(::mkfifo((fs::path(local("003")) / "vqacc.pipe").c_str(), 0600), 0);
    seam_->messages.clear();
    ASSERT_TRUE(store_.GetRecordOfPath(local(), row));
    EXPECT_EQ(store_.KyoyuDataPut(row, 1), 0);
    for (const auto& sub : {"", "002", "003", "004"})
        EXPECT_TRUE(fs::exists(share_ / sub / "vqacc.fdb")) << sub;
    EXPECT_EQ(test::readBytes(share_ / "003" / "vqacc.fdb"), shareChild3);
    EXPECT_EQ(locks(), (std::vector<std::string>{"P1", "2:1", "3:1"}));
    for (const auto& sub : {"", "002", "003"}) {
        EXPECT_EQ(shareStatus(shareName(sub)), ShareStatusTaken) << sub;
        EXPECT_EQ(shareStatus(local(sub)), ShareStatusTaken) << sub;
    }
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_EQ(seam_->messages.back().caption, "選択データの状態");

    // Once the copy can go through, the keep frees everything and removes
    // the stale child folder only.
    fs::remove(fs::path(local("003")) / "vqacc.pipe");
    ASSERT_TRUE(store_.GetRecordOfPath(local(), row));
    EXPECT_EQ(store_.KyoyuDataPut(row, 1), 1);
    EXPECT_EQ(locks(), (std::vector<std::string>{"P0", "2:0", "3:0"}));
    EXPECT_FALSE(fs::exists(share_ / "004"));
    EXPECT_TRUE(fs::exists(share_ / "001"));
    for (const auto& sub : {"", "002", "003"})
        EXPECT_EQ(shareStatus(shareName(sub)), ShareStatusFree) << sub;
}

TEST_F(SharedDataTest, ADamagedChildRefusesTheGet)
{
    info_.WriteDataStatus(shareName("003"), DataStatusDamaged);
    TDataSentakuRec row;
    ASSERT_EQ(store_.GetRecordOfPath(local(), row), 1);
    EXPECT_EQ(store_.KyoyuDataGet(row, 1), -1);
    EXPECT_FALSE(fs::exists(fs::path(local()) / "vqacc.fdb"));
    EXPECT_EQ(locks(), (std::vector<std::string>{"P0", "2:0", "3:0"}));
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_NE(seam_->messages.back().text.find("破損"), std::string::npos);
}
