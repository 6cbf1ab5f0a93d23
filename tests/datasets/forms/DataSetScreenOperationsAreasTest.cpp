// [F4] on a copy of the sample office: the release of a shared area in
// stand-alone mode and a new data area in client/server mode.
#include <gtest/gtest.h>

#include "SelectionScreenFixture.h"
#include "ui/forms/TInputDlgBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"


using namespace vq;
namespace fs = std::filesystem;

namespace {

// The company name of the data set in folder, read from its database.
std::string companyIn(const fs::path& folder)
{
    TDataInfomation reader;
    TDataInfomationRec info;
    return reader.GetDataInfoFromFolder(folder.string(), info) ? info.SHOUGOU : "(none)";
}

} // namespace

class DataSetScreenOperationsAreasTest : public test::SelectionScreenFixture {
protected:
    // Row 0006 bound to a shared area that holds a copy of 0002; its working
    // copy on this computer holds the data set of 0003 (the work done here).
    void bindSharedRow(int taken)
    {
        share_ = root_.path() / "share" / "0006";
        local_ = dataFolder("0006");
        fs::create_directories(share_);
        fs::create_directories(local_);
        fs::copy_file(fs::path(dataFolder("0002")) / DataDbFileName, share_ / DataDbFileName);
        fs::copy_file(fs::path(dataFolder("0003")) / DataDbFileName, fs::path(local_) / DataDbFileName);
        exec("UPDATE DATALIST SET NETDRIVE=1, KYOYULOCK=" + std::to_string(taken) + ", PASNAME='" + share_.string() +
             "' WHERE REC=6");
    }

    fs::path share_;
    std::string local_;
};

TEST_F(DataSetScreenOperationsAreasTest, ReleasingATakenAreaKeepsTheWorkOnTheShareFirst)
{
    bindSharedRow(1);
    const std::string work = companyIn(local_);
    ASSERT_NE(work, companyIn(share_));
    TDataSentakuBox* box = open();
    const int row = box->List.ScrollToFolder(local_);
    ASSERT_GE(row, 0);
    box->SelectRow(row);
    ASSERT_EQ(box->List.GetKyoyuState(0, row), KyoyuTaken);

    seam_->messageAnswers.push_back(platform::ResultCancel);
    EXPECT_EQ(box->RowOps->ReleaseKyoyu(*box), 1);
    EXPECT_NE(lastMessage().find("選択した共有データの割り当てを解除します。"), std::string::npos);
    EXPECT_TRUE(fs::exists(fs::path(local_) / DataDbFileName));
    EXPECT_EQ(scalar("SELECT NETDRIVE FROM DATALIST WHERE REC=6"), 1);

    box->SelectRow(box->List.ScrollToFolder(local_));
    seam_->messageAnswers.push_back(platform::ResultOk);
    EXPECT_EQ(box->RowOps->ReleaseKyoyu(*box), 1) << lastMessage();
    EXPECT_EQ(companyIn(share_), work);
    EXPECT_FALSE(fs::exists(local_));
    EXPECT_EQ(scalar("SELECT NETDRIVE * 10 + KYOYULOCK FROM DATALIST WHERE REC=6"), 0);
    EXPECT_EQ(texts("SELECT PASNAME FROM DATALIST WHERE REC=6"), std::vector<std::string>{local_});
    TDataInfomationRec shareInfo;
    TDataInfomation reader;
    reader.ReadIniFile("", share_.string(), shareInfo);
    EXPECT_EQ(shareInfo.SHARE_STATUS, ShareStatusFree);
    const int after = box->List.ScrollToFolder(local_);
    ASSERT_GE(after, 0);
    EXPECT_EQ(box->List.Grid.Cell(after, ColName), "");
}

TEST_F(DataSetScreenOperationsAreasTest, F4ReleasesAnAreaKeptOnTheShareAndLeavesTheShareAlone)
{
    bindSharedRow(0);
    const std::string shared = companyIn(share_);
    TDataSentakuBox* box = open();
    box->SelectRow(box->List.ScrollToFolder(local_));
    ASSERT_EQ(box->KeyCaption(KeyF4), "F4:割当解除");
    seam_->messageAnswers.push_back(platform::ResultOk);
    box->F4Click();
    EXPECT_FALSE(fs::exists(local_)) << lastMessage();
    EXPECT_EQ(companyIn(share_), shared);
    EXPECT_EQ(scalar("SELECT NETDRIVE FROM DATALIST WHERE REC=6"), 0);
}

TEST_F(DataSetScreenOperationsAreasTest, ANewAreaInClientServerModeIsARowWithoutFolder)
{
    serveFilesLocally();
    TDataSentakuBox* box = open();
    ASSERT_GT(box->List.Grid.RowCount(), 0);
    box->SelectRow(0);
    ASSERT_EQ(box->KeyCaption(KeyF4), "F4:領域追加");
    std::string proposed;
    test::whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<ui::TInputDlgBox*>(modal);
        ASSERT_NE(dialog, nullptr);
        proposed = dialog->txtInput->text().toStdString();
        dialog->btnOK->Click();
    });
    box->F4Click();
    // The next free number is proposed; the sample office's slots run to 0120.
    EXPECT_EQ(proposed, "0121");
    const std::string path = (fs::path(box->PlacePath) / proposed).string();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST WHERE PASNAME='" + path + "'"), 1) << lastMessage();
    EXPECT_FALSE(fs::exists(path));
    ASSERT_TRUE(box->List.Grid.HasCurrentRow());
    EXPECT_EQ(box->List.GetDataPath(box->List.Grid.CurrentRow), path);

    // A name the list has already is refused with the list's message.
    test::whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<ui::TInputDlgBox*>(modal);
        dialog->txtInput->setText(QString::fromStdString(proposed));
        dialog->btnOK->Click();
    });
    box->F4Click();
    EXPECT_EQ(lastMessage(), "\"" + path + "\"は既にデータリスト上に作成されています。\r");
}
