// The cloud-share send, receive and copy between two offices' data sets,
// on real data-set databases, the fake relay server and the fake FTP server.
#include "comm/DataTusinComm.h"

#include "../foundation/data/DataModuleFixture.h"
#include "FakeFtp.h"
#include "FakeRelay.h"
#include "IsqlValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace vq;
namespace fs = std::filesystem;

namespace {

const std::string Id = test::FakeFtp::User;

std::string scalar(const fs::path& db, const std::string& sql)
{
    return test::IsqlValue(test::runSql(db, sql));
}

std::size_t count(const std::vector<std::string>& lines, const std::string& part)
{
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [&](const auto& l) { return l.find(part) != std::string::npos; }));
}

} // namespace

class CloudShareTransferTest : public test::DataModuleFixture {
protected:
    void SetUp() override
    {
        DataModuleFixture::SetUp();
        a_ = SystemDef.DataDir;
        b_ = root_.path() / "data" / "0002";
        fs::create_directories(b_);
        test::buildDatabase(test::SchemaKind::DataSet, b_ / DataDbFileName);
        for (const auto& f : {a_, b_})
            test::runSql(f / DataDbFileName,
                         "UPDATE ACCDEF1 SET CLOUD_LINE=3, WEB_HOLDER='" + Id +
                             "', PASWORD='ABC123', SHOUGOU='テスト商事', ENTTEXT='共有データ' WHERE REC=1;");
        test::runSql(fs::path(SystemDef.SysDir) / SysDbFileName,
                     "INSERT INTO DATALIST (REC, GROUPID, PASNAME, ENTTEXT) VALUES (1, 10000, '" + a_.string() +
                         "', 'A');\nINSERT INTO DATALIST (REC, GROUPID, PASNAME, ENTTEXT) VALUES (2, 10000, '" +
                         b_.string() + "', 'B');");
        test::runSql(a_ / DataDbFileName,
                     "INSERT INTO SIWAKE (REC, DELFLG, HIZUKE) VALUES (1, 1, '2024-02-01');\n"
                     "INSERT INTO SIWAKE (REC, DELFLG, HIZUKE) VALUES (2, 1, '2024-03-01');\n"
                     "INSERT INTO ACCREG (AGROUP, ACODE, ATEXT) VALUES ('テスト', '印', 'office A');");
        fs::create_directories(ftp_.root() / "03");
        setSlots(R"({"3": {"name": "", "state": "1"}})");
        SystemDef.TempDir = (root_.path() / "temp").string();
    }

    void setSlots(const std::string& slots, const std::string& extra = "")
    {
        relay_.setState(R"({"ids": {")" + Id + R"(": {"slots": )" + slots +
                        R"(}}, "ftp_host": "127.0.0.1", "ftp_password": ")" + test::FakeFtp::Password + "\"" +
                        extra + "}");
    }

    comm::TDataTusinComm comm(int ftpReadMs = 3000)
    {
        comm::TCommSettings s = relay_.settings();
        ftp_.into(s);
        s.ReadTimeoutMs = ftpReadMs;
        s.InstallationId = "SN1";
        comm::TDataTusinComm c(s);
        c.Pauses = false;
        c.WorkBase = work_.path();
        return c;
    }

    // Office A's data set on the server, A's slot released again.
    void sendFromA()
    {
        seam_->computer = "PC-A";
        ASSERT_EQ(comm().CloudShareSend(a_.string(), "", 0), 0) << lastMessage();
        ASSERT_EQ(comm().ReleaseCloudShare(a_.string()), 0) << lastMessage();
        seam_->computer = "PC-B";
    }

    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }
    std::string marker(const fs::path& f) const
    {
        return scalar(f / DataDbFileName, "SELECT COUNT(*) FROM SIWAKE;") + "/" +
               scalar(f / DataDbFileName, "SELECT COALESCE(MAX(ATEXT), '-') FROM ACCREG WHERE AGROUP='テスト';");
    }
    std::string cloudTime(const fs::path& f) const
    {
        return scalar(f / DataDbFileName, "SELECT COALESCE(CAST(CLOUD_TIME AS VARCHAR(30)), '-') FROM ACCDEF1;");
    }
    // The relay requests after the first n.
    std::vector<std::string> since(std::size_t n) const
    {
        const auto all = relay_.requests();
        return {all.begin() + static_cast<long>(std::min(n, all.size())), all.end()};
    }
    bool workEmpty() const { return fs::is_empty(work_.path()); }
    std::string serverCopy() const { return test::readBytes(ftp_.root() / "03" / "cpacc.wen"); }

    fs::path a_, b_;
    test::TempDir work_;
    test::FakeRelay relay_;
    test::FakeFtp ftp_;
};

