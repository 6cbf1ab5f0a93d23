// A data set shared through the cloud between two computers, each with its
// own copy of the sample office, against the fake relay server and the fake
// FTP storage: on computer A the data selection's cloud button chooses an
// empty slot and uploads the data set; on computer B the same button joins
// that slot, and choosing the data set in the wizard receives A's copy.
#include <gtest/gtest.h>

#include "../comm/FakeFtp.h"
#include "../comm/FakeRelay.h"
#include "../comm/IsqlValue.h"
#include "SchemaDatabase.h"
#include "SelectionScreenFixture.h"
#include "comm/CommSettings.h"
#include "comm/forms/DataTusinScreens.h"
#include "comm/forms/TfmDataTusin.h"
#include "comm/forms/TfmTusinSettiPas.h"
#include "comm/forms/TfrmTusinSettei.h"
#include "datasets/DataListControllerPort.h"
#include "foundation/app/AccInf.h"
#include "foundation/data/DataListRefresher.h"
#include "foundation/dataset/DataSetDescription.h"
#include "linkage/SyotokuzeiDataExport.h"
#include "linkage/forms/DataChoice.h"
#include "linkage/forms/TForm1.h"
#include "tests/ui/forms/ShownForm.h"
#include "ui/forms/ScreenLauncher.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace vq;
namespace fs = std::filesystem;
using vq::test::whenModalOf;

namespace {

constexpr const char* Password = "ABC123";
// The slot another office of the same ID already fills; slot 2 is empty.
const std::string Slots = R"({"1": {"name": "他社データ", "term": "1", "start": "2024/01/01 00:00:00",
  "end": "2024/12/31 00:00:00", "updated": "2024/05/01 10:20:30", "started": "0000/00/00 00:00:00",
  "password": "ZZZ999", "version": "1400", "state": "1"}})";

std::string value(const fs::path& folder, const std::string& sql)
{
    return test::IsqlValue(test::runSql(folder / DataDbFileName, sql));
}

} // namespace

class CloudShareRoundTripTest : public test::SelectionScreenFixture {
protected:
    void SetUp() override
    {
        SelectionScreenFixture::SetUp();
        previousComm_ = SetCloudShareCommFactory({});
        comm::InstallDataTusinScreens();
        RegisterDataSentakuBox();
        StartProcessProc = ui::StartRegisteredProcess;
        savedInf_ = AccInf;
        savedReader_ = InstallDataSetDescription();
        savedController_ = setDataListControllerFactory({});
        InstallDataListController();
        relay_.setState(R"({"ids": {")" + std::string(test::FakeFtp::User) + R"(": {"slots": )" + Slots +
                        R"(}}, "ftp_host": "127.0.0.1", "ftp_password": ")" + test::FakeFtp::Password + "\"}");
        for (int slot = 1; slot <= 10; ++slot)
            fs::create_directories(ftp_.root() / (slot < 10 ? "0" + std::to_string(slot) : "10"));
        useFakes();
    }
    void TearDown() override
    {
        setDataListControllerFactory(savedController_);
        setDataSetDescriptionReader(savedReader_);
        AccInf = savedInf_;
        SetCloudShareCommFactory(previousComm_);
        SelectionScreenFixture::TearDown();
    }

    // The communication settings of the office in use reach the fakes.
    void useFakes()
    {
        comm::TCommSettings s = relay_.settings();
        ftp_.into(s);
        s.InstallationId = "SN1";
        comm::SaveCommSettings(comm::CommSettingsFile(), s);
    }

    // On the data selection that is up: the cloud button for the data set
    // 0001, the settings screen filled with the shared ID and password, and
    // in its slot list pick(screen) before F12.
    void joinSlot(TDataSentakuBox& box, std::function<void(comm::TfmDataTusin*)> pick)
    {
        box.SelectRow(rowOfCode(box, "0001"));
        auto armed = std::make_shared<bool>(true);
        whenModalOf<comm::TfrmTusinSettei>([this, pick, armed](comm::TfrmTusinSettei* s) {
            s->RadioButton1->setChecked(true);
            s->txtConID->setText(QStringLiteral("abcd-1234-5678"));
            s->txtConPasswd->setText(QString::fromLatin1(Password));
            whenModalOf<comm::TfmDataTusin>([pick](comm::TfmDataTusin* list) {
                pick(list);
                list->Key(12)->Click();
                // A refused choice fails the test rather than waiting on the list.
                if (list->isVisible())
                    list->Key(0)->Click();
            });
            s->btnKyouyu->Click();
            if (s->isVisible())
                s->EscClick();
            // The screen shown again after a failed send is closed, so the
            // test fails rather than waits.
            whenModalOf<comm::TfrmTusinSettei>([this, armed](comm::TfrmTusinSettei* again) {
                if (*armed)
                    again->EscClick();
            });
        });
        box.btnCloudShare->Click();
        *armed = false;
    }

    std::vector<std::string> errors()
    {
        std::vector<std::string> texts;
        for (const auto& m : seam_->messages)
            if (m.kind == platform::MessageKind::Error || m.kind == platform::MessageKind::Warning)
                texts.push_back(m.text);
        return texts;
    }

    test::FakeRelay relay_;
    test::FakeFtp ftp_;

