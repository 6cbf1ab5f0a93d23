// The relay and cash-book operations of the communication screen on a copy
// of the sample office's data set, against the fake relay and FTP servers.
#include "comm/forms/TfmDataTusin.h"

#include "../../ui/forms/ShownForm.h"
#include "../CashBookFixture.h"
#include "../FakeFtp.h"
#include "../FakeRelay.h"
#include "comm/RelayTransfer.h"
#include "comm/forms/TCashBookLoaderBox.h"
#include "comm/forms/TMeetingToolSettingBox.h"
#include "comm/forms/TfmHikakuMess2.h"
#include "foundation/calendar/DateText.h"
#include "foundation/data/AccRegSettings.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

using namespace vq;
namespace fs = std::filesystem;
using comm::TfmDataTusin;

namespace {

const std::string Id = test::FakeFtp::User;
constexpr const char* CashPassword = "CB1234";
constexpr const char* RelayPassword = "RL1234";

std::size_t countOf(const std::vector<std::string>& lines, const std::string& part)
{
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [&](const auto& l) { return l.find(part) != std::string::npos; }));
}

} // namespace

class TfmDataTusinRelayTest : public test::CashBookFixture {
protected:
    void SetUp() override
    {
        CashBookFixture::SetUp();
        SystemDef.IniDir = (root_.path() / "ini").string();
        SystemDef.TempDir = (root_.path() / "temp").string();
        fs::create_directories(SystemDef.IniDir);
        fs::create_directories(SystemDef.TempDir);
        comm::TCommSettings s = relay_.settings();
        ftp_.into(s);
        s.InstallationId = "SN1";
        comm::SaveCommSettings(comm::CommSettingsFile(), s);
        openSql("UPDATE TUSIN_ID SET HOLDER='" + Id + "', PASWORD='" + CashPassword + "' WHERE REC=1");
        for (const char* slot : {"01", "02", "03"})
            fs::create_directories(ftp_.root() / slot);
        setCashSlots("{}");
        kishu_ = FormatDateTime("yyyy/mm/dd", AccInf.KISHU);
        kimatu_ = FormatDateTime("yyyy/mm/dd", AccInf.KIMATU);
    }

    void setCashSlots(const std::string& cashbook, const std::string& relay = "{}")
    {
        relay_.setState(R"({"ids": {")" + Id + R"(": {"cashbook": )" + cashbook + R"(, "relay": )" + relay +
                        R"(}}, "ftp_host": "127.0.0.1", "ftp_password": ")" + test::FakeFtp::Password + "\"}");
    }

    // A listed slot of this data set's company and year (or of others).
    std::string slot(const std::string& name, const std::string& start, const std::string& password = CashPassword)
    {
        return R"({"name": ")" + name + R"(", "term": "1", "start": ")" + start + R"( 00:00:00", "end": ")" + kimatu_ +
               R"( 00:00:00", "sent": "2024/05/01 10:20:30", "received": "0000/00/00 00:00:00",
               "password": ")" +
               password + R"(", "version": "1400"})";
    }
    std::string ownSlot() { return slot(AccInf.SHOUGOU, kishu_); }

    std::int32_t run(std::int32_t syoriType, TfmDataTusin& screen, bool modal = true)
    {
        screen.SyoriType = syoriType;
        screen.Pauses = false;
        screen.WorkBase = work_.path();
        return screen.Execute(modal);
    }
    std::int32_t run(std::int32_t syoriType)
    {
        TfmDataTusin screen;
        return run(syoriType, screen);
    }

    std::vector<std::string> texts()
    {
        std::vector<std::string> out;
        for (const auto& m : seam_->messages)
            out.push_back(m.text);
        return out;
    }
    bool shown(const std::string& text)
    {
        const auto t = texts();
        return std::find(t.begin(), t.end(), text) != t.end();
    }

    test::FakeRelay relay_;
    test::FakeFtp ftp_;
    test::TempDir work_;
    std::string kishu_, kimatu_;
};

