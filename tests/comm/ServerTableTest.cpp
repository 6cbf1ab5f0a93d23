#include "comm/ServerTable.h"

#include "comm/PzConv.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace vq::comm;

namespace {

std::string b64(const std::string& utf8)
{
    return TxPzConv::EncodeBase64(vq::platform::cp932::fromUtf8(utf8));
}

struct Slot {
    std::string name, term = "5", start = "2024/04/01 00:00:00", end = "2025/03/31 00:00:00";
    std::string updated = "2024/05/01 10:20:30", started = "0000/00/00 00:00:00";
    std::string password = "ABC123", version = "1400", state = "1", user = {}, computer = {};
};

// Listing lines as a relay server lays them out: values after labels of
// the widths the client reads by.
TRelayReply listing(const std::vector<std::pair<int, Slot>>& slots, bool cloud)
{
    TRelayReply r;
    r.Lines = {"HTTP/1.0 200 OK", "", "x", "", "RESULTCODE000", "FTPHOSTftp.example", "FTPPASSpw", "SLOTS"};
    for (int n = 1; n <= 10; ++n) {
        Slot s;
        for (const auto& [k, v] : slots)
            if (k == n)
                s = v;
        char id[3];
        std::snprintf(id, sizeof id, "%02d", n);
        r.Lines.push_back("SLOTID      =" + std::string(id));
        r.Lines.push_back("DATANAME =" + (s.name.empty() ? "" : b64(s.name)));
        r.Lines.push_back("TERM     =" + s.term);
        r.Lines.push_back("KISHU      " + s.start);
        r.Lines.push_back("KIMATU     " + s.end);
        r.Lines.push_back("UPDATE   =" + s.updated);
        r.Lines.push_back("START    =" + s.started);
        r.Lines.push_back("PASSWORD =" + s.password);
        r.Lines.push_back("VERSION    =" + s.version);
        if (cloud) {
            r.Lines.push_back("STATE       =" + s.state);
            r.Lines.push_back("OPERATOR     =" + (s.user.empty() ? "" : b64(s.user)));
            r.Lines.push_back("COMPUTER     =" + (s.computer.empty() ? "" : b64(s.computer)));
        }
    }
    return r;
}

} // namespace

TEST(ServerTableTest, CloudListingFillsTheSlotColumns)
{
    Slot free{.name = "山田商店", .user = "0001前の人", .computer = "OLD-PC"};
    Slot used{.name = "佐藤医院", .term = "12", .started = "2024/06/02 09:15:00", .state = "2",
              .user = "0012佐藤", .computer = "PC-2"};
    TServerTable t;
    t.At(ColUser, 1) = "stale";
    ReadServerListing(listing({{1, free}, {10, used}}, true), true, false, t);

    EXPECT_EQ(t.Cells[CellFtpHost], "ftp.example");
    EXPECT_EQ(t.Cells[CellFtpPassword], "pw");
    EXPECT_EQ(t.At(ColSlotId, 10), "10");
    EXPECT_EQ(t.At(ColName, 1), "山田商店");
    EXPECT_EQ(t.At(ColStart, 1), "2024/04/01 00:00");
    EXPECT_EQ(t.At(ColEndDisp, 1), "2025/03/31 00:00");
    EXPECT_EQ(t.At(ColSendTime, 1), "2024/05/01 10:20");
    EXPECT_EQ(t.SlotUpdateTime[1], "2024/05/01 10:20:30");
    EXPECT_EQ(t.At(ColReceiveTimeDisp, 1), "-");           // year "0000"
    EXPECT_EQ(t.At(ColPassword, 1), "ABC123");
    EXPECT_EQ(t.At(ColVersion, 1), "1400");
    EXPECT_EQ(t.At(ColState, 1), "1");
    EXPECT_EQ(t.At(ColUser, 1), "");                       // state "1" empties user and computer
    EXPECT_EQ(t.At(ColComputer, 1), "");

    EXPECT_EQ(t.At(ColTerm, 10), "12");
    EXPECT_EQ(t.At(ColReceiveTimeDisp, 10), "2024/06/02 09:15");
    EXPECT_EQ(t.At(ColUser, 10), "0012佐藤");
    EXPECT_EQ(t.At(ColComputer, 10), "PC-2");
    EXPECT_FALSE(t.HasData(2));
}

TEST(ServerTableTest, SlotWithoutNameKeepsItsOlderCells)
{
    TServerTable t;
    t.At(ColPassword, 4) = "OLD111";
    t.At(ColUser, 4) = "someone";
    ReadServerListing(listing({}, true), true, false, t);
    EXPECT_EQ(t.At(ColPassword, 4), "OLD111");
    EXPECT_EQ(t.At(ColUser, 4), "");
    EXPECT_EQ(t.At(ColSlotId, 4), "04");
}

TEST(ServerTableTest, RelayReceiveTimeCountsOnlyAfterTheSendTime)
{
    Slot received{.name = "A", .updated = "2024/05/01 10:00:00", .started = "2024/05/02 08:00:00"};
    Slot notYet{.name = "B", .updated = "2024/05/01 10:00:00", .started = "2024/04/30 08:00:00"};
    TServerTable t;
    t.At(ColReceiveTime, 2) = "kept";
    ReadServerListing(listing({{1, received}, {2, notYet}}, false), false, false, t);
    EXPECT_EQ(t.At(ColReceiveTimeDisp, 1), "2024/05/02 08:00");
    EXPECT_EQ(t.At(ColReceiveTimeDisp, 2), "-");
    EXPECT_EQ(t.At(ColReceiveTime, 2), "kept");
    EXPECT_EQ(t.At(ColState, 1), "");
}

TEST(ServerTableTest, EraDisplayShowsTheEraDates)
{
    Slot s{.name = "A", .started = "2024/06/02 09:15:00", .state = "2"};
    TServerTable t;
    ReadServerListing(listing({{1, s}}, true), true, true, t);
    EXPECT_EQ(t.At(ColStart, 1), "2024/04/01 00:00");
    EXPECT_NE(t.At(ColStartDisp, 1), t.At(ColStart, 1));
    EXPECT_EQ(t.At(ColReceiveTimeDisp, 1).substr(t.At(ColReceiveTimeDisp, 1).size() - 5), "09:15");
}

TEST(ServerTableTest, VersionLabels)
{
    const std::tuple<int, int, const char*> cases[] = {{11, 1, "19消改版"}, {6, 1, "14消改版"}, {14, 2, "14.2"},
                                                       {1, 0, "09版"},     {2, 0, "10版"},     {14, 0, "22版"}};
    for (const auto& [major, minor, label] : cases)
        EXPECT_EQ(FormatVersionLabel(major, minor), label) << major << "." << minor;
}
