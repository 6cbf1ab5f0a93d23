// The relay requests against the fake relay server on 127.0.0.1.
#include "comm/RelaySession.h"

#include "FakeRelay.h"
#include "platform/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

using namespace vq::comm;
using vq::test::FakeRelay;

namespace {

const std::string TwoSlots = R"({"ids": {"COMM01": {"slots": {
  "1": {"name": "山田商店", "term": "5", "start": "2024/04/01 00:00:00", "end": "2025/03/31 00:00:00",
        "updated": "2024/05/01 10:20:30", "started": "0000/00/00 00:00:00", "password": "ABC123",
        "version": "1400", "state": "1", "user": "0009前の人", "computer": "OLD"},
  "10": {"name": "佐藤医院", "term": "12", "start": "2024/01/01 00:00:00", "end": "2024/12/31 00:00:00",
        "updated": "2024/06/01 08:00:00", "started": "2024/06/02 09:15:00", "password": "XYZ789",
        "version": "1400", "state": "2", "user": "0012佐藤", "computer": "PC-2"}}}},
  "ftp_host": "ftp.example", "ftp_password": "pw"})";

std::string withFault(const std::string& fault)
{
    return TwoSlots.substr(0, TwoSlots.size() - 1) + ", \"fault\": \"" + fault + "\"}";
}

TRelaySession session(const FakeRelay& relay, int readMs = 3000)
{
    TRelaySession s(relay.settings(3000, readMs));
    s.Caller = {"SN12345", "COMM01"};
    s.MakeClientNames(10001, "山田太郎", "PC-01");
    return s;
}

std::string lastMessage(vq::platform::ScriptedInteraction& seam)
{
    return seam.messages.empty() ? std::string() : seam.messages.back().text;
}

} // namespace

TEST(RelayExchangeTest, ListingIsReadFromTheServer)
{
    FakeRelay relay;
    relay.setState(TwoSlots);
    vq::platform::ScopedScriptedInteraction seam;
    TRelaySession s = session(relay);
    ASSERT_TRUE(s.GetServerInfo(CloudListingRequest(s.Caller, false, false), false));
    EXPECT_TRUE(seam->messages.empty());
    EXPECT_EQ(relay.lastRequestBytes(), "GET /request.php?Scode=1725&sSno=SN12345&sFName=COMM01&sRendou=0 HTTP/1.0\r\n"
                                        "Host: 127.0.0.1\r\nUser-Agent: Corvane\r\nConnection: Close\r\n\r\n\r\n");
    EXPECT_EQ(s.Table.Cells[CellFtpHost], "ftp.example");
    EXPECT_EQ(s.Table.Cells[CellInstallationId], "SN12345");
    EXPECT_EQ(s.Table.At(ColName, 1), "山田商店");
    EXPECT_EQ(s.Table.At(ColUser, 1), "");
    EXPECT_EQ(s.Table.At(ColSlotId, 10), "10");
    EXPECT_EQ(s.Table.At(ColUser, 10), "0012佐藤");
    EXPECT_EQ(s.Table.SlotUpdateTime[10], "2024/06/01 08:00:00");

    // Blank lines before the reply's first line are skipped.
    relay.setState(withFault("leading_blank_lines"));
    TRelaySession again = session(relay);
    ASSERT_TRUE(again.GetServerInfo(CloudListingRequest(again.Caller, false, false), false));
    EXPECT_EQ(again.Table.At(ColPassword, 10), "XYZ789");
}

TEST(RelayExchangeTest, StatusCodesGiveTheirMessages)
{
    FakeRelay relay;
    vq::platform::ScopedScriptedInteraction seam;
    relay.setState(TwoSlots);
    TRelaySession unknown = session(relay);
    unknown.Caller.CommId = "NOSUCH";
    EXPECT_FALSE(unknown.GetServerInfo(CloudListingRequest(unknown.Caller, false, false), false));
    EXPECT_EQ(lastMessage(*seam), "　\r\nサーバーに接続出来ません、通信IDを確認して下さい。\r\n ");
    EXPECT_EQ(seam->messages.back().kind, vq::platform::MessageKind::Error);
    EXPECT_FALSE(unknown.NotifyShareState(1, 1));
    EXPECT_EQ(lastMessage(*seam), "　\r\nサーバーに接続出来ません、通信IDを確認して下さい。\r\n ");

    relay.setState(R"({"ids": {}, "status": "999"})");
    TRelaySession s = session(relay);
    EXPECT_FALSE(s.GetServerInfo(CloudListingRequest(s.Caller, false, false), false));
    EXPECT_EQ(lastMessage(*seam), "　\r\nサーバーエラー(999)\r\n ");
    EXPECT_FALSE(s.NotifyShareState(1, 1));
    EXPECT_EQ(lastMessage(*seam), "　\r\nサーバーエラー(999)\r\n ");
}

