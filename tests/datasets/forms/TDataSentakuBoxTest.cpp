// The data selection screen on a copy of the sample office: started by name
// with the wizard's lines it lists the individual data sets of version 14
// and hands the chosen folder back; the search conditions, the sort, the
// incremental search by code, the refusals of data sets in use or damaged
// and the refresh of a row whose database is gone.
#include <gtest/gtest.h>

#include "SelectionScreenFixture.h"
#include "datasets/forms/DataSentakuGridModel.h"
#include "datasets/forms/TDataListKensakuBox.h"
#include "datasets/forms/TDataPlaceBox.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "ui/forms/ScreenLauncher.h"
#include "ui/forms/TxAnimeProgressDialog.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxPlButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace vq;
namespace fs = std::filesystem;

namespace {

const char* const kWizardLines = "SyoriType=3\r\nJyokenSet=1\r\nDataType=2\r\nCodeType=0\r\nDataVerMajor=14";

std::vector<std::string> column(const TDataSentakuBox& box, int col, bool namedOnly = true)
{
    std::vector<std::string> out;
    for (int r = 0; r < box.List.Grid.RowCount(); ++r)
        if (!namedOnly || !box.List.Grid.Cell(r, ColName).empty())
            out.push_back(box.List.Grid.Cell(r, col));
    return out;
}

} // namespace

class DataSentakuBoxTest : public test::SelectionScreenFixture {
protected:
    // The codes of the office's data sets, by slot (the sample office may grow).
    std::vector<std::string> codes(const std::string& where = "")
    {
        return texts("SELECT DATACODE FROM DATALIST WHERE ENTTEXT<>''" + where + " ORDER BY REC");
    }

    void setStatus(const char* slot, int status)
    {
        platform::IniFile ini(fs::path(dataFolder(slot)) / DataIniFileName);
        ini.writeInteger("DATASTS", "STATUS", status);
    }
};

