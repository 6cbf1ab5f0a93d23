// Opening a data set: the description in AccInf as its database says, the
// columns of later data versions tested rather than assumed, the data
// password, the edition tables and the tax-rate table of the data set, and
// the questions the screens ask about the open data set.
#include <gtest/gtest.h>

#include <map>

#include "DataModuleFixture.h"
#include "foundation/accounting/ConsumptionTax.h"
#include "foundation/app/AccInf.h"
#include "foundation/app/SystemFolders.h"
#include "foundation/calendar/DayNumber.h"
#include "foundation/data/AccRegSettings.h"
#include "foundation/data/BalanceTablesPort.h"
#include "foundation/office/DataSiyouKengen.h"
#include "foundation/office/UserList.h"
#include "foundation/text/EasyEncoder.h"
#include "platform/Process.h"
#include "platform/db/Statement.h"

using namespace vq;
namespace fs = std::filesystem;

namespace {

double date(int y, int m, int d)
{
    return tryEncodeDate(y, m, d).value();
}

std::string encodedPassword(const std::string& plain)
{
    TEasyEncodeInfo info;
    info.Key = EasyEncodeKey;
    info.TotalLength = 8;
    info.TextLength = 8;
    info.PlainText = plain;
    EasyEncode(info);
    return info.EncodedText;
}

class OpenDataSetTest : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        savedAccInf_ = AccInf;
        AccInf = TACCINF{};
        previousPort_ = setBalanceTablesPort({});
    }
    void TearDown() override
    {
        setBalanceTablesPort(previousPort_);
        dm_.CloseAccDat({}, 0, 0);
        AccInf = savedAccInf_;
        ZeiRituList.clear();
        DataModuleFixture::TearDown();
    }

    // Seeds the data set before it is opened (isql works on the file).
    void seed(const std::string& sql) { test::runSql(dataFile(), sql); }
    void open() { ASSERT_TRUE(dm_.fnAccDatConnected("", "", 0)); }

    TACCINF savedAccInf_;
    BalanceTablesPort previousPort_;
};

TEST_F(OpenDataSetTest, AnAprilYearCorporationWithItsEncodedPassword)
{
    seed("UPDATE ACCDEF1 SET DATATYPE=1, CODETYPE=1, SHOUGOU='株式会社青空', NENDO=12, KISHU='2024-04-01', "
         "KIMATU='2025-03-31', KAISI='2024-04-01', SIME=99, KAISINO=1, TAXDEFUH=2, PASWORD='comm', "
         "OLD_TAX_RATE1=8.5;"
         "INSERT INTO ACCDEF2(KCODE,KNAME) VALUES('0111','現金');"
         "INSERT INTO ACCDEF2(KCODE,KNAME) VALUES('0131','受取手形');"
         "INSERT INTO KAMOKUMST(KCODE,USERCODE) VALUES('0111','100');"
         "INSERT INTO KAMOKUMST(KCODE,USERCODE) VALUES('0131','131');"
         "INSERT INTO ACCTOTALNAME(REC,KGROUP,PLUSNAME) VALUES(1,'5880','当期純利益');"
         "UPDATE TUSIN_ID SET HOLDER='H-1', PASWORD='P-1' WHERE REC=1;");
    open();
    PutAccReg("基本設定", "データパスワード", "文字", SettingValue("plain"));
    PutAccReg("基本設定", "データパスワードV2", "文字", SettingValue(" " + encodedPassword("abc12") + "　"));
    ASSERT_TRUE(dm_.fnGetAccInfo());

    EXPECT_EQ(AccInf.SHOUGOU, "株式会社青空");
    EXPECT_EQ(AccInf.DataTypeName, "法人");
    EXPECT_EQ(AccInf.CodeTypeName, "");
    EXPECT_EQ(AccInf.CurKISHU, date(2024, 4, 1));
    EXPECT_EQ(AccInf.CurKIMATU, date(2025, 3, 31));
    EXPECT_EQ(AccInf.ZenkiKISHU, date(2023, 4, 1));
    EXPECT_EQ(AccInf.ZenkiKIMATU, date(2024, 3, 31));
    EXPECT_EQ(AccInf.ZenzenkiKISHU, date(2022, 4, 1));
    EXPECT_EQ(AccInf.ZenzenkiKIMATU, date(2023, 3, 31));
    EXPECT_EQ(AccInf.KaisiPeriodIndex, 0);
    EXPECT_EQ(AccInf.KimatuPeriodNo, 15);
    EXPECT_EQ(AccInf.KaisiMonthCount, 0);
    EXPECT_EQ(AccInf.KimatuMonthCount, 11);
    EXPECT_EQ(AccInf.OLD_TAX_RATE1, 85000);
    EXPECT_EQ(AccInf.SysKCode[SysGenkin], "0111");
    EXPECT_EQ(AccInf.SysUserCode[SysGenkin], "100");
    EXPECT_EQ(AccInf.TegataUserCode[TegataUketori], "131");
    EXPECT_EQ(AccInf.SysKCode[SysMotoirekin], "");
    EXPECT_EQ(AccInf.TotalName5880, "当期純利益");
    EXPECT_EQ(AccInf.CommPassword[0], "comm");
    EXPECT_EQ(AccInf.CommHolder[1], "H-1");
    EXPECT_EQ(AccInf.CommPassword[1], "P-1");
    EXPECT_EQ(AccInf.KURIKOSI1, 0);  // the column is there and holds 0
    EXPECT_EQ(AccInf.DataVerMajor, 14);
    // From data version 7 on only the decoded second password counts.
    EXPECT_EQ(AccInf.DataPassword, "abc12");
    EXPECT_EQ((std::array<std::uint8_t, 5>{0, 0, 1, 1, 1}), AccInf.TaxRateUse);
    EXPECT_EQ(ZeiRituList.size(), 5u);
    EXPECT_FALSE(dm_.IBTransactionDAT.active());

    // The settings read for the first time now exist with their defaults.
    EXPECT_EQ(GetAccRegText("基本設定", "個別原価別名", "x"), "個別原価");
    EXPECT_EQ(GetAccRegInt("減価償却設定", "250%定率法で償却する経過措置", "7"), 0);
}

