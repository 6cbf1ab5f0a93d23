// The operator's settings in the system database: the first logon, reading
// and writing them back, the typed SYSREG values, the office rows, the
// print-style colours, the era table and the program version.
#include <gtest/gtest.h>

#include "DataModuleFixture.h"
#include "foundation/app/AccConstants.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/Gengo.h"
#include "platform/db/Statement.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

class SystemSettingsTest : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        savedOem_ = OemKind;
        OemKind = 0;
        ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    }
    void TearDown() override
    {
        OemKind = savedOem_;
        LoadBuiltinEraTable();
        DataModuleFixture::TearDown();
    }


    // A value straight from the database, through a statement of its own.
    std::string scalar(const std::string& sql)
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF, sql);
        q.execute();
        std::string v = q.fetch() ? q.field(std::size_t{0}).asString() : "<none>";
        q.close();
        scope.commit();
        return v;
    }
    // Runs statements (separated by ';') on the system database and commits.
    void exec(const std::string& sql)
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        std::size_t start = 0;
        while (start < sql.size()) {
            auto end = sql.find(';', start);
            if (end == std::string::npos)
                end = sql.size();
            const std::string one = sql.substr(start, end - start);
            if (one.find_first_not_of(" \n") != std::string::npos) {
                db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF, one);
                q.execute();
            }
            start = end + 1;
        }
        scope.commit();
    }
    std::string sysReg(std::int32_t opCode, const std::string& code)
    {
        return scalar("SELECT STEXT FROM SYSREG WHERE OPCODE=" + std::to_string(opCode) + " AND SCODE='" + code + "'");
    }

    std::uint8_t savedOem_ = 0;
};

TEST_F(SystemSettingsTest, FirstLogonCreatesTheSettingsRowAndTheFirstValues)
{
    ASSERT_EQ(scalar("SELECT COUNT(*) FROM SYSDEF"), "0");
    ASSERT_TRUE(dm_.fnGetSysDef());

    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SYSDEF WHERE OPCODE=100001"), "1");
    EXPECT_EQ(scalar("SELECT NETCOLOR1 FROM SYSDEF WHERE OPCODE=100001"), std::to_string(0xD7FFD7));
    EXPECT_EQ(scalar("SELECT DICSWITCH FROM SYSDEF WHERE OPCODE=100001"), "0");
    EXPECT_EQ(scalar("SELECT ACTIVECOLOR FROM SYSDEF WHERE OPCODE=100001"), std::to_string(DefaultColors[7]));
    EXPECT_EQ(SystemDef.ColHeaderColor, DefaultColors[0]);
    EXPECT_EQ(SystemDef.SankakuPlus, 1);
    EXPECT_EQ(SystemDef.PLineColor1, 0x7900);

    // The first values are written before the reads, whose defaults differ.
    EXPECT_EQ(sysReg(100001, "摘要＿自動開く区分"), "1");
    EXPECT_EQ(SystemDef.TekAutoOpen, 1);
    EXPECT_EQ(SystemDef.TorAutoOpen, 1);
    EXPECT_EQ(SystemDef.TekRensouOpen, 0);
    // Values read for the first time are created with their defaults.
    EXPECT_EQ(sysReg(100001, "試算表ＢＳ改ページ区"), "1");
    EXPECT_EQ(SystemDef.SisanBsPageBreak, 1);
    EXPECT_EQ(sysReg(100001, "試算表タイトル"), "試　算　表");
    EXPECT_EQ(SystemDef.ReportTitles[TitleSisan], "試　算　表");
    EXPECT_EQ(SystemDef.NikiTitle, "２期比較試算表");
    EXPECT_EQ(SystemDef.ReportTitles[TitleA4Hanbaihi], "販売費・一般管理費");
    EXPECT_TRUE(SystemDef.ReportTitles[2].empty());
    EXPECT_EQ(sysReg(100009999, "データ破損チェック区"), "1");
    EXPECT_EQ(SystemDef.DataBrokenCheck, 1);
    EXPECT_EQ(SystemDef.SwkDateFocus, 2);
    EXPECT_EQ(SystemDef.TaxCodePrint, 1);
    EXPECT_EQ(SystemDef.SeizouTotalLine, 1);
    // The office without rows 10 and 20: no data, no facility release.
    EXPECT_EQ(SystemDef.OfficeName, "");
    EXPECT_EQ(SystemDef.SisetuFreeSwitch, 0);
    EXPECT_EQ(SystemDef.ProgVerMajor, 14);
    EXPECT_FALSE(dm_.IBTransactionDEF.active());
}