TEST_F(DataSentakuBoxTest, StartedByNameWithTheWizardLinesListsIndividualDataOfVersion14AndChooses)
{
    RegisterDataSentakuBox();
    std::vector<std::string> shown;
    std::vector<std::string> captions;
    bool searchEnabled = true;
    QTimer::singleShot(0, [&] {
        TDataSentakuBox* box = shownScreen();
        ASSERT_NE(box, nullptr);
        shown = column(*box, ColCode, false);
        for (int k = 0; k < 10; ++k)
            captions.push_back(box->KeyCaption(k));
        searchEnabled = box->btnSearch->isEnabled();
        box->SelectRow(rowOfCode(*box, "0002"));
        box->F12Click();
    });
    const int result = ui::StartRegisteredProcess("QzDataSenkaku", 1, kWizardLines);
    EXPECT_EQ(result, 1);
    // Only the individuals; the medical corporation and the free slots are filtered out.
    EXPECT_EQ(shown, codes(" AND DATATYPE=2 AND VER_MAJOR=14"));
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "0004"), 0);
    EXPECT_EQ(captions, (std::vector<std::string>{"ESC:ｷｬﾝｾﾙ", "F1:", "F2:", "F3:", "F4:", "F5:", "F6:", "F7:",
                                                  "F8:", "F12:選択"}));
    EXPECT_FALSE(searchEnabled);
    EXPECT_EQ(SystemDef.DataDir, dataFolder("0002"));
    EXPECT_EQ(SystemDef.DataPasName, dataFolder("0002"));
    // The operator's search row was made on first use; the preset was not stored.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM KENSAKUJYOKEN WHERE OPCODE=100000010 AND LISTTYPE=0"), 1);
    EXPECT_EQ(scalar("SELECT DATATYPE FROM KENSAKUJYOKEN WHERE OPCODE=100000010 AND LISTTYPE=0"), 0);
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataSentakuBoxTest, CancelledOnTheFirstChoiceClosesWithoutAWord)
{
    RegisterDataSentakuBox();
    QTimer::singleShot(0, [] {
        if (TDataSentakuBox* box = shownScreen())
            box->ESCClick();
    });
    EXPECT_EQ(ui::StartRegisteredProcess("QzDataSenkaku", 1, kWizardLines), 2);
    EXPECT_EQ(SystemDef.DataDir, "");
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataSentakuBoxTest, SearchConditionsAndSortOrders)
{
    TDataSentakuBox* box = open("SyoriType=0");
    EXPECT_EQ(box->windowTitle().toStdString(), "データ選択");
    // Every slot; the named data sets first, by number.
    EXPECT_EQ(box->List.Grid.RowCount(), static_cast<int>(DataListCnt));
    const std::vector<std::string> all = codes();
    EXPECT_EQ(column(*box, ColCode), all);
    EXPECT_EQ(box->List.Grid.Cell(static_cast<int>(all.size()) + 1, ColKikan), "～");

    // The search dialog: real-estate individuals only, kept for every opening.
    QTimer::singleShot(0, [box] {
        box->SearchBox->cmbDataKbn->setCurrentIndex(3);
        box->SearchBox->btnOKClick();
    });
    box->btnSearchClick(false);
    EXPECT_EQ(column(*box, ColCode, false), codes(" AND DATATYPE=2 AND CODETYPE=2"));
    EXPECT_TRUE(box->btnSearchCancel->isEnabled());
    EXPECT_EQ(scalar("SELECT DATATYPE * 10 + CODETYPE FROM KENSAKUJYOKEN WHERE OPCODE=100000010 AND LISTTYPE=0"), 22);

    // Cancelling shows everything again; the stored row stays.
    box->btnSearchClick(true);
    EXPECT_EQ(column(*box, ColCode), all);
    EXPECT_FALSE(box->btnSearchCancel->isEnabled());

    // Header clicks: by code descending on the second click; the focused row stays focused.
    box->SelectRow(rowOfCode(*box, "0003"));
    box->PerfectGrid1CellClick(-1, ColCode);
    box->PerfectGrid1CellClick(-1, ColCode);
    EXPECT_EQ(column(*box, ColCode), std::vector<std::string>(all.rbegin(), all.rend()));
    EXPECT_EQ(box->List.Grid.Header[ColCode], "コード▼");
    EXPECT_EQ(box->List.Grid.Cell(box->CurrentRow(), ColCode), "0003");
    // The picture and hidden columns do not sort.
    box->PerfectGrid1CellClick(-1, ColCloud);
    box->PerfectGrid1CellClick(-1, ColLockPicture);
    EXPECT_EQ(box->List.SortCol, ColCode);

    // The sort is kept when the screen closes (code column = stored 6, descending).
    box->ESCClick();
    EXPECT_EQ(scalar("SELECT SORTCOL * 10 + SORTTYPE FROM KENSAKUJYOKEN WHERE OPCODE=100000010 AND LISTTYPE=0"), 61);
}

TEST_F(DataSentakuBoxTest, IncrementalSearchWaitsForTheTypingToPause)
{
    TDataSentakuBox* box = open("SyoriType=0");
    ASSERT_EQ(box->CurrentRow(), 0);
    box->PerfectGrid1KeyDown('0');
    EXPECT_EQ(box->IncSerchTimer->interval(), 500);
    EXPECT_TRUE(box->IncSerchTimer->isActive());
    box->PerfectGrid1KeyDown('0');
    box->PerfectGrid1KeyDown(96);  // the numeric pad's 0
    box->PerfectGrid1KeyDown('3');
    EXPECT_EQ(box->IncSerchTimer->interval(), 1000);
    EXPECT_EQ(box->IncText, "0003");
    QTest::qWait(600);
    EXPECT_EQ(box->CurrentRow(), 0);   // not yet: a later key waits a second
    QTest::qWait(600);
    EXPECT_EQ(box->List.Grid.Cell(box->CurrentRow(), ColCode), "0003");
    EXPECT_TRUE(box->IncText.empty());
    EXPECT_FALSE(box->txtIncSerch->isVisible());
    EXPECT_FALSE(box->IncSerchTimer->isActive());

    // A key the search does not take is ignored.
    box->PerfectGrid1KeyDown(0x70);  // F1
    EXPECT_TRUE(box->IncText.empty());
}