TEST_F(OpenDataSetTest, AnOldDataSetKeepsItsPlainPasswordAndItsThreeRates)
{
    seed("UPDATE ACCVERSION SET MAJOR=6, MINOR1=2 WHERE REC=1;");
    open();
    PutAccReg("基本設定", "データパスワード", "文字", SettingValue("　secret "));
    PutAccReg("基本設定", "データパスワードV2", "文字", SettingValue(encodedPassword("other")));
    ASSERT_TRUE(dm_.fnGetAccInfo());
    EXPECT_EQ(AccInf.DataVerMajor, 6);
    EXPECT_EQ(AccInf.DataPassword, "secret");
    EXPECT_EQ(AccInf.DataTypeName, "個人");
    EXPECT_EQ(AccInf.CodeTypeName, "一般");
    EXPECT_EQ(ZeiRituList.size(), 3u);  // the table follows each data set opened
    std::string version;
    dm_.fnGetDataBaseVer(version);
    EXPECT_EQ(version, "6.2.0");
}

TEST_F(OpenDataSetTest, ColumnsOfLaterDataVersionsAreTestedNotAssumed)
{
    seed("ALTER TABLE ACCDEF1 DROP KURIKOSI1, DROP KURIKOSI2, DROP READ_ONLY, DROP WEB_HOLDER, DROP CLOUD_LINE, "
         "DROP CLOUD_TIME, DROP SDAI_HASUU3, DROP KESSAN_KIKAN, DROP GENKA_HWORD6;"
         "UPDATE ACCDEF1 SET TAXDEFUH=3;");
    open();
    AccInf.KESSAN_KIKAN = 4;       // kept when the column is missing
    AccInf.GENKA_HWORD6 = "前回";  // likewise
    AccInf.READ_ONLY = 1;
    AccInf.SDAI_HASUU3 = 2;
    ASSERT_TRUE(dm_.fnGetAccInfo());
    EXPECT_EQ(AccInf.KURIKOSI1, 3);
    EXPECT_EQ(AccInf.KURIKOSI2, 3);
    EXPECT_EQ(AccInf.READ_ONLY, 0);
    EXPECT_EQ(AccInf.SDAI_HASUU3, 0);
    EXPECT_EQ(AccInf.KESSAN_KIKAN, 4);
    EXPECT_EQ(AccInf.GENKA_HWORD6, "前回");
    EXPECT_EQ(AccInf.CASHFLOW_KIKAN1, -1);  // present: the column's value
    EXPECT_EQ(DataReadOnly, 0);
}

TEST_F(OpenDataSetTest, ADataSetWithoutItsDescriptionRowIsRefused)
{
    seed("DELETE FROM ACCDEF1;");
    open();
    EXPECT_FALSE(dm_.fnGetAccInfo());
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text,
              "基本情報の取得に失敗しました。\r\r\r[詳細情報]\r基本設定(ACCDEF1)のレコードが見つかりませんでした。");
    EXPECT_FALSE(dm_.IBTransactionDAT.active());
}

