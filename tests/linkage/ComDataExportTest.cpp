// The export base: its identity from the installed product, and the linkage
// settings file Ovidal.ini with the output file remembered only stand-alone.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/AppInfo.h"
#include "linkage/SyotokuzeiDataExport.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "platform/RegistryStore.h"

#include <filesystem>

using namespace vq;
using vq::linkage::TSyotokuzeiDataExport;
namespace fs = std::filesystem;

namespace {

class ComDataExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedInfo_ = AppInfo;
        AppInfo.ApplicationRegKey = "\\SOFTWARE\\DRAXON";
        AppInfo.RidedRegKey = "ZEVERIVUREV";
    }
    void TearDown() override { AppInfo = savedInfo_; }

    void install(const std::string& product, const std::string& version)
    {
        auto store = platform::RegistryStore::machine();
        store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Product", product);
        store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Version", version);
    }

    fs::path settingsFile() const
    {
        return platform::folders::commonAppData() / BaseFolder / "ini" / "Ovidal.ini";
    }

    test::ScopedRoot root_;
    TAppInfoRec savedInfo_;
};

TEST_F(ComDataExportTest, IdentityComesFromTheInstalledProduct)
{
    install("ヴォルレン財務 Ver.22", "14.1.0");
    TSyotokuzeiDataExport exportObj(0, "");
    EXPECT_EQ(exportObj.ProgramName, "ヴォルレン財務 Ver.22");
    EXPECT_EQ(exportObj.ProgramVer, "14.1.0");
    EXPECT_EQ(exportObj.WindowTitle, "所得税のOvidal from ヴォルレン財務 Ver.22");
    EXPECT_EQ(exportObj.TargetName, "所得税のOvidal");
    EXPECT_EQ(exportObj.RequiredVersion, "14.0.0");
    EXPECT_EQ(exportObj.GyoumuPrefix, "QX14");
    EXPECT_EQ(exportObj.LinkageKind, "QX");
    EXPECT_EQ(exportObj.SelectionMode, 2);
    EXPECT_EQ(exportObj.VersionMajor, "14");
    EXPECT_EQ(exportObj.RawFunctionId, 0);
    EXPECT_EQ(exportObj.FunctionId, 1);
    EXPECT_EQ(exportObj.SimeDay, 99);
    EXPECT_FALSE(exportObj.IncludeUtiwake);
    EXPECT_TRUE(fs::is_directory(exportObj.IniFolder));
    EXPECT_EQ(fs::path(exportObj.IniFileName()), settingsFile());

    TSyotokuzeiDataExport forCaller(7, "/out/qx.xml");
    EXPECT_EQ(forCaller.FunctionId, 7);
    EXPECT_EQ(forCaller.RawFunctionId, 7);
}

TEST_F(ComDataExportTest, NoInstalledProductLeavesNameAndVersionEmpty)
{
    TSyotokuzeiDataExport exportObj(0, "");
    EXPECT_EQ(exportObj.ProgramName, "");
    EXPECT_EQ(exportObj.ProgramVer, "");
    EXPECT_EQ(exportObj.WindowTitle, "所得税のOvidal from ");
    // A missing settings file reads as empty texts.
    EXPECT_EQ(exportObj.IniData, "");
    EXPECT_EQ(exportObj.KomonsakiName, "");
    EXPECT_EQ(exportObj.ExportFile, "");
}

TEST_F(ComDataExportTest, StandAloneSettingsRoundTripIncludingTheOutputFile)
{
    {
        TSyotokuzeiDataExport first(0, "");
        first.KomonsakiName = "山田商店";
        first.IniData = "D1";
        first.ExportFile = "/home/u/出力/qx.xml";
        first.SaveIni();
    }
    TSyotokuzeiDataExport next(0, "");
    EXPECT_EQ(next.KomonsakiName, "山田商店");
    EXPECT_EQ(next.IniData, "D1");
    EXPECT_EQ(next.ExportFile, "/home/u/出力/qx.xml");

    const platform::IniFile ini(settingsFile());
    EXPECT_EQ(ini.sections(), std::vector<std::string>{"SYOTOKUZEI"});
}

TEST_F(ComDataExportTest, ACallersOutputFileIsNeitherReadNorWritten)
{
    platform::IniFile ini(settingsFile());
    ini.writeString("SYOTOKUZEI", "EXPORTFILE", "/remembered.xml");
    ini.writeString("SYOTOKUZEI", "KOMONSAKI", "前回");

    TSyotokuzeiDataExport forCaller(3, "/caller/out.xml");
    EXPECT_EQ(forCaller.ExportFile, "/caller/out.xml");
    EXPECT_EQ(forCaller.KomonsakiName, "前回");
    forCaller.KomonsakiName = "今回";
    forCaller.ExportFile = "/elsewhere.xml";
    forCaller.SaveIni();

    EXPECT_EQ(ini.readString("SYOTOKUZEI", "EXPORTFILE"), "/remembered.xml");
    EXPECT_EQ(ini.readString("SYOTOKUZEI", "KOMONSAKI"), "今回");
}

TEST_F(ComDataExportTest, AFailedSaveThrows)
{
    TSyotokuzeiDataExport exportObj(0, "");
    // The settings file's place is taken by a folder: nothing can be written there.
    fs::create_directories(settingsFile() / "held");
    exportObj.KomonsakiName = "B";
    EXPECT_ANY_THROW(exportObj.SaveIni());
    EXPECT_TRUE(fs::is_directory(settingsFile() / "held"));
}

} // namespace