TEST_F(CloudShareTransferTest, RoundTripFromOfficeAToOfficeBAndTheLatestCopyShortcut)
{
    sendFromA();
    EXPECT_TRUE(fs::exists(ftp_.root() / "03" / "cpacc.wen"));
    EXPECT_FALSE(fs::exists(ftp_.root() / "03" / "cpacc.wenbak"));
    EXPECT_EQ(serverCopy().substr(0, 4), "VQCF");
    EXPECT_NE(cloudTime(a_), "-");
    EXPECT_TRUE(workEmpty());

    const auto before = relay_.requests().size();
    EXPECT_EQ(comm().CloudShareReceive(b_.string(), 0, 0), 0) << lastMessage();
    EXPECT_EQ(marker(b_), marker(a_));
    EXPECT_EQ(marker(b_).substr(0, 2), "2/");
    EXPECT_EQ(cloudTime(b_), cloudTime(a_));
    EXPECT_EQ(scalar(fs::path(SystemDef.SysDir) / SysDbFileName, "SELECT ENTTEXT FROM DATALIST WHERE REC=2;"),
              "共有データ");
    EXPECT_TRUE(workEmpty());
    auto requests = since(before);
    EXPECT_EQ(count(requests, "Scode=1833"), 1u);
    EXPECT_EQ(count(requests, "Scode=1730"), 0u);
    EXPECT_NE(relay_.state().find("PC-B"), std::string::npos);

    // B holds the latest copy: the next receive only takes the slot.
    const auto retrievals = count(ftp_.commands(), "RETR");
    const auto sent = relay_.requests().size();
    EXPECT_EQ(comm().CloudShareReceive(b_.string(), 0, 0), 0) << lastMessage();
    EXPECT_EQ(count(ftp_.commands(), "RETR"), retrievals);
    requests = since(sent);
    EXPECT_EQ(count(requests, "Scode=1833"), 1u);

    // The copy lands in "receive" and leaves B's own data set alone.
    test::runSql(b_ / DataDbFileName, "DELETE FROM SIWAKE;");
    EXPECT_EQ(comm().CloudShareReceiveTo(b_.string(), 0), 0) << lastMessage();
    EXPECT_EQ(marker(fs::path(SystemDef.TempDir) / "receive"), marker(a_));
    EXPECT_EQ(marker(b_).substr(0, 2), "0/");
}

