// The wizard's data choice on a copy of the sample office, with the
// selection screen played by the test: a cancelled first choice, a data set
// taken and given back, and a data set too old for the linkage refused with
// its question (Cancel: no data; OK: the selection opens again).
#include <gtest/gtest.h>

#include "../../datasets/forms/SampleOfficeFixture.h"
#include "foundation/app/AccInf.h"
#include "linkage/SyotokuzeiDataExport.h"
#include "linkage/forms/DataChoice.h"
#include "linkage/forms/TForm1.h"
#include "linkage/forms/WizardPages.h"
#include "ui/forms/TxEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>

#include <QTableWidget>

#include <utility>
#include <vector>

using namespace vq;
using vq::linkage::TForm1;

namespace {

class DataChoiceTest : public test::SampleOfficeFixture {
protected:
    void SetUp() override
    {
        SampleOfficeFixture::SetUp();
        savedStart_ = StartProcessProc;
        savedInf_ = AccInf;
        form_.ExportObj = std::make_unique<linkage::TSyotokuzeiDataExport>(0, "");
    }
    void TearDown() override
    {
        if (dm_.IBDatabaseDAT.connected())
            dm_.CloseAccDat("", 1, 0);
        StartProcessProc = savedStart_;
        AccInf = savedInf_;
        SampleOfficeFixture::TearDown();
    }

    // The selection screen answers with each slot in turn; "" cancels.
    void selectionChooses(std::vector<std::string> answers)
    {
        slots_ = std::move(answers);
        StartProcessProc = [this](const std::string& name, std::int32_t mode, const std::string& params) {
            EXPECT_EQ(name, "QzDataSenkaku");
            EXPECT_EQ(mode, 1);
            EXPECT_EQ(params, "SyoriType=3\r\nJyokenSet=1\r\nDataType=2\r\nCodeType=0\r\nDataVerMajor=14");
            ++launches_;
            if (slots_.empty() || slots_.front().empty()) {
                if (!slots_.empty())
                    slots_.erase(slots_.begin());
                return 2;
            }
            SystemDef.DataDir = dataFolder(slots_.front().c_str());
            slots_.erase(slots_.begin());
            return 1;
        };
    }

    void setDataVersion(const char* slot, int major)
    {
        ASSERT_TRUE(dm_.fnAccDatConnected("", dataFolder(slot), 0));
        {
            db::TransactionScope scope(dm_.IBTransactionDAT);
            db::Statement q(dm_.IBDatabaseDAT.attachment(), dm_.IBTransactionDAT,
                            "UPDATE ACCVERSION SET MAJOR=" + std::to_string(major) + " WHERE REC=1");
            q.execute();
            scope.commit();
        }
        dm_.IBDatabaseDAT.disconnect();
    }

    std::vector<std::string> shown()
    {
        std::vector<std::string> texts;
        for (const auto& m : seam_->messages)
            texts.push_back(m.text);
        return texts;
    }

    QString info(int row, int col) const
    {
        const QTableWidgetItem* item = form_.listDataInfo->item(row, col);
        return item ? item->text() : QString();
    }

    TForm1 form_;
    std::vector<std::string> slots_;
    int launches_ = 0;

private:
    StartProcessFunc savedStart_;
    TACCINF savedInf_;
};

const char* const kTooOld =
    "このプログラムで処理できるデータバージョンに達していません。\rデータバージョン:14.0.0以降のデータを選択して下さい。\r"
    "データ選択画面を開き、別のデータを選択しますか？";

TEST_F(DataChoiceTest, CancelOnTheFirstChoiceLeavesThePageEmpty)
{
    selectionChooses({""});
    linkage::btnDataSentakuClick(form_);
    EXPECT_EQ(launches_, 1);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(form_.listDataInfo->rowCount(), 1);
    EXPECT_FALSE(form_.DataConnected);
    EXPECT_FALSE(form_.DataInUse);
    EXPECT_EQ(SystemDef.DataDir, "");
}

TEST_F(DataChoiceTest, AChosenDataSetIsShownKeptConnectedAndGivenBackAtTheClose)
{
    selectionChooses({"0001"});
    linkage::btnDataSentakuClick(form_);
    EXPECT_TRUE(shown().empty()) << shown().front();
    ASSERT_EQ(form_.listDataInfo->rowCount(), 4);
    EXPECT_TRUE(info(0, 1).startsWith(QStringLiteral("個人"))) << info(0, 1).toStdString();
    EXPECT_EQ(info(1, 0), QStringLiteral("データ名"));
    EXPECT_EQ(info(1, 1).toStdString(), AccInf.SHOUGOU);
    EXPECT_EQ(info(2, 1).toStdString(), std::to_string(AccInf.NENDO) + "期");
    EXPECT_EQ(info(3, 0), QStringLiteral("会計期間"));
    EXPECT_TRUE(form_.DataConnected);
    EXPECT_TRUE(form_.DataInUse);
    EXPECT_EQ(form_.PrevDataFolder, dataFolder("0001"));
    EXPECT_EQ(SystemDef.OpenDataVersion.substr(0, 3), "14.");
    EXPECT_TRUE(dm_.IBDatabaseDAT.connected());

    linkage::CloseDataSet(form_);
    EXPECT_FALSE(form_.DataConnected);
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());
    EXPECT_TRUE(shown().empty());
}

