// The logon check against a real system database (stand-alone): each result
// of the logon procedure and what the operator sees, the refusals that need
// no database, and the run state of a logged-on operator.
#include <gtest/gtest.h>

#include <filesystem>

#include "SchemaDatabase.h"
#include "TempDir.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/IniFile.h"
#include "platform/ScriptedInteraction.h"
#include "platform/db/Attachment.h"
#include "platform/db/Transaction.h"
#include "ui/AppIniSettings.h"
#include "ui/LogonProcedure.h"

using namespace vq;
using namespace vq::ui;
namespace fs = std::filesystem;

namespace {

class LogonProcedureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        savedMode_ = ConnectMode;
        ConnectMode = ConnectStandAlone;
        ProductKind = 0;
        fs::create_directories(dataDir());
        test::buildDatabase(test::SchemaKind::System, dataDir() / SysDbFileName);
        test::runSql(dataDir() / SysDbFileName,
                     "INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, JIMUSHO, MYNUMBER_ADM, SHONIN)"
                     " VALUES (3, 25, '山田', 5, 'Secret7', 1, 1, 0);");
        SystemDef.AppTitle = "財務";
        SystemDef.ComputerName = "TESTPC";
        SystemDef.GROUPID = 3;
        SystemDef.LogDir = (root_.path() / "log").string();
        SystemDef.IniFileName = (root_.path() / "dozevid.ini").string();
        platform::IniFile ini(SystemDef.IniFileName);
        ini.writeString("LOCAL", "SYSDIR", dataDir().string());
        ini.writeString("LOCAL", "USER", "sysdba");
        ini.writeString("LOCAL", "PASSWORD", "masterkey");
    }
    void TearDown() override
    {
        SystemDef = saved_;
        ConnectMode = savedMode_;
    }
    fs::path dataDir() const { return root_.path() / "data"; }

    test::TempDir root_;
    TSystemDef saved_;
    std::uint8_t savedMode_ = 0;
};

std::string texts(const platform::ScriptedInteraction& seam)
{
    std::string all;
    for (const auto& m : seam.messages)
        all += m.text + "|";
    return all;
}

} // namespace

TEST_F(LogonProcedureTest, EachResultOfTheCheck)
{
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    LogonProcedure logon;

    // -1: wrong password (letter case counts), the code is to be corrected.
    auto r = logon.OperatorLogon(0, "25", "secret7");
    EXPECT_EQ(r.outcome, LogonOutcome::StayOpen);
    EXPECT_EQ(r.focus, LogonFocus::OpCode);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, kWrongCodeMessage);
    EXPECT_EQ(seam->messages[0].kind, platform::MessageKind::Error);

    // -3: logged on at another computer now.
    test::runSql(dataDir() / SysDbFileName,
                 "INSERT INTO LOGONUSERLIST (OPCODE, OPERATORCODE, GROUPID, PCNAME) VALUES (30025, 25, 3, 'OTHERPC');");
    r = logon.OperatorLogon(0, "25", "Secret7");
    EXPECT_EQ(r.outcome, LogonOutcome::StayOpen);
    ASSERT_EQ(seam->messages.size(), 2u);
    EXPECT_EQ(seam->messages[1].text, kAlreadyLoggedOnMessage);
    test::runSql(dataDir() / SysDbFileName, "DELETE FROM LOGONUSERLIST;");

    // 0: logged on; the run state holds the operator.
    r = logon.OperatorLogon(0, "25", "Secret7");
    EXPECT_EQ(r.outcome, LogonOutcome::LoggedOn) << texts(*seam);
    EXPECT_EQ(seam->messages.size(), 2u);
    EXPECT_EQ(SystemDef.OPCODE, 3 * 10000 + 25);
    EXPECT_EQ(SystemDef.OperatorNo, 25);
    EXPECT_EQ(SystemDef.OPNAME, "山田");
    EXPECT_EQ(SystemDef.JOBLEVEL, 5);
    EXPECT_EQ(SystemDef.JIMUSHO, 1);
    EXPECT_EQ(SystemDef.MYNUMBER_ADM, 1);
    EXPECT_EQ(SystemDef.SHONIN, 0);
    EXPECT_EQ(SystemDef.FileTransId, "");
    EXPECT_EQ(platform::IniFile(SystemDef.IniFileName).readString("APPLICATION", "CONNECT"), "0");

    // 1: again from the same computer.
    r = logon.OperatorLogon(0, "25", "Secret7");
    EXPECT_EQ(r.outcome, LogonOutcome::LoggedOn);
    EXPECT_EQ(seam->messages.size(), 2u);
}