TEST_F(CloudShareTransferTest, ASendThatFailsLeavesTheServerCopyAndFreesOnlyItsOwnSlot)
{
    sendFromA();
    const std::string previous = serverCopy();
    const std::string aTime = cloudTime(a_);
    test::runSql(a_ / DataDbFileName, "INSERT INTO SIWAKE (REC, DELFLG) VALUES (3, 1);");
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string message;
        bool took = true;
    };
    const Case cases[] = {
        {"upload dropped", [&] { ftp_.setFault("drop_stor"); }, "　\r\nデータの送信に失敗しました。"},
        {"upload stored short", [&] { ftp_.setFault("truncate_stor"); }, "送信処理に失敗しました。"},
        {"upload stalls", [&] { ftp_.setFault("stall"); }, "　\r\nデータの送信に失敗しました。"},
        {"login refused", [&] { ftp_.setFault("bad_login"); }, "　\r\nサーバーの接続に失敗しました。"},
        {"no slot folder",
         [&] { fs::rename(ftp_.root() / "03", ftp_.root() / "03x"); },
         "　\r\n転送先のディレクトリが存在しません。"},
        {"completion refused",
         [&] {
             fs::rename(ftp_.root() / "03x", ftp_.root() / "03");
             setSlots(R"({"3": {"name": "共有データ", "state": "1", "password": "ABC123"}})",
                      R"(, "status": "960", "status_for": "1823")");
         },
         "　\r\nサーバーエラー(960)"},
        {"slot held by another computer",
         [&] {
             setSlots(R"({"3": {"name": "共有データ", "state": "2", "user": "0007佐藤", "computer": "PC-X"}})");
         },
         "現在使用中のため選択できません。\r\nオペレータコード: [ 7 ]", false},
    };
    for (const auto& c : cases) {
        setSlots(R"({"3": {"name": "共有データ", "state": "1", "password": "ABC123"}})");
        ftp_.setFault("");
        c.arrange();
        seam_->messages.clear();
        const auto sent = relay_.requests().size();
        EXPECT_EQ(comm(1000).CloudShareSend(a_.string(), "", 0), 1) << c.name;
        EXPECT_EQ(lastMessage().substr(0, c.message.size()), c.message) << c.name << ": " << lastMessage();
        if (fs::exists(ftp_.root() / "03")) {
            EXPECT_EQ(serverCopy(), previous) << c.name;
        }
        EXPECT_FALSE(fs::exists(ftp_.root() / "03" / "cpacc.wenbak")) << c.name;
        EXPECT_EQ(cloudTime(a_), aTime) << c.name;
        EXPECT_TRUE(workEmpty()) << c.name;
        const auto requests = since(sent);
        EXPECT_EQ(count(requests, "Scode=1833"), c.took ? 1u : 0u) << c.name;
        EXPECT_EQ(count(requests, "Scode=1730&sSno=SN1&sFName=" + Id + "&fSname=03&fShare=1"), c.took ? 1u : 0u)
            << c.name;
    }
}

TEST_F(CloudShareTransferTest, AStaleBakIsClearedAndTheNewCopyReplacesThePrevious)
{
    sendFromA();
    test::writeBytes(ftp_.root() / "03" / "cpacc.wenbak", "stale");
    ftp_.setFault("rnto_no_clobber");
    seam_->computer = "PC-A";
    test::runSql(a_ / DataDbFileName, "INSERT INTO SIWAKE (REC, DELFLG) VALUES (3, 1);");
    EXPECT_EQ(comm().CloudShareSend(a_.string(), "", 0), 0) << lastMessage();
    EXPECT_FALSE(fs::exists(ftp_.root() / "03" / "cpacc.wenbak"));
    ASSERT_EQ(comm().ReleaseCloudShare(a_.string()), 0);
    seam_->computer = "PC-B";
    EXPECT_EQ(comm().CloudShareReceive(b_.string(), 0, 0), 0) << lastMessage();
    EXPECT_EQ(marker(b_).substr(0, 2), "3/");
}

