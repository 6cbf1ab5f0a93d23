// The local settings file: the reset, the sections of the connection kinds,
// the last connection kind, and the start-up read of the LOCAL section.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/IniFile.h"
#include "ui/AppIniSettings.h"
#include "ui/StartupSettings.h"

using namespace vq;
using namespace vq::ui;
namespace fs = std::filesystem;

namespace {

class AppIniSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        savedMode_ = ConnectMode;
        savedProduct_ = ProductKind;
        ConnectMode = ConnectStandAlone;
        ProductKind = 0;
        SystemDef.DataRootDir = root_.path().string();
        SystemDef.IniFileName = (root_.path() / "dozevid.ini").string();
        SystemDef.ComputerName = "TESTPC";
    }
    void TearDown() override
    {
        SystemDef = saved_;
        ConnectMode = savedMode_;
        ProductKind = savedProduct_;
    }
    platform::IniFile ini() const { return platform::IniFile(SystemDef.IniFileName); }
    void writeText(const std::string& text) const { std::ofstream(SystemDef.IniFileName, std::ios::binary) << text; }

    test::TempDir root_;
    TSystemDef saved_;
    std::uint8_t savedMode_ = 0;
    std::uint8_t savedProduct_ = 0;
};

} // namespace

TEST_F(AppIniSettingsTest, ResetWritesTheDefaultsKeepsSbcAndErasesOldSections)
{
    writeText("[DATABASE]\r\nX=1\r\n[MAINFORM]\r\nTOP=5\r\n[SBC]\r\nHOSTNAME=terminal1\r\n"
              "[APPLICATION]\r\nCONNECT=2\r\n[SERVER]\r\nHOSTNAME=old\r\nSYSDIR=d:/x\r\n");
    SystemDef.HostName = "TESTPC";
    SystemDef.SysDir = (root_.path() / "data").string();
    SystemDef.DbUser = "VORLEN";
    SystemDef.DbPassword = "tamsin";
    ASSERT_TRUE(WriteIni(1));

    const auto f = ini();
    EXPECT_FALSE(f.sectionExists("DATABASE"));
    EXPECT_FALSE(f.sectionExists("MAINFORM"));
    EXPECT_EQ(f.readString("SBC", "HOSTNAME"), "terminal1");
    EXPECT_EQ(SystemDef.HostName, "") << "stand-alone has no host";
    const std::pair<const char*, std::string> expected[] = {
        {"APPLICATION/TOP", "0"},       {"APPLICATION/LEFT", "0"},      {"APPLICATION/WIDTH", "1024"},
        {"APPLICATION/HEIGHT", "738"},  {"APPLICATION/CONNECT", "0"},   {"LOCAL/HOSTNAME", ""},
        {"LOCAL/GOGLOBAL", "NO"},       {"LOCAL/GROUP", "NO"},          {"LOCAL/SYSDIR", SystemDef.SysDir},
        {"LOCAL/USER", "VORLEN"},       {"LOCAL/PASSWORD", "tamsin"},   {"SERVER/HOSTNAME", ""},
        {"SERVER/GOGLOBAL", "NO"},      {"SERVER/GROUP", "NO"},         {"SERVER/SYSDIR", ""},
        {"SERVER/USER", "VORLEN"},      {"SERVER/PASSWORD", "tamsin"},
    };
    for (const auto& [where, value] : expected) {
        const std::string w = where;
        const auto slash = w.find('/');
        EXPECT_TRUE(f.valueExists(w.substr(0, slash), w.substr(slash + 1))) << where;
        EXPECT_EQ(f.readString(w.substr(0, slash), w.substr(slash + 1), "?"), value) << where;
    }
    // Nothing is left behind from the staged write.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(root_.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(AppIniSettingsTest, LastConnectionKind)
{
    const std::pair<const char*, int> cases[] = {{"abc", 0}, {"2", 2}, {"1", 1}, {"", 0}, {"1x", 0}};
    for (const auto& [text, kind] : cases) {
        ini().writeString("APPLICATION", "CONNECT", text);
        EXPECT_EQ(ReadConnect(), kind) << text;
    }
    EXPECT_EQ(ReadConnect(), 0);
    WriteConnect(2);
    EXPECT_EQ(ReadConnect(), 2);

    // Kinds outside 0-2 and other products leave the file alone.
    WriteConnect(3);
    EXPECT_EQ(ini().readString("APPLICATION", "CONNECT"), "2");
    ProductKind = 2;
    WriteConnect(1);
    EXPECT_EQ(ReadConnect(), 0) << "only the accounting application reads it";
    ProductKind = 0;
    EXPECT_EQ(ini().readString("APPLICATION", "CONNECT"), "2");
}

TEST_F(AppIniSettingsTest, SectionOfTheModeIsWrittenAndReadBack)
{
    ConnectMode = ConnectClientServer;
    SystemDef.HostName = "fileserver";
    SystemDef.GoGlobal = 0;
    SystemDef.SysDir = "d:/zeverivurev/data";
    SystemDef.DbUser = "VORLEN";
    SystemDef.DbPassword = "MixedCase9";
    WriteIni(0);
    EXPECT_FALSE(ini().sectionExists("LOCAL"));

    SystemDef = TSystemDef{};
    SystemDef.IniFileName = (root_.path() / "dozevid.ini").string();
    SystemDef.GroupLogon = 1;
    ini().writeString("SERVER", "USER", "vorlen");
    EXPECT_EQ(ReadIni(1), 1);
    EXPECT_EQ(SystemDef.HostName, "fileserver");
    EXPECT_EQ(SystemDef.SysDir, "d:/zeverivurev/data");
    EXPECT_EQ(SystemDef.DbUser, "VORLEN");
    EXPECT_EQ(SystemDef.DbPassword, "MixedCase9") << "the server compares passwords with letter case";
    EXPECT_EQ(SystemDef.GroupLogon, 0);

    // GOGLOBAL is yes only as exactly "YES"; missing keys give the defaults.
    ini().writeString("LOCAL", "GOGLOBAL", "yes");
    ReadIni(0);
    EXPECT_EQ(SystemDef.GoGlobal, 0);
    EXPECT_EQ(SystemDef.DbUser, "VORLEN");
    EXPECT_EQ(SystemDef.DbPassword, "tamsin");
    EXPECT_EQ(SystemDef.SysDir, "");
}

TEST_F(AppIniSettingsTest, CompanionProductsUseFixedLocalLogins)
{
    SystemDef.ViewDir = "/tmp/view";
    ProductKind = 1;
    EXPECT_EQ(LoadSettings(0), 1);
    EXPECT_EQ(SystemDef.SysDir, "/tmp/view/data");
    EXPECT_EQ(SystemDef.DbPassword, "tamsin");
    ProductKind = 3;
    EXPECT_EQ(LoadSettings(0), 1);
    EXPECT_EQ(SystemDef.SysDir, (root_.path() / "cb_data").string());
    ProductKind = 7;
    EXPECT_EQ(LoadSettings(0), 0);
}

TEST_F(AppIniSettingsTest, StartupWritesTheDefaultFileOnAFirstRun)
{
    ASSERT_FALSE(fs::exists(SystemDef.IniFileName));
    LoadLocalSettings("連動");
    EXPECT_TRUE(fs::exists(SystemDef.IniFileName));
    EXPECT_EQ(SystemDef.SysDir, (root_.path() / "data").string());
    EXPECT_EQ(SystemDef.DbUser, "VORLEN");
    EXPECT_EQ(SystemDef.DbPassword, "tamsin");
    EXPECT_EQ(SystemDef.HostName, "");
    EXPECT_EQ(SystemDef.GROUPID, 10000);
    EXPECT_EQ(ini().readString("LOCAL", "HOSTNAME", "?"), "");
}

TEST_F(AppIniSettingsTest, StartupReadsLocalAndRewritesAnEmptyOne)
{
    writeText("[LOCAL]\r\nHOSTNAME=box\r\nGOGLOBAL=YES\r\nGROUP=yes\r\nSYSDIR=\\srv\\data\r\n"
              "USER=vorlen\r\nPASSWORD=Tamsin2\r\n");
    LoadLocalSettings("連動");
    EXPECT_EQ(SystemDef.HostName, "") << "every run starts stand-alone";
    EXPECT_EQ(SystemDef.GoGlobal, 0);
    EXPECT_EQ(SystemDef.GroupLogon, 1);
    EXPECT_EQ(SystemDef.SysDir, "/srv/data");
    EXPECT_EQ(SystemDef.DbUser, "VORLEN");
    EXPECT_EQ(SystemDef.DbPassword, "Tamsin2");

    writeText("[APPLICATION]\r\nCONNECT=1\r\n[LOCAL]\r\n\r\n");
    LoadLocalSettings("連動");
    EXPECT_EQ(ini().readString("LOCAL", "USER"), "VORLEN");
    EXPECT_EQ(SystemDef.SysDir, (root_.path() / "data").string());
    EXPECT_EQ(ini().readString("APPLICATION", "CONNECT"), "0");
}

TEST_F(AppIniSettingsTest, StartupFailuresCarryTheTextToShow)
{
    // A file stands where the settings file's folder belongs.
    std::ofstream(root_.path() / "blocker") << "x";
    SystemDef.IniFileName = (root_.path() / "blocker" / "dozevid.ini").string();
    try {
        LoadLocalSettings("連動");
        FAIL() << "no settings, no start";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "アプリケーションの初期設定がおこなわれていないため\r連動を終了します。");
    }
    SystemDef.DataRootDir.clear();
    try {
        LoadLocalSettings("連動");
        FAIL() << "no data root, no start";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(),
                     "アプリケーションの初期化に失敗しました。\r連動を終了します。\rデータフォルダの取得に失敗しました。");
    }
}
