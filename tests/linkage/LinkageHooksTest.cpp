// The tool's hooks: no menu host, and the data-broken check that validates a
// data set's database and marks a damaged one in the data list and its info
// file.
#include <gtest/gtest.h>

#include "../datasets/DataListFixture.h"
#include "foundation/app/AccConstants.h"
#include "linkage/LinkageHooks.h"
#include "platform/IniFile.h"

#include <filesystem>

using namespace vq;
namespace fs = std::filesystem;

namespace {

class LinkageHooksTest : public test::DataListFixture {
protected:
    void SetUp() override
    {
        DataListFixture::SetUp();
        exec("INSERT INTO DATALIST (REC, GROUPID, PASNAME) VALUES (1, 10000, '/d/0001');"
             "INSERT INTO DATALIST (REC, GROUPID, PASNAME) VALUES (2, 10000, '/d/0002');"
             "INSERT INTO DATALIST (REC, GROUPID, PASNAME) VALUES (3, 10000, '/d/0003');"
             "INSERT INTO CHILD_DATALIST (REC, ROWNO) VALUES (3, 1);"
             "INSERT INTO CHILD_DATALIST (REC, ROWNO) VALUES (3, 2)");
    }

    // A data set whose database file is not a database.
    std::string brokenDataSet(const std::string& relative)
    {
        const fs::path folder = root_.path() / "data" / relative;
        fs::create_directories(folder);
        test::writeBytes(folder / DataDbFileName, std::string(8192, 'x'));
        return folder.string();
    }

    std::int32_t infoStatus(const std::string& folder)
    {
        return platform::IniFile(fs::path(folder) / DataIniFileName).readInteger("DATASTS", "STATUS", -1);
    }
};

TEST_F(LinkageHooksTest, ASoundDataSetPassesAndIsLeftAlone)
{
    const std::string folder = SystemDef.DataDir;
    EXPECT_EQ(linkage::CheckDataBroken("", folder, false, linkage::ValidateDataSetDatabase), 1);
    EXPECT_EQ(SystemDef.DataBrokenFlag, 0);
    EXPECT_TRUE(seam_->messages.empty());
    EXPECT_EQ(scalar("SELECT DATA_STATUS FROM DATALIST WHERE REC=1"), 0);
    EXPECT_EQ(infoStatus(folder), -1);
}

TEST_F(LinkageHooksTest, ADamagedDataSetIsMarkedInTheListAndItsInfoFile)
{
    const std::string folder = brokenDataSet("0002");
    EXPECT_EQ(linkage::CheckDataBroken("127.0.0.1", folder, false, linkage::ValidateDataSetDatabase), 0);
    EXPECT_EQ(SystemDef.DataBrokenFlag, 1);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, linkage::kDataBrokenMessage);
    EXPECT_EQ(scalar("SELECT DATA_STATUS FROM DATALIST WHERE REC=2"), 1);
    EXPECT_EQ(scalar("SELECT DATA_STATUS FROM DATALIST WHERE REC=1"), 0);
    EXPECT_EQ(infoStatus(folder), 10);
    EXPECT_FALSE(dm_.IBTransactionDEF.active()) << "the marking commits what it started";
}

TEST_F(LinkageHooksTest, ADamagedChildIsMarkedInItsOwnRowAndSilentlyWhenAsked)
{
    const std::string folder = brokenDataSet("0003/0002");
    EXPECT_EQ(linkage::CheckDataBroken("", folder, true, linkage::ValidateDataSetDatabase), 0);
    EXPECT_TRUE(seam_->messages.empty());
    EXPECT_EQ(scalar("SELECT DATA_STATUS FROM CHILD_DATALIST WHERE REC=3 AND ROWNO=2"), 1);
    EXPECT_EQ(scalar("SELECT DATA_STATUS FROM CHILD_DATALIST WHERE REC=3 AND ROWNO=1"), 0);
    EXPECT_EQ(scalar("SELECT DATA_STATUS FROM DATALIST WHERE REC=3"), 0);
    EXPECT_EQ(infoStatus(folder), 10);
}

TEST_F(LinkageHooksTest, TheHostChoosesLocalOrNetworkValidation)
{
    std::vector<std::string> calls;
    const linkage::DatabaseValidator record = [&](std::int32_t protocol, const std::string& host,
                                                  const std::string& file) {
        calls.push_back(std::to_string(protocol) + " " + host + " " + fs::path(file).filename().string());
        return true;
    };
    for (const char* host : {"", "127.0.0.1", "dbserver"})
        EXPECT_EQ(linkage::CheckDataBroken(host, SystemDef.DataDir, false, record), 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"3  vqacc.fdb", "3  vqacc.fdb", "0 dbserver vqacc.fdb"}));

    linkage::InstallLinkageHooks([](const std::string&, std::int32_t, const std::string&) { return 5; }, record);
    EXPECT_EQ(MenuHostProc(10, "CorvaneMenu"), 0);
    EXPECT_EQ(StartProcessProc("QzDataSenkaku", 1, ""), 5);
    EXPECT_EQ(dm_.CallDataStatusHook("", SystemDef.DataDir, 1, 1), 1);
    EXPECT_EQ(calls.size(), 4u);
    linkage::RemoveLinkageHooks();
    EXPECT_FALSE(MenuHostProc);
}

} // namespace
