#include "foundation/app/Environment.h"
#include "foundation/files/FileUtils.h"
#include "foundation/app/MessageWait.h"
#include "foundation/files/SaveFolderUac.h"
#include "foundation/files/SettingsFiles.h"
#include "foundation/app/RunState.h"
#include "foundation/files/ShellOperations.h"
#include "foundation/app/SystemDef.h"
#include "platform/Cp932.h"
#include "platform/Folders.h"
#include "platform/RegistryStore.h"
#include "platform/ScriptedInteraction.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vq;
namespace fs = std::filesystem;

namespace {

void setUacSwitch(int value)
{
    platform::RegistryStore::machine().writeInteger(
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "EnableLUA", value);
}

} // namespace

TEST(ShellOperations, RefusesRootsDrivesAndTheSystemFolder)
{
    vq::test::ScopedRoot root;
    platform::folders::mapDrive('S', root.path() / "share");
    fs::create_directories(root.path() / "share");
    const std::pair<std::string, bool> cases[] = {
        {"", false},          {"   ", false},      {"C:", false},          {"c:\\", false},
        {"D:/", false},       {"/", false},        {"/tmp/..", false},     {"/usr/bin", false},
        {"/USR/BIN", false},  {"/usr/bin/", false}, // a trailing delimiter is the same folder
        {(root.path() / "share").string(), false},  // the mount point of a mapped drive
        {"S:\\", false},      {"S:\\data", true},   {"C:\\data", true},     {"/home/user/data", true},
        {"　", false},        {" 　/ ", false},    // full-width blanks are blanks
        {"/*", false},        {"D:\\*.*", false}, {"/usr/bin/*", false},  {"S:\\*", false},
        {"/home/user/data/*", true},                 {"S:\\data\\*.fdb", true},
    };
    for (const auto& [path, safe] : cases)
        EXPECT_EQ(IsSafeShellPath(path), safe) << "[" << path << "]";
}

TEST(ShellOperations, DeleteAndCopy)
{
    vq::test::ScopedRoot root;
    platform::ScopedScriptedInteraction ui;
    EXPECT_FALSE(ShellDeleteSafe("D:\\", FO_DELETE));
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, "ルート・システムディレクトリは、削除できません。<D:\\> ");
    EXPECT_EQ(ui->messages[0].kind, platform::MessageKind::Error);
    EXPECT_FALSE(ShellDeleteSafe("/tmp/x", FO_MOVE)); // not a delete: silently refused
    EXPECT_FALSE(ShellDeleteSafe("/*", FO_DELETE)); // a wildcard over the root is refused, not expanded
    EXPECT_EQ(ui->messages.back().text, "ルート・システムディレクトリは、削除できません。</*> ");
    EXPECT_FALSE(ShellDeleteSafe("/", FO_RENAME));
    EXPECT_EQ(ui->messages.back().text, "ルート・システムディレクトリは、変更できません。</> ");

    fs::path src = root.path() / "src";
    fs::create_directories(src / "sub");
    vq::test::writeBytes(src / "a.fdb", "A");
    vq::test::writeBytes(src / "sub" / "b.ini", "B");
    fs::path dst = root.path() / "dst";
    EXPECT_TRUE(ShellCopySafe((src / "*").string(), dst.string(), FO_COPY));
    EXPECT_EQ(vq::test::readBytes(dst / "a.fdb"), "A");
    EXPECT_EQ(vq::test::readBytes(dst / "sub" / "b.ini"), "B");
    vq::test::writeBytes(src / "a.fdb", "A2");
    EXPECT_TRUE(ShellCopySafe((src / "a.fdb").string(), dst.string(), FO_COPY)); // into the folder, replacing
    EXPECT_EQ(vq::test::readBytes(dst / "a.fdb"), "A2");
    EXPECT_TRUE(CopyFileOverwrite((src / "a.fdb").string(), (dst / "c.fdb").string()));
    EXPECT_EQ(vq::test::readBytes(dst / "c.fdb"), "A2");
    EXPECT_FALSE(ShellCopySafe(src.string(), (src / "sub").string(), FO_COPY)); // into itself
    EXPECT_FALSE(ShellCopySafe(src.string(), dst.string(), FO_DELETE));

    std::size_t shown = ui->messages.size();
    EXPECT_FALSE(ShellCopySafe("C:", dst.string(), FO_COPY));
    EXPECT_EQ(ui->messages.size(), shown + 1);
    EXPECT_EQ(ui->messages.back().text, "指定ディレクトリ[C:->" + dst.string() + "]の複写・移動はできません。 ");

    EXPECT_TRUE(ShellDeleteSafe(dst.string(), FO_DELETE));
    EXPECT_FALSE(fs::exists(dst));
    EXPECT_TRUE(ShellDeleteSafe(src.string(), FO_DELETE, true)); // undo: into the trash
    EXPECT_FALSE(fs::exists(src));
    EXPECT_FALSE(fs::is_empty(root.path() / "trash"));
    EXPECT_FALSE(ShellDeleteSafe(src.string(), FO_DELETE)); // nothing left to delete
}

