#include "platform/AtomicFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::size_t entriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFile, CreatesAndReplacesKeepingTheMode)
{
    vq::test::TempDir dir;
    auto file = dir / "new" / "data.bin";
    vq::platform::writeFileAtomically(file, std::string("a\0b", 3));
    EXPECT_EQ(vq::test::readBytes(file), std::string("a\0b", 3));

    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    vq::platform::writeFileAtomically(file, "second");
    EXPECT_EQ(vq::test::readBytes(file), "second");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entriesIn(file.parent_path()), 1u); // no temporary left behind

    auto link = dir / "link.bin";
    fs::create_symlink(file, link);
    vq::platform::writeFileAtomically(link, "through the link");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(vq::test::readBytes(file), "through the link");
}

TEST(AtomicFile, FailureLeavesTheOldContentAndNoTemporary)
{
    vq::test::TempDir dir;
    // A folder in the way of the file: the rename must fail.
    auto blocked = dir / "blocked";
    fs::create_directories(blocked / "inside");
    EXPECT_THROW(vq::platform::writeFileAtomically(blocked, "x"), std::system_error);
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(entriesIn(dir.path()), 1u);

    // A file in the way of the folder.
    vq::test::writeBytes(dir / "plain", "old");
    EXPECT_THROW(vq::platform::writeFileAtomically(dir / "plain" / "x.txt", "x"), std::system_error);
    EXPECT_EQ(vq::test::readBytes(dir / "plain"), "old");
}

} // namespace
