#include "platform/Folders.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace folders = vq::platform::folders;
namespace fs = std::filesystem;

namespace {

TEST(Folders, EverythingDerivesFromTheRoot)
{
    vq::test::ScopedRoot root;
    const fs::path r = root.path();
    EXPECT_EQ(folders::root(), r);
    EXPECT_EQ(folders::commonAppData(), r / "common");
    EXPECT_EQ(folders::documents(), r / "documents");
    EXPECT_EQ(folders::temp(), r / "tmp");
    EXPECT_EQ(folders::runtime(), r / "run");
    EXPECT_EQ(folders::registryFile(), r / "registry" / "HKLM.ini");
    for (const auto& folder : {r / "common", r / "documents", r / "tmp", r / "run", r / "registry"})
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
    EXPECT_TRUE(fs::exists(folders::program() / "platform_folders_test"));
}

TEST(Folders, WithoutVqRootUsesXdgFolders)
{
    vq::test::TempDir home;
    vq::test::ScopedRoot guard;   // restores VQ_ROOT afterwards
    ::unsetenv("VQ_ROOT");
    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* oldData = std::getenv("XDG_DATA_HOME");
    std::string savedData = oldData ? oldData : "";
    ::setenv("HOME", home.path().c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    fs::create_directories(home / ".config");
    vq::test::writeBytes(home / ".config" / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/文書\"\n");

    EXPECT_EQ(folders::root(), home / "data" / "vorlen");
    EXPECT_EQ(folders::documents(), home / "文書");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(folders::root(), home / ".local" / "share" / "vorlen");

    ::setenv("HOME", oldHome.c_str(), 1);
    if (oldData)
        ::setenv("XDG_DATA_HOME", savedData.c_str(), 1);
}

TEST(Folders, DriveMap)
{
    vq::test::ScopedRoot root;
    EXPECT_TRUE(folders::driveMap().empty());
    folders::mapDrive('s', "/mnt/share");
    folders::mapDrive('T', "/mnt/other");
    EXPECT_EQ(folders::driveRoot('S'), fs::path("/mnt/share"));
    EXPECT_EQ(folders::driveRoot('t'), fs::path("/mnt/other"));
    EXPECT_EQ(folders::driveMap().size(), 2u);
    folders::unmapDrive('S');
    EXPECT_EQ(folders::driveRoot('s'), std::nullopt);
    EXPECT_EQ(vq::test::readBytes(root.path() / "drives.ini"), "[Drives]\r\nT=/mnt/other\r\n");
}

} // namespace
