#include "comm/CommSettings.h"

#include "TempDir.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace vq::comm;

TEST(CommSettingsTest, MissingFileGivesSoundDefaults)
{
    vq::test::TempDir dir;
    const TCommSettings s = LoadCommSettings(dir / "DataTusin.ini");
    EXPECT_EQ(s.Host, "");
    EXPECT_EQ(s.Port, 443);
    EXPECT_EQ(s.CaFile, "");
    EXPECT_EQ(s.ConnectTimeoutMs, 10000);
    EXPECT_EQ(s.ReadTimeoutMs, 30000);
    EXPECT_FALSE(s.AllowLegacyTls);
    EXPECT_EQ(s.FtpPort, 21);
    EXPECT_FALSE(FtpPlainAllowed(s, "ftp.example"));
}

TEST(CommSettingsTest, ValuesRoundTripAndOutOfRangeNumbersFallBack)
{
    vq::test::TempDir dir;
    TCommSettings s;
    s.Host = "relay.example";
    s.Port = 8443;
    s.CaFile = "/etc/relay-ca.pem";
    s.ConnectTimeoutMs = 2500;
    s.ReadTimeoutMs = 4000;
    s.AllowLegacyTls = true;
    s.InstallationId = "SN0001";
    s.LoginUrl = "https://relay.example/login";
    s.FtpPort = 2121;
    s.FtpPlainHosts = "old.example, 10.0.0.5";
    SaveCommSettings(dir / "DataTusin.ini", s);
    TCommSettings r = LoadCommSettings(dir / "DataTusin.ini");
    EXPECT_EQ(r.Host, s.Host);
    EXPECT_EQ(r.Port, 8443);
    EXPECT_EQ(r.CaFile, s.CaFile);
    EXPECT_EQ(r.ConnectTimeoutMs, 2500);
    EXPECT_EQ(r.ReadTimeoutMs, 4000);
    EXPECT_TRUE(r.AllowLegacyTls);
    EXPECT_EQ(r.InstallationId, "SN0001");
    EXPECT_EQ(r.LoginUrl, s.LoginUrl);
    EXPECT_EQ(r.FtpPort, 2121);
    for (const char* host : {"old.example", "10.0.0.5"})
        EXPECT_TRUE(FtpPlainAllowed(r, host)) << host;
    for (const char* host : {"", "old", "ftp.example", "10.0.0.50"})
        EXPECT_FALSE(FtpPlainAllowed(r, host)) << host;

    vq::platform::IniFile ini(dir / "DataTusin.ini");
    ini.writeInteger("Relay", "ReadTimeoutMs", 0);
    ini.writeInteger("Relay", "Port", 70000);
    ini.writeString("Relay", "AllowLegacyTls", "yes");
    r = LoadCommSettings(dir / "DataTusin.ini");
    EXPECT_EQ(r.ReadTimeoutMs, 30000);
    EXPECT_EQ(r.Port, 443);
    EXPECT_FALSE(r.AllowLegacyTls);
}

TEST(CommSettingsTest, LogLinesAreAppendedWithTheirTime)
{
    vq::test::TempDir dir;
    TCommSettings s;
    s.LogFile = dir / "log" / "DataTusin.log";
    WriteCommLog(s, "first");
    WriteCommLog(s, "second");
    std::ifstream in(s.LogFile);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find(" first\r\n"), std::string::npos);
    EXPECT_NE(text.str().find(" second\r\n"), std::string::npos);
}
