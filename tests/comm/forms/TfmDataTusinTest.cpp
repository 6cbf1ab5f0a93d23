// The cloud-share slot choice of the communication screen on the sample
// office, against the fake relay server.
#include "comm/forms/TfmDataTusin.h"

#include "SampleOfficeFixture.h"
#include "../../ui/forms/ShownForm.h"
#include "../FakeRelay.h"
#include "SchemaDatabase.h"
#include "comm/forms/TfmTusinSettiPas.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTimer>

using namespace vq;
using comm::TfmDataTusin;
using comm::TfmTusinSettiPas;

namespace {

// Ticks the box, types password and presses OK on the password dialog.
void answerPassword(const QString& password)
{
    test::whenModalOf<TfmTusinSettiPas>([password](TfmTusinSettiPas* d) {
        d->CheckBox1->setChecked(true);
        d->txtConPasswd->setText(password);
        d->btnOK->Click();
    });
}

const std::string Slots = R"({"ids": {"COMM01": {"slots": {
  "1": {"name": "山田商店", "term": "5", "start": "2024/04/01 00:00:00", "end": "2025/03/31 00:00:00",
        "updated": "2024/05/01 10:20:30", "started": "0000/00/00 00:00:00", "password": "ABC123",
        "version": "1400", "state": "1"},
  "2": {"name": "自社データ", "term": "5", "start": "2024/04/01 00:00:00", "end": "2025/03/31 00:00:00",
        "updated": "2024/05/01 10:20:30", "started": "2024/06/02 09:15:00", "password": "ABC123",
        "version": "1400", "state": "2", "user": "0012佐藤", "computer": "PC-2"},
  "3": {"name": "他社データ", "term": "1", "start": "2024/01/01 00:00:00", "end": "2024/12/31 00:00:00",
        "updated": "2024/05/01 10:20:30", "started": "0000/00/00 00:00:00", "password": "ZZZ999",
        "version": "1400", "state": "1"}}}}})";

} // namespace

class TfmDataTusinTest : public test::SampleOfficeFixture {
protected:
    void SetUp() override
    {
        SampleOfficeFixture::SetUp();
        folder_ = dataFolder("0001");
        test::runSql(std::filesystem::path(folder_) / DataDbFileName,
                     "UPDATE ACCDEF1 SET CLOUD_LINE=2, WEB_HOLDER='COMM01', PASWORD='ABC123' WHERE REC=1;");
        relay_.setState(Slots);
        useRelay(relay_);
    }

    static void useRelay(const test::FakeRelay& relay)
    {
        comm::TCommSettings s = relay.settings();
        s.InstallationId = "SN1";
        comm::SaveCommSettings(comm::CommSettingsFile(), s);
    }

    std::string lastMessage() { return seam_->messages.empty() ? "" : seam_->messages.back().text; }

    std::string folder_;
    test::FakeRelay relay_;
};

TEST_F(TfmDataTusinTest, SlotWithDataIsChosenAndTheOwnSlotIsCurrent)
{
    TfmDataTusin screen;
    int currentAtStart = -1;
    test::whenModalOf<TfmDataTusin>([&](TfmDataTusin* s) {
        currentAtStart = s->PerfectGrid1->currentRow();
        EXPECT_EQ(s->PerfectGrid1->item(1, comm::SlColState)->text(), QStringLiteral("使用中"));
        EXPECT_FALSE(s->Key(5)->isEnabled());   // in use: no deletion
        EXPECT_TRUE(s->Key(4)->isEnabled());
        s->PerfectGrid1->setCurrentCell(0, comm::SlColName);
        EXPECT_TRUE(s->Key(5)->isEnabled());    // free: deletion, no release
        EXPECT_FALSE(s->Key(4)->isEnabled());
        test::releaseKey(*s, Qt::Key_F12);
    });
    EXPECT_EQ(screen.SelectCloudShareSlot(folder_), 0);
    EXPECT_EQ(currentAtStart, 1);
    EXPECT_TRUE(screen.SlotSelected);
    EXPECT_EQ(screen.SelectedSlot, 1);
    EXPECT_EQ(screen.SelectedName, "山田商店");
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("クラウドシェア領域を選択"));
    EXPECT_EQ(relay_.requests().at(0).rfind("GET /request.php?Scode=1725&sSno=SN1&sFName=COMM01&sRendou=0 ", 0), 0u);
}

