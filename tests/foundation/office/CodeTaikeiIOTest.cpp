// Code-system templates: the import into an existing USERCODE row, the
// creator tag check and the repair of rows stored with the default types.
#include <gtest/gtest.h>

#include "OfficeFixture.h"
#include "foundation/app/AppInfo.h"
#include "foundation/app/RunState.h"
#include "foundation/office/CodeTaikeiIO.h"
#include "platform/Cp932.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class CodeTaikeiIOTest : public test::OfficeFixture {
protected:
    void SetUp() override
    {
        OfficeFixture::SetUp();
        savedOem_ = OemKind;
        savedInfo_ = AppInfo;
        OemKind = 0;
        AppInfo.OEM = "VQ";
        AppInfo.VerTest = "14";
    }
    void TearDown() override
    {
        OemKind = savedOem_;
        AppInfo = savedInfo_;
        OfficeFixture::TearDown();
    }
    fs::path file(const std::string& name, const std::string& text)
    {
        const fs::path p = root_.path() / name;
        platform::cp932::writeFile(p, text);
        return p;
    }
    std::uint8_t savedOem_ = 0;
    TAppInfoRec savedInfo_;
};

TEST_F(CodeTaikeiIOTest, ImportsTheRecordsIntoTheirBlobs)
{
    const auto p = file("code.csv", "1,小売業,2,1,x,VQ14\r\n21,1000,現金\r\n3,2000\r\n99,ignored\r\n71,7\r\n");
    TCodeTaikeiIO io;
    ASSERT_TRUE(io.ImportCodeFile(p.string(), 3));
    EXPECT_EQ(scalarDef("SELECT NAME||':'||DATATYPE||':'||CODETYPE FROM USERCODE WHERE RECNO=3"), "小売業:2:1");
    EXPECT_EQ(scalarDef("SELECT INIDAT2 FROM USERCODE WHERE RECNO=3"), "21,1000,現金\r\n");
    EXPECT_EQ(scalarDef("SELECT INIDAT7 FROM USERCODE WHERE RECNO=3"), "71,7\r\n");
    EXPECT_EQ(scalarDef("SELECT COUNT(*) FROM USERCODE WHERE INIDAT4 IS NOT NULL AND RECNO=3"), "1");

    // A row that does not exist is not made, and that is no failure.
    EXPECT_TRUE(io.ImportCodeFile(p.string(), 99));
    EXPECT_EQ(scalarDef("SELECT COUNT(*) FROM USERCODE WHERE RECNO=99"), "0");
}

TEST_F(CodeTaikeiIOTest, AFileOfAnotherCreatorIsRefused)
{
    struct Case {
        std::uint8_t oem;
        const char* header;
        bool accepted;
    };
    const Case cases[] = {
        {0, "1,小売業,2,1,x,VQ14", true},
        {0, "1,小売業,2,1,x,XX14", false},
        {0, "1,小売業,2,1,x", false},  // five fields keep the tag "-"
        {1, "1,小売業,2,1,x,VQ14", true},
        {3, "1,小売業,2,1,x,VQ14", false},
    };
    for (const auto& c : cases) {
        OemKind = c.oem;
        seam_->messages.clear();
        const auto p = file("c.csv", std::string(c.header) + "\r\n");
        TCodeTaikeiIO io;
        EXPECT_EQ(io.ImportCodeFile(p.string(), 4), c.accepted) << c.header;
        EXPECT_EQ(seam_->messages.size(), c.accepted ? 0u : 1u) << c.header;
    }
    OemKind = 0;
    std::string msg;
    EXPECT_FALSE(TCodeTaikeiIO::CheckProductTag("-", msg));
    EXPECT_NE(msg.find("以外で作成されたデータの可能性があります。"), std::string::npos);
}

TEST_F(CodeTaikeiIOTest, RowsStoredWithTheDefaultTypesAreRepaired)
{
    execDef("UPDATE USERCODE SET NAME='農業', DATATYPE=1, CODETYPE=1, INIDAT1='1,農業,2,4,x' WHERE RECNO=5;"
            "UPDATE USERCODE SET NAME='法人', DATATYPE=1, CODETYPE=1, INIDAT1='1,法人,1,1,x' WHERE RECNO=6;");
    TCodeTaikeiIO io;
    EXPECT_EQ(scalarDef("SELECT DATATYPE||':'||CODETYPE FROM USERCODE WHERE RECNO=5"), "2:4");
    EXPECT_EQ(scalarDef("SELECT DATATYPE||':'||CODETYPE FROM USERCODE WHERE RECNO=6"), "1:1");
}

} // namespace