TEST_F(LogonProcedureTest, AnyOtherResultKeepsTheDialogOpenWithoutAMessage)
{
    {
        db::Attachment a;
        a.attach({(dataDir() / SysDbFileName).string(), "SYSDBA", ""});
        db::Transaction tr(a);
        tr.start();
        a.execute(tr, "CREATE OR ALTER PROCEDURE LOGONUSERTEST (PCNAME VARCHAR(64), GROUPID INTEGER, "
                      "OPCODE INTEGER, APPVERSION INTEGER, PASWORD VARCHAR(32)) "
                      "RETURNS (NUM INTEGER, LOGINCODE INTEGER, JOBLEVEL INTEGER) "
                      "AS BEGIN NUM = 2; LOGINCODE = 25; JOBLEVEL = 0; SUSPEND; END");
        tr.commit();
    }
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    LogonProcedure logon;
    const auto r = logon.OperatorLogon(0, "25", "Secret7");
    EXPECT_EQ(r.outcome, LogonOutcome::StayOpen);
    EXPECT_EQ(r.focus, LogonFocus::None);
    EXPECT_TRUE(seam->messages.empty()) << texts(*seam);
    EXPECT_EQ(SystemDef.OPCODE, 0);
}

TEST_F(LogonProcedureTest, CodesBelowTenAreRefusedWithoutTheDatabase)
{
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    LogonProcedure logon;
    for (const char* code : {"9", "", "abc", "0"}) {
        seam->messages.clear();
        const auto r = logon.OperatorLogon(0, code, "Secret7");
        EXPECT_EQ(r.outcome, LogonOutcome::StayOpen) << code;
        EXPECT_EQ(r.focus, LogonFocus::OpCode) << code;
        ASSERT_EQ(seam->messages.size(), 1u) << code;
        EXPECT_EQ(seam->messages[0].text, kWrongCodeMessage);
        EXPECT_FALSE(dm.IBDatabaseDEF.connected()) << code;
    }
}

TEST_F(LogonProcedureTest, ClientServerWithoutHostOrFolder)
{
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    LogonProcedure logon;
    platform::IniFile ini(SystemDef.IniFileName);
    ini.writeString("SERVER", "HOSTNAME", "");
    ini.writeString("SERVER", "SYSDIR", "/srv/data");
    ConnectMode = ConnectClientServer;
    auto r = logon.OperatorLogon(1, "25", "Secret7");
    EXPECT_EQ(r.outcome, LogonOutcome::StayOpen);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "データサーバーのコンピュータ名が設定されていません。\r"
                                      "[サーバー設定]ボタンを押して正しい情報を入力して下さい。");

    ini.writeString("SBC", "HOSTNAME", "terminal");
    ConnectMode = ConnectTerminal;
    r = logon.OperatorLogon(2, "25", "Secret7");
    ASSERT_EQ(seam->messages.size(), 2u);
    EXPECT_EQ(seam->messages[1].text, "データサーバー上のデータパスが設定されていません。\r"
                                      "[データサーバーの設定]を起動し正しい情報を入力して下さい。");
    EXPECT_FALSE(dm.IBDatabaseDEF.connected());
}

TEST_F(LogonProcedureTest, MissingDataFolderGivesTheCauseList)
{
    platform::IniFile(SystemDef.IniFileName).writeString("LOCAL", "SYSDIR", (root_.path() / "gone").string());
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    LogonProcedure logon;
    EXPECT_EQ(logon.OperatorLogon(0, "25", "Secret7").outcome, LogonOutcome::StayOpen);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "ログイン処理に失敗しました。以下の理由が考えられます。\r"
                                      "１）データファイルが見つからない。\r２）別のプロセスがデータファイルを使用中。");
    logon.CallerKind = 1;
    logon.OperatorLogon(0, "25", "Secret7");
    ASSERT_EQ(seam->messages.size(), 2u);
    EXPECT_EQ(seam->messages[1].text.find("１）財務アプリケーションがインストールされていない。"),
              seam->messages[1].text.find('\r') + 1);
}

TEST_F(LogonProcedureTest, CompanionPasswordIsStoredAndConfirmed)
{
    ProductKind = 3;
    SystemDef.DataRootDir = root_.path().string();
    // The cash book's own folder holds its system database.
    fs::create_directories(root_.path() / CashBookDataDir);
    fs::copy_file(dataDir() / SysDbFileName, root_.path() / CashBookDataDir / SysDbFileName);
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    LogonProcedure logon;
    LoadSettings(0);
    std::string stored = "x";
    EXPECT_FALSE(logon.GetEntryPassword(2, stored)) << texts(*seam);
    EXPECT_EQ(stored, "");
    ASSERT_TRUE(logon.UpdatePassword(2, "Cash9", 0)) << texts(*seam);
    EXPECT_TRUE(logon.GetEntryPassword(2, stored));
    EXPECT_EQ(stored, "Cash9");

    EXPECT_EQ(logon.ConfirmPassword(2, "cash9").focus, LogonFocus::Password);
    ASSERT_EQ(seam->messages.size(), 1u) << texts(*seam);
    EXPECT_EQ(seam->messages[0].text, kWrongPasswordMessage);
    EXPECT_EQ(logon.ConfirmPassword(2, "Cash9").outcome, LogonOutcome::LoggedOn) << texts(*seam);
    EXPECT_EQ(SystemDef.OPCODE, 3 * 10000 + 9999);
    EXPECT_EQ(SystemDef.OperatorNo, 9999);
    EXPECT_EQ(SystemDef.OPNAME, "現金出納帳");
    EXPECT_EQ(SystemDef.MYNUMBER_ADM, 0);
    ProductKind = 0;
}