TEST_F(SystemSettingsTest, DistributorEditionStartsWithItsOwnValues)
{
    OemKind = 2;
    ASSERT_TRUE(dm_.fnGetSysDef());
    EXPECT_EQ(scalar("SELECT DICSWITCH FROM SYSDEF WHERE OPCODE=100001"), "2");
    EXPECT_EQ(scalar("SELECT DICTORAUTO FROM SYSDEF WHERE OPCODE=100001"), "0");
    EXPECT_EQ(SystemDef.DicTekAuto, 2);
    EXPECT_EQ(sysReg(100001, "部門コード桁数"), "1");
    EXPECT_EQ(SystemDef.BumonDigits, 1);
    EXPECT_EQ(SystemDef.NextItemMove, 1);
    EXPECT_EQ(SystemDef.SwkDateFocus, 1);
    EXPECT_EQ(SystemDef.Reserve4Bit7, 1);
    EXPECT_EQ(SystemDef.SisanSyukeiPrint, 1);
    EXPECT_EQ(SystemDef.MotochoTitlePrint, 1);
    EXPECT_EQ(SystemDef.SisanBsPageBreak, 0);
    EXPECT_EQ(SystemDef.SisetuFreeSwitch, 1);  // edition 2 lifts the restriction
    // The dictionary switches are written a second time with the edition's values.
    EXPECT_EQ(SystemDef.TekDicOpen, 0);
    EXPECT_EQ(SystemDef.TekRensouOpen, 1);
    EXPECT_EQ(SystemDef.TekAutoOpen, 1);
    EXPECT_EQ(SystemDef.TorDicOpen, 1);
    EXPECT_EQ(SystemDef.TorAutoOpen, 0);
}

TEST_F(SystemSettingsTest, SettingsWrittenBackReadTheSameIncludingTheEraDisplayBit)
{
    ASSERT_TRUE(dm_.fnGetSysDef());
    SystemDef.DataDir = "/office/data/0002";
    SystemDef.FontName = "IPAGothic";
    SystemDef.GridMaxRow = 40;
    SystemDef.EraDisplay = 1;
    SystemDef.Reserve4Bits56 = 2;
    SystemDef.Reserve2Bit2 = 1;
    SystemDef.ColHeaderGradColor1 = 0;
    SystemDef.ReportTitles[TitleSisan] = "残高試算表";
    SystemDef.TekiyouInputKind = 3;
    ASSERT_TRUE(dm_.fnPutSysDef());
    EXPECT_EQ(scalar("SELECT RESERVE4 FROM SYSDEF WHERE OPCODE=100001"), std::to_string(512 + 32));
    EXPECT_EQ(scalar("SELECT RESERVE2 FROM SYSDEF WHERE OPCODE=100001"), "2");

    SystemDef.DataDir.clear();
    SystemDef.GridMaxRow = 0;
    SystemDef.EraDisplay = 0;
    SystemDef.Reserve4Bits56 = 0;
    SystemDef.Reserve2Bit2 = 0;
    SystemDef.ReportTitles[TitleSisan].clear();
    SystemDef.TekiyouInputKind = 0;
    bool askedFont = false;
    TDM::FontInstalled = [&](const std::string& family) {
        askedFont = true;
        return family == "IPAGothic";
    };
    ASSERT_TRUE(dm_.fnGetSysDef());
    TDM::FontInstalled = nullptr;
    EXPECT_EQ(SystemDef.DataDir, "/office/data/0002");
    EXPECT_EQ(SystemDef.GridMaxRow, 40);
    EXPECT_EQ(SystemDef.EraDisplay, 1);
    EXPECT_EQ(SystemDef.Reserve4Bits56, 2);
    EXPECT_EQ(SystemDef.Reserve2Bit2, 1);
    EXPECT_EQ(SystemDef.ColHeaderGradColor1, 0xFFFFFF);  // stored 0
    EXPECT_EQ(SystemDef.ReportTitles[TitleSisan], "残高試算表");
    EXPECT_EQ(SystemDef.TekiyouInputKind, 3);
    EXPECT_TRUE(askedFont);
    EXPECT_EQ(SystemDef.UserFont.name, "IPAGothic");
}

