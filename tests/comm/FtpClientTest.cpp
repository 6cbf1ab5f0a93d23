#include "comm/FtpClient.h"

#include "FakeFtp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

using vq::comm::TFtpClient;
using vq::comm::TFtpError;
using vq::comm::TFtpLogin;
using vq::test::FakeFtp;
using vq::test::readBytes;
using vq::test::TempDir;
using vq::test::writeBytes;

namespace {

TFtpLogin login(std::string password = FakeFtp::Password)
{
    return {"127.0.0.1", FakeFtp::User, std::move(password)};
}

bool has(const std::vector<std::string>& lines, const std::string& prefix)
{
    return std::any_of(lines.begin(), lines.end(), [&](const auto& l) { return l.rfind(prefix, 0) == 0; });
}

} // namespace

TEST(FtpClientTest, TransfersOverTlsWithTheLoginNeverInClear)
{
    FakeFtp ftp;
    std::filesystem::create_directories(ftp.root() / "01");
    TempDir dir;
    const std::string data(700000, '\x5A');
    writeBytes(dir / "up.wen", data);

    TFtpClient client(ftp.settings(), login());
    client.Connect();
    EXPECT_TRUE(client.FolderExists("01"));
    EXPECT_FALSE(client.FolderExists("02"));
    EXPECT_EQ(client.Size("01/cpacc.wen"), -1);
    client.Put(dir / "up.wen", "01/cpacc.wen");
    EXPECT_EQ(client.Size("01/cpacc.wen"), static_cast<std::int64_t>(data.size()));
    client.Get("01/cpacc.wen", dir / "down.wen");
    EXPECT_EQ(readBytes(dir / "down.wen"), data);
    client.Rename("01/cpacc.wen", "01/cpacc.wenbak");
    EXPECT_EQ(client.Size("01/cpacc.wen"), -1);
    client.Delete("01/cpacc.wenbak");
    EXPECT_FALSE(std::filesystem::exists(ftp.root() / "01" / "cpacc.wenbak"));
    EXPECT_THROW(client.Get("01/none.wen", dir / "none.wen"), TFtpError);

    const auto commands = ftp.commands();
    const auto auth = std::find_if(commands.begin(), commands.end(), [](const auto& l) { return l.rfind("AUTH", 0) == 0; });
    const auto user = std::find_if(commands.begin(), commands.end(), [](const auto& l) { return l.rfind("USER", 0) == 0; });
    ASSERT_NE(auth, commands.end());
    EXPECT_LT(auth - commands.begin(), user - commands.begin());
    EXPECT_TRUE(has(commands, "TYPE I"));
}

TEST(FtpClientTest, PlainFtpOnlyForAHostTheSettingsNameAndThenLogged)
{
    FakeFtp ftp(true);
    auto settings = ftp.settings();
    EXPECT_THROW(TFtpClient(settings, login()).Connect(), TFtpError);
    EXPECT_FALSE(has(ftp.commands(), "USER"));

    settings.FtpPlainHosts = "127.0.0.1";
    TFtpClient(settings, login()).Connect();
    EXPECT_TRUE(has(ftp.commands(), "USER"));
    EXPECT_NE(readBytes(settings.LogFile).find("FTP without TLS to 127.0.0.1"), std::string::npos);
    EXPECT_EQ(readBytes(settings.LogFile).find(FakeFtp::Password), std::string::npos);
}

TEST(FtpClientTest, ServerFaultsAndAnUntrustedServerAreErrors)
{
    FakeFtp ftp;
    std::filesystem::create_directories(ftp.root() / "01");
    TempDir dir;
    writeBytes(dir / "up.wen", std::string(3 << 20, 'x'));
    writeBytes(ftp.root() / "01" / "old.wen", "old");
    writeBytes(ftp.root() / "01" / "cpacc.wen", "current");

    auto untrusted = ftp.settings();
    untrusted.CaFile = (dir / "none.pem").string();
    EXPECT_THROW(TFtpClient(untrusted, login()).Connect(), TFtpError);
    EXPECT_THROW(TFtpClient(ftp.settings(), login("wrong")).Connect(), TFtpError);

    struct Case {
        const char* fault;
        void (*step)(TFtpClient&, const std::filesystem::path&);
    };
    const Case cases[] = {
        {"bad_login", [](TFtpClient& c, const auto&) { c.Connect(); }},
        {"drop_stor", [](TFtpClient& c, const auto& d) { c.Put(d / "up.wen", "01/new.wen"); }},
        {"stall", [](TFtpClient& c, const auto& d) { c.Put(d / "up.wen", "01/new.wen"); }},
        {"rnto_no_clobber", [](TFtpClient& c, const auto&) { c.Rename("01/old.wen", "01/cpacc.wen"); }},
        {"fail_dele", [](TFtpClient& c, const auto&) { c.Delete("01/old.wen"); }},
    };
    for (const auto& c : cases) {
        ftp.setFault(c.fault);
        TFtpClient client(ftp.settings(1000), login());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(c.step(client, dir.path()), TFtpError) << c.fault;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << c.fault;
    }
    EXPECT_EQ(readBytes(ftp.root() / "01" / "cpacc.wen"), "current");

    // A truncated store answers success; only the size shows it.
    ftp.setFault("truncate_stor");
    TFtpClient client(ftp.settings(), login());
    client.Put(dir / "up.wen", "01/new.wen");
    EXPECT_LT(client.Size("01/new.wen"), 3 << 20);
}
