#include "datasets/operations/DataSetLifecycle.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "OperationsFixture.h"
#include "datasets/operations/GassanDataCtl.h"
#include "foundation/app/RunState.h"

namespace fs = std::filesystem;
using namespace vq;
using vq::test::readBytes;
using vq::test::writeBytes;

namespace {

class DataSetLifecycleTest : public vq::test::OperationsFixture {
protected:
    void SetUp() override
    {
        OperationsFixture::SetUp();
        const char* xdg = std::getenv("XDG_DATA_HOME");
        hadXdg_ = xdg != nullptr;
        savedXdg_ = xdg ? xdg : "";
        ::setenv("XDG_DATA_HOME", (root_.path() / "xdg").c_str(), 1);
        savedStart_ = StartProcessProc;
    }
    void TearDown() override
    {
        StartProcessProc = savedStart_;
        hadXdg_ ? ::setenv("XDG_DATA_HOME", savedXdg_.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
        OperationsFixture::TearDown();
    }

    TDataListRec listRow(int rec, const fs::path& folder, const std::string& name, int gassan = 0)
    {
        exec("INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, PASNAME, GASSAN) VALUES (" + std::to_string(rec) +
             ", 10000, '" + name + "', '" + folder.string() + "', " + std::to_string(gassan) + ")");
        TDataListRec row;
        row.REC = rec;
        row.GROUPID = 10000;
        row.ENTTEXT = name;
        row.DISP_NAME = name;
        row.PASNAME = folder.string();
        row.GASSAN = static_cast<std::uint8_t>(gassan);
        return row;
    }

    TDataSentakuListCtl store_;
    bool hadXdg_ = false;
    std::string savedXdg_;
    StartProcessFunc savedStart_;
};

TEST_F(DataSetLifecycleTest, ACreationThatDidNotHappenLeavesNoStatusBehind)
{
    const fs::path folder = root_.path() / "data" / "0010";
    TDataListRec row = listRow(10, folder, "");
    StartProcessProc = nullptr;
    EXPECT_EQ(NewDataSet(folder.string(), row, store_), -1);
    EXPECT_FALSE(fs::exists(folder));

    fs::create_directories(folder);
    std::string seenParams;
    StartProcessProc = [&](const std::string& name, std::int32_t mode, const std::string& params) {
        EXPECT_EQ(name, "QzKihonWiz");
        EXPECT_EQ(mode, 1);
        seenParams = params;
        EXPECT_EQ(infoOf(folder).STATUS, DataStatusCreating);
        return 2;
    };
    EXPECT_EQ(NewDataSet(folder.string(), row, store_), 2);
    EXPECT_EQ(seenParams, "DataPath=" + folder.string() + "\rDataListRec=10\rPHandle=0");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(fs::exists(folder / "vqacc.ini"));

    StartProcessProc = [&](const std::string&, std::int32_t, const std::string&) {
        makeDataSet(folder, "新規商事");
        return 1;
    };
    EXPECT_EQ(NewDataSet(folder.string(), row, store_), 1);
    EXPECT_EQ(infoOf(folder).STATUS, DataStatusFree);
}

TEST_F(DataSetLifecycleTest, ADeleteRemovesTheFolderFirstAndOnlyThenTheRow)
{
    // A row above the fixed slots, which the list deletes (a slot is only emptied).
    const fs::path folder = makeDataSet(root_.path() / "data" / "0131", "削除商事");
    DeleteRequest request;
    request.Folder = folder.string();
    request.Row = listRow(131, folder, "削除商事");

    // Declined: nothing happens.
    listAnswer_ = 2;
    EXPECT_EQ(DeleteDataSet(request, store_), 1);
    EXPECT_TRUE(fs::exists(folder / "vqacc.fdb"));
    EXPECT_EQ(notices_.back().agreement, "データの削除に同意します");

    // The folder cannot go to the trash: the row stays.
    listAnswer_ = 1;
    writeBytes(root_.path() / "blocked", "a file where the trash would be");
    ::setenv("XDG_DATA_HOME", (root_.path() / "blocked").c_str(), 1);
    EXPECT_EQ(DeleteDataSet(request, store_), 1);
    EXPECT_TRUE(fs::exists(folder / "vqacc.fdb"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST WHERE REC=131"), 1);

    ::setenv("XDG_DATA_HOME", (root_.path() / "xdg").c_str(), 1);
    EXPECT_EQ(DeleteDataSet(request, store_), 1);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(fs::exists(root_.path() / "xdg" / "Trash" / "files" / "0131" / "vqacc.fdb"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST WHERE REC=131"), 0);

    // The data set the program opened last is refused.
    const fs::path last = makeDataSet(root_.path() / "data" / "0012", "前回商事");
    request.Folder = last.string();
    request.Row = listRow(12, last, "前回商事");
    request.LastChosenFolder = last.string();
    EXPECT_EQ(DeleteDataSet(request, store_), 1);
    EXPECT_EQ(seam_->messages.back().text, "このデータは前回起動データのため削除は行えません。");
    EXPECT_TRUE(fs::exists(last / "vqacc.fdb"));
}

TEST_F(DataSetLifecycleTest, DeletingAChildLowersTheParentsCount)
{
    const fs::path parentFolder = makeDataSet(root_.path() / "data" / "0013", "合算商事", "2024-01-01", "2024-12-31", 1);
    listRow(13, parentFolder, "合算商事", 1);
    ASSERT_TRUE(WriteGassanSetting(parentFolder.string(), 1, 2));
    const fs::path child = makeDataSet(parentFolder / "002", "合算商事", "2024-01-01", "2024-12-31", 10);
    exec("INSERT INTO CHILD_DATALIST (REC, ROWNO, GROUPID, ENTTEXT, PASNAME, GASSAN) VALUES (13, 2, 10000, 'c', '" +
         child.string() + "', 10)");
    DeleteRequest request;
    request.Folder = child.string();
    request.Row.REC = 13;
    request.Row.ROWNO = 2;
    request.Row.GROUPID = 10000;
    request.Row.PASNAME = child.string();
    request.Row.GASSAN = GassanDistributedChild;
    request.Parent.GASSAN = GassanConsolidated;
    request.Parent.ChildCount = 2;
    request.ParentFolder = parentFolder.string();
    EXPECT_EQ(DeleteDataSet(request, store_), 1);
    EXPECT_FALSE(fs::exists(child));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=13"), 0);
    dm_.CloseAccDat("", 0, 0);
    EXPECT_NE(query(parentFolder, "SELECT ATEXT FROM ACCREG WHERE ACODE='合算データ数';").find("1"), std::string::npos);
}

TEST_F(DataSetLifecycleTest, AnAreaIsAddedOnceWithinTheLimit)
{
    // Areas are rows of the server modes' list.
    ConnectMode = ConnectClientServer;
    store_.ConnectMode = ConnectClientServer;
    const fs::path place = root_.path() / "place";
    EXPECT_FALSE(AddDataArea(place.string(), "0020", 2000, store_));
    EXPECT_EQ(seam_->messages.back().text, "これ以上の領域追加は行えません。(最大2000件)");
    ASSERT_TRUE(AddDataArea(place.string(), " 0020　", 5, store_));
    EXPECT_EQ(texts("SELECT PASNAME FROM DATALIST WHERE PASNAME LIKE '%0020'").size(), 1u);
    EXPECT_FALSE(AddDataArea(place.string(), "0020", 5, store_));
    EXPECT_EQ(seam_->messages.back().text, "\"" + (place / "0020").string() + "\"は既にデータリスト上に作成されています。\r");
    EXPECT_FALSE(AddDataArea(place.string(), "　", 5, store_));
}

TEST_F(DataSetLifecycleTest, ReleaseKeepsATakenCopyBackBeforeRemovingIt)
{
    const fs::path share = makeDataSet(root_.path() / "share" / "sv0030", "共有商事");
    const fs::path local = root_.path() / "data" / "0030";
    fs::create_directories(local);
    fs::copy_file(share / "vqacc.fdb", local / "vqacc.fdb");
    writeBytes(local / "vqacc.fdb", readBytes(local / "vqacc.fdb") + "work of today");
    TDataSentakuRec row;
    static_cast<TDataListRec&>(row) = listRow(30, share, "共有商事");
    row.NETDRIVE = 1;
    row.KYOYULOCK = 1;
    exec("UPDATE DATALIST SET NETDRIVE=1, KYOYULOCK=1 WHERE REC=30");

    listAnswer_ = 1;
    EXPECT_EQ(ReleaseKyoyu(row, local.string(), store_), 1);
    EXPECT_FALSE(fs::exists(local));
    EXPECT_NE(readBytes(share / "vqacc.fdb").find("work of today"), std::string::npos);
    EXPECT_EQ(infoOf(share).SHARE_STATUS, ShareStatusFree);
    EXPECT_EQ(row.NETDRIVE, 0);
    EXPECT_EQ(row.PASNAME, local.string());
    EXPECT_EQ(scalar("SELECT NETDRIVE FROM DATALIST WHERE REC=30"), 0);
}

} // namespace