TEST_F(SystemSettingsTest, TypedValuesReadByTheirTypeName)
{
    struct Case {
        const char* type;
        const char* stored;
        SettingValue expected;
    };
    const Case cases[] = {
        {"論理", "TRUE", SettingValue(true)},
        {"論理", "true", SettingValue(false)},
        {"論理", "True", SettingValue(false)},
        {"文字", "", SettingValue(" ")},
        {"整数", "12x", SettingValue(std::int32_t{0})},
        {"整数", "-7", SettingValue(std::int32_t{-7})},
        {"日付", "2024/02/29", SettingValue(tryEncodeDate(2024, 2, 29).value())},
        {"日付", "2024/02/30", SettingValue(0.0)},
        {"色", "1", SettingValue("Data Type Error")},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string code = "値" + std::to_string(n++);
        exec("INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(100001,'" + code + "','" +
                                    c.type + "','" + c.stored + "');");
        SettingValue v("untouched");
        dm_.funcGetSysReg(code, c.type, "default", v);
        EXPECT_EQ(v, c.expected) << c.type << " " << c.stored;
    }

    // A missing value is created with the default and its type.
    SettingValue v;
    dm_.funcGetSysReg(100002, "新しい値", "整数", "5", v);
    EXPECT_EQ(v.asInt(), 5);
    EXPECT_EQ(scalar("SELECT STYPE FROM SYSREG WHERE OPCODE=100002 AND SCODE='新しい値'"), "整数");

    // Writing keeps the stored type; a date 0 is stored as an empty text.
    dm_.funcPutSysReg(100002, "新しい値", "文字", SettingValue("9"));
    EXPECT_EQ(scalar("SELECT STYPE||':'||STEXT FROM SYSREG WHERE OPCODE=100002 AND SCODE='新しい値'"), "整数:9");
    dm_.funcPutSysReg(100002, "日付値", "日付", SettingValue(0.0));
    EXPECT_EQ(scalar("SELECT '['||STEXT||']' FROM SYSREG WHERE OPCODE=100002 AND SCODE='日付値'"), "[]");
    dm_.funcPutSysReg(100002, "論理値", "論理", SettingValue(true));
    EXPECT_EQ(sysReg(100002, "論理値"), "TRUE");
}

TEST_F(SystemSettingsTest, OfficeRowsGiveTheOfficeDataAndTheFacilityRelease)
{
    TSystemIniRec office;
    office.REC = 10;
    office.RESERVE1 = 3;
    office.SSTR = "NAME=山田会計事務所\r\nJYUSHO=東京都千代田区\r\nTEL=03-1234-5678";
    ASSERT_TRUE(dm_.SetSysIni(office));
    TSystemIniRec release;
    release.REC = 20;
    release.RESERVE1 = 1;
    ASSERT_TRUE(dm_.SetSysIni(release));
    release.RESERVE1 = 1;
    ASSERT_TRUE(dm_.SetSysIni(release));  // the second write updates

    ASSERT_TRUE(dm_.fnGetSysDef());
    EXPECT_EQ(SystemDef.OfficeName, "山田会計事務所");
    EXPECT_EQ(SystemDef.OfficeAddress, "東京都千代田区");
    EXPECT_EQ(SystemDef.OfficeTel, "03-1234-5678");
    EXPECT_EQ(SystemDef.OfficeReserve1, 3);
    EXPECT_EQ(SystemDef.SisetuFreeSwitch, 1);

    TSystemIniRec missing;
    missing.REC = 30;
    missing.RESERVE2 = 9;
    EXPECT_TRUE(dm_.GetSysIni(missing));
    EXPECT_EQ(missing.RESERVE2, 0);
}

