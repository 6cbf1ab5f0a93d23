#include "foundation/app/SystemFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/app/AccConstants.h"
#include "platform/Folders.h"
#include "tests/support/TempDir.h"

namespace vq {
namespace {

namespace fs = std::filesystem;

bool isUnder(const std::string& path, const fs::path& root)
{
    const fs::path rel = fs::path(path).lexically_relative(root);
    return !rel.empty() && *rel.begin() != "..";
}

TEST(SystemFolders, DerivesEveryDataFolderFromTheRoot)
{
    test::ScopedRoot root;
    TSystemDef def;
    ASSERT_TRUE(InitSystemFolders(def));

    const fs::path dataRoot = platform::folders::commonAppData() / "draxon" / "zeverivurev";
    EXPECT_EQ(def.DataRootDir, dataRoot.string());
    EXPECT_EQ(def.IniDir, (dataRoot / "ini").string());
    EXPECT_EQ(def.LogDir, (dataRoot / "log").string());
    EXPECT_EQ(def.TempDir, (dataRoot / "temp").string());
    EXPECT_EQ(def.SysDir, (dataRoot / "data").string());
    EXPECT_EQ(def.IniFileName, (dataRoot / "dozevid.ini").string());
    EXPECT_EQ(def.DocumentsDir, (platform::folders::documents() / "draxon" / "zeverivurev").string());
    EXPECT_EQ(fs::path(def.ViewDir).filename(), "vqzview");
    EXPECT_EQ(fs::path(def.ViewDir).parent_path(), fs::path(def.WinTempDir));

    for (const std::string* folder : {&def.DataRootDir, &def.IniDir, &def.LogDir, &def.TempDir, &def.SysDir,
                                      &def.DocumentsDir, &def.WinTempDir, &def.ViewDir}) {
        EXPECT_TRUE(isUnder(*folder, root.path())) << *folder;
        EXPECT_NE(folder->back(), '/') << *folder;
    }
    for (const std::string* folder : {&def.IniDir, &def.LogDir, &def.TempDir, &def.DocumentsDir})
        EXPECT_TRUE(fs::is_directory(*folder)) << *folder;

    EXPECT_EQ(def.ProgramDir, platform::folders::program().string());
    EXPECT_EQ(def.ParentDir, fs::path(def.ProgramDir).parent_path().string());
    EXPECT_EQ(def.HelpDir, (fs::path(def.ParentDir) / "help").string());
    EXPECT_EQ(def.SqlDir, (fs::path(def.ParentDir) / "sql").string());
}

TEST(SystemFolders, FollowsTheInstallationsFolderNames)
{
    test::ScopedRoot root;
    BaseFolder = "maker/product";
    AppName = "tool";
    TSystemDef def;
    InitSystemFolders(def);
    ResetAccConstants();

    const fs::path dataRoot = platform::folders::commonAppData() / "maker" / "product";
    EXPECT_EQ(def.DataRootDir, dataRoot.string());
    EXPECT_EQ(def.IniFileName, (dataRoot / "tool.ini").string());
}

} // namespace
} // namespace vq