TEST_F(DataSentakuBoxTest, ADataSetInUseOrDamagedIsRefusedWithItsMessage)
{
    setStatus("0001", DataStatusInUse);
    setStatus("0003", DataStatusDamaged);
    TDataSentakuBox* box = open(kWizardLines);

    box->SelectRow(rowOfCode(*box, "0001"));
    box->F12Click();
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->result(), 0);
    EXPECT_TRUE(box->SelFolder.empty());
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].caption, "選択データの状態");
    EXPECT_NE(seam_->messages[0].text.find("このデータは使用中のため処理が行えません。"), std::string::npos);
    EXPECT_NE(seam_->messages[0].text.find("前回、異常終了した場合は情報ボタンを押してデータの状態を回復して下さい。"),
              std::string::npos);
    EXPECT_NE(seam_->messages[0].text.find(dataFolder("0001")), std::string::npos);

    box->SelectRow(rowOfCode(*box, "0003"));
    box->F12Click();
    EXPECT_TRUE(box->isVisible());
    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_NE(seam_->messages[1].text.find("このデータは破損のため処理が行えません。"), std::string::npos);
    EXPECT_EQ(SystemDef.DataDir, "");
}

TEST_F(DataSentakuBoxTest, ARefreshBlanksTheRowWhoseDatabaseIsGone)
{
    TDataSentakuBox* box = open("SyoriType=0");
    const int row = rowOfCode(*box, "0002");
    fs::remove(fs::path(dataFolder("0002")) / DataDbFileName);
    box->DataListRefresh(row);
    EXPECT_EQ(box->List.Grid.Cell(row, ColName), "");
    EXPECT_EQ(box->List.Grid.Cell(row, ColKikan), "～");
    EXPECT_FALSE(fs::exists(fs::path(dataFolder("0002")) / DataIniFileName));
    EXPECT_EQ(scalar("SELECT CHAR_LENGTH(ENTTEXT) FROM DATALIST WHERE REC=2 AND GROUPID=10000"), 0);
    // The other rows are untouched.
    EXPECT_EQ(column(*box, ColCode), codes());
}

// The sample office's third data set moved onto a shared area of drive X:.
class DataSentakuBoxSharedTest : public DataSentakuBoxTest {
protected:
    void SetUp() override
    {
        DataSentakuBoxTest::SetUp();
        if (HasFatalFailure())
            return;
        const fs::path drive = root_ / "drive-x";
        share_ = drive / "zeverivurev" / "sv0001";
        fs::create_directories(share_.parent_path());
        platform::folders::mapDrive('X', drive);
        fs::rename(dataFolder("0003"), share_);
        exec("UPDATE DATALIST SET NETDRIVE=1, KYOYULOCK=0, PASNAME='X:/zeverivurev/sv0001' WHERE REC=3");
    }

    int sharedRow(const TDataSentakuBox& box) const { return rowOfCode(box, "0003"); }
    fs::path share_;
};

TEST_F(DataSentakuBoxSharedTest, KeptOnTheShareItIsChosenOnlyWithTheAutomaticSwitch)
{
    TDataSentakuBox* box = open(kWizardLines);
    box->SelectRow(sharedRow(*box));
    EXPECT_EQ(box->List.Grid.Picture(sharedRow(*box), ColSharePicture), PicShared);
    EXPECT_EQ(box->KeyCaption(KeyF12), "F12:");
    EXPECT_TRUE(box->btnKyoyuDataDown->isEnabled());
    box->F12Click();
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(SystemDef.DataDir, "");

    // With the switch on, F12 takes the data set to this computer first, without a question.
    box->cboxKyoyuDataAuto->click();
    EXPECT_EQ(SystemDef.KyoyuDataAuto, 1);
    EXPECT_EQ(box->KeyCaption(KeyF12), "F12:選択");
    box->F12Click();
    EXPECT_EQ(box->result(), 1);
    EXPECT_EQ(SystemDef.DataDir, dataFolder("0003"));
    EXPECT_EQ(SystemDef.DataPasName, "X:/zeverivurev/sv0001");
    EXPECT_TRUE(fs::exists(fs::path(dataFolder("0003")) / DataDbFileName));
    EXPECT_EQ(scalar("SELECT KYOYULOCK FROM DATALIST WHERE REC=3"), 1);
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataSentakuBoxSharedTest, FetchedAndKeptWithTheButtons)
{
    TDataSentakuBox* box = open(kWizardLines);
    const int row = sharedRow(*box);
    box->SelectRow(row);
    seam_->messageAnswers.push_back(platform::ResultYes);
    box->btnKyoyuDataDown->Click();
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "共有データの取得を行います。よろしいですか？");
    EXPECT_EQ(box->List.Grid.CellInt(row, ColShared), 1);
    EXPECT_EQ(box->List.Grid.Picture(row, ColSharePicture), PicEmpty);
    EXPECT_TRUE(fs::exists(fs::path(dataFolder("0003")) / DataDbFileName));
    EXPECT_TRUE(box->btnKyoyuDataUp->isEnabled());
    EXPECT_FALSE(box->btnKyoyuDataDown->isEnabled());

    seam_->messageAnswers.push_back(platform::ResultYes);
    box->btnKyoyuDataUp->Click();
    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(seam_->messages[1].text, "共有データの保管を行います。よろしいですか？");
    EXPECT_EQ(box->List.Grid.CellInt(row, ColShared), 0);
    EXPECT_EQ(box->List.Grid.Picture(row, ColSharePicture), PicShared);
    EXPECT_EQ(scalar("SELECT KYOYULOCK FROM DATALIST WHERE REC=3"), 0);
    EXPECT_TRUE(fs::exists(share_ / DataDbFileName));
}

