// The detail dialog on a data set of a copy of the sample office: what it
// offers for each recorded status, the switches by data version, the empty
// name, the key F7 while the input method composes, and the rebuild that
// either replaces the database with a sound copy or leaves it as it was.
#include <gtest/gtest.h>

#include "../operations/FailingFileSystem.h"
#include "../operations/FakeGbak.h"
#include "SampleOfficeFixture.h"
#include "datasets/DataSentakuListCtl.h"
#include "datasets/forms/TDataSyosaiInfoBox.h"
#include "datasets/operations/SaveRestoreEngine.h"
#include "datasets/operations/StagedFolder.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/IniFile.h"
#include "platform/db/Attachment.h"
#include "ui/ModalResult.h"
#include "ui/forms/TVorlenEdit.h"
#include "ui/forms/TxPlButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPlainTextEdit>

#include <memory>

using namespace vq;
namespace fs = std::filesystem;

namespace {

const char* const kAsk = "データの再構築を行いますか？";
const char* const kDone = "データの再構築は適正に行われました。";

} // namespace

class DataSyosaiInfoBoxTest : public test::SampleOfficeFixture {
protected:
    void TearDown() override
    {
        dialog_.reset();
        SampleOfficeFixture::TearDown();
    }

    // The dialog as the selection screen opens it on slot's row, shown.
    TDataSyosaiInfoBox& open(const char* slot)
    {
        dialog_ = std::make_unique<TDataSyosaiInfoBox>();
        TDataListRec& row = dialog_->Row;
        row.REC = std::atoi(slot);
        row.PASNAME = dataFolder(slot);
        row.SHOUGOU = texts("SELECT SHOUGOU FROM DATALIST WHERE REC=" + std::to_string(row.REC)).at(0);
        row.ENTTEXT = texts("SELECT ENTTEXT FROM DATALIST WHERE REC=" + std::to_string(row.REC)).at(0);
        dialog_->DataFolder = row.PASNAME;
        dialog_->ListName = row.ENTTEXT;
        dialog_->PrepareShow(true);
        dialog_->show();
        QApplication::processEvents();
        return *dialog_;
    }

    void writeIni(const char* slot, const char* section, const char* key, const std::string& value)
    {
        platform::IniFile ini(fs::path(dataFolder(slot)) / DataIniFileName);
        ini.writeString(section, key, value);
    }

    std::int32_t statusOf(const char* slot)
    {
        platform::IniFile ini(fs::path(dataFolder(slot)) / DataIniFileName);
        return ini.readInteger("DATASTS", "STATUS", -1);
    }

    std::int32_t journalCount(const char* slot)
    {
        TDataInfomation info;
        TDataInfomationRec rec;
        return info.GetDataInfoFromFolder(dataFolder(slot), rec) ? rec.TOTALSIWAKE : -1;
    }

    std::vector<std::string> shown()
    {
        std::vector<std::string> out;
        for (const auto& m : seam_->messages)
            out.push_back(m.text);
        return out;
    }

    std::unique_ptr<TDataSyosaiInfoBox> dialog_;
};