TEST_F(TfmDataTusinRelayTest, RefusalsBeforeAnythingIsSent)
{
    auto setGassan = [&](const char* kind) {
        openSql("DELETE FROM ACCREG WHERE AGROUP='基本設定' AND "
                "ACODE='合算データ区分'");
        openSql(std::string("INSERT INTO ACCREG (AGROUP, ACODE, ATEXT) VALUES "
                            "('基本設定', '合算データ区分', '") +
                kind + "')");
    };
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::int32_t syoriType;
        std::int32_t result;
        const char* message;
    };
    const Case cases[] = {
        {"no cash-book ID", [&] { openSql("UPDATE TUSIN_ID SET HOLDER='' WHERE REC=1"); }, 3, -1,
         "　\r\n通信IDが設定されてません。通信設定で設定して下さい。\r\n "},
        {"no cash-book ID, automatic", [&] { openSql("UPDATE TUSIN_ID SET HOLDER='' WHERE REC=1"); }, 6, 0,
         "　\r\n通信IDが設定されてません。通信設定で設定して下さい。\r\n "},
        {"no cash-book password", [&] { openSql("UPDATE TUSIN_ID SET PASWORD='' WHERE REC=1"); }, 4, -1,
         "　\r\nパスワードが設定されてません。通信設定で設定して下さい。\r\n "},
        {"no relay ID", [&] { AccInf.WEB_HOLDER.clear(); }, 1, -1,
         "　\r\n通信IDが設定されてません。通信設定で設定して下さい。\r\n "},
        {"no relay password", [&] { AccInf.PASWORD.clear(); }, 2, -1,
         "　\r\nパスワードが設定されてません。通信設定で設定して下さい。\r\n "},
        {"approved entries",
         [&] {
             openSql("UPDATE SIWAKE SET SHONIN_OPCODE=5 WHERE SWKREC=(SELECT "
                     "MIN(SWKREC) FROM SIWAKE)");
         },
         3, -1,
         "現在ご利用中のデータは承認済み仕訳が含まれます。\r\n現金出納帳通信処理"
         "は行えません。"},
        {"consolidated send", [&] { setGassan("1"); }, 5, -1,
         "現在選択中のデータは合算データのため、現金出納帳の送信処理は行えません"
         "。\r\n "},
        {"consolidated receive", [&] { setGassan("2"); }, 4, -1,
         "現在選択中のデータは合算データのため、現金出納帳の受信処理は行えません"
         "。\r\n "},
        {"other screens open", [&] { MenuHostProc = [](std::int32_t, const std::string&) { return 1; }; }, 3, -1,
         "　\r\n現在メニュー以外の画面を表示中なので、データ通信処理は行えません"
         "。\r\n "},
    };
    const auto savedHost = MenuHostProc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seam_->messages.clear();
        openSql("UPDATE TUSIN_ID SET HOLDER='" + Id + "', PASWORD='" + CashPassword + "' WHERE REC=1");
        openSql("UPDATE SIWAKE SET SHONIN_OPCODE=0 WHERE SHONIN_OPCODE<>0");
        setGassan("0");
        AccInf.WEB_HOLDER = Id;
        AccInf.PASWORD = RelayPassword;
        c.arrange();
        EXPECT_EQ(run(c.syoriType), c.result);
        MenuHostProc = savedHost;
        EXPECT_EQ(texts().size(), 1u);
        EXPECT_TRUE(shown(c.message)) << (texts().empty() ? "" : texts().back());
        EXPECT_EQ(countOf(relay_.requests(), "Scode=18"), 0u);
    }
}