TEST_F(SystemSettingsTest, StyleColoursAndLogonRows)
{
    std::string sstr = "x";
    dm_.GetStyleColor(100001, "残高試算表", sstr);
    EXPECT_EQ(sstr, "");
    dm_.PutStyleColor(100001, "残高試算表", "LINE1=255");
    dm_.PutStyleColor(100001, "残高試算表", "LINE1=128");
    dm_.GetStyleColor(100001, "残高試算表", sstr);
    EXPECT_EQ(sstr, "LINE1=128");
    EXPECT_EQ(scalar("SELECT LINECOLOR3 FROM STYLECOLOR WHERE OPCODE=100001"), "-1");

    exec("INSERT INTO LOGONUSERLIST(OPCODE,OPERATORCODE,GROUPID,PCNAME) VALUES(100001,1,10000,'A');"
                            "INSERT INTO LOGONUSERLIST(OPCODE,OPERATORCODE,GROUPID,PCNAME) VALUES(100002,2,10000,'B');");
    dm_.DeleteLogonInfo();
    EXPECT_EQ(scalar("SELECT LIST(OPCODE) FROM LOGONUSERLIST"), "100002");
}

TEST_F(SystemSettingsTest, TheEraTableComesFromGengoOrTheBuiltInOne)
{
    SetEraTable({});
    exec("DELETE FROM GENGO;"
                            "INSERT INTO GENGO(GNAME,GSIGN,STARTDATE,YEAROFFSET) VALUES('平成','H','1989-01-08',1989);"
                            "INSERT INTO GENGO(GNAME,GSIGN,STARTDATE,YEAROFFSET) VALUES('新元号','N','2030-01-01',2030);");
    dm_.LoadGengoTable();
    ASSERT_EQ(GengoTable.size(), 2u);
    EXPECT_EQ(GengoTable[0].GNAME, "新元号");
    EXPECT_EQ(GengoTable[0].STARTDATE, tryEncodeDate(2030, 1, 1).value());
    EXPECT_EQ(GengoTable[1].YEAROFFSET, 1989);
    EXPECT_EQ(DateToWareki(tryEncodeDate(2030, 5, 1).value()).GNAME, "新元号");

    exec("DELETE FROM GENGO;");
    dm_.LoadGengoTable();
    EXPECT_EQ(GengoTable, BuiltinEraTable());
}

TEST_F(SystemSettingsTest, UnreadableSettingsStopTheProgramWithTheirMessage)
{
    dm_.IBDatabaseDEF.disconnect();
    test::runSql(fs::path(SystemDef.SysDir) / SysDbFileName, "DROP TABLE SYSDEF;");
    ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    EXPECT_FALSE(dm_.fnGetSysDef());
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_EQ(seam_->messages[0].text.rfind("システム情報の取得に失敗しました。\rアプリケーションを終了します。", 0), 0u);
    EXPECT_FALSE(dm_.fnPutSysDef());
    EXPECT_EQ(seam_->messages.back().text.rfind("システム情報の書き込みに失敗しました。\r現在のシステム設定は保存されません。", 0),
              0u);
    EXPECT_FALSE(dm_.IBTransactionDEF.active());
    EXPECT_EQ(sysReg(100001, "試算表タイトル"), "<none>");  // nothing half-written
}

} // namespace