TEST_F(OpenDataSetTest, AnUnknownDataKindIsRefusedWithItsNumber)
{
    seed("UPDATE ACCDEF1 SET DATATYPE=2, CODETYPE=7;");
    open();
    EXPECT_FALSE(dm_.fnGetAccInfo());
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_NE(seam_->messages[0].text.find("該当のコードタイプを処理することが出来ません。(CodeType=7)"),
              std::string::npos);
}

TEST_F(OpenDataSetTest, MedicalDataSwitchesTheEditionTablesAfterNamingTheTotals)
{
    bool medical = false;
    std::vector<bool> switches;
    BalanceTablesPort port;
    port.setBalanceTables = [&](bool m) {
        medical = m;
        switches.push_back(m);
    };
    port.groupCode = [&](std::size_t i) { return i == 68 ? (medical ? "M880" : "5880") : "----"; };
    port.editionGroupCode = [&](std::size_t) { return medical ? std::string("M688") : std::string("5688"); };
    setBalanceTablesPort(port);
    seed("UPDATE ACCDEF1 SET DATATYPE=3, CODETYPE=1;"
         "INSERT INTO ACCTOTALNAME(REC,KGROUP,PLUSNAME) VALUES(1,'5880','一般の名');"
         "INSERT INTO ACCTOTALNAME(REC,KGROUP,PLUSNAME) VALUES(2,'M880','医療の名');");
    open();
    ASSERT_TRUE(dm_.fnGetAccInfo());
    EXPECT_EQ(AccInf.IsIryou, 1);
    EXPECT_EQ(switches, (std::vector<bool>{true}));
    EXPECT_EQ(AccInf.DataTypeName, "医療法人");
    // The names follow the tables as they stood before this data set.
    EXPECT_EQ(AccInf.TotalName5880, "一般の名");
    ASSERT_TRUE(dm_.fnGetAccInfo());
    EXPECT_EQ(AccInf.TotalName5880, "医療の名");
}

TEST_F(OpenDataSetTest, ThePasswordQuestionTakesThreeAttempts)
{
    AccInf.DataPassword = "Abc1";
    struct Case {
        std::vector<std::optional<std::string>> answers;
        bool expected;
        std::size_t asked;
    };
    const Case cases[] = {
        {{std::string(" Abc1　")}, true, 1},
        {{std::string("abc1"), std::string("ABC1"), std::string("Abc1")}, true, 3},
        {{std::string("x"), std::string("y"), std::string("z"), std::string("Abc1")}, false, 3},
        {{std::string("x"), std::nullopt}, false, 2},
    };
    for (const auto& c : cases) {
        seam_->inputs.clear();
        seam_->inputAnswers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(dm_.AskDataPassword(), c.expected);
        ASSERT_EQ(seam_->inputs.size(), c.asked);
        EXPECT_EQ(seam_->inputs[0], "パスワードを入力して下さい。");
        if (c.asked > 1) {
            EXPECT_EQ(seam_->inputs[1], "正しいパスワードを入力して下さい。");
        }
    }
    // The input dialog's password form: eight characters at most, the hint,
    // the retry prompt in red.
    const auto& first = seam_->inputRequests.front();
    EXPECT_EQ(first.caption, "パスワードの確認");
    EXPECT_TRUE(first.password);
    EXPECT_EQ(first.maxLength, 8);
    EXPECT_FALSE(first.promptAlert);
    EXPECT_EQ(first.hint, "パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。"
                          "3回続けて失敗すると「データ選択」画面に戻ります。");
    EXPECT_TRUE(seam_->inputRequests.back().promptAlert);
    AccInf.DataPassword.clear();
    EXPECT_TRUE(dm_.AskDataPassword());
}

TEST_F(OpenDataSetTest, JobControlAndSchemaQuestions)
{
    open();
    ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    SystemDef.JOBLEVEL = 5;
    EXPECT_TRUE(dm_.SetJobControl("SIWAKE", ""));  // no rows for the level: allowed
    {
        db::TransactionScope scope(dm_.IBTransactionDEF);
        db::Statement q(dm_.IBDatabaseDEF.attachment(), dm_.IBTransactionDEF,
                        "INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID,PROC_OPTION) VALUES(5,'SIWAKE','PRINT,EDIT')");
        q.execute();
        scope.commit();
    }
    EXPECT_TRUE(dm_.SetJobControl("SIWAKE", "EDIT"));
    EXPECT_FALSE(dm_.SetJobControl("SIWAKE", "DELETE"));
    EXPECT_FALSE(dm_.SetJobControl("MOTOCHO", ""));

    dm_.IBTransactionDAT.start();
    EXPECT_TRUE(dm_.fnExistence_Table("TUSIN_ID"));
    EXPECT_FALSE(dm_.fnExistence_Table("tusin_id"));
    EXPECT_TRUE(dm_.fnExistence_Field("ACCDEF1", "READ_ONLY"));
    // The version read commits what its caller had open.
    std::string version;
    dm_.fnGetDataBaseVer(version);
    EXPECT_EQ(version, "14.0.0");
    EXPECT_FALSE(dm_.IBTransactionDAT.active());
}