TEST_F(TfmDataTusinRelayTest, CashBookSendAndReceiveRoundTrip)
{
    openSql("UPDATE ACCDEF1 SET CLOUD_LINE=4 WHERE REC=1");
    EXPECT_EQ(run(3), 1);
    EXPECT_TRUE(shown("　\r\n送信処理が終了しました。\r\n　"));
    EXPECT_TRUE(fs::exists(ftp_.root() / "02" / "vqacc.wen"));
    auto requests = relay_.requests();
    EXPECT_EQ(countOf(requests, "Scode=1720&sSno=SN1&sFName=" + Id + "&sTRKubn=2 "), 1u);
    EXPECT_EQ(countOf(requests, "Scode=1810&sSno=SN1&sFName=" + Id + "&fSname=02&"), 1u);
    EXPECT_NE(relay_.state().find(AccInf.SHOUGOU), std::string::npos);

    // The cash-book receive takes the cash book sent above, imports it and
    // only then frees the slot and the data set's cloud slot.
    seam_->messages.clear();
    EXPECT_EQ(run(10), 1) << (texts().empty() ? "" : texts().back());
    requests = relay_.requests();
    EXPECT_EQ(countOf(requests, "Scode=1750&sSno=SN1&sFName=" + Id + "&fSname=02 "), 1u);
    EXPECT_EQ(relay_.state().find(AccInf.SHOUGOU), std::string::npos);
    EXPECT_EQ(one(openRows("SELECT CLOUD_LINE FROM ACCDEF1 WHERE REC=1")), "0");
    EXPECT_FALSE(fs::exists(fs::path(SystemDef.TempDir) / "vqacc.fdb"));
}