TEST_F(TfmDataTusinTest, RowWhosePasswordDiffersIsRefusedAndAnEmptyRowStartsTheShare)
{
    TfmDataTusin screen;
    test::whenModalOf<TfmDataTusin>([&](TfmDataTusin* s) {
        s->PerfectGrid1->setCurrentCell(2, comm::SlColName);
        s->Key(12)->Click();
        EXPECT_TRUE(s->isVisible());
        EXPECT_EQ(lastMessage(), "クラウド領域のデータと現在選択中のデータのパスワードが一致しません。");
        s->PerfectGrid1->setCurrentCell(6, comm::SlColName);
        s->Key(12)->Click();
    });
    EXPECT_EQ(screen.SelectCloudShareSlot(folder_), 0);
    EXPECT_TRUE(screen.SlotSelected);
    EXPECT_EQ(screen.SelectedSlot, 7);
    EXPECT_EQ(screen.SelectedName, "");
    EXPECT_EQ(lastMessage(), "お手元のデータをアップロードしてクラウドシェアを開始します。");

    // During the next-year update only an empty row is taken.
    TfmDataTusin newYear;
    test::whenModalOf<TfmDataTusin>([&](TfmDataTusin* s) {
        s->PerfectGrid1->setCurrentCell(0, comm::SlColName);
        s->Key(12)->Click();
        EXPECT_EQ(lastMessage(), "翌年度更新処理中の場合は、空白行を選択してください。");
        s->Key(0)->Click();
    });
    EXPECT_EQ(newYear.SelectCloudShareSlotForNewYear(folder_), 0);
    EXPECT_FALSE(newYear.SlotSelected);
}

TEST_F(TfmDataTusinTest, F4FreesAStuckSlotAndF5DeletesAFreeOneAfterThePassword)
{
    TfmDataTusin screen;
    test::whenModalOf<TfmDataTusin>([&](TfmDataTusin* s) {
        s->PerfectGrid1->setCurrentCell(1, comm::SlColName);
        answerPassword(QStringLiteral("WRONG1"));
        test::whenModalOf<TfmTusinSettiPas>([](TfmTusinSettiPas* d) { d->ESC->Click(); });
        s->Key(4)->Click();
        EXPECT_EQ(lastMessage(), "パスワードが違います。");
        EXPECT_EQ(s->PerfectGrid1->item(1, comm::SlColState)->text(), QStringLiteral("使用中"));

        answerPassword(QStringLiteral("ABC123"));
        s->Key(4)->Click();
        EXPECT_EQ(lastMessage(), "使用中を解除しました。");
        EXPECT_EQ(s->PerfectGrid1->item(1, comm::SlColState)->text(), QStringLiteral("未使用"));
        EXPECT_EQ(s->PerfectGrid1->item(1, comm::SlColStarted)->text(), QStringLiteral("-"));
        EXPECT_FALSE(s->Key(4)->isEnabled());
        EXPECT_TRUE(s->Key(5)->isEnabled());

        s->PerfectGrid1->setCurrentCell(0, comm::SlColName);
        answerPassword(QStringLiteral("ABC123"));
        s->Key(5)->Click();
        EXPECT_EQ(lastMessage(), "　\r\nクラウドシェアのデータを削除しました。\r\n ");
        EXPECT_EQ(s->PerfectGrid1->item(0, comm::SlColName)->text(), QString());
        s->Key(0)->Click();
    });
    EXPECT_EQ(screen.SelectCloudShareSlot(folder_), 0);
    EXPECT_FALSE(screen.SlotSelected);
    const std::string state = relay_.state();
    EXPECT_EQ(state.find("山田商店"), std::string::npos);
    const auto requests = relay_.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_NE(requests[1].find("Scode=1730&sSno=SN1&sFName=COMM01&fSname=02&fShare=1&"), std::string::npos);
    EXPECT_NE(requests[2].find("Scode=1753&sSno=SN1&sFName=COMM01&fSname=01 "), std::string::npos);
}

TEST_F(TfmDataTusinTest, ReleaseFreesTheFoldersSlotAndARefusedCertificateFails)
{
    TfmDataTusin screen;
    EXPECT_EQ(screen.ReleaseCloudShare(folder_), 0);
    EXPECT_NE(relay_.requests().at(0).find("Scode=1730&sSno=SN1&sFName=COMM01&fSname=02&fShare=1&"), std::string::npos);

    test::FakeRelay otherHost({"--cert-host", "relay.invalid"});
    otherHost.setState(Slots);
    useRelay(otherHost);
    EXPECT_EQ(screen.ReleaseCloudShare(folder_), 1);
    EXPECT_EQ(lastMessage(), "　\r\nサーバーに接続出来ません。\r\n ");
    EXPECT_TRUE(otherHost.requests().empty());

    // The slot list reports the refused server and offers no choice.
    TfmDataTusin refused;
    test::whenModalOf<TfmDataTusin>([&](TfmDataTusin* s) {
        EXPECT_FALSE(s->Key(12)->isEnabled());
        s->Key(0)->Click();
    });
    EXPECT_EQ(refused.SelectCloudShareSlot(folder_), 0);
    EXPECT_FALSE(refused.SlotSelected);
    EXPECT_EQ(lastMessage(), "　\r\nサーバーに接続出来ません。\r\n ");
}