TEST_F(DataSentakuBoxSharedTest, ASilentKeepOfConsolidatedDataWithADamagedMemberStops)
{
    // Consolidated and taken to this computer, with one child whose copy is damaged.
    exec("UPDATE DATALIST SET GASSAN=1, KYOYULOCK=1 WHERE REC=3");
    exec("INSERT INTO CHILD_DATALIST (REC, ROWNO, GROUPID, ENTTEXT, PASNAME, NETDRIVE, KYOYULOCK, GASSAN) "
         "VALUES (3, 1, 10000, '支店', 'X:/zeverivurev/sv0001/001', 1, 1, 10)");
    fs::create_directories(dataFolder("0003"));
    fs::copy_file(share_ / DataDbFileName, fs::path(dataFolder("0003")) / DataDbFileName);
    const auto shareTime = fs::last_write_time(share_ / DataDbFileName);
    SystemDef.DataBrokenCheck = 1;
    std::vector<std::string> checked;
    DataBrokenCheckProc = [&](const std::string&, const std::string& folder, bool) {
        checked.push_back(folder);
        return folder.ends_with("001") ? 0 : 1;
    };
    SystemDef.KyoyuDataAuto = 1;
    TDataSentakuBox* box = open("SyoriType=0");
    box->SelectRow(sharedRow(*box));
    EXPECT_EQ(box->SyncSharedAuto("upload"), 0);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_NE(seam_->messages[0].text.find("合算・分散データに破損したデータが存在するため、共有データの保管を中止します。"),
              std::string::npos);
    EXPECT_EQ(fs::last_write_time(share_ / DataDbFileName), shareTime);
    EXPECT_EQ(scalar("SELECT KYOYULOCK FROM DATALIST WHERE REC=3"), 1);
    EXPECT_EQ(box->List.Grid.CellInt(sharedRow(*box) + 1, ColDataStatus), 1);
}

// Client/server mode on the same office: the list comes from the server's data list.
class DataSentakuBoxServerTest : public DataSentakuBoxTest {
protected:
    void SetUp() override
    {
        DataSentakuBoxTest::SetUp();
        ConnectMode = ConnectClientServer;
    }
};

TEST_F(DataSentakuBoxServerTest, AnEmptyDataPlaceLeavesNothingToChoose)
{
    TDataSentakuBox* box = open("SyoriType=0");
    EXPECT_EQ(box->windowTitle().toStdString(), "データ選択（サーバー）");
    ASSERT_GT(box->List.Grid.RowCount(), 0);
    // A place with a name and no rows at all.
    exec("UPDATE DATAPLACEMAN SET NAME='空の場所' WHERE REC=7");
    std::string names;
    box->PlaceBox->GetPlaceNames(names);
    box->cmbDataMan->clear();
    for (const auto& name : QString::fromStdString(names).split(QLatin1Char('\r'), Qt::SkipEmptyParts))
        box->cmbDataMan->addItem(name);
    box->cmbDataMan->setCurrentIndex(box->PlaceBox->IndexOfPlaceRec(7));
    box->cmbDataManChange();
    box->cmbDataManExit();
    EXPECT_EQ(box->List.PlaceRec, 7);
    EXPECT_EQ(box->List.Grid.RowCount(), 0);
    EXPECT_FALSE(box->List.Grid.HasCurrentRow());
    EXPECT_EQ(box->KeyCaption(KeyF12), "F12:選択");
    box->F12Click();
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->SelFolder.empty());
}

