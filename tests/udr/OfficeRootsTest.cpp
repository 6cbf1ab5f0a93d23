// The confinement of the server file routines' paths, without a server: an
// office root with a data folder, a sibling whose name starts like the root,
// a folder outside, and links inside the root that lead out.
#include <gtest/gtest.h>

#include <sstream>

#include "OfficeRoots.h"
#include "TempDir.h"

using vq::udr::OfficeRoots;
using vq::udr::PathUse;
namespace fs = std::filesystem;

namespace {

class OfficeRootsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(office() / "data");
        fs::create_directories(dir_ / "office2");
        fs::create_directories(dir_ / "outside");
        vq::test::writeBytes(office() / "data" / "a.txt", "a");
        vq::test::writeBytes(dir_ / "outside" / "secret", "s");
        fs::create_directory_symlink(dir_ / "outside", office() / "out");
        fs::create_symlink(dir_ / "outside" / "new-file", office() / "nowhere");
        fs::create_directory_symlink(office() / "data", office() / "inner");
    }

    // Resolved, so that expectations hold wherever the temp folder really lies.
    fs::path office() const { return fs::canonical(dir_.path()) / "office"; }

    OfficeRoots roots(const std::string& text) const
    {
        std::istringstream in(text);
        return OfficeRoots::parse(in);
    }

    vq::test::TempDir dir_;
};

} // namespace

TEST_F(OfficeRootsTest, ThePathsInsideTheOfficeResolveAndEveryEscapeIsRefused)
{
    const OfficeRoots office = roots(this->office().string() + "\n");
    const std::string o = this->office().string();
    struct Case {
        std::string path;
        PathUse use;
        std::string resolved;   // empty: refused
    };
    const Case cases[] = {
        {o + "/data/a.txt", PathUse::Change, o + "/data/a.txt"},
        {o + "//data/./a.txt", PathUse::Look, o + "/data/a.txt"},
        {o + "/data/", PathUse::Change, o + "/data"},
        {o + "/data/new/deeper/", PathUse::Change, o + "/data/new/deeper"},
        {o + "/data/new/../b.txt", PathUse::Change, o + "/data/b.txt"},
        {o + "/inner/a.txt", PathUse::Change, o + "/data/a.txt"},   // a link that stays inside
        {o, PathUse::Look, o},
        {o + "/", PathUse::Look, o},
        // The root itself is never changed, however it is written.
        {o, PathUse::Change, ""},
        {o + "/", PathUse::Change, ""},
        {o + "/data/..", PathUse::Change, ""},
        {o + "/./", PathUse::Change, ""},
        // Out through "..", a sibling that only starts like the root, links.
        {o + "/../outside/secret", PathUse::Look, ""},
        {o + "/data/../../../../../etc/passwd", PathUse::Look, ""},
        {o + "/../office2/x", PathUse::Change, ""},
        {o + "2/x", PathUse::Change, ""},
        {o + "/out/secret", PathUse::Look, ""},
        {o + "/out/", PathUse::Change, ""},
        {o + "/missing/../out/secret", PathUse::Change, ""},
        {o + "/nowhere", PathUse::Change, ""},   // a link to a file not yet written outside
        {(dir_.path() / "outside").string() + "/", PathUse::Change, ""},
        {"/", PathUse::Look, ""},
        {"office/data", PathUse::Look, ""},
        {"", PathUse::Look, ""},
    };
    for (const Case& c : cases) {
        const auto resolved = office.confine(c.path, c.use);
        EXPECT_EQ(resolved ? resolved->string() : "", c.resolved) << c.path;
    }
}

TEST_F(OfficeRootsTest, TheRootsFileListsAbsoluteFoldersAndRootsCountWhereTheyReallyLie)
{
    fs::create_directory_symlink(office(), dir_ / "office-link");
    std::vector<std::string> ignored;
    std::istringstream text("# the office\n\n   " + (dir_ / "office-link").string() + "/  \n" +
                            "relative/folder\n\t# indented comment\n" + (dir_ / "not-yet").string() + "\n");
    const OfficeRoots parsed = OfficeRoots::parse(text, &ignored);
    ASSERT_EQ(parsed.roots().size(), 2u);
    EXPECT_EQ(ignored, std::vector<std::string>{"relative/folder"});
    // A root given through a link admits the real folder and refuses the link's own removal.
    EXPECT_EQ(parsed.confine((dir_ / "office-link" / "data").string(), PathUse::Change), office() / "data");
    EXPECT_EQ(parsed.confine((office() / "data").string(), PathUse::Change), office() / "data");
    EXPECT_FALSE(parsed.confine((dir_ / "office-link").string(), PathUse::Change));
    // A root that does not exist admits nothing until it does.
    EXPECT_FALSE(parsed.confine((dir_ / "not-yet" / "x").string(), PathUse::Change));
    fs::create_directory(dir_ / "not-yet");
    EXPECT_TRUE(parsed.confine((dir_ / "not-yet" / "x").string(), PathUse::Change));

    // No roots (no file, or only comments): nothing is admitted.
    EXPECT_TRUE(OfficeRoots::load(dir_ / "missing.conf").empty());
    EXPECT_TRUE(roots("# nothing yet\n").empty());
    EXPECT_FALSE(OfficeRoots().confine((office() / "data").string(), PathUse::Look));
}
