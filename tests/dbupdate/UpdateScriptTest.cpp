// The update script scheme: the scripts of each variant compared with golden
// texts (tests/dbupdate/golden; VQ_WRITE_GOLDEN=1 writes them anew), and the
// part files a step takes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "TempDir.h"
#include "dbupdate/UpdateScript.h"
#include "dbupdate/steps/z5UserDbUpdate400.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "platform/Cp932.h"
#include "platform/ScriptedInteraction.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class UpdateScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedSystem_ = SystemDef;
        savedAcc_ = AccInf;
        SystemDef.SysDir = "/srv/vq/O'Brien's office/sys";
        SystemDef.DataDir = "/srv/vq/data/0001";
        SystemDef.SqlDir = (sql_.path()).string();
        SystemDef.HostName.clear();
        SystemDef.GoGlobal = 0;
        SystemDef.DbUser = "VORLEN";
        SystemDef.DbPassword = "secret-pw";
        SystemDef.ComputerName = "TESTPC";
        SystemDef.OPCODE = 100012;
        SystemDef.OperatorNo = 12;
        SystemDef.OPNAME = "O'Brien";
        SystemDef.AppTitle = "会計";
        AccInf.SysKCode[SysSyokuchi] = "0999";
    }
    void TearDown() override
    {
        SystemDef = savedSystem_;
        AccInf = savedAcc_;
    }

    void writePart(const std::string& folder, const std::string& name, const std::string& utf8)
    {
        fs::create_directories(sql_ / folder);
        test::writeBytes(sql_ / folder / name, platform::cp932::fromUtf8(utf8));
    }

    // The script's text against the golden file of that name.
    void expectGolden(const TUpdateScript& script, const std::string& name)
    {
        std::string text;
        for (const auto& line : script.Lines())
            text += line + "\n";
        const fs::path golden = fs::path(VQ_GOLDEN_DIR) / (name + ".sql");
        if (std::getenv("VQ_WRITE_GOLDEN")) {
            std::ofstream(golden, std::ios::binary) << text;
            return;
        }
        EXPECT_EQ(text, test::readBytes(golden)) << name;
    }

    test::TempDir sql_;
    platform::ScopedScriptedInteraction seam_;

private:
    TSystemDef savedSystem_;
    TACCINF savedAcc_;
};

} // namespace

TEST_F(UpdateScriptTest, VariantsOfTheScheme)
{
    writePart("1101", "sysup01.sql", "CREATE TABLE T1 (A INTEGER);\n\n\r\nINSERT INTO T1 VALUES(1);\r\n");
    writePart("1101", "sysup02.sql", "UPDATE T1 SET A=2 WHERE A=1;\n");
    writePart("305", "vqzup01.sql", "UPDATE ACCDEF1 SET SHOUGOU='日本' WHERE REC=1;\n");

    struct Case {
        const char* golden;
        std::string host;
        std::uint8_t goGlobal;
        TUpdateScheme scheme;
    };
    TUpdateScheme oldSystem;
    oldSystem.Mode = 0;
    oldSystem.Major = 3;
    oldSystem.SetNames = false;
    oldSystem.RecordFirst = false;
    oldSystem.Before = [](TUpdateScript& s) { s.Add("ALTER TABLE OPERATOR ADD NOTE VARCHAR(20);"); };

    TUpdateScheme newSystem;
    newSystem.Mode = 0;
    newSystem.Major = 11;
    newSystem.Minor2 = 1;
    newSystem.Memo = MemoForm::JoinedTrimmed;
    newSystem.PartFiles = {"sysup01.sql", "sysup02.sql"};

    TUpdateScheme joined;
    joined.Major = 3;
    joined.Minor2 = 5;
    joined.Memo = MemoForm::Joined;
    joined.PartFiles = {"vqzup01.sql", "vqzup02.sql"};
    joined.StopOnMissingPart = false;

    TUpdateScheme padded = joined;
    padded.Memo = MemoForm::JoinedPadded;
    padded.SetNames = false;

    const Case cases[] = {
        {"system-old-host", "srv", 0, oldSystem},
        {"system-new-goglobal-trimmed", "", 1, newSystem},
        {"data-new-local-joined", "", 0, joined},
        {"data-new-local-padded", "", 0, padded},
    };
    for (const auto& c : cases) {
        SystemDef.HostName = c.host;
        SystemDef.GoGlobal = c.goGlobal;
        TUpdateScript script;
        ASSERT_TRUE(script.Build(c.scheme)) << c.golden;
        expectGolden(script, c.golden);
        EXPECT_EQ(script.Text().find(SystemDef.DbPassword), std::string::npos) << c.golden;
    }
}

TEST_F(UpdateScriptTest, MissingPartFileStopsOnlyTheStrictSteps)
{
    writePart("800", "vqzup01.sql", "SELECT 1 FROM RDB$DATABASE;\n");
    TUpdateScheme s;
    s.Major = 8;
    s.PartFiles = {"vqzup01.sql", "vqzup02.sql", "vqzup03.sql"};
    TUpdateScript script;
    EXPECT_FALSE(script.Build(s));
    s.StopOnMissingPart = false;
    ASSERT_TRUE(script.Build(s));
    EXPECT_EQ(script.Lines().back(), "EXIT;");
    // A part the data set does not take is not looked for.
    s.StopOnMissingPart = true;
    s.UsePart = [](const std::string& name) { return name == "vqzup01.sql"; };
    EXPECT_TRUE(script.Build(s));
}

TEST_F(UpdateScriptTest, DataStep400ForGeneralAndMedicalData)
{
    for (int i = 1; i <= 9; ++i)
        writePart("400", "vqzup0" + std::to_string(i) + ".sql", "\n/* part " + std::to_string(i) + " */\n\n");
    struct Case {
        const char* golden;
        std::uint8_t medical;
        std::int32_t siten, bumon;
        std::uint8_t product;
    } cases[] = {
        {"data-400-general", 0, 0, 2, 0},
        {"data-400-medical", 1, 1, 0, 3},
    };
    const auto savedProduct = ProductKind;
    for (const auto& c : cases) {
        AccInf.IsIryou = c.medical;
        AccInf.SITEN = c.siten;
        AccInf.BUMON = c.bumon;
        ProductKind = c.product;
        TUpdateScript script;
        ASSERT_TRUE(script.Build(z5UserDbUpdate400::Scheme()));
        expectGolden(script, c.golden);
    }
    ProductKind = savedProduct;

    TDbUpdateListRec rec;
    z5UserDbUpdate400::SetUpdateRec(rec);
    EXPECT_EQ(rec.Title, "会計１２のデータ形式に変換");
    EXPECT_EQ(rec.BackupFlag, 1);
    EXPECT_TRUE(rec.UpdateProc);
}

TEST(UpdateScriptText, LinesEndWithCrLfAndQuotesAreDoubled)
{
    TUpdateScript script;
    script.Add("A;");
    script.Add("");
    EXPECT_EQ(script.Text(), "A;\r\n\r\n");
    EXPECT_EQ(TUpdateScript::Quoted("O'Brien's 'x'"), "O''Brien''s ''x''");
}