TEST_F(OpenDataSetTest, TheCashBookCountsARowWithCashOnBothSidesAsHalfAnEntry)
{
    // Rows go in without the totals trigger: only the counts matter here.
    std::string sql = "ALTER TRIGGER SIWAKE_AFTER_INSERT INACTIVE;";
    int rec = 0;
    auto row = [&](int delflg, int taishaku, const char* kcode, const char* rkcode, const char* scode) {
        sql += "INSERT INTO SIWAKE(REC,DELFLG,TAISHAKU,KCODE,R_KCODE,SCODE) VALUES(" + std::to_string(++rec) + "," +
               std::to_string(delflg) + "," + std::to_string(taishaku) + ",'" + kcode + "','" + rkcode + "','" +
               scode + "');";
    };
    for (int i = 0; i < 7; ++i)
        row(0, 1, "0111", "0500", "01");
    for (int i = 0; i < 3; ++i)
        row(0, 1, "0111", "0111", "01");
    row(1, 1, "0111", "0500", "01");
    row(2, 1, "0111", "0500", "02");
    row(2, 3, "0111", "0500", "02");
    seed(sql);
    open();
    AccInf.SysKCode[SysGenkin] = "0111";
    const std::uint8_t savedProduct = ProductKind;
    ProductKind = 3;
    EXPECT_EQ(dm_.GetYukouSiwakeCount(""), 10 - 1);  // 3 / 2 truncated
    EXPECT_EQ(dm_.GetYukouSiwakeCount("02"), 0);
    std::int32_t valid = 0, upDel = 0;
    EXPECT_EQ(dm_.GetSiwakeCount("", valid, upDel), 11);
    EXPECT_EQ(upDel, 2);
    EXPECT_EQ(dm_.GetUpDelSiwakeCount("02"), 1);
    ProductKind = 4;
    EXPECT_EQ(dm_.GetYukouSiwakeCount(""), -1);
    ProductKind = savedProduct;
    EXPECT_FALSE(dm_.IBTransactionDAT.active());
}

TEST(DataKindNames, ByDataAndCodeType)
{
    struct Case {
        int dataType, codeType;
        bool withDataType;
        const char* expected;  // nullptr: refused
    };
    const Case cases[] = {
        {1, 1, false, ""},       {1, 1, true, "法人"},        {2, 2, true, "個人／不動産"},
        {2, 4, false, "農業"},   {3, 1, true, "医療法人"},    {1, 2, false, nullptr},
        {2, 5, true, nullptr},   {4, 1, false, nullptr},
    };
    for (const auto& c : cases) {
        std::string name = "unchanged";
        if (c.expected) {
            TDM::GetCodeTypeName(c.dataType, c.codeType, name, c.withDataType);
            EXPECT_EQ(name, c.expected) << c.dataType << "/" << c.codeType;
        } else {
            EXPECT_THROW(TDM::GetCodeTypeName(c.dataType, c.codeType, name, c.withDataType), std::runtime_error)
                << c.dataType << "/" << c.codeType;
        }
    }
}

TEST_F(OpenDataSetTest, DataFolderNumbersAndFacilityColours)
{
    std::string first, second;
    TDM::SplitDataFolderNumbers("C:\\X\\DATA\\0012\\0003", first, second);
    EXPECT_EQ(first + "/" + second, "0012/0003");
    TDM::SplitDataFolderNumbers("/office/ cb_data /0007", first, second);
    EXPECT_EQ(first + "/" + second, "0007/");
    TDM::SplitDataFolderNumbers("/office/other/0007", first, second);
    EXPECT_EQ(first + "/" + second, "/");
    std::int32_t rec = -1, child = -1;
    dm_.GetDataListRec("/office/data/0012/0003", rec, child);
    EXPECT_EQ(rec, 12);
    EXPECT_EQ(child, 3);
    dm_.GetDataListRec("/office/other", rec, child);
    EXPECT_EQ(rec + child, 0);

    SettingValue v;
    TDM::GetXstrValue("NAME=本店\r\nCOLOR=255", "color", v);
    EXPECT_EQ(v.asInt(), 255);
    TDM::GetXstrValue("NAME=本店\r\nCOLOR=0", "COLOR", v);
    EXPECT_EQ(v.asInt(), 0xFFAF80);
    TDM::GetXstrValue("NAME=本店", "COLOR", v);
    EXPECT_EQ(v.asInt(), 0xFFAF80);
    TDM::GetXstrValue("NAME=本店", "name", v);
    EXPECT_EQ(v.asString(), "本店");
}

} // namespace