TEST_F(TfmDataTusinRelayTest, AFailedCashBookSendAnswersMinusOne)
{
    struct Case {
        const char* fault;
        bool folder;
        const char* message;
    };
    const Case cases[] = {
        {"bad_login", true, "　\r\nサーバーの接続に失敗しました。\r\n "},
        {"", false, "　\r\n転送先のディレクトリが存在しません。\r\n "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        seam_->messages.clear();
        ftp_.setFault(c.fault);
        if (!c.folder)
            fs::remove_all(ftp_.root() / "02");
        EXPECT_EQ(run(3), -1);
        EXPECT_TRUE(shown(c.message));
        EXPECT_FALSE(shown("　\r\n送信処理が終了しました。\r\n　"));
        EXPECT_EQ(countOf(relay_.requests(), "Scode=1810"), 0u);
    }
}

TEST_F(TfmDataTusinRelayTest, AnExceptionInsideACashBookTransferAnswersMinusOneAndFreesTheScreen)
{
    struct Case {
        std::int32_t syoriType;
        std::int32_t result;
        const char* report;
    };
    const Case cases[] = {
        {3, -1, "送信処理中にエラーになりました。\r\n"},
        {5, -1, "送信処理中にエラーになりました。\r\n"},
        {10, -1, "受信処理中にエラーになりました。\r\n"},
        {6, 0, "受信処理中にエラーになりました。\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.syoriType);
        seam_->messages.clear();
        setCashSlots(c.syoriType >= 6 ? R"({"3": )" + ownSlot() + "}" : "{}");
        TfmDataTusin screen;
        screen.TransferMade = [](comm::TRelayTransfer& t) {
            t.Pause = [] { throw std::runtime_error("pause cut"); };
        };
        EXPECT_EQ(run(c.syoriType, screen), c.result);
        const auto t = texts();
        ASSERT_FALSE(t.empty());
        EXPECT_EQ(t.back().rfind(c.report, 0), 0u) << t.back();
        EXPECT_NE(t.back().find("pause cut"), std::string::npos);
        EXPECT_FALSE(shown("　\r\n送信処理が終了しました。\r\n　"));
        EXPECT_TRUE(screen.isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(countOf(relay_.requests(), "Scode=1810"), 0u);
        EXPECT_EQ(countOf(relay_.requests(), "Scode=1750"), 0u);
    }
}

TEST_F(TfmDataTusinRelayTest, ADataSetAttachedElsewhereIsAskedAboutOrRefusedByProduct)
{
    db::Attachment other;
    other.attach({dataFile().string(), "SYSDBA", "masterkey"});
    const auto savedKind = ProductKind;
    struct Case {
        std::uint8_t productKind;
        std::int32_t syoriType;
        std::vector<int> answers; // the send's question first, where one is asked
        const char* message;
    };
    const Case cases[] = {
        {0, 3, {platform::ResultYes, platform::ResultNo}, "　\r\nこのデータは他のオペレータが使用中です。現金出納帳送信を開始しますか？\r\n "},
        {0, 4, {platform::ResultNo}, "　\r\nこのデータは他のオペレータが使用中です。現金出納帳受信を開始しますか？\r\n "},
        {3, 7, {platform::ResultYes}, "　\r\nこのデータは他のオペレータが使用中なので、データ受信は行えません。\r\n "},
        {3, 10, {}, "　\r\nこのデータは他のオペレータが使用中なので、データ受信は行えません。\r\n "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.syoriType);
        seam_->messages.clear();
        ProductKind = c.productKind;
        seam_->messageAnswers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(run(c.syoriType), -1);
        EXPECT_TRUE(shown(c.message)) << (texts().empty() ? "" : texts().back());
        EXPECT_EQ(countOf(relay_.requests(), "Scode=17"), 0u);
    }
    ProductKind = savedKind;
}

TEST_F(TfmDataTusinRelayTest, AReceiveThatFailsKeepsTheServerSlotAndTheCloudSlot)
{
    openSql("UPDATE ACCDEF1 SET CLOUD_LINE=4 WHERE REC=1");
    setCashSlots(R"({"2": )" + ownSlot() + "}"); // listed, but no file on the server
    EXPECT_EQ(run(10), -1);
    EXPECT_TRUE(shown("　\r\nダウンロードファイルが見つかりません。\r\n "));
    EXPECT_TRUE(shown("　\r\n受信処理が正常に終了していません。\r\n "));
    EXPECT_EQ(countOf(relay_.requests(), "Scode=1750"), 0u);
    EXPECT_EQ(one(openRows("SELECT CLOUD_LINE FROM ACCDEF1 WHERE REC=1")), "4");

    // The automatic receive of the same answers 0.
    EXPECT_EQ(run(6), 0);
    EXPECT_EQ(countOf(relay_.requests(), "Scode=1750"), 0u);
}

TEST_F(TfmDataTusinRelayTest, NothingToReceive)
{
    EXPECT_EQ(run(6), 0);
    EXPECT_TRUE(texts().empty());
    EXPECT_EQ(run(10), 0);
    EXPECT_EQ(texts(), std::vector<std::string>{"　\r\n受信データがありません。\r\n "});
}

TEST_F(TfmDataTusinRelayTest, SendsRefusedOrAskedByWhatTheServerHolds)
{
    // Unreceived master data of this year refuses a cash-book send.
    setCashSlots(R"({"3": )" + ownSlot() + "}");
    EXPECT_EQ(run(3), -1);
    EXPECT_TRUE(shown("　\r\n中継サーバーに未受信の全データが存在しますので送信で"
                      "きません。\r\n "));

    // Unreceived cash-book data refuses a master send.
    setCashSlots(R"({"1": )" + ownSlot() + "}");
    EXPECT_EQ(run(5), -1);
    EXPECT_TRUE(shown("　\r\n受信処理を行ってから、マスター送信して下さい。\r\n "));

    // A master send over this product's cash book asks first; No keeps it.
    setCashSlots(R"({"2": )" + ownSlot() + "}");
    seam_->messageAnswers = {platform::ResultYes, platform::ResultNo};
    EXPECT_EQ(run(5), -1);
    EXPECT_EQ(countOf(relay_.requests(), "Scode=1750"), 0u);
    EXPECT_NE(relay_.state().find(AccInf.SHOUGOU), std::string::npos);
}

TEST_F(TfmDataTusinRelayTest, AMasterReceiveOfAnotherPeriodIsRefusedAndAnotherCompanyAsked)
{
    setCashSlots(R"({"3": )" + slot(AccInf.SHOUGOU, "2001/01/01") + "}");
    test::whenModalOf<comm::TfmHikakuMess2>([](comm::TfmHikakuMess2* w) {
        EXPECT_EQ(w->Button1->text(), QStringLiteral("ＯＫ"));
        EXPECT_FALSE(w->Button2->isVisible());
        EXPECT_FALSE(w->Labels[3]->isVisible());
        EXPECT_TRUE(w->Labels[6]->isVisible());
        w->Button1->click();
    });
    EXPECT_EQ(run(10), -1);

    setCashSlots(R"({"3": )" + slot("別の会社", kishu_) + "}");
    test::whenModalOf<comm::TfmHikakuMess2>([](comm::TfmHikakuMess2* w) {
        EXPECT_TRUE(w->Labels[5]->text().contains(QStringLiteral("別の会社")));
        w->Button2->click();
    });
    EXPECT_EQ(run(10), -1);
    EXPECT_EQ(countOf(relay_.requests(), "Scode=1750"), 0u);
}

TEST(DifferenceWindowLayout, TopsButtonsAndHeightByTheGroupsShown)
{
    struct Case {
        const char* name;
        comm::TDifferenceGroups groups;
        std::vector<int> tops; // of the shown company and period labels, in order
        int buttons;
        int height;
    };
    using G = comm::TDifferenceGroups;
    const Case cases[] = {
        {"all three", G{true, true, true, false, false, false}, {87, 108, 124, 151, 172, 188}, 226, 302},
        {"password and company", G{true, true, false, false, false, false}, {89, 110, 126}, 170, 250},
        {"password and period", G{true, false, true, false, false, false}, {89, 110, 126}, 170, 250},
        {"company and period", G{false, true, true, false, false, false}, {69, 90, 106, 133, 154, 170}, 220, 300},
        {"period only", G{false, false, true, false, false, false}, {69, 90, 106}, 150, 230},
        {"refusal, both, second line", G{false, true, true, true, true, false}, {69, 90, 106, 133, 154, 170}, 220, 300},
        {"refusal, both", G{false, true, true, true, false, false}, {39, 60, 76, 103, 124, 140}, 190, 270},
        {"refusal, one, second line", G{false, true, false, true, true, false}, {69, 90, 106}, 150, 230},
        {"refusal, one", G{false, false, true, true, false, false}, {49, 70, 86}, 130, 210},
        {"company question", G{false, true, false, false, false, true}, {49, 70, 86}, 130, 210},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        comm::TfmHikakuMess2 w;
        const double scale = w.logicalDpiX() / 96.0;
        auto px = [scale](int v) { return static_cast<int>(v * scale + 0.5); };
        comm::LayoutDifferenceWindow(w, c.groups);
        std::vector<int> tops;
        for (std::size_t i = 3; i < w.Labels.size(); ++i)
            if (!w.Labels[i]->isHidden())
                tops.push_back(w.Labels[i]->y());
        std::vector<int> expected;
        for (int t : c.tops)
            expected.push_back(px(t));
        EXPECT_EQ(tops, expected);
        EXPECT_EQ(w.Labels[2]->isHidden(), !(c.groups.Password && !c.groups.Refusal));
        EXPECT_EQ(w.Button1->y(), px(c.buttons));
        EXPECT_EQ(w.height(), px(c.height));
        EXPECT_EQ(w.Button2->isHidden(), c.groups.Refusal);
    }
}

TEST_F(TfmDataTusinRelayTest, RelaySendAndReceiveOfAWholeDataSetBetweenTwoOffices)
{
    const fs::path b = root_.path() / "data" / "0002";
    fs::create_directories(b);
    fs::copy_file(sample_, b / DataDbFileName);
    const fs::path sys = fs::path(SystemDef.SysDir) / SysDbFileName;
    test::runSql(sys, "INSERT INTO DATALIST (REC, GROUPID, PASNAME, ENTTEXT) "
                      "VALUES (1, 10000, '" +
                          SystemDef.DataDir +
                          "', 'A');\nINSERT INTO DATALIST (REC, GROUPID, "
                          "PASNAME, ENTTEXT) VALUES (2, 10000, '" +
                          b.string() + "', 'B');");
    for (const fs::path& f : {fs::path(SystemDef.DataDir), b})
        test::runSql(f / DataDbFileName, "UPDATE ACCDEF1 SET WEB_HOLDER='" + Id + "', PASWORD='" + RelayPassword +
                                             "' WHERE REC=1;\nDELETE FROM ACCREG WHERE AGROUP='テスト';");
    AccInf.WEB_HOLDER = Id;
    AccInf.PASWORD = RelayPassword;
    openSql("INSERT INTO ACCREG (AGROUP, ACODE, ATEXT) VALUES ('テスト', '印', "
            "'office A')");
    // The analysis upload follows the send; the web meeting mails its start.
    PutAccReg("通信設定", "クラウド区分", "整数", SettingValue(std::int32_t{1}));
    PutAccReg("ＷＥＢ会議設定", "ＷＥＢ会議を行う", "整数", SettingValue(std::int32_t{1}));
    PutAccReg("ＷＥＢ会議設定", "ＵＲＬ", "文字", SettingValue(std::string("https://m.example/")));

    std::vector<std::pair<std::string, std::int32_t>> uploads;
    TfmDataTusin sender;
    sender.DataListPresent = true;
    sender.UploadToWebAnalysis = [&](const std::string& id, std::int32_t slot) {
        uploads.emplace_back(id, slot);
        return comm::TAnalysisUpload{"000", ""};
    };
    test::whenModalOf<TfmDataTusin>([&](TfmDataTusin* s) {
        s->PerfectGrid1->setCurrentCell(0, 1);
        // Cancelling the meeting's question cancels the send.
        test::whenModalOf<comm::TMeetingToolSettingBox>([](comm::TMeetingToolSettingBox* m) { m->btnCancel->Click(); });
        s->Key(12)->Click();
        EXPECT_TRUE(s->isVisible());
        EXPECT_EQ(countOf(relay_.requests(), "Scode=1820"), 0u);
        PutAccReg("ＷＥＢ会議設定", "ＷＥＢ会議を行う", "整数", SettingValue(std::int32_t{0}));
        s->Key(12)->Click();
        EXPECT_EQ(s->PerfectGrid1->item(0, 1)->text(), QString::fromStdString(AccInf.ENTTEXT));
    });
    EXPECT_EQ(run(1, sender), 0);
    EXPECT_TRUE(shown("　\r\nデータ送信処理が終了しました。\r\n "));
    EXPECT_EQ(uploads, (std::vector<std::pair<std::string, std::int32_t>>{{Id, 1}}));
    EXPECT_TRUE(fs::exists(ftp_.root() / "01" / "vqacc.wen"));
    EXPECT_EQ(countOf(relay_.requests(), "Scode=1720&sSno=SN1&sFName=" + Id + " "), 1u);
    EXPECT_EQ(countOf(relay_.requests(), "Scode=1820&sSno=SN1&sFName=" + Id + "&fSname=01&"), 1u);

    // Office B receives it over its own data set.
    dm_.IBDatabaseDAT.disconnect();
    SystemDef.DataDir = b.string();
    ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
    ASSERT_TRUE(dm_.fnGetAccInfo());
    EXPECT_TRUE(openRows("SELECT ATEXT FROM ACCREG WHERE AGROUP='テスト'").empty());
    seam_->messages.clear();
    TfmDataTusin receiver;
    receiver.DataListPresent = true;
    test::whenModalOf<TfmDataTusin>([&](TfmDataTusin* s) {
        s->PerfectGrid1->setCurrentCell(0, 1);
        s->Key(12)->Click();
    });
    EXPECT_EQ(run(2, receiver), 1) << (texts().empty() ? "" : texts().back());
    EXPECT_TRUE(shown("　\r\nデータ受信処理が終了しました。\r\n "));
    EXPECT_EQ(countOf(relay_.requests(), "Scode=1830&sSno=SN1&sFName=" + Id + "&fSname=01 "), 1u);
    if (!dm_.IBDatabaseDAT.connected()) {
        ASSERT_TRUE(dm_.fnAccDatConnected("", SystemDef.DataDir, 0));
    }
    EXPECT_EQ(openRows("SELECT ATEXT FROM ACCREG WHERE AGROUP='テスト'"), std::vector<std::string>{"office A"});
}

TEST_F(TfmDataTusinRelayTest, AFailedMarkingAnswersMinusOneWhetherBeforeOrAfterTheUpload)
{
    struct Case {
        std::int32_t syoriType;
        const char* message;
        const char* remote;
        bool uploaded;
    };
    const Case cases[] = {
        {5, "　\r\nデータセンダーエラー1\r\n ", "03", false},
        {3, "　\r\nデータセンダーエラー2\r\n ", "02", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        seam_->messages.clear();
        // Another connection holds a cash entry that the marking changes.
        db::Attachment other = db::attachDatabase({dataFile().string(), "SYSDBA", "masterkey"});
        db::Transaction holder(other);
        holder.start();
        other.execute(holder, "UPDATE SIWAKE SET COMMENT='held' WHERE "
                              "SWKREC=(SELECT MAX(SWKREC) FROM SIWAKE "
                              "WHERE TAISHAKU=1 AND KCODE='1110' AND DELFLG=0)");
        EXPECT_EQ(run(c.syoriType), -1);
        holder.rollback();
        EXPECT_TRUE(shown(c.message));
        EXPECT_FALSE(shown("　\r\n送信処理が終了しました。\r\n　"));
        EXPECT_FALSE(shown("　\r\n送信処理が終了しました。\r\n "));
        EXPECT_EQ(fs::exists(ftp_.root() / c.remote / "vqacc.wen"), c.uploaded);
    }
}

TEST_F(TfmDataTusinRelayTest, AnImportWindowClosedWithoutImportingKeepsTheSlot)
{
    EXPECT_EQ(run(9), 1); // the cash book's own slot "01"
    ASSERT_TRUE(fs::exists(ftp_.root() / "01" / "vqacc.wen"));
    seam_->messages.clear();
    test::whenModalOf<comm::TCashBookLoaderBox>([](comm::TCashBookLoaderBox* box) { box->btnCancelClick(); });
    EXPECT_EQ(run(4), -1);
    EXPECT_TRUE(shown("　\r\n受信処理が正常に終了していません。\r\n "));
    EXPECT_EQ(countOf(relay_.requests(), "Scode=1750"), 0u);
    EXPECT_NE(relay_.state().find(AccInf.SHOUGOU), std::string::npos);
}

TEST_F(TfmDataTusinRelayTest, AMasterSendOverThisProductsCashBookDeletesItFirst)
{
    setCashSlots(R"({"2": )" + ownSlot() + "}");
    seam_->messageAnswers = {platform::ResultYes, platform::ResultYes};
    EXPECT_EQ(run(5), 1);
    EXPECT_TRUE(shown("　\r\n送信処理が終了しました。\r\n "));
    const auto requests = relay_.requests();
    EXPECT_EQ(countOf(requests, "Scode=1750&sSno=SN1&sFName=" + Id + "&fSname=02 "), 1u);
    EXPECT_EQ(countOf(requests, "Scode=1810&sSno=SN1&sFName=" + Id + "&fSname=03&"), 1u);
    EXPECT_TRUE(fs::exists(ftp_.root() / "03" / "vqacc.wen"));
}
