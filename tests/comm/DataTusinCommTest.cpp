// The release of a cloud slot, on real data-set databases and the fake
// relay server.
#include "comm/DataTusinComm.h"

#include "../foundation/data/DataModuleFixture.h"
#include "FakeRelay.h"

#include <gtest/gtest.h>

using namespace vq;

namespace {

const std::string Slots = R"({"ids": {
  "COMM01": {"slots": {"3": {"name": "open one", "state": "2", "user": "0001a", "computer": "X"}}},
  "COMM02": {"slots": {"7": {"name": "other one", "state": "2", "user": "0001a", "computer": "X"}}}}})";

} // namespace

class DataTusinCommTest : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        other_ = root_.path() / "data" / "0002";
        std::filesystem::create_directories(other_);
        test::buildDatabase(test::SchemaKind::DataSet, other_ / DataDbFileName);
        cloud(dataFile(), 3, "COMM01");
        cloud(other_ / DataDbFileName, 7, "COMM02");
        relay_.setState(Slots);
    }

    static void cloud(const std::filesystem::path& file, int line, const std::string& id)
    {
        test::runSql(file, "UPDATE ACCDEF1 SET CLOUD_LINE=" + std::to_string(line) + ", WEB_HOLDER='" + id +
                               "' WHERE REC=1;");
    }

    comm::TDataTusinComm comm(const test::FakeRelay& relay) const
    {
        comm::TCommSettings s = relay.settings();
        s.InstallationId = "SN1";
        return comm::TDataTusinComm(s);
    }

    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }

    std::filesystem::path other_;
    test::FakeRelay relay_;
};

TEST_F(DataTusinCommTest, ReleaseFreesTheSlotOfTheFolderGivenNotOfTheOpenDataSet)
{
    ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
    EXPECT_EQ(comm(relay_).ReleaseCloudShare(other_.string()), 0);
    EXPECT_TRUE(seam_->messages.empty()) << lastMessage();
    const auto requests = relay_.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /request.php?Scode=1730&sSno=SN1&sFName=COMM02&fSname=07&fShare=1&fOpName=", 0),
              0u)
        << requests[0];
    EXPECT_NE(relay_.state().find(R"("state": "1")"), std::string::npos);
    dm_.CloseAccDat(SystemDef.DataDir, 0, 0);
}

TEST_F(DataTusinCommTest, EveryFailedReleaseIsReportedAndAnswersOne)
{
    test::FakeRelay otherHost({"--cert-host", "relay.invalid"});
    otherHost.setState(Slots);
    struct Case {
        const char* name;
        std::function<std::int32_t()> release;
        std::string message;
    };
    const std::string noConnection = "　\r\nサーバーに接続出来ません。\r\n ";
    const Case cases[] = {
        {"blank folder", [&] { return comm(relay_).ReleaseCloudShare("  "); }, ""},
        {"no slot",
         [&] {
             cloud(other_ / DataDbFileName, 0, "COMM02");
             return comm(relay_).ReleaseCloudShare(other_.string());
         },
         "クラウドシェア領域が設定されていません。"},
        {"unknown ID",
         [&] {
             cloud(other_ / DataDbFileName, 7, "NOSUCH");
             return comm(relay_).ReleaseCloudShare(other_.string());
         },
         "　\r\nサーバーに接続出来ません、通信IDを確認して下さい。\r\n "},
        {"ID that is no plain value",
         [&] {
             cloud(other_ / DataDbFileName, 7, "A&B");
             return comm(relay_).ReleaseCloudShare(other_.string());
         },
         comm::RelayValueRefusedMessage},
        {"certificate for another host",
         [&] {
             cloud(other_ / DataDbFileName, 7, "COMM02");
             return comm(otherHost).ReleaseCloudShare(other_.string());
         },
         noConnection},
        {"no database", [&] { return comm(relay_).ReleaseCloudShare((root_.path() / "none").string()); },
         "クラウドシェア領域の読み込みに失敗しました。"},
    };
    for (const auto& c : cases) {
        seam_->messages.clear();
        EXPECT_EQ(c.release(), 1) << c.name;
        EXPECT_EQ(lastMessage().substr(0, c.message.size()), c.message) << c.name;
    }
    // Only the unknown ID reached a server.
    EXPECT_EQ(relay_.requests().size(), 1u);
    EXPECT_TRUE(otherHost.requests().empty());
}

TEST_F(DataTusinCommTest, TheInstalledFactoryMakesTheRealCommunication)
{
    comm::InstallDataTusinComm();
    EXPECT_NE(dynamic_cast<comm::TDataTusinComm*>(NewCloudShareComm().get()), nullptr);
    SetCloudShareCommFactory({});
    EXPECT_EQ(dynamic_cast<comm::TDataTusinComm*>(NewCloudShareComm().get()), nullptr);
}