TEST_F(CloudShareTransferTest, AReceiveThatFailsLeavesTheDataSetAndFreesOnlyASlotItTook)
{
    sendFromA();
    const std::string good = serverCopy();
    const std::string bBefore = marker(b_);
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string message;
        bool took = true;
    };
    const Case cases[] = {
        {"tampered file",
         [&] {
             std::string s = good;
             s[s.size() / 2] ^= 1;
             test::writeBytes(ftp_.root() / "03" / "cpacc.wen", s);
         },
         "　\r\n暗号解読失敗"},
        {"truncated file",
         [&] { test::writeBytes(ftp_.root() / "03" / "cpacc.wen", good.substr(0, good.size() - 100)); },
         "　\r\n暗号解読失敗"},
        {"download stalls", [&] { ftp_.setFault("stall"); }, ""},
        {"no file", [&] { fs::remove(ftp_.root() / "03" / "cpacc.wen"); }, "　\r\nダウンロードファイルが見つかりません。"},
        {"folder named by two data-list rows",
         [&] {
             test::runSql(fs::path(SystemDef.SysDir) / SysDbFileName,
                          "INSERT INTO DATALIST (REC, GROUPID, PASNAME) VALUES (3, 10000, '" + b_.string() + "');");
         },
         "データフォルダパスが不正です。"},
        {"other password",
         [&] {
             test::runSql(fs::path(SystemDef.SysDir) / SysDbFileName, "DELETE FROM DATALIST WHERE REC=3;");
             test::runSql(b_ / DataDbFileName, "UPDATE ACCDEF1 SET PASWORD='XYZ999' WHERE REC=1;");
         },
         "　\r\nクラウドデータと現在利用中のデータではパスワードが一致しません。", false},
        {"slot held by another computer",
         [&] {
             test::runSql(b_ / DataDbFileName, "UPDATE ACCDEF1 SET PASWORD='ABC123' WHERE REC=1;");
             setSlots(R"({"3": {"name": "共有データ", "state": "2", "password": "ABC123", "user": "0012鈴木",
                               "computer": "PC-X", "updated": "2024/05/01 10:20:30"}})");
         },
         "現在使用中のため選択できません。\r\nオペレータコード: [ 12 ]", false},
    };
    const std::string slots = relay_.state();
    for (const auto& c : cases) {
        relay_.setState(slots);
        test::writeBytes(ftp_.root() / "03" / "cpacc.wen", good);
        ftp_.setFault("");
        c.arrange();
        seam_->messages.clear();
        const auto sent = relay_.requests().size();
        EXPECT_EQ(comm(1000).CloudShareReceive(b_.string(), 0, 0), 1) << c.name;
        EXPECT_EQ(lastMessage().substr(0, c.message.size()), c.message) << c.name << ": " << lastMessage();
        EXPECT_EQ(marker(b_), bBefore) << c.name;
        EXPECT_EQ(cloudTime(b_), "-") << c.name;
        EXPECT_TRUE(workEmpty()) << c.name;
        const auto requests = since(sent);
        EXPECT_EQ(count(requests, "Scode=1833"), c.took ? 1u : 0u) << c.name;
        EXPECT_EQ(count(requests, "Scode=1730"), c.took ? 1u : 0u) << c.name;
    }
}

TEST_F(CloudShareTransferTest, TheCopyTakesTheConsolidationSettingIntoTheCopyNotTheDataSet)
{
    const std::string setting = "INSERT INTO ACCREG (AGROUP, ACODE, ATEXT) VALUES ('基本設定', '合算データ区分', '%K');\n"
                                "INSERT INTO ACCREG (AGROUP, ACODE, ATEXT) VALUES ('基本設定', '合算データ数', '%C');";
    auto with = [&](std::string kind, std::string n) {
        std::string s = setting;
        s.replace(s.find("%K"), 2, kind);
        s.replace(s.find("%C"), 2, n);
        return s;
    };
    test::runSql(a_ / DataDbFileName, with("10", "0"));
    test::runSql(b_ / DataDbFileName, with("0", "3"));
    sendFromA();
    EXPECT_EQ(comm().CloudShareReceiveTo(b_.string(), 0), 0) << lastMessage();
    const std::string query = "SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='合算データ区分';";
    EXPECT_EQ(scalar(fs::path(SystemDef.TempDir) / "receive" / DataDbFileName, query), "0");
    EXPECT_EQ(scalar(b_ / DataDbFileName, query), "0");
    EXPECT_EQ(scalar(b_ / DataDbFileName, "SELECT ATEXT FROM ACCREG WHERE ACODE='合算データ数';"), "3");
    EXPECT_TRUE(workEmpty());
}
