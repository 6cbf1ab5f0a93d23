// Where the embedded engine's private root lives, and the folders it refuses:
// the engine loads whatever plugins that root names.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "TempDir.h"
#include "platform/db/DbError.h"
#include "platform/db/EmbeddedEngine.h"

using namespace vq;
using namespace vq::db;
namespace fs = std::filesystem;

namespace {

// Sets (or with nullopt unsets) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            previous_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (previous_)
            ::setenv(name_, previous_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

fs::path privateFolder(const fs::path& path)
{
    fs::create_directories(path);
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

std::string refusal(const fs::path& folder)
{
    try {
        prepareEngineRoot(folder);
    } catch (const DbError& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(EmbeddedEngineRoot, LivesInTheUsersRuntimeFolder)
{
    test::TempDir dir;
    const fs::path runtime = privateFolder(dir / "run");
    {
        ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.string());
        EXPECT_EQ(userRuntimeFolder(), runtime);
    }
    {
        // Without one, a folder of the temporary folder that only this user can enter.
        ScopedEnv xdg("XDG_RUNTIME_DIR", std::nullopt);
        ScopedEnv tmp("TMPDIR", dir.path().string());
        const fs::path made = userRuntimeFolder();
        EXPECT_EQ(made.parent_path(), dir.path());
        EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all);
        EXPECT_EQ(userRuntimeFolder(), made);   // found again
    }

    // What this process's engine is pointed at (nothing here has called it yet).
    fs::path root;
    {
        ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.string());
        ScopedEnv firebird("FIREBIRD", std::nullopt);
        root = ensureEmbeddedEngine();
        EXPECT_STREQ(std::getenv("FIREBIRD"), root.c_str());
    }
    EXPECT_EQ(root, runtime / "vq-firebird");
    EXPECT_TRUE(fs::exists(root / "firebird.conf"));
    EXPECT_TRUE(fs::exists(root / "plugins"));
    EXPECT_EQ(fs::status(root).permissions() & (fs::perms::group_write | fs::perms::others_write), fs::perms::none);
    EXPECT_EQ(prepareEngineRoot(runtime), root);   // a complete root is reused
}

TEST(EmbeddedEngineRoot, RefusesFoldersOthersCouldHavePlanted)
{
    test::TempDir dir;

    // The runtime folder, or the root inside it, writable by others.
    const fs::path open = privateFolder(dir / "open");
    fs::permissions(open, fs::perms::group_write | fs::perms::others_write, fs::perm_options::add);
    EXPECT_NE(refusal(open).find("others may write"), std::string::npos) << refusal(open);
    const fs::path openRoot = privateFolder(dir / "open-root");
    prepareEngineRoot(openRoot);
    fs::permissions(openRoot / "vq-firebird", fs::perms::others_write, fs::perm_options::add);
    EXPECT_NE(refusal(openRoot).find("others may write"), std::string::npos) << refusal(openRoot);

    // Reached through a symbolic link: the runtime folder itself, or a root
    // that points elsewhere.
    const fs::path target = privateFolder(dir / "target");
    fs::create_directory_symlink(target, dir / "link");
    EXPECT_NE(refusal(dir / "link").find("symbolic link"), std::string::npos) << refusal(dir / "link");
    const fs::path planted = privateFolder(dir / "planted");
    prepareEngineRoot(target);
    fs::create_directory_symlink(target / "vq-firebird", planted / "vq-firebird");
    EXPECT_NE(refusal(planted).find("symbolic link"), std::string::npos) << refusal(planted);
    {
        ScopedEnv xdg("XDG_RUNTIME_DIR", (dir / "link").string());
        EXPECT_THROW(userRuntimeFolder(), DbError);
    }

    // Another user's folder: made so when the tests run as root, else one
    // of the system's.
    fs::path foreign = "/usr";
    if (::geteuid() == 0) {
        foreign = privateFolder(dir / "foreign");
        ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
    }
    EXPECT_NE(refusal(foreign).find("another user"), std::string::npos) << refusal(foreign);
    {
        // A folder squatted under the name the fallback would make.
        ScopedEnv xdg("XDG_RUNTIME_DIR", std::nullopt);
        ScopedEnv tmp("TMPDIR", dir.path().string());
        const fs::path squatted = dir / ("vq-runtime-" + std::to_string(::geteuid()));
        privateFolder(squatted);
        fs::permissions(squatted, fs::perms::all);
        EXPECT_THROW(userRuntimeFolder(), DbError);
    }
}
