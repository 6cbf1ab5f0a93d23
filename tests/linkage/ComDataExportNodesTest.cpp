// The header groups of the linkage file, byte for byte against golden files
// kept as CP932: SYSTEM and BASIC for the function ids the importer knows.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "foundation/app/AppInfo.h"
#include "foundation/calendar/DayNumber.h"
#include "linkage/DataExportError.h"
#include "linkage/SyotokuzeiDataExport.h"
#include "linkage/XmlSaveDoc.h"
#include "platform/RegistryStore.h"

#include <filesystem>

namespace vq::linkage {
namespace {

namespace fs = std::filesystem;

class ComDataExportNodesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedInfo_ = AppInfo;
        AppInfo.ApplicationRegKey = "\\SOFTWARE\\DRAXON";
        AppInfo.RidedRegKey = "ZEVERIVUREV";
        auto store = platform::RegistryStore::machine();
        store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Product", "ヴォルレン財務 Ver.22");
        store.writeString("SOFTWARE\\DRAXON\\ZEVERIVUREV14", "Version", "14.1.0");
    }
    void TearDown() override { AppInfo = savedInfo_; }

    // The wizard's Finish up to the data group: the file is saved only when
    // both header groups were written.
    static void writeHeader(TComDataExport& exportObj, const fs::path& file)
    {
        TXmlSaveDoc doc("1.0", "Shift_JIS", "");
        exportObj.SetSystemNode(doc);
        exportObj.SetBasicNode(doc);
        doc.SaveToFile(file);
    }

    // "&" must come out escaped once; 髙 is an IBM extension that Windows'
    // code page 932 writes as FB FC.
    static void setDataSet(TComDataExport& exportObj)
    {
        exportObj.KomonsakiName = "山田不動産 & 髙橋";
        exportObj.PeriodStart = encodeDate(2023, 1, 1);
        exportObj.PeriodEnd = encodeDate(2023, 12, 31);
        exportObj.SyotokuSyurui = 3;
    }

    test::ScopedRoot root_;
    TAppInfoRec savedInfo_;
};

TEST_F(ComDataExportNodesTest, HeaderGroupsMatchTheGoldenFiles)
{
    // Stand-alone is function id 1; a caller gives 2, 3 or 4.
    const struct { int rawId; const char* golden; } cases[] = {
        {0, "header-function-1.xml"},
        {3, "header-function-3.xml"},
        {2, "header-function-2.xml"},
        {4, "header-function-4.xml"},
    };
    for (const auto& c : cases) {
        TSyotokuzeiDataExport exportObj(c.rawId, "");
        setDataSet(exportObj);
        const fs::path file = root_.path() / c.golden;
        writeHeader(exportObj, file);
        EXPECT_EQ(test::readBytes(file), test::readBytes(fs::path(VQ_LINKAGE_GOLDEN_DIR) / c.golden))
            << c.golden;
    }
}

TEST_F(ComDataExportNodesTest, AnUnknownFunctionIdStopsWithError256AndNoFile)
{
    TSyotokuzeiDataExport exportObj(5, "");
    setDataSet(exportObj);
    const fs::path file = root_.path() / "out.xml";
    try {
        writeHeader(exportObj, file);
        FAIL() << "function id 5 was written";
    } catch (const EDataExportError& e) {
        EXPECT_EQ(e.Code, 256);
        EXPECT_STREQ(e.what(), "業務Prefixが条件に加えられていません。");
        EXPECT_EQ(e.Detail, "SetBasicNode(BASICﾉｰﾄﾞを作成)");
    }
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(ComDataExportNodesTest, HasuuCodeFollowsTheRoundingMode)
{
    const struct { int mode; const char* code; } cases[] = {{0, "1"}, {1, "3"}, {2, "2"}, {7, "1"}};
    for (const auto& c : cases) {
        TSyotokuzeiDataExport exportObj(2, "");
        exportObj.HasuuMode = c.mode;
        TXmlSaveDoc doc("1.0", "Shift_JIS", "");
        exportObj.SetSystemNode(doc);
        exportObj.SetBasicNode(doc);
        EXPECT_STREQ(doc.DocumentElement().child("BASIC").child("HASUU_SYOUKYAKU").text().get(), c.code)
            << c.mode;
    }
}

TEST_F(ComDataExportNodesTest, EmptyValuesAreEmptyElements)
{
    AppInfo.RidedRegKey = "NOTINSTALLED";
    TSyotokuzeiDataExport exportObj(0, "");
    TXmlSaveDoc doc("1.0", "Shift_JIS", "");
    exportObj.SetSystemNode(doc);
    exportObj.SetBasicNode(doc);
    const std::string bytes = doc.SaveToBytes();
    EXPECT_NE(bytes.find("<PROGRAMNAME/><PROGRAMVER/></SYSTEM><BASIC><KOMONSAKINAME/>"), std::string::npos)
        << bytes;
}

} // namespace
} // namespace vq::linkage
