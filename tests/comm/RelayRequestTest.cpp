#include "comm/RelayRequest.h"

#include "foundation/calendar/DayNumber.h"

#include <gtest/gtest.h>

using namespace vq::comm;

namespace {

const TRelayCaller Caller{"SN12345", "COMM01"};
const std::string Op = EncodeRelayText("0001山田太郎");
const std::string Pc = EncodeRelayText("PC-01");

TSendCompletion completion()
{
    TSendCompletion s;
    s.Slot = 3;
    s.Name = "テスト>>";
    s.Nendo = 12;
    s.Kishu = vq::encodeDate(2024, 4, 1);
    s.Kimatu = vq::encodeDate(2025, 3, 31);
    s.Password = "ABC123";
    s.Version = RelayVersionText(14, 0);
    return s;
}

} // namespace

TEST(RelayRequestTest, EveryOperationHasItsGoldenRequestLine)
{
    const std::string q = "GET /request.php?Scode=";
    const std::string id = "&sSno=SN12345&sFName=COMM01";
    const std::string names = "&fOpName=MDAwMY5Sk2ORvphZ&fPcName=UEMtMDE%3d";
    const std::string sent = "&fSname=03&fSg=g2WDWINnPj4%3d&fNe=12&fKis=202404010000&fKie=202503310000"
                             "&fPa=ABC123&fYobi=1400";
    struct Case {
        TRelayRequest request;
        std::string line;
        int replyLines;
        int statusLine;
    };
    const Case cases[] = {
        {RelayListingRequest(Caller, false), q + "1720" + id + " HTTP/1.0", 98, 5},
        {RelayListingRequest(Caller, true), q + "1720" + id + "&sTRKubn=10 HTTP/1.0", 98, 5},
        {CashBookListingRequest(Caller), q + "1720" + id + "&sTRKubn=2 HTTP/1.0", 98, 5},
        {CloudListingRequest(Caller, false, false), q + "1725" + id + "&sRendou=0 HTTP/1.0", 128, 5},
        {CloudListingRequest(Caller, false, true), q + "1725" + id + "&sRendou=1 HTTP/1.0", 128, 5},
        {CloudListingRequest(Caller, true, true), q + "1725" + id + "&sTRKubn=10 HTTP/1.0", 128, 5},
        {ShareStateRequest(Caller, 10, 1, Op, Pc), q + "1730" + id + "&fSname=10&fShare=1" + names + " HTTP/1.0", 5, 5},
        {DeleteRelaySlotRequest(Caller, 3), q + "1750" + id + "&fSname=03 HTTP/1.0", 5, 5},
        {DeleteCloudSlotRequest(Caller, 3), q + "1753" + id + "&fSname=03 HTTP/1.0", 5, 5},
        {CashBookSendCompleteRequest(Caller, completion()), q + "1810" + id + sent + " HTTP/1.0", 6, 6},
        {RelaySendCompleteRequest(Caller, completion()), q + "1820" + id + sent + " HTTP/1.0", 6, 6},
        {CloudSendCompleteRequest(Caller, completion(), Op, Pc), q + "1823" + id + sent + names + " HTTP/1.0", 6, 6},
        {ReceiveCompleteRequest(Caller, 1), q + "1830" + id + "&fSname=01 HTTP/1.0", 6, 6},
        {TakeCloudSlotRequest(Caller, 7, Op, Pc), q + "1833" + id + "&fSname=07" + names + " HTTP/1.0", 6, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RequestLine(c.request), c.line);
        EXPECT_EQ(c.request.ReplyLines, c.replyLines) << c.line;
        EXPECT_EQ(c.request.StatusLine, c.statusLine) << c.line;
    }
    EXPECT_EQ(RequestBytes(DeleteCloudSlotRequest(Caller, 10), "relay.example"),
              q + "1753" + id + "&fSname=10 HTTP/1.0\r\nHost: relay.example\r\nUser-Agent: Corvane\r\n"
                                "Connection: Close\r\n\r\n\r\n");
}

TEST(RelayRequestTest, EmptyIdentifiersKeepTheirKeys)
{
    EXPECT_EQ(RequestLine(DeleteCloudSlotRequest({}, 1)), "GET /request.php?Scode=1753&sSno=&sFName=&fSname=01 HTTP/1.0");
}

TEST(RelayRequestTest, ValuesThatCouldBreakTheLineAreRefused)
{
    const std::string bad[] = {"A&B", "AB\r\n", "A B", "A=B", "A?B", "山田", "A%41", "A/B"};
    for (const auto& v : bad) {
        EXPECT_THROW(RequestLine(DeleteCloudSlotRequest({v, "COMM01"}, 1)), TRelayValueRefused) << v;
        EXPECT_THROW(RequestLine(DeleteCloudSlotRequest({"SN1", v}, 1)), TRelayValueRefused) << v;
        TSendCompletion s = completion();
        s.Password = v;
        EXPECT_THROW(RequestLine(RelaySendCompleteRequest(Caller, s)), TRelayValueRefused) << v;
    }
    try {
        RequestBytes(DeleteCloudSlotRequest({"SN1", "a&sFName=other"}, 1), "h");
        FAIL();
    } catch (const TRelayValueRefused& e) {
        EXPECT_STREQ(e.what(), RelayValueRefusedMessage);
    }
}

TEST(RelayRequestTest, TextsAreCodedAndEscaped)
{
    EXPECT_EQ(EscapeUrlParam("a+b=c/d"), "a%2bb%3dc/d");
    EXPECT_EQ(EncodeRelayText("a>>"), "YT4%2b");
    EXPECT_EQ(DecodeRelayText("MDAwMY5Sk2ORvphZ"), "0001山田太郎");
    EXPECT_EQ(SlotText(3), "03");
    EXPECT_EQ(SlotText(10), "10");
    EXPECT_EQ(RelayVersionText(9, 5), "0905");
}