TEST_F(DataSyosaiInfoBoxTest, ShowsTheRowsDataSetAndOffersItsName)
{
    TDataSyosaiInfoBox& d = open("0002");
    EXPECT_EQ(d.windowTitle().toStdString(), "データの詳細情報");
    EXPECT_EQ(d.lblStatus->text().toStdString(), GetDataStatusText(DataStatusFree));
    EXPECT_EQ(d.lblCode->text().toStdString(), "0002");
    EXPECT_EQ(d.lblName->text().toStdString(), d.Row.SHOUGOU);
    EXPECT_EQ(d.lblDataKbn->text().toStdString(), "個人(不動産)");
    EXPECT_EQ(d.lblSiwakeKensu->text().toStdString(), std::to_string(d.InfoRec.SIWAKE) + "件");
    // The data root is named, not spelled out.
    const std::string path = d.txtDataPath->toPlainText().toStdString();
    EXPECT_EQ(path.rfind("[", 0), 0u) << path;
    EXPECT_NE(path.find("のデータ]/0002"), std::string::npos) << path;
    EXPECT_EQ(d.txtListName->text().toStdString(), d.Row.ENTTEXT);
    EXPECT_FALSE(d.txtListName->isReadOnly());
    EXPECT_TRUE(d.btnOK->isVisible());
    EXPECT_FALSE(d.cboxStatusClear->isVisible());
    EXPECT_EQ(d.KeyCaption(7), "F7:再構築");
    EXPECT_EQ(d.KeyCaption(1), "F1:");
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataSyosaiInfoBoxTest, ALeftoverStatusIsOfferedForClearingOnlyToThoseWhoMay)
{
    struct Case {
        const char* what;
        int status;
        std::int32_t opcode;     // who recorded the status
        std::int32_t jobLevel;   // 9 lifts the facility restriction
        bool clearOffered;
        bool okShown;
    };
    const Case cases[] = {
        {"in use by this operator", DataStatusInUse, 100000010, 1, true, true},
        {"in use by another, restricted", DataStatusInUse, 100000011, 1, false, false},
        {"in use by another, unrestricted", DataStatusInUse, 100000011, 9, true, true},
        {"left saving by this operator", DataStatusSaving, 100000010, 1, true, true},
        {"damaged", DataStatusDamaged, 100000010, 9, false, false},
    };
    for (const Case& c : cases) {
        writeIni("0003", "DATASTS", "STATUS", std::to_string(c.status));
        writeIni("0003", "DATASTS", "OPCODE", std::to_string(c.opcode));
        SystemDef.JOBLEVEL = c.jobLevel;
        TDataSyosaiInfoBox& d = open("0003");
        EXPECT_EQ(d.ClearAllowed, c.clearOffered) << c.what;
        EXPECT_EQ(d.cboxStatusClear->isVisible(), c.clearOffered) << c.what;
        EXPECT_EQ(d.btnOK->isVisible(), c.okShown) << c.what;
        // Nothing but the status may change while another status is recorded.
        EXPECT_TRUE(d.txtListName->isReadOnly()) << c.what;
        EXPECT_FALSE(d.cboxDataUpdateLock->isEnabled()) << c.what;
        // A damaged data set can still be rebuilt.
        EXPECT_EQ(d.KeyCaption(7), "F7:再構築") << c.what;
        if (c.clearOffered) {
            d.cboxStatusClear->setChecked(true);
            d.btnOKClick();
            EXPECT_EQ(d.result(), ui::mrOk) << c.what;
            EXPECT_TRUE(d.ClearStatus) << c.what;
            EXPECT_EQ(d.ListName, d.Row.ENTTEXT) << c.what;
        }
    }
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataSyosaiInfoBoxTest, TheRebuildIsOfferedOnlyForDataThisComputerHolds)
{
    struct Case {
        const char* what;
        bool fromSharedList;
        std::int32_t netDrive, kyoyuLock;
        int shareStatus;
        bool offered;
    };
    const Case cases[] = {
        {"a data set of this computer", false, 0, 0, ShareStatusFree, true},
        {"shared, taken to this computer", false, 1, 1, ShareStatusTaken, true},
        {"shared, kept on the share", false, 1, 0, ShareStatusFree, false},
        {"on the share, free", true, 1, 0, ShareStatusFree, true},
        {"on the share, taken by a computer", true, 1, 0, ShareStatusTaken, false},
    };
    for (const Case& c : cases) {
        writeIni("0001", "DATASTS", "SHARE_STATUS", std::to_string(c.shareStatus));
        dialog_ = std::make_unique<TDataSyosaiInfoBox>();
        TDataSyosaiInfoBox& d = *dialog_;
        d.FromSharedList = c.fromSharedList;
        d.Row.REC = 1;
        d.Row.SHOUGOU = "さくら文具店";
        d.Row.NETDRIVE = c.netDrive;
        d.Row.KYOYULOCK = c.kyoyuLock;
        d.DataFolder = dataFolder("0001");
        d.PrepareShow(true);
        EXPECT_EQ(d.RebuildAllowed, c.offered) << c.what;
        EXPECT_EQ(d.KeyCaption(7), c.offered ? "F7:再構築" : "F7:") << c.what;
    }
}

TEST_F(DataSyosaiInfoBoxTest, TheReadOnlySwitchNeedsDataVersion12)
{
    for (const auto& [version, enabled] : {std::pair{"11.9.9", false}, std::pair{"12.0.0", true}}) {
        writeIni("0001", "DATAINFO", "VERSION1", version);
        TDataSyosaiInfoBox& d = open("0001");
        EXPECT_EQ(d.cboxDataReadOnly->isEnabled(), enabled) << version;
        EXPECT_TRUE(d.cboxDataUpdateLock->isEnabled()) << version;
    }
}

TEST_F(DataSyosaiInfoBoxTest, AnEmptyNameOffersTheCompanyNameAndKeepsTheDialogOpen)
{
    TDataSyosaiInfoBox& d = open("0001");
    d.txtListName->setText(QStringLiteral("　 "));
    seam_->messageAnswers.push_back(platform::ResultOk);
    d.btnOKClick();
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "データリスト名が入力されていません。会社名を設定しますか？");
    EXPECT_EQ(seam_->messages[0].buttons, platform::Buttons::OkCancel);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.txtListName->text().toStdString(), d.InfoRec.SHOUGOU);

    d.txtListName->setText(QStringLiteral("さくら文具店（本店）"));
    d.cboxDataUpdateLock->setChecked(true);
    d.btnOKClick();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), ui::mrOk);
    EXPECT_EQ(d.ListName, "さくら文具店（本店）");
    EXPECT_EQ(d.UpdateLock, 1);
    EXPECT_FALSE(d.ClearStatus);
}

