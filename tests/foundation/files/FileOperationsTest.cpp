// File operations by connection mode: the local mode acts on this computer's
// files; a mode it cannot serve answers False and touches nothing.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "foundation/files/FileOperations.h"
#include "platform/ScriptedInteraction.h"

using namespace vq;
namespace fs = std::filesystem;

TEST(FileOperations, LocalModeActsOnTheFileSystem)
{
    test::TempDir dir;
    platform::ScopedScriptedInteraction seam;
    const std::string folder = (dir / "a" / "b").string();
    const std::string file = (dir / "a" / "b" / "vqacc.fdb").string();

    EXPECT_FALSE(FileOpDExist(folder, 0));
    EXPECT_TRUE(FileOpMkDir(folder, 0));
    EXPECT_TRUE(FileOpDExist(folder, 0));
    EXPECT_FALSE(FileOpFExist(folder, 0)); // a folder is no file
    test::writeBytes(file, "data");
    EXPECT_TRUE(FileOpFExist(file, 0));

    const std::string copy = (dir / "c" / "vqacc.fdb").string();
    EXPECT_TRUE(FileOpFCopy(file, copy, 0));
    EXPECT_EQ(test::readBytes(copy), "data");
    const std::string moved = (dir / "a" / "moved.fdb").string();
    EXPECT_TRUE(FileOpFMove(file, moved, 0));
    EXPECT_FALSE(FileOpFExist(file, 0));
    EXPECT_FALSE(FileOpFMove(file, moved, 0)); // nothing left to move

    EXPECT_TRUE(FileOpFDel(moved, 0, false));
    EXPECT_FALSE(FileOpFExist(moved, 0));
    EXPECT_TRUE(FileOpRmDir((dir / "a").string(), 0, false));
    EXPECT_FALSE(FileOpDExist((dir / "a").string(), 0));
    EXPECT_FALSE(FileOpRmDir("/", 0, false)); // refused, with a message
    EXPECT_EQ(seam->messages.size(), 1u);
}

TEST(FileOperations, UnservedModesAnswerFalseAndTouchNothing)
{
    test::TempDir dir;
    const std::string file = (dir / "vqacc.fdb").string();
    test::writeBytes(file, "data");
    for (std::uint8_t mode : {1, 2, 3}) {
        SCOPED_TRACE(static_cast<int>(mode));
        EXPECT_FALSE(FileOpFExist(file, mode));
        EXPECT_FALSE(FileOpDExist(dir.path().string(), mode));
        EXPECT_FALSE(FileOpMkDir((dir / "new").string(), mode));
        EXPECT_FALSE(FileOpFCopy(file, (dir / "copy").string(), mode));
        EXPECT_FALSE(FileOpFMove(file, (dir / "moved").string(), mode));
        EXPECT_FALSE(FileOpFDel(file, mode, false));
        EXPECT_FALSE(FileOpRmDir(dir.path().string(), mode, false));
    }
    EXPECT_TRUE(fs::exists(file));
    EXPECT_FALSE(fs::exists(dir / "new"));
    EXPECT_FALSE(fs::exists(dir / "copy"));
}
