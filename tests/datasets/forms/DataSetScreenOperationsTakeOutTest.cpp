// Take-out and bring-back on a copy of the sample office: [F3] "持ち出し" on a
// row of client/server mode, and the local list of processing type 5 that
// saves a data set for the server or restores the server's backup into a row.
#include <gtest/gtest.h>

#include "SelectionScreenFixture.h"
#include "datasets/forms/TWhichDataSetBox.h"
#include "datasets/operations/DataStatusGate.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

using namespace vq;
namespace fs = std::filesystem;

class DataSetScreenOperationsTakeOutTest : public test::SelectionScreenFixture {};

TEST_F(DataSetScreenOperationsTakeOutTest, ATakeOutSavesTheDataSetAndLocksTheServerRow)
{
    serveFilesLocally();
    std::string params;
    std::uint8_t modeMeanwhile = 255;
    bool backupThere = false;
    std::int32_t localAnswer = 1;
    StartProcessProc = [&](const std::string& name, std::int32_t, const std::string& lines) {
        params = name + "|" + lines;
        modeMeanwhile = ConnectMode;
        backupThere = fs::is_regular_file(fs::path(paramValue(lines, "OnlySA_BackupPath")) / DataBackupFileName);
        return localAnswer;
    };
    TDataSentakuBox* box = open();
    const int row = rowOf(*box, ColCode, "0002");
    ASSERT_GE(row, 0);
    box->SelectRow(row);
    ASSERT_EQ(box->KeyCaption(KeyF3), "F3:持ち出し");

    // Cancelling the local screen leaves the row free.
    localAnswer = 2;
    test::whenModal([](QWidget* modal) { qobject_cast<TWhichDataSetBox*>(modal)->btnOKClick(); });
    box->F3Click();
    EXPECT_TRUE(backupThere) << lastMessage();
    EXPECT_EQ(scalar("SELECT DATALOCK FROM DATALIST WHERE REC=2"), 0);

    localAnswer = 1;
    backupThere = false;
    box->SelectRow(rowOf(*box, ColCode, "0002"));
    test::whenModal([](QWidget* modal) { qobject_cast<TWhichDataSetBox*>(modal)->btnOKClick(); });
    box->F3Click();
    EXPECT_EQ(params.substr(0, params.find("OnlySA_BackupPath")), "QzDataSenkaku|SyoriType=5\rOnlySA_Syori=Restore\r");
    EXPECT_EQ(modeMeanwhile, ConnectStandAlone);
    EXPECT_TRUE(backupThere) << lastMessage();
    EXPECT_FALSE(fs::exists(paramValue(params, "OnlySA_BackupPath"))); // the backup does not stay behind
    EXPECT_EQ(ConnectMode, ConnectClientServer);
    EXPECT_EQ(scalar("SELECT DATALOCK FROM DATALIST WHERE REC=2"), CurrentOperatorNumber());
    const int locked = rowOf(*box, ColCode, "0002");
    ASSERT_GE(locked, 0);
    EXPECT_EQ(box->List.Grid.CellInt(locked, ColLock), CurrentOperatorNumber());
    EXPECT_EQ(box->List.Grid.Picture(locked, ColLockPicture), PicLock);

    // Taken out: the dialog offers only the bring-back.
    box->SelectRow(locked);
    bool takeOutEnabled = true, bringBackChosen = false;
    test::whenModal([&](QWidget* modal) {
        auto* which = qobject_cast<TWhichDataSetBox*>(modal);
        takeOutEnabled = which->btnMochidashi->isEnabled();
        bringBackChosen = which->btnMochikaeri->isChecked();
        which->btnCancel->Click();
    });
    box->F3Click();
    EXPECT_FALSE(takeOutEnabled);
    EXPECT_TRUE(bringBackChosen);
}

TEST_F(DataSetScreenOperationsTakeOutTest, TheLocalListSavesForTheServerAndRestoresItsBackupIntoARow)
{
    const fs::path transfer = root_.path() / "transfer";
    fs::create_directories(transfer);
    TDataSentakuBox* backup = open("SyoriType=5\rOnlySA_Syori=Backup\rOnlySA_BackupPath=" + transfer.string());
    for (int key = KeyF1; key <= KeyF8; ++key)
        EXPECT_EQ(backup->KeyCaption(key), BareCaption(key));
    backup->SelectRow(rowOf(*backup, ColCode, "0003"));
    backup->F12Click();
    EXPECT_EQ(backup->result(), 1) << lastMessage();
    EXPECT_TRUE(fs::is_regular_file(transfer / DataBackupFileName));

    // A backup row without data in the bring-back direction is refused.
    TDataSentakuBox* again = open("SyoriType=5\rOnlySA_Syori=Backup\rOnlySA_BackupPath=" + transfer.string());
    again->SelectRow(firstBlankRow(*again));
    again->F12Click();
    EXPECT_EQ(lastMessage(), "この場所にはデータがありません。他の場所を選んで下さい。");
    EXPECT_TRUE(again->isVisible());

    TDataSentakuBox* restore = open("SyoriType=5\rOnlySA_Syori=Restore\rOnlySA_BackupPath=" + transfer.string());
    const int blank = firstBlankRow(*restore);
    const std::string folder = restore->List.GetDataPath(blank);
    restore->SelectRow(blank);
    restore->F12Click();
    EXPECT_EQ(restore->result(), 1) << lastMessage();
    EXPECT_TRUE(fs::is_regular_file(fs::path(folder) / DataDbFileName));
    EXPECT_EQ(SystemDef.DataDir, folder);
    EXPECT_EQ(statusOf(folder), DataStatusFree);
    const int shown = restore->List.ScrollToFolder(folder);
    ASSERT_GE(shown, 0);
    EXPECT_EQ(restore->List.Grid.Cell(shown, ColName), "鈴木農園");
}
