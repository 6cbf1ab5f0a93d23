// The logon in client/server mode against the Firebird server of
// scripts/firebird-server, and against a server that is not running.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "ServerOfficeFixture.h"
#include "foundation/app/AccConstants.h"
#include "foundation/app/RunState.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"
#include "platform/IniFile.h"
#include "platform/ScriptedInteraction.h"
#include "ui/LogonProcedure.h"

using namespace vq;
using namespace vq::ui;
namespace fs = std::filesystem;

namespace {

// A loopback port nobody listens on: the same as a server that was stopped.
int unusedPort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(s);
    return ntohs(a.sin_port);
}

// A loopback port that takes connections and never answers: a hung server.
class SilentListener {
public:
    SilentListener()
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(fd_, 4);
        socklen_t len = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
    }
    ~SilentListener() { ::close(fd_); }
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

class LogonServerTest : public test::ServerFixture {
protected:
    void SetUp() override
    {
        ServerFixture::SetUp();
        if (server_.empty())
            return;
        ProductKind = 0;
        // The server may run under a user of its own: it must reach the folder.
        fs::create_directories(dataDir());
        fs::permissions(root_.path(), fs::perms::all);
        fs::permissions(dataDir(), fs::perms::all);
        test::buildDatabase(test::SchemaKind::System, dataDir() / SysDbFileName);
        test::runSql(dataDir() / SysDbFileName,
                     "INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD)"
                     " VALUES (10000, 25, '山田', 5, 'Secret7');");
        fs::permissions(dataDir() / SysDbFileName, fs::perms::owner_read | fs::perms::owner_write |
                                                       fs::perms::group_read | fs::perms::group_write |
                                                       fs::perms::others_read | fs::perms::others_write);
        SystemDef.AppTitle = "財務";
        SystemDef.ComputerName = "TESTPC";
        SystemDef.GROUPID = 10000;
        SystemDef.LogDir = (root_.path() / "log").string();
        SystemDef.IniFileName = (root_.path() / "dozevid.ini").string();
        platform::IniFile ini(SystemDef.IniFileName);
        ini.writeString("SERVER", "HOSTNAME", server_);
        ini.writeString("SERVER", "SYSDIR", dataDir().string());
        ini.writeString("SERVER", "USER", serverUser());
        ini.writeString("SERVER", "PASSWORD", test::env("VQ_FB_PASSWORD"));
        ConnectMode = ConnectClientServer;
    }
    fs::path dataDir() const { return root_.path() / "data"; }
};

} // namespace

TEST_F(LogonServerTest, LogsOnThroughTheServer)
{
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    LogonProcedure logon;
    const auto r = logon.OperatorLogon(1, "25", "Secret7");
    ASSERT_EQ(r.outcome, LogonOutcome::LoggedOn) << (seam->messages.empty() ? "" : seam->messages[0].text);
    EXPECT_EQ(dm.IBDatabaseDEF.DatabaseName, server_ + ":" + (dataDir() / SysDbFileName).string());
    EXPECT_EQ(SystemDef.OPCODE, 10000 * 10000 + 25);
    EXPECT_EQ(SystemDef.OPNAME, "山田");
    EXPECT_EQ(SystemDef.FileTransId, ServerTempDir) << "a folder without a drive";
    EXPECT_EQ(platform::IniFile(SystemDef.IniFileName).readString("APPLICATION", "CONNECT"), "1");

    // The same operator from another computer is refused while logged on here.
    SystemDef.ComputerName = "OTHERPC";
    EXPECT_EQ(logon.OperatorLogon(1, "25", "Secret7").outcome, LogonOutcome::StayOpen);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, kAlreadyLoggedOnMessage);
    dm.DeleteLogonInfo();
}

TEST_F(LogonServerTest, StoppedServerGivesTheCausesOfTheClientServerMode)
{
    platform::IniFile(SystemDef.IniFileName)
        .writeString("SERVER", "HOSTNAME", "127.0.0.1/" + std::to_string(unusedPort()));
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    LogonProcedure logon;
    EXPECT_EQ(logon.OperatorLogon(1, "25", "Secret7").outcome, LogonOutcome::StayOpen);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].kind, platform::MessageKind::Information);
    EXPECT_EQ(seam->messages[0].text,
              "ログイン処理に失敗しました。以下の理由が考えられます。\r"
              "１）サーバー上でFireBirdサービスが起動しているか確認して下さい。\r"
              "２）ログイン画面の[サーバー設定]ボタンを押して正しい情報が設定されているか確認して下さい。\r"
              "３）Windowsファイヤーウォール(市販のセキュリティソフト含む)が有効の場合は、"
              "このアプリケーションがサーバーと通信できる状態か確認して下さい。");
    EXPECT_FALSE(dm.IBDatabaseDEF.connected());
}

TEST_F(LogonServerTest, SilentServerIsNamedAsNotAnsweringInTime)
{
    SilentListener silent;
    const std::string host = "127.0.0.1/" + std::to_string(silent.port());
    platform::IniFile(SystemDef.IniFileName).writeString("SERVER", "HOSTNAME", host);
    platform::ScopedScriptedInteraction seam;
    TDM dm;
    dm.IBDatabaseDEF.ConnectTimeout = 1;
    LogonProcedure logon;
    EXPECT_EQ(logon.OperatorLogon(1, "25", "Secret7").outcome, LogonOutcome::StayOpen);
    ASSERT_EQ(seam->messages.size(), 1u);
    EXPECT_EQ(seam->messages[0].text, "財務システムデータベースの接続処理に失敗しました。\r[例外内容]\r"
                                      "(IBXエラーコード:335544421) （データサーバー(" +
                                          host + ")から時間内に応答がありませんでした）");
}
