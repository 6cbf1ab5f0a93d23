// Network drives: the mount table read from mountinfo text, which mounts are
// network ones, and the universal name of a path on them.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "datasets/NetworkDrives.h"
#include "platform/Folders.h"

using namespace vq;

namespace {

const char* const kMountInfo =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "40 22 0:35 / /mnt/office rw,relatime shared:20 - nfs4 fileserver:/export/office rw,vers=4.2\n"
    "41 22 0:36 / /mnt/win\\040share rw - cifs //nas/kaikei rw\n"
    "42 22 0:37 / /mnt/local rw - ext4 /dev/sdb1 rw\n";

class NetworkDrivesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = SetMountTableReader([] { return ParseMountInfo(kMountInfo); });
    }
    void TearDown() override { SetMountTableReader(previous_); }
    MountTableReader previous_;
};

} // namespace

TEST(MountInfo, ParsesMountPointTypeAndSource)
{
    const auto mounts = ParseMountInfo(kMountInfo);
    ASSERT_EQ(mounts.size(), 4u);
    EXPECT_EQ(mounts[1].mountPoint, "/mnt/office");
    EXPECT_EQ(mounts[1].fsType, "nfs4");
    EXPECT_EQ(mounts[1].source, "fileserver:/export/office");
    EXPECT_EQ(mounts[2].mountPoint, "/mnt/win share");
    EXPECT_TRUE(IsNetworkFileSystem("cifs"));
    EXPECT_FALSE(IsNetworkFileSystem("ext4"));
}

TEST_F(NetworkDrivesTest, UniversalNamesAndDrives)
{
    test::ScopedRoot root;
    platform::folders::mapDrive('X', "/mnt/office");
    platform::folders::mapDrive('Y', "/mnt/local");
    struct Case {
        std::string path, universal;
    } cases[] = {
        {"/mnt/office/zeverivurev/sv0001", "fileserver:/export/office/zeverivurev/sv0001"},
        {"/mnt/win share/data", "//nas/kaikei/data"},
        {"/mnt/local/data/0005", "/mnt/local/data/0005"},
        {"/home/office/data/0005", "/home/office/data/0005"},
        {"X:/zeverivurev", "fileserver:/export/office/zeverivurev"},
        {"Y:/data", "Y:/data"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UniversalName(c.path), c.universal) << c.path;
    EXPECT_TRUE(IsNetworkDrive('X'));
    EXPECT_TRUE(IsNetworkDrive('x'));
    EXPECT_FALSE(IsNetworkDrive('Y'));
    EXPECT_FALSE(IsNetworkDrive('Z'));
}