TEST_F(DataChoiceTest, ADataSetTooOldIsRefusedWithTheVersionQuestion)
{
    setDataVersion("0001", 13);
    // Cancel: nothing chosen, nothing left connected.
    selectionChooses({"0001"});
    seam_->messageAnswers = {platform::ResultCancel};
    linkage::btnDataSentakuClick(form_);
    EXPECT_EQ(shown(), std::vector<std::string>{kTooOld});
    EXPECT_EQ(form_.listDataInfo->rowCount(), 1);
    EXPECT_FALSE(form_.DataConnected);
    EXPECT_FALSE(dm_.IBDatabaseDAT.connected());

    // OK: the selection opens again and the next data set is taken.
    seam_->messages.clear();
    launches_ = 0;
    selectionChooses({"0001", "0002"});
    seam_->messageAnswers = {platform::ResultOk};
    linkage::btnDataSentakuClick(form_);
    EXPECT_EQ(shown(), std::vector<std::string>{kTooOld});
    EXPECT_EQ(launches_, 2);
    EXPECT_EQ(form_.listDataInfo->rowCount(), 4);
    EXPECT_EQ(SystemDef.DataDir, dataFolder("0002"));
    EXPECT_TRUE(form_.DataConnected);
}

// The data page's Next: nothing chosen, a corporation, and a real-estate
// individual with its options page and summary line.
TEST_F(DataChoiceTest, NextOnTheDataPageChecksTheChoiceAndLaysOutTheOptions)
{
    EXPECT_FALSE(linkage::WizardPageCheck(form_, QStringLiteral("page2")));
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "会計データの選択が行われていません。\r「データ選択を開く」ボタンを押して選択して下さい。"});

    seam_->messages.clear();
    selectionChooses({"0004"});
    linkage::btnDataSentakuClick(form_);
    ASSERT_EQ(form_.listDataInfo->rowCount(), 4);
    EXPECT_FALSE(linkage::WizardPageCheck(form_, QStringLiteral("page2")));
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "指定された会計データは個人データではありません。\rもう一度、選びなおしてください。\r"});

    seam_->messages.clear();
    selectionChooses({"0002"});
    linkage::btnDataSentakuClick(form_);
    EXPECT_TRUE(linkage::WizardPageCheck(form_, QStringLiteral("page2")));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(form_.ExportObj->SyotokuSyurui, 3);
    EXPECT_TRUE(form_.GroupBox3a->isHidden());
    EXPECT_TRUE(form_.GroupBox3c->isHidden());
    EXPECT_FALSE(form_.GroupBox3b->isEnabled());
    EXPECT_EQ(form_.checkSinkokuUtiwake->text(), QStringLiteral("「給料賃金の内訳」を始めとした情報を含める"));
    form_.Edit4a->setText(QStringLiteral("out.xml"));
    EXPECT_TRUE(linkage::WizardPageCheck(form_, QStringLiteral("page4")));
    const QStringList summary = form_.Memo5b->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(summary.size(), 14);
    EXPECT_EQ(summary[6], QStringLiteral(" 所得種類      : 不動産所得用"));
    // A bare file name goes to the documents folder.
    EXPECT_EQ(summary[13].toStdString(), " " + (std::filesystem::path(form_.MyDocumentsFolder) / "out.xml").string());

    form_.Edit4a->setText(QString());
    EXPECT_FALSE(linkage::WizardPageCheck(form_, QStringLiteral("page4")));
}

} // namespace