TEST_F(DataSentakuBoxServerTest, RefreshingAChildWhoseFolderIsGoneKeepsItsParent)
{
    exec("UPDATE DATALIST SET GASSAN=1 WHERE REC=1");
    exec("INSERT INTO CHILD_DATALIST (REC, ROWNO, GROUPID, ENTTEXT, PASNAME, GASSAN) VALUES (1, 1, 10000, '支店', '" +
         dataFolder("0001") + "/001', 10)");
    TDataSentakuBox* box = open("SyoriType=0");
    const int parentRow = rowOfCode(*box, "0001");
    ASSERT_EQ(box->List.Grid.CellInt(parentRow + 1, ColGassan), GassanDistributedChild);
    const std::int64_t rowsBefore = box->List.Grid.RowCount();
    box->DataListRefresh(parentRow + 1);
    // The child leaves the list; the parent keeps its name and its registration.
    EXPECT_EQ(box->List.Grid.RowCount(), rowsBefore - 1);
    EXPECT_NE(box->List.Grid.Cell(parentRow, ColName), "");
    EXPECT_NE(box->List.Grid.CellInt(parentRow + 1, ColGassan), GassanDistributedChild);
    EXPECT_TRUE(box->List.Rows[static_cast<std::size_t>(box->List.KeyOf(parentRow).Parent)].Children.empty());
    EXPECT_GT(scalar("SELECT CHAR_LENGTH(ENTTEXT) FROM DATALIST WHERE REC=1"), 0);
}

TEST_F(DataSentakuBoxTest, ParameterLines)
{
    TDataSentakuBox box;
    EXPECT_EQ(box.SyoriType(), 0);
    EXPECT_THROW(box.SetParams({"SyoriType=6"}), std::out_of_range);
    box.SetParams({"SyoriType=-1"});
    EXPECT_EQ(box.SyoriType(), 0);
    box.SetParams({"SyoriType=x"});
    EXPECT_EQ(box.SyoriType(), 0);
    EXPECT_EQ(box.FormStyle(), ui::fsMDIChild);
    box.SetParams({"FormStyle=5"});
    EXPECT_EQ(box.FormStyle(), ui::fsStayOnTop);

    // The last version key read wins; without "JyokenSet" none is read.
    box.SetParams({"SyoriType=3", "DataVer=12.1", "DataVerMajor=14"});
    EXPECT_EQ(box.Preset.JYOKENUSE, 0);
    EXPECT_EQ(box.Preset.DATAVER, "");
    box.SetParams({"SyoriType=3", "JyokenSet=1", "DataType=2", "DataVer=12.1", "DataVerMajor=14", "ManualFree=1"});
    EXPECT_EQ(box.Preset.JYOKENUSE, 1);
    EXPECT_EQ(box.Preset.DATATYPE, 2);
    EXPECT_EQ(box.Preset.DATAVER, "14");
    EXPECT_EQ(box.Preset.VerMatch, 1);
    EXPECT_TRUE(box.ManualFree);

    // The transfer lines count under processing type 5 only.
    box.SetParams({"SyoriType=3", "OnlySA_Syori=Restore", "OnlySA_BackupPath=/media/usb"});
    EXPECT_EQ(box.OnlySARestore, 0);
    EXPECT_EQ(box.OnlySABackupPath, "");
    box.SetParams({"SyoriType=5", "OnlySA_Syori=Restore", "OnlySA_BackupPath=/media/usb"});
    EXPECT_EQ(box.OnlySARestore, 1);
    EXPECT_EQ(box.OnlySABackupPath, "/media/usb");
}

