// Network drives: the mount table read from mountinfo text, which mounts are
// network ones, and the universal name of a path on them.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "datasets/NetworkDrives.h"
#include "foundation/files/FileUtils.h"
#include "platform/Folders.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>

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

namespace {

// A look at folders that hangs on one drive until released, as a hard NFS
// mount of a server that went away does.
struct HangingDrive {
    struct Gate {
        std::mutex m;
        std::condition_variable cv;
        bool open = false;
    };
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    FolderLookFunc previous;

    explicit HangingDrive(char letter)
    {
        previous = SetFolderLook([gate = gate, letter](const std::string& folder) {
            if (!folder.empty() && folder[0] == letter) {
                std::unique_lock lock(gate->m);
                gate->cv.wait(lock, [&] { return gate->open; });
            }
            std::error_code ec;
            return std::filesystem::is_directory(ResolveDrivePath(folder), ec);
        });
    }
    ~HangingDrive()
    {
        SetFolderLook(previous);
        std::lock_guard lock(gate->m);
        gate->open = true;
        gate->cv.notify_all();
    }
};

} // namespace

TEST_F(NetworkDrivesTest, ShareDrivesAreNetworkDrivesHoldingTheShareFolderAndAHungOneIsLeftOut)
{
    namespace fs = std::filesystem;
    test::ScopedRoot root;
    const fs::path office = root.path() / "office";
    for (const char* sub : {"office/zeverivurev", "win share/zeverivurev", "local/zeverivurev"})
        fs::create_directories(root.path() / sub);
    fs::create_directories(root.path() / "empty");
    SetMountTableReader([base = root.path().string()] {
        return ParseMountInfo("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                              "40 22 0:35 / " + base + "/office rw - nfs4 fileserver:/export/office rw\n"
                              "41 22 0:36 / " + base + "/win\\040share rw - cifs //nas/kaikei rw\n"
                              "42 22 0:37 / " + base + "/empty rw - nfs4 fileserver:/export/empty rw\n");
    });
    platform::folders::mapDrive('X', office);
    platform::folders::mapDrive('W', root.path() / "win share");
    platform::folders::mapDrive('L', root.path() / "local");   // holds the share folder, but is no network drive
    platform::folders::mapDrive('E', root.path() / "empty");   // a network drive without the share folder

    auto drives = ListShareDrives("zeverivurev", std::chrono::seconds(5));
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0].Letter, 'W');
    EXPECT_EQ(drives[0].Text, "W: //nas/kaikei");
    EXPECT_EQ(drives[1].Letter, 'X');
    EXPECT_EQ(drives[1].Text, "X: fileserver:/export/office");
    EXPECT_EQ(ShareDrivePath('x', "zeverivurev"), "X:/zeverivurev");

    // The server behind W stops answering: the list comes back without it.
    HangingDrive hung('W');
    drives = ListShareDrives("zeverivurev", std::chrono::milliseconds(300));
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].Letter, 'X');
    EXPECT_EQ(ProbeFolder("W:/zeverivurev", std::chrono::milliseconds(100)), FolderProbeResult::Unreachable);
    EXPECT_EQ(ProbeFolder("X:/zeverivurev", std::chrono::seconds(5)), FolderProbeResult::Present);
    EXPECT_EQ(ProbeFolder("X:/elsewhere", std::chrono::seconds(5)), FolderProbeResult::Missing);

    EXPECT_EQ(FreeDriveLetter(), 'Z');
    platform::folders::mapDrive('Z', office);
    EXPECT_EQ(FreeDriveLetter(), 'Y');
}

// A folder is given a letter only when it lies on a mounted network file
// system and has no letter yet.
TEST_F(NetworkDrivesTest, AFolderIsMappableOnlyOnAShareWithoutALetter)
{
    test::ScopedRoot root;
    platform::folders::mapDrive('X', "/mnt/office");
    platform::folders::mapDrive('Y', "/mnt/local");
    using R = TShareFolderCheck::Result;
    const struct {
        const char* folder;
        R outcome;
        char letter;
    } cases[] = {
        {"/mnt/office", R::AlreadyMapped, 'X'},
        {"/mnt/office/", R::AlreadyMapped, 'X'},
        {"/mnt/office/zeverivurev", R::Mappable, 0},
        {"/mnt/win share", R::Mappable, 0},
        {"/mnt/local", R::NotAShare, 0},
        {"/mnt/office/../local", R::NotAShare, 0},
        {"/home/clerk", R::NotAShare, 0},
    };
    for (const auto& c : cases) {
        const TShareFolderCheck check = CheckShareFolder(c.folder);
        EXPECT_EQ(check.Outcome, c.outcome) << c.folder;
        EXPECT_EQ(check.Letter, c.letter) << c.folder;
    }
}