// ---- The sample office ------------------------------------------------------------------

namespace {

TEST_F(OpenDataSetTest, EachSampleDataSetOpensAsItsDatabaseSays)
{
    const fs::path root = root_.path() / "office";
    auto run = platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {root.string()});
    ASSERT_TRUE(run.succeeded()) << run.standardError;
    const char* previousRoot = std::getenv("VQ_ROOT");
    const std::string restoreRoot = previousRoot ? previousRoot : "";
    ::setenv("VQ_ROOT", root.c_str(), 1);
    TSystemDef office;
    InitSystemFolders(office);
    if (previousRoot)
        ::setenv("VQ_ROOT", restoreRoot.c_str(), 1);
    else
        ::unsetenv("VQ_ROOT");

    dm_.IBDatabaseDEF.disconnect();
    SystemDef.SysDir = office.SysDir;
    SystemDef.OPCODE = 100000010;
    SystemDef.JIMUSHO = 1;  // as the logon of operator 10 sets it
    ASSERT_TRUE(dm_.fnAccDefConnected("", 1));
    ASSERT_TRUE(dm_.fnGetSysDef());  // the operator's first logon in this office
    EXPECT_EQ(SystemDef.OfficeName, "鈴木税理士事務所");
    TUserList operators;
    operators.GroupId = 10000;
    operators.Execute();
    EXPECT_EQ(operators.GetText(), "10:鈴木 一郎\n11:田中 花子\n");

    const std::map<std::string, std::string> kinds = {{"0001", "一般"}, {"0002", "不動産"}, {"0003", "農業"}};
    for (const auto& [folder, kind] : kinds) {
        SCOPED_TRACE(folder);
        ASSERT_TRUE(dm_.fnAccDatConnected("", (fs::path(office.SysDir) / folder).string(), 0));
        AccInf = TACCINF{};
        ASSERT_TRUE(dm_.fnGetAccInfo());
        db::TransactionScope scope(dm_.IBTransactionDAT);
        db::Statement q(dm_.IBDatabaseDAT.attachment(), dm_.IBTransactionDAT,
                        "SELECT SHOUGOU,KISHU,KIMATU,DATATYPE,SITEN FROM ACCDEF1");
        q.execute();
        ASSERT_TRUE(q.fetch());
        EXPECT_EQ(AccInf.SHOUGOU, q.field("SHOUGOU").asString());
        EXPECT_EQ(AccInf.KISHU, q.field("KISHU").asDate());
        EXPECT_EQ(AccInf.CurKIMATU, q.field("KIMATU").asDate());
        EXPECT_EQ(AccInf.DATATYPE, q.field("DATATYPE").asInt());
        q.close();
        scope.commit();
        EXPECT_EQ(AccInf.DataTypeName, "個人");
        EXPECT_EQ(AccInf.CodeTypeName, kind);
        EXPECT_EQ(AccInf.ZenkiKISHU, date(2023, 1, 1));
        EXPECT_EQ(AccInf.KimatuPeriodNo, 15);
        EXPECT_FALSE(AccInf.SysKCode[SysGenkin].empty());
        EXPECT_FALSE(AccInf.SysKCode[SysMotoirekin].empty());
        EXPECT_EQ(AccInf.DataVerMajor, 14);
        EXPECT_TRUE(dm_.AskDataPassword());
        EXPECT_TRUE(seam_->inputs.empty());
        EXPECT_TRUE(dm_.fnGetExistsOpeDefSisetu());  // operator 10 works office-wide
        dm_.CloseAccDat({}, 0, 0);

        // Operator 11 is no office-wide operator: the sample office gives
        // her the rights on every data set.
        SystemDef.OPCODE = 100000011;
        SystemDef.JIMUSHO = 0;
        SystemDef.JOBLEVEL = 5;
        EXPECT_TRUE(IsDataSiyouKengen((fs::path(office.SysDir) / folder).string()));
        SystemDef.OPCODE = 100000010;
        SystemDef.JIMUSHO = 1;
        SystemDef.JOBLEVEL = 9;
    }
    EXPECT_TRUE(seam_->messages.empty());
}

} // namespace