TEST(RelayExchangeTest, InjectedFaultsEndWithTheirMessageWithinTheTimeOut)
{
    FakeRelay relay;
    vq::platform::ScopedScriptedInteraction seam;
    struct Case {
        const char* fault;
        std::string message;
    };
    const Case cases[] = {
        {"close_after_3", "　\r\nサーバーに接続出来ません。\r\n "},
        {"close_after_40", "　\r\nサーバーに接続出来ません。\r\n "},
        {"short_line_5", "　\r\nサーバーエラー()\r\n "},
        {"silence", "　\r\nサーバーに接続出来ません。\r\n "},
    };
    for (const auto& c : cases) {
        relay.setState(withFault(c.fault));
        TRelaySession s = session(relay, 1000);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(s.GetServerInfo(CloudListingRequest(s.Caller, false, false), false)) << c.fault;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << c.fault;
        EXPECT_EQ(lastMessage(*seam), c.message) << c.fault;
    }

    relay.setState(withFault("silence"));
    try {
        TRelayExchange(relay.settings(3000, 500)).Run(DeleteCloudSlotRequest({"SN1", "COMM01"}, 1));
        FAIL();
    } catch (const TRelayError& e) {
        EXPECT_EQ(e.Fault, TRelayFault::Timeout);
    }

    relay.setState(withFault("bad_time"));
    TRelaySession s = session(relay);
    EXPECT_THROW(s.TakeCloudSlot(1), std::runtime_error);
}

TEST(RelayExchangeTest, ServersThatFailTheTlsChecksAreRefused)
{
    vq::platform::ScopedScriptedInteraction seam;
    FakeRelay otherHost({"--cert-host", "relay.invalid"});
    FakeRelay oldTls({"--tls10-only"});
    FakeRelay trusted;
    for (const FakeRelay* relay : {&otherHost, &oldTls}) {
        relay->setState(TwoSlots);
        try {
            TRelayExchange(relay->settings()).Run(DeleteCloudSlotRequest({"SN1", "COMM01"}, 1));
            FAIL();
        } catch (const TRelayError& e) {
            EXPECT_EQ(e.Fault, TRelayFault::Tls) << e.what();
        }
        EXPECT_TRUE(relay->requests().empty());
        TRelaySession s = session(*relay);
        EXPECT_FALSE(s.GetServerInfo(CloudListingRequest(s.Caller, false, false), false));
        EXPECT_EQ(lastMessage(*seam), "　\r\nサーバーに接続出来ません。\r\n ");
    }

    // A CA the server's certificate does not come from: the system store.
    TCommSettings systemStore = trusted.settings();
    systemStore.CaFile.clear();
    EXPECT_THROW(TRelayExchange(systemStore).Run(DeleteCloudSlotRequest({"SN1", "COMM01"}, 1)), TRelayError);

    // The legacy setting admits the old server, and says so in the log.
    TCommSettings legacy = oldTls.settings();
    legacy.AllowLegacyTls = true;
    const TRelayReply reply = TRelayExchange(legacy).Run(DeleteCloudSlotRequest({"SN1", "COMM01"}, 5));
    EXPECT_EQ(reply.Status(5), "000");
    std::ifstream log(legacy.LogFile);
    std::string line;
    std::getline(log, line);
    EXPECT_NE(line.find("legacy TLSv1 connection to 127.0.0.1"), std::string::npos) << line;
}

TEST(RelayExchangeTest, RefusedValuesSendNothing)
{
    FakeRelay relay;
    relay.setState(TwoSlots);
    vq::platform::ScopedScriptedInteraction seam;
    for (const char* id : {"COMM01&sFName=X", "COMM01\r\nHost: x"}) {
        TRelaySession s = session(relay);
        s.Caller.CommId = id;
        EXPECT_FALSE(s.GetServerInfo(CloudListingRequest(s.Caller, false, false), false));
        EXPECT_EQ(lastMessage(*seam), RelayValueRefusedMessage);
        EXPECT_THROW(s.NotifyShareState(1, 1), TRelayValueRefused);
    }
    EXPECT_TRUE(relay.requests().empty());
}

TEST(RelayExchangeTest, SlotRequestsChangeTheServersSlots)
{
    FakeRelay relay;
    relay.setState(TwoSlots);
    vq::platform::ScopedScriptedInteraction seam;
    TRelaySession s = session(relay);
    EXPECT_EQ(s.DeleteCloudSlot(10), "930");     // in use
    EXPECT_TRUE(s.NotifyShareState(10, 1));
    EXPECT_EQ(s.DeleteCloudSlot(10), "000");
    EXPECT_EQ(s.TakeCloudSlot(1), "000");
    EXPECT_EQ(s.ServerTimeText, "2024/05/01 10:20:30");
    EXPECT_EQ(s.Table.SlotUpdateTime[0], "2024/05/01 10:20:30");
    ASSERT_TRUE(s.GetServerInfo(CloudListingRequest(s.Caller, false, false), false));
    EXPECT_FALSE(s.Table.HasData(10));
    EXPECT_EQ(s.Table.At(ColState, 1), "2");
    EXPECT_EQ(s.Table.At(ColUser, 1), "0001山田太郎");
    EXPECT_EQ(s.Table.At(ColComputer, 1), "PC-01");
    const auto requests = relay.requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[1], "GET /request.php?Scode=1730&sSno=SN12345&sFName=COMM01&fSname=10&fShare=1"
                           "&fOpName=MDAwMY5Sk2ORvphZ&fPcName=UEMtMDE%3d HTTP/1.0");
}