private:
    CloudShareCommFactory previousComm_;
    TACCINF savedInf_;
    DataSetDescriptionReader savedReader_;
    DataListControllerFactory savedController_;
};

TEST_F(CloudShareRoundTripTest, AnEmptySlotChosenOnOneComputerIsUploadedAndReceivedOnAnother)
{
    // Computer A: the data set gains a journal the sample office lacks.
    seam_->computer = "PC-A";
    const fs::path a = dataFolder("0001");
    test::runSql(a / DataDbFileName, "INSERT INTO ACCREG (AGROUP, ACODE, ATEXT) VALUES ('テスト', '印', 'office A');");
    const std::string journalsA = value(a, "SELECT COUNT(*) FROM SIWAKE;");
    TDataSentakuBox* box = open("SyoriType=0");
    joinSlot(*box, [](comm::TfmDataTusin* list) { list->PerfectGrid1->setCurrentCell(1, comm::SlColName); });
    EXPECT_TRUE(errors().empty()) << errors().front();
    EXPECT_EQ(lastMessage(), "お手元のデータをアップロードしてクラウドシェアを開始します。");
    EXPECT_TRUE(fs::exists(ftp_.root() / "02" / "cpacc.wen"));
    EXPECT_EQ(value(a, "SELECT CLOUD_LINE FROM ACCDEF1;"), "2");
    EXPECT_NE(value(a, "SELECT COALESCE(CAST(CLOUD_TIME AS VARCHAR(30)), '-') FROM ACCDEF1;"), "-");
    const std::string name = value(a, "SELECT ENTTEXT FROM ACCDEF1;");
    EXPECT_NE(relay_.state().find(name), std::string::npos);
    delete box;

    // Computer B, its own office with the sample's data set: it joins the
    // slot A filled (freeing it from A's send first, as an operator frees a
    // slot left in use), which asks for no upload.
    openOffice(root_ / "office-b");
    useFakes();
    seam_->computer = "PC-B";
    seam_->messages.clear();
    const fs::path b = dataFolder("0001");
    ASSERT_EQ(value(b, "SELECT COUNT(*) FROM ACCREG WHERE AGROUP='テスト';"), "0");
    const auto retrievals = [&] {
        const auto lines = ftp_.commands();
        return std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.find("RETR") != l.npos; });
    };
    box = open("SyoriType=0");
    joinSlot(*box, [](comm::TfmDataTusin* list) {
        list->PerfectGrid1->setCurrentCell(1, comm::SlColName);
        whenModalOf<comm::TfmTusinSettiPas>([](comm::TfmTusinSettiPas* d) {
            d->CheckBox1->setChecked(true);
            d->txtConPasswd->setText(QString::fromLatin1(Password));
            d->btnOK->Click();
        });
        list->Key(4)->Click();
    });
    EXPECT_TRUE(errors().empty()) << errors().front();
    EXPECT_EQ(value(b, "SELECT CLOUD_LINE FROM ACCDEF1;"), "2");
    EXPECT_EQ(retrievals(), 0);
    delete box;

    // The wizard's data choice on B: the selection screen chooses the data
    // set, whose preparation receives A's copy over it.
    linkage::TForm1 form;
    form.ExportObj = std::make_unique<linkage::TSyotokuzeiDataExport>(0, "");
    whenModalOf<TDataSentakuBox>([](TDataSentakuBox* selection) {
        selection->SelectRow(rowOfCode(*selection, "0001"));
        selection->F12Click();
    });
    linkage::btnDataSentakuClick(form);
    EXPECT_TRUE(errors().empty()) << errors().front();
    EXPECT_TRUE(form.DataConnected);
    EXPECT_EQ(retrievals(), 1);
    EXPECT_EQ(value(b, "SELECT MAX(ATEXT) FROM ACCREG WHERE AGROUP='テスト';"), "office A");
    EXPECT_EQ(value(b, "SELECT COUNT(*) FROM SIWAKE;"), journalsA);
    EXPECT_EQ(value(b, "SELECT CAST(CLOUD_TIME AS VARCHAR(30)) FROM ACCDEF1;").substr(0, 19),
              value(a, "SELECT CAST(CLOUD_TIME AS VARCHAR(30)) FROM ACCDEF1;").substr(0, 19));
    linkage::CloseDataSet(form);
    EXPECT_TRUE(errors().empty()) << errors().front();
}
