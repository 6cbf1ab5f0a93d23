#include "foundation/app/AppInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "platform/Cp932.h"
#include "tests/support/TempDir.h"

namespace vq {
namespace {

namespace fs = std::filesystem;

// The file as an installation ships it: CP932 with CRLF lines.
void writeAppInfo(const fs::path& folder, const std::string& utf8Lines)
{
    std::string crlf;
    for (char c : utf8Lines) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    test::writeBytes(folder / "AppInfo.ini", platform::cp932::fromUtf8(crlf));
}

TEST(AppInfo, ReadsTheFileNextToTheProgram)
{
    struct Case {
        const char* name;
        const char* file; // nullptr: no file
        std::int32_t result;
        const char* oem;
        const char* homeDir;
        std::int32_t dataListCnt;
        std::int32_t verMajorDiff;
    };
    const Case cases[] = {
        {"no file", nullptr, AppInfoMissing, "untouched", "untouched", 7, 7},
        {"empty OEM gives the built-in defaults",
         "[Application]\nOEM=\nVerMajorDiff=3\n[Rided]\nHomeDir=other\\place\nDataListCnt=50\n", AppInfoNoOem, "-",
         "draxon\\zeverivurev", 120, 0},
        {"blank OEM is empty too", "[Application]\nOEM=   \n", AppInfoNoOem, "-", "draxon\\zeverivurev", 120, 0},
        {"only OEM leaves the other keys empty", "[Application]\nOEM=DRAXON\n", AppInfoRead, "DRAXON", "", 120, 0},
        {"values as written",
         "[application]\noem = TellmarData \nVerMajorDiff=-2\n[Rided]\nHomeDir=\"tellmar\\data\"\nDataListCnt=300\n",
         AppInfoRead, "TellmarData", "tellmar\\data", 300, -2},
        {"numbers that are not numbers", "[Application]\nOEM=X\nVerMajorDiff=1a\n[Rided]\nDataListCnt=abc\n",
         AppInfoRead, "X", "", 120, 0},
        {"hexadecimal numbers", "[Application]\nOEM=X\nVerMajorDiff=$10\n[Rided]\nDataListCnt=0x20\n", AppInfoRead,
         "X", "", 32, 16},
        {"too large for 32 bits", "[Application]\nOEM=X\n[Rided]\nDataListCnt=99999999999\n", AppInfoRead, "X", "",
         120, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        if (c.file)
            writeAppInfo(dir.path(), c.file);
        TAppInfoRec info;
        info.OEM = info.RidedHomeDir = "untouched";
        info.DataListCnt = info.VerMajorDiff = 7;

        EXPECT_EQ(ReadAppInfo(dir / "program", info), c.result);
        EXPECT_EQ(info.OEM, c.oem);
        EXPECT_EQ(info.RidedHomeDir, c.homeDir);
        EXPECT_EQ(info.DataListCnt, c.dataListCnt);
        EXPECT_EQ(info.VerMajorDiff, c.verMajorDiff);
    }
}

TEST(AppInfo, AnUnreadableFileIsAnError)
{
    test::TempDir dir;
    fs::create_directory(dir / "AppInfo.ini");
    TAppInfoRec info;
    EXPECT_EQ(ReadAppInfo(dir / "program", info), AppInfoReadError);
    EXPECT_FALSE(AppInfoFailureMessage(AppInfoReadError).empty());
    EXPECT_NE(AppInfoFailureMessage(AppInfoReadError), AppInfoFailureMessage(AppInfoNoOem));
}

TEST(AppInfo, TheShippedFileReadsCompletely)
{
    TAppInfoRec info;
    ASSERT_EQ(ReadAppInfo(fs::path(VQ_RUNTIME_DIR) / "program", info), AppInfoRead);

    TAppInfoRec defaults;
    LoadAppInfoDefaults(defaults);
    EXPECT_EQ(info.RidedAppTitle, "ヴォルレン財務");
    EXPECT_EQ(info.DataConTov02, defaults.DataConTov02);
    EXPECT_EQ(info.RidedHomeDir, defaults.RidedHomeDir);
    EXPECT_EQ(info.DataFile, "vqacc.fdb");
    EXPECT_EQ(info.DataListCnt, 120);
    EXPECT_NE(info.OEM, "TellmarData");
}

class ApplyAppInfoTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ResetAccConstants();
        OemKind = 0;
    }
};

TEST_F(ApplyAppInfoTest, CopiesNamesIntoTheConstants)
{
    TAppInfoRec info;
    LoadAppInfoDefaults(info);
    info.OEM = "TellmarData";
    info.RidedHomeDir = "tellmar\\books";
    info.ServerDir = "\\books\\data";
    info.DataFile = "tbacc.fdb";
    info.DataListCnt = 200;
    ApplyAppInfo(info);

    EXPECT_EQ(OemKind, 1);
    EXPECT_EQ(BaseFolder, "tellmar/books");
    EXPECT_EQ(ServerDataDir, "/books/data");
    EXPECT_EQ(DataDbFileName, "tbacc.fdb");
    EXPECT_EQ(DataListCnt, 200);
    EXPECT_EQ(DefaultColors[5], 0xF2FFEE);
    EXPECT_EQ(DefaultColors[6], 0xD6FFC8);
    EXPECT_EQ(DefaultColors[7], 0x008000);
    EXPECT_EQ(DefaultColors[0], 0xDBDBDB);
}

TEST_F(ApplyAppInfoTest, EmptyValuesKeepTheBuiltInNames)
{
    TAppInfoRec info; // as read from a file that names only OEM
    info.OEM = "DRAXON";
    info.DataListCnt = 120;
    ApplyAppInfo(info);

    EXPECT_EQ(OemKind, 0);
    EXPECT_EQ(AppName, "dozevid");
    EXPECT_EQ(BaseFolder, "draxon/zeverivurev");
    EXPECT_EQ(SysDbFileName, "vqaccdef.fdb");
    EXPECT_EQ(DataDbFileName, "vqacc.fdb");
    EXPECT_EQ(DataIniFileName, "vqacc.ini");
    EXPECT_EQ(DefaultColors[7], 0x246BFF);
}

} // namespace
} // namespace vq