TEST(SettingsFiles, SectionsAndKeysOfACp932File)
{
    vq::test::TempDir dir;
    const std::string file = (dir / "vqacc.ini").string();
    vq::test::writeBytes(file, platform::cp932::fromUtf8("[DATAINFO]\r\n会社名=山田商店\r\nNENDO=2024\r\n"
                                                         "[DATASTS]\r\nSTATUS=1\r\n"));
    std::string text = "unchanged";
    ReadIniSection(file, "", text);
    EXPECT_EQ(text, "unchanged");
    ReadIniSection(file, "datainfo", text);
    EXPECT_EQ(text, "会社名=山田商店\r\nNENDO=2024\r\n");

    WriteIniSection(file, "DATAINFO", {"会社名=鈴木工業", "期首=2024/04/01"});
    WriteIniKey(file, "DATASTS", "STATUS", false, std::int64_t{10});
    WriteIniKey(file, "DATASTS", "LOCK", false, "はい");
    WriteIniKey(file, "DATASTS", "LOCK", true, "");
    ReadIniSection(file, "DATAINFO", text);
    EXPECT_EQ(text, "会社名=鈴木工業\r\n期首=2024/04/01\r\n");
    ReadIniSection(file, "DATASTS", text);
    EXPECT_EQ(text, "STATUS=10\r\n");

    std::string raw = vq::test::readBytes(file);
    EXPECT_NE(raw.find(platform::cp932::fromUtf8("鈴木工業")), std::string::npos);
    EXPECT_EQ(raw.find("鈴木工業"), std::string::npos); // not UTF-8 on disk
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(SaveFolderUac, SystemDriveRootAsksForDocuments)
{
    vq::test::ScopedRoot root;
    platform::ScopedScriptedInteraction ui;
    setUacSwitch(0);
    std::string folder = "/";
    EXPECT_TRUE(CheckSaveFolderUac(folder));
    EXPECT_EQ(folder, "/");
    EXPECT_TRUE(ui->messages.empty());

    setUacSwitch(1);
    ui->messageAnswers = {platform::ResultNo};
    EXPECT_FALSE(CheckSaveFolderUac(folder));
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(ui->messages[0].kind, platform::MessageKind::Warning);

    ui->messageAnswers = {platform::ResultYes};
    std::string file = "/data.csv";
    EXPECT_TRUE(CheckSaveFileUac(file));
    EXPECT_EQ(file, GetMyDocumentsFolder() + "/data.csv");

    const std::size_t asked = ui->messages.size();
    std::string bare = "data.csv"; // no folder: nothing to check, nothing moved into the root
    EXPECT_TRUE(CheckSaveFileUac(bare));
    EXPECT_EQ(bare, "data.csv");
    EXPECT_EQ(ui->messages.size(), asked);

    std::string elsewhere = (root.path() / "out").string();
    EXPECT_TRUE(CheckSaveFolderUac(elsewhere));
    EXPECT_EQ(elsewhere, (root.path() / "out").string() + "/");

    // No opens the dialog again; the second choice is taken.
    ui->fileAnswers = {std::string("/a.xml"), (root.path() / "b.xml").string()};
    ui->messageAnswers = {platform::ResultNo};
    std::string chosen;
    EXPECT_TRUE(ExecuteSaveDialogUac({}, chosen));
    EXPECT_EQ(chosen, (root.path() / "b.xml").string());
    EXPECT_FALSE(ExecuteSaveDialogUac({}, chosen)); // cancelled
}

TEST(SaveFolderUac, SelectSaveFolderRefusesLongPaths)
{
    vq::test::ScopedRoot root;
    platform::ScopedScriptedInteraction ui;
    const std::string longPath = "/" + std::string(299, 'a');
    ui->fileAnswers = {longPath};
    std::string folder = "/start";
    EXPECT_FALSE(SelectSaveFolder("", folder));
    EXPECT_EQ(folder, longPath);
    ASSERT_EQ(ui->fileDialogs.size(), 1u);
    EXPECT_EQ(ui->fileDialogs[0].title, "フォルダを選択して下さい");
    EXPECT_EQ(ui->fileDialogs[0].initialPath, "/start");
    EXPECT_EQ(ui->messages.back().text,
              "選択した場所(パス)の文字長が処理できる範囲を超えました。\r別の場所を選択して下さい。\r");

    setUacSwitch(1);
    ui->fileAnswers = {std::string("/")};
    EXPECT_TRUE(SelectSaveFolder("保存先", folder, true)); // the check skipped
    EXPECT_EQ(folder, "/");
}

TEST(FileUtils, FoldersAndTheirFallbacks)
{
    vq::test::ScopedRoot root;
    fs::path base = root.path() / "data";
    EXPECT_TRUE(ForceFolder((base / "a" / "b").string() + "/"));
    EXPECT_TRUE(fs::is_directory(base / "a" / "b"));
    EXPECT_FALSE(ForceFolder("Q:"));
    vq::test::writeBytes(base / "file.txt", "x");
    fs::create_directories(base / "z");

    EXPECT_EQ(ListSubFolders(base.string(), 1), (std::vector<std::string>{"a", "z"}));
    EXPECT_EQ(ListSubFolders(base.string(), 0),
              (std::vector<std::string>{base.string() + "/a", base.string() + "/z"}));
    EXPECT_TRUE(ListSubFolders((base / "missing").string(), 1).empty());
    EXPECT_TRUE(ListSubFolders("", 1).empty());
    EXPECT_TRUE(ListSubFolders(" 　", 1).empty());

    const char* previous = std::getenv("TEMP");
    std::string saved = previous ? previous : "";
    ::setenv("TEMP", (root.path() / "missing").c_str(), 1);
    EXPECT_EQ(GetTempFolder("/fallback"), "/fallback");
    ::setenv("TEMP", (base.string() + "/").c_str(), 1);
    EXPECT_EQ(GetTempFolder("/fallback"), base.string());
    if (previous)
        ::setenv("TEMP", saved.c_str(), 1);
    else
        ::unsetenv("TEMP");

    EXPECT_EQ(IncludeBackslash("/a"), "/a/");
    EXPECT_EQ(IncludeBackslash("/a/"), "/a/");
    EXPECT_EQ(ExcludeBackslash("/a/"), "/a");

    platform::folders::mapDrive('N', base);
    EXPECT_EQ(GetUniversalPath("N:\\a\\b"), (base / "a" / "b").string());
    EXPECT_EQ(GetUniversalPath("C:\\a"), "C:\\a");
    EXPECT_EQ(GetUniversalPath(""), "");
    std::string shortPath;
    GetShortPath((base / "a" / ".." / "file.txt").string(), shortPath);
    EXPECT_EQ(shortPath, fs::canonical(base / "file.txt").string());
    EXPECT_THROW(GetShortPath((base / "nothing").string(), shortPath), std::runtime_error);

    EXPECT_EQ(GetSpecialFolderByName("DESKTOP"), (root.path() / "desktop").string());
    EXPECT_EQ(GetSpecialFolderByName("mydocument"), GetMyDocumentsFolder());
}

TEST(MessageWait, WaitsAreBoundedAndPump)
{
    int pumped = 0;
    SetMessagePump([&] { ++pumped; });
    EXPECT_TRUE(WaitWithMessages(5));
    EXPECT_GT(pumped, 0);
    EXPECT_FALSE(WaitForWithMessages([] { return false; }, 1, std::chrono::milliseconds(20)));
    int polls = 0;
    EXPECT_TRUE(WaitForWithMessages([&] { return ++polls == 3; }, 1));
    SetMessagePump({});
}

TEST(Environment, ComputerNameByConnectMode)
{
    platform::ScopedScriptedInteraction ui;
    const auto savedMode = ConnectMode;
    const auto savedLogin = SystemDef.LoginUserName;
    struct Case {
        std::uint8_t mode;
        std::string login;
        std::string computer;
        std::string expected;
    };
    const Case cases[] = {
        {ConnectStandAlone, "taro", "PC01", "PC01"},
        {ConnectClientServer, "", "", "PCNAME-ERROR"},
        {ConnectTerminal, "taro", "PC01", "taro"},
        {ConnectTerminal, "", "PC01", "ANONYMOUS"},
    };
    for (const auto& c : cases) {
        ConnectMode = c.mode;
        SystemDef.LoginUserName = c.login;
        ui->computer = c.computer;
        EXPECT_EQ(GetMyPcName(), c.expected);
    }
    ConnectMode = savedMode;
    SystemDef.LoginUserName = savedLogin;
}