TEST_F(DataSentakuBoxTest, RowOperationsNotBuiltYetAnswerNotAvailableAndBareKeysDoNothing)
{
    // The operations' stand-in, as a host without them gets it.
    struct Restore {
        DataSetRowOperationsFactory previous = SetDataSetRowOperationsFactory(
            [] { return std::make_unique<TDataSetRowOperations>(); });
        ~Restore() { SetDataSetRowOperationsFactory(std::move(previous)); }
    } standIn;
    const std::vector<std::string> codesBefore = codes();
    TDataSentakuBox* box = open("SyoriType=0");
    box->SelectRow(rowOfCode(*box, "0001"));
    EXPECT_EQ(box->KeyCaption(KeyF3), "F3:");
    box->F3Click();
    EXPECT_TRUE(seam_->messages.empty());
    for (auto click : {&TDataSentakuBox::F6Click, &TDataSentakuBox::F7Click, &TDataSentakuBox::F8Click,
                       &TDataSentakuBox::btnDataInfoClick}) {
        seam_->messages.clear();
        (box->*click)();
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_EQ(seam_->messages[0].text, RowOperationNotAvailable);
        EXPECT_FALSE(box->CopyPending);
    }
    EXPECT_EQ(codes(), codesBefore);
}

TEST_F(DataSentakuBoxTest, TheListUpdateRereadsEveryRowAfterAsking)
{
    TDataSentakuBox* box = open(kWizardLines);
    fs::remove(fs::path(dataFolder("0001")) / DataDbFileName);

    const std::vector<std::string> before = column(*box, ColCode, false);
    seam_->messageAnswers.push_back(platform::ResultNo);
    box->btnListUpdateClick();
    EXPECT_EQ(column(*box, ColCode, false), before);

    seam_->messageAnswers.push_back(platform::ResultYes);
    box->btnListUpdateClick();
    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(seam_->messages[1].text, "データリストの更新を行います。\rよろしいですか？");
    // The row whose database is gone is blank now; the others were read from their data sets.
    EXPECT_EQ(box->List.Grid.Cell(0, ColName), "");
    EXPECT_EQ(box->List.Grid.Cell(0, ColKikan), "～");
    EXPECT_EQ(scalar("SELECT CHAR_LENGTH(ENTTEXT) FROM DATALIST WHERE REC=1"), 0);
    EXPECT_EQ(box->List.Grid.Cell(1, ColCode), "0002");
    EXPECT_EQ(box->List.Grid.Cell(1, ColNendo), "6 期");
    EXPECT_FALSE(box->xAnimeProgressDialog1->Handle());
}

// Home and End go to the first and the last row, and only the current row
// carries the focus look.
TEST_F(DataSentakuBoxTest, HomeAndEndGoToTheFirstAndTheLastRow)
{
    TDataSentakuBox* box = open(kWizardLines);
    const int last = box->List.Grid.RowCount() - 1;
    ASSERT_GT(last, 1);
    box->SelectRow(1);
    for (const auto& [key, row] : {std::pair{Qt::Key_Home, 0}, std::pair{Qt::Key_End, last}}) {
        QTest::keyClick(box->PerfectGrid1, key);
        EXPECT_EQ(box->List.Grid.CurrentRow, row);
        EXPECT_EQ(box->PerfectGrid1->currentIndex().row(), row);
        int focused = 0;
        for (int r = 0; r <= last; ++r)
            focused += box->List.Grid.Row(r).FocusFont;
        EXPECT_EQ(focused, 1);
    }
}

// A refresh rereads every data set of the sample office and shows it as the
// first load did: one version label, the same business year and period.
TEST_F(DataSentakuBoxTest, ARefreshShowsEveryRowAsTheFirstLoadDid)
{
    TDataSentakuBox* box = open("SyoriType=0");
    const auto shown = [&] {
        std::vector<std::string> out;
        for (int r = 0; r < box->List.Grid.RowCount(); ++r)
            for (int col : {ColCode, ColName, ColVersion, ColNendo, ColKikan})
                out.push_back(box->List.Grid.Cell(r, col));
        return out;
    };
    const std::vector<std::string> before = shown();
    const int medical = rowOfCode(*box, "0004");
    ASSERT_GE(medical, 0);
    EXPECT_EQ(box->List.Grid.Cell(medical, ColVersion), "22版");
    EXPECT_EQ(box->List.Grid.Cell(medical, ColNendo), "6 期");

    seam_->messageAnswers.push_back(platform::ResultYes);
    box->btnListUpdateClick();
    const std::vector<std::string> after = shown();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i], before[i]) << "row " << i / 5 << ", cell " << i % 5;
    EXPECT_EQ(texts("SELECT DISTINCT VER_TEXT FROM DATALIST WHERE ENTTEXT<>''"), std::vector<std::string>{"22版"});
}