TEST_F(DataSyosaiInfoBoxTest, F7BelongsToTheInputMethodWhileItComposes)
{
    TDataSyosaiInfoBox& d = open("0001");
    QInputMethodEvent composing(QStringLiteral("さくら"), {});
    QApplication::sendEvent(d.txtListName, &composing);
    EXPECT_EQ(d.KeyCaption(7), "F7:");
    d.F1Click(d.Keys[6]);
    EXPECT_TRUE(seam_->messages.empty());

    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("さくら"));
    QApplication::sendEvent(d.txtListName, &committed);
    EXPECT_EQ(d.KeyCaption(7), "F7:再構築");
    seam_->messageAnswers.push_back(platform::ResultCancel);
    d.F1Click(d.Keys[6]);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text.rfind(kAsk, 0), 0u);
    EXPECT_FALSE(d.Rebuilt);
}

TEST_F(DataSyosaiInfoBoxTest, ARebuildOfADamagedDataSetKeepsItsDataAndFreesIt)
{
    const std::int32_t journals = journalCount("0001");
    ASSERT_GT(journals, 0);
    writeIni("0001", "DATASTS", "STATUS", std::to_string(DataStatusDamaged));
    TDataSyosaiInfoBox& d = open("0001");
    EXPECT_FALSE(d.btnOK->isVisible());
    seam_->messageAnswers.push_back(platform::ResultOk);
    d.F1Click(d.Keys[6]);
    ASSERT_EQ(seam_->messages.size(), 2u) << shown().back();
    EXPECT_NE(seam_->messages[0].text.find("注意２）破損データの場合"), std::string::npos);
    EXPECT_EQ(seam_->messages[1].text, kDone);
    EXPECT_TRUE(d.Rebuilt);
    EXPECT_EQ(statusOf("0001"), DataStatusFree);
    // The description was read again: the rebuilt data set is free and may be edited.
    EXPECT_EQ(d.lblStatus->text().toStdString(), GetDataStatusText(DataStatusFree));
    EXPECT_EQ(journalCount("0001"), journals);
    EXPECT_TRUE(d.isVisible());
}

TEST_F(DataSyosaiInfoBoxTest, AFailedOrRefusedRebuildLeavesTheDataSetAsItWas)
{
    const fs::path folder = dataFolder("0005");
    const std::int32_t journals = journalCount("0005");
    TDataSyosaiInfoBox& d = open("0005");
    d.Tool.UseGbak = true;
    const auto before = test::snapshotOf(folder);
    // A gbak that fails, one killed after it began the rebuild's backup in the
    // program's temp folder, and one that claims success but leaves a backup
    // and a restored database that are no databases at all.
    const std::string work = (fs::path(ProgramTempFolder()) / "vqacc.fb_").string();
    const std::string restoring = (folder / (std::string(DataDbFileName) + ".restoring")).string();
    for (const std::string& fake : {std::string("err broken-pipe exit 2"), "touch " + work + " err killed crash",
                                    "touch " + work + " touch " + restoring}) {
        seam_->messages.clear();
        seam_->messageAnswers.push_back(platform::ResultOk);
        {
            test::ScopedFakeGbak gbak(fake);
            d.F1Click(d.Keys[6]);
        }
        // The question, any report of the data module, then the rebuild's own failure.
        ASSERT_GE(seam_->messages.size(), 2u) << fake;
        EXPECT_EQ(seam_->messages.back().text.rfind("データ再構築の処理に失敗しました。", 0), 0u)
            << seam_->messages.back().text;
        EXPECT_FALSE(d.Rebuilt) << fake;
        EXPECT_EQ(test::snapshotOf(folder), before) << fake;
        EXPECT_FALSE(fs::exists(work)) << fake;
        EXPECT_EQ(statusOf("0005"), DataStatusFree) << fake;
    }

    // Someone working in the data set: refused before the question, nothing written.
    seam_->messages.clear();
    db::Attachment other;
    other.attach({(folder / DataDbFileName).string(), SystemDef.DbUser, SystemDef.DbPassword});
    d.Tool.UseGbak = false;
    d.F1Click(d.Keys[6]);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text.rfind("現在、他のユーザーがデータに接続中です。", 0), 0u);
    other.detach();
    EXPECT_EQ(test::snapshotOf(folder), before);
    EXPECT_EQ(journalCount("0005"), journals);
}
