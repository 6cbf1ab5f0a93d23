#include "datasets/operations/StagedFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "FailingFileSystem.h"
#include "TempDir.h"

namespace fs = std::filesystem;
using namespace vq;
using vq::test::readBytes;
using vq::test::snapshotOf;
using vq::test::writeBytes;

namespace {

class StagedFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(dir_ / "src" / "001");
        writeBytes(dir_ / "src" / "vqacc.fdb", std::string(5000, 'S'));
        writeBytes(dir_ / "src" / "vqacc.ini", "[DATASTS]\nSTATUS=1\n");
        writeBytes(dir_ / "src" / "001" / "vqacc.fdb", std::string(3000, 'C'));
        fs::create_directories(dir_ / "dst" / "002");
        writeBytes(dir_ / "dst" / "vqacc.fdb", std::string(4000, 'T'));
        writeBytes(dir_ / "dst" / "print.ini", "mine");
        writeBytes(dir_ / "dst" / "002" / "vqacc.fdb", std::string(100, 'c'));
    }

    // Only the two data-set folders: no stage or old copy left beside them.
    std::vector<std::string> siblings() const
    {
        std::vector<std::string> names;
        for (const fs::path& p : SortedFolderEntries(dir_.path()))
            names.push_back(p.filename().string());
        return names;
    }

    vq::test::TempDir dir_;
};

TEST_F(StagedFolderTest, ListingsAreSortedByName)
{
    for (const char* name : {"b", "003", "a", "001"})
        fs::create_directories(dir_ / "list" / name);
    std::vector<std::string> names;
    for (const fs::path& p : SortedFolderEntries(dir_ / "list"))
        names.push_back(p.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"001", "003", "a", "b"}));
    EXPECT_TRUE(SortedFolderEntries(dir_ / "missing").empty());
}

TEST_F(StagedFolderTest, ContainmentIsJudgedOnCanonicalComponents)
{
    fs::create_directories(dir_ / "a" / "b" / "c");
    fs::create_directories(dir_ / "a" / "b2");
    fs::create_directory_symlink(dir_ / "a" / "b", dir_ / "link");
    struct Case {
        fs::path inner, outer;
        bool inside;
    } cases[] = {
        {dir_ / "a" / "b" / "c", dir_ / "a" / "b", true},
        {dir_ / "a" / "b", dir_ / "a" / "b/", true},
        {dir_ / "a" / "b2", dir_ / "a" / "b", false},          // a prefix of the text is no parent
        {dir_ / "a" / "b" / ".." / "b2", dir_ / "a" / "b", false},
        {dir_ / "link" / "c", dir_ / "a" / "b", true},         // through a link
        {dir_ / "a" / "b" / "new", dir_ / "a" / "b", true},    // not made yet
        {dir_ / "a", dir_ / "a" / "b", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSameOrInsideFolder(c.inner, c.outer), c.inside) << c.inner << " in " << c.outer;
    EXPECT_TRUE(IsSameFolder(dir_ / "link", dir_ / "a" / "b/"));
}

TEST_F(StagedFolderTest, CommitReplacesTheTargetWithTheCompleteCopy)
{
    {
        StagedFolder stage(dir_ / "dst");
        stage.copyTree(dir_ / "dst", [](const fs::path& rel) { return rel == "002"; });
        stage.copyTree(dir_ / "src");
        ASSERT_TRUE(stage.holdsCopyOf(dir_ / "src"));
        stage.commit();
    }
    EXPECT_EQ(readBytes(dir_ / "dst" / "vqacc.fdb"), std::string(5000, 'S'));
    EXPECT_EQ(readBytes(dir_ / "dst" / "001" / "vqacc.fdb"), std::string(3000, 'C'));
    EXPECT_EQ(readBytes(dir_ / "dst" / "print.ini"), "mine");
    EXPECT_FALSE(fs::exists(dir_ / "dst" / "002"));
    EXPECT_EQ(siblings(), (std::vector<std::string>{"dst", "src"}));
}

TEST_F(StagedFolderTest, AFailureAtAnyFileLeavesTheTargetByteIdentical)
{
    const auto before = snapshotOf(dir_ / "dst");
    for (int n = 0; n < 4; ++n) {
        vq::test::ScopedFailingFileSystem failing(n);
        EXPECT_ANY_THROW({
            StagedFolder stage(dir_ / "dst");
            stage.copyTree(dir_ / "dst");
            stage.copyTree(dir_ / "src");
            stage.commit();
        }) << n;
        EXPECT_EQ(snapshotOf(dir_ / "dst"), before) << n;
        EXPECT_EQ(siblings(), (std::vector<std::string>{"dst", "src"})) << n;
    }
}

TEST_F(StagedFolderTest, AFailedSwapPutsTheOldTargetBack)
{
    const auto before = snapshotOf(dir_ / "dst");
    vq::test::ScopedFailingFileSystem failing(100);
    StagedFolder stage(dir_ / "dst");
    stage.copyTree(dir_ / "src");
    failing->failRenames = true;
    EXPECT_ANY_THROW(stage.commit());
    EXPECT_EQ(snapshotOf(dir_ / "dst"), before);
}

TEST_F(StagedFolderTest, TrashKeepsTheFolderAndWhereItCameFrom)
{
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", (dir_ / "xdg").c_str(), 1);
    MoveToTrash(dir_ / "src");
    MoveToTrash(dir_ / "dst");
    fs::create_directories(dir_ / "src");
    MoveToTrash(dir_ / "src");
    old ? ::setenv("XDG_DATA_HOME", saved.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");

    EXPECT_FALSE(fs::exists(dir_ / "src"));
    EXPECT_EQ(readBytes(dir_ / "xdg" / "Trash" / "files" / "src" / "vqacc.fdb"), std::string(5000, 'S'));
    EXPECT_TRUE(fs::is_directory(dir_ / "xdg" / "Trash" / "files" / "src.2"));
    const std::string info = readBytes(dir_ / "xdg" / "Trash" / "info" / "dst.trashinfo");
    EXPECT_NE(info.find("[Trash Info]\nPath=" + (dir_ / "dst").string() + "\nDeletionDate="), std::string::npos);
    EXPECT_ANY_THROW(MoveToTrash(dir_ / "missing"));
}

} // namespace
