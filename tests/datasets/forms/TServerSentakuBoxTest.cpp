// The shared-data screen on a copy of the sample office with a test drive
// map: two network drives (X with two data sets and an empty area, Y with an
// empty area). The drive's areas are listed and cached; a drive change or a
// sort cancels a pending paste; a paste or delete onto an area that another
// computer took after the list was read is refused before anything is
// written; a paste fills an empty area; areas are added and deleted; and the
// data selection screen binds a blank row to the area chosen here.
#include <gtest/gtest.h>

#include "SelectionScreenFixture.h"
#include "datasets/NetworkDrives.h"
#include "datasets/forms/TDataSentakuBox.h"
#include "datasets/forms/TDataSyosaiInfoBox.h"
#include "datasets/forms/TServerSentakuBox.h"
#include "datasets/operations/CopySource.h"
#include "datasets/operations/GassanDataCtl.h"
#include "foundation/dataset/DataInfomation.h"
#include "platform/Folders.h"
#include "platform/IniFile.h"
#include "ui/forms/ScreenLauncher.h"

#include <QApplication>
#include <QComboBox>
#include <QPointer>

#include <cstdlib>

using namespace vq;
namespace fs = std::filesystem;

namespace {

std::int32_t iniInt(const fs::path& folder, const char* section, const char* key)
{
    platform::IniFile ini(folder / DataIniFileName);
    return ini.readInteger(section, key, -1);
}

std::string iniText(const fs::path& folder, const char* section, const char* key)
{
    platform::IniFile ini(folder / DataIniFileName);
    return ini.readString(section, key);
}

void copyDataSet(const fs::path& from, const fs::path& to)
{
    fs::create_directories(to);
    for (const char* name : {"vqacc.fdb", "vqacc.ini"})
        fs::copy_file(from / name, to / name);
}

} // namespace

class TServerSentakuBoxTest : public test::SelectionScreenFixture {
protected:
    void SetUp() override
    {
        SelectionScreenFixture::SetUp();
        ::setenv("XDG_DATA_HOME", (root_.path() / "xdg").c_str(), 1);
        nasX_ = root_.path() / "nas-x";
        nasY_ = root_.path() / "nas-y";
        // The first two data sets of the office go to drive X.
        std::vector<fs::path> sets;
        for (const auto& slot : fs::directory_iterator(SystemDef.SysDir))
            if (fs::exists(slot.path() / "vqacc.fdb"))
                sets.push_back(slot.path());
        std::sort(sets.begin(), sets.end());
        ASSERT_GE(sets.size(), 2u);
        copyDataSet(sets[0], area('X', "sv0001"));
        copyDataSet(sets[1], area('X', "sv0002"));
        fs::create_directories(area('X', "sv0003"));
        fs::create_directories(area('Y', "sv0001"));
        platform::folders::mapDrive('X', nasX_);
        platform::folders::mapDrive('Y', nasY_);
        platform::folders::mapDrive('L', root_.path() / "office"); // a local folder: never a share drive
        previousMounts_ = SetMountTableReader([x = nasX_.string(), y = nasY_.string()] {
            return std::vector<MountEntry>{{"/", "ext4", "/dev/sda1"},
                                           {x, "nfs4", "nas:/export/x"},
                                           {y, "cifs", "//nas/y"}};
        });
    }

    void TearDown() override
    {
        SetMountTableReader(previousMounts_);
        SelectionScreenFixture::TearDown();
    }

    fs::path area(char drive, const char* name) const
    {
        return (drive == 'X' ? nasX_ : nasY_) / "zeverivurev" / name;
    }

    fs::path nasX_, nasY_;
    MountTableReader previousMounts_;
};

TEST_F(TServerSentakuBoxTest, ATestDriveMapListsTheAreasOfTheChosenDrive)
{
    TServerSentakuBox* box = openShared();
    ASSERT_EQ(box->cmbDrive->count(), 2);
    EXPECT_EQ(box->cmbDrive->itemText(0).toStdString(), "X: nas:/export/x");
    EXPECT_EQ(box->cmbDrive->itemText(1).toStdString(), "Y: //nas/y");
    EXPECT_EQ(box->List.DrivePath, "X:/zeverivurev");
    ASSERT_EQ(box->List.Grid.RowCount(), 3);
    const int first = rowOf(*box, "X:/zeverivurev/sv0001");
    const int empty = rowOf(*box, "X:/zeverivurev/sv0003");
    ASSERT_GE(first, 0);
    ASSERT_GE(empty, 0);
    EXPECT_EQ(box->List.Grid.Cell(first, SvColName), iniText(area('X', "sv0001"), "DATAINFO", "DATALISTNAME"));
    EXPECT_EQ(box->List.Grid.Cell(empty, SvColName), EmptyAreaName);
    EXPECT_EQ(box->List.Grid.Cell(empty, SvColKikan), "～");
    // Sorted by the data folder on a first showing, and the areas are cached.
    EXPECT_EQ(box->List.Grid.Header[SvColFolder], "データフォルダ▲");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM SERVERDATALIST WHERE DRIVELETTER='X'"), 3);
    EXPECT_EQ(box->KeyCaption(KeyF4), "F4:領域追加");

    box->ChooseDrive('Y');
    EXPECT_EQ(box->DriveLetter, "Y");
    ASSERT_EQ(box->List.Grid.RowCount(), 1);
    EXPECT_EQ(box->List.Grid.Cell(0, SvColFolder), "Y:/zeverivurev/sv0001");

    // Without a share drive only the drive-less entry shows and F4 is bare.
    platform::folders::unmapDrive('X');
    platform::folders::unmapDrive('Y');
    TServerSentakuBox* none = openShared();
    ASSERT_EQ(none->cmbDrive->count(), 1);
    EXPECT_EQ(none->cmbDrive->itemText(0).toStdString(), "[zeverivurev]が見つかりません");
    EXPECT_EQ(none->List.Grid.RowCount(), 0);
    EXPECT_EQ(none->KeyCaption(KeyF4), "F4:");
    // Nothing to print: told before any dialog.
    seam_->messages.clear();
    none->F8Click();
    EXPECT_EQ(lastMessage(), "共有データリストが表示されていません。");
}

// 共有割当 gives a letter only to a mounted share that has none, and says
// which letter the share has or was given.
TEST_F(TServerSentakuBoxTest, TheMountButtonMapsOnlyAShareWithoutALetter)
{
    const fs::path nasZ = root_.path() / "nas-z";
    fs::create_directories(nasZ);
    SetMountTableReader([x = nasX_.string(), z = nasZ.string()] {
        return std::vector<MountEntry>{{"/", "ext4", "/dev/sda1"}, {x, "nfs4", "nas:/export/x"}, {z, "fuse.sshfs", "nas:/z"}};
    });
    TServerSentakuBox* box = openShared();
    const struct {
        fs::path folder;
        const char* message;
    } cases[] = {
        {root_.path() / "office", "選択したフォルダはネットワーク上の共有フォルダではありません。\r"
                                  "ネットワークの共有フォルダを接続（マウント）したフォルダを選択して下さい。"},
        {nasX_, "選択したフォルダは既にドライブ X: に割り当てられています。"},
        {nasZ, "選択したフォルダをドライブ Z: に割り当てました。"},
        {nasZ, "選択したフォルダは既にドライブ Z: に割り当てられています。"},
    };
    for (const auto& c : cases) {
        seam_->messages.clear();
        seam_->fileAnswers.push_back(c.folder.string());
        box->btnMountClick();
        ASSERT_EQ(seam_->messages.size(), 1u) << c.folder;
        EXPECT_EQ(seam_->messages[0].text, c.message);
    }
    auto drives = platform::folders::driveMap();
    EXPECT_EQ(drives.size(), 4u); // X, Y, L and the one new letter
    EXPECT_EQ(drives['Z'], nasZ);

    seam_->messages.clear();
    seam_->fileAnswers.push_back(std::nullopt);
    box->btnMountClick();
    EXPECT_TRUE(seam_->messages.empty());
    EXPECT_EQ(platform::folders::driveMap().size(), 4u);
}

TEST_F(TServerSentakuBoxTest, ADriveChangeOrASortCancelsAPendingPaste)
{
    TServerSentakuBox* box = openShared();
    const fs::path source = area('X', "sv0001");
    const std::vector<std::pair<const char*, std::function<void()>>> reloads = {
        {"drive change", [box] { box->ChooseDrive('Y'); }},
        {"sort", [box] { box->PerfectGrid1CellClick(-1, SvColName); }},
        {"search cancel", [box] { box->btnSearchClick(true); }},
    };
    for (const auto& [what, reload] : reloads) {
        box->ChooseDrive('X');
        box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0001"));
        box->F2Click();
        ASSERT_TRUE(box->PastePending()) << what << ": " << lastMessage();
        EXPECT_EQ(iniInt(source, "DATASTS", "STATUS"), DataStatusCopySource) << what;
        reload();
        EXPECT_FALSE(box->PastePending()) << what;
        EXPECT_EQ(iniInt(source, "DATASTS", "STATUS"), DataStatusFree) << what;
        EXPECT_EQ(box->KeyCaption(KeyF2).rfind("F2:貼り付け", 0), std::string::npos) << what;
    }
}

TEST_F(TServerSentakuBoxTest, PasteAndDeleteRefuseAnAreaTakenByAnotherComputerBeforeAnyWrite)
{
    TServerSentakuBox* box = openShared();
    const fs::path source = area('X', "sv0001");
    const fs::path target = area('X', "sv0002");
    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0001"));
    box->F2Click();
    ASSERT_TRUE(box->PastePending()) << lastMessage();

    // Another computer takes the target after this screen read the list.
    TDataInfomation info;
    info.WriteShareStatus(target.string(), ShareStatusTaken);
    const std::string database = test::readBytes(target / "vqacc.fdb");
    const std::string ini = test::readBytes(target / "vqacc.ini");
    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0002"));
    ASSERT_EQ(box->KeyCaption(KeyF2), "F2:貼り付け");
    seam_->messages.clear();
    box->F2Click();
    EXPECT_FALSE(box->PastePending());
    EXPECT_EQ(lastMessage(), SharedPasteInUseText);
    EXPECT_EQ(test::readBytes(target / "vqacc.fdb"), database);
    EXPECT_EQ(test::readBytes(target / "vqacc.ini"), ini);
    EXPECT_EQ(iniInt(source, "DATASTS", "STATUS"), DataStatusFree);

    // The delete asks again after the agreement too: refused, nothing removed.
    info.WriteShareStatus(target.string(), ShareStatusFree);
    TServerSentakuBox* fresh = openShared();
    fresh->SelectRow(rowOf(*fresh, "X:/zeverivurev/sv0002"));
    seam_->messages.clear();
    info.WriteShareStatus(target.string(), ShareStatusTaken);
    ASSERT_EQ(fresh->KeyCaption(KeyF5), "F5:ﾃﾞｰﾀ削除");
    fresh->F5Click();
    EXPECT_EQ(lastMessage(), SharedDeleteInUseText);
    EXPECT_EQ(test::readBytes(target / "vqacc.fdb"), database);
}

TEST_F(TServerSentakuBoxTest, APasteFillsAnEmptyAreaWithACopyOfTheMarkedDataSet)
{
    TServerSentakuBox* box = openShared();
    const fs::path source = area('X', "sv0001");
    const fs::path target = area('X', "sv0003");
    const std::string name = iniText(source, "DATAINFO", "DATALISTNAME");
    // Taken out earlier: the copy of the source's info file must not carry that over.
    TDataInfomation().WriteShareStatus(source.string(), ShareStatusTaken);
    box->RebuildList();
    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0001"));
    ASSERT_EQ(box->KeyCaption(KeyF2), "F2:コピー");
    box->F2Click();
    ASSERT_TRUE(box->PastePending()) << lastMessage();
    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0003"));
    box->F2Click();
    EXPECT_FALSE(box->PastePending());
    ASSERT_TRUE(fs::exists(target / "vqacc.fdb")) << lastMessage();
    EXPECT_EQ(iniText(target, "DATAINFO", "DATALISTNAME"), MakeCopyName(name));
    EXPECT_EQ(iniInt(target, "DATASTS", "SHARE_STATUS"), ShareStatusFree);
    EXPECT_EQ(iniInt(target, "DATASTS", "STATUS"), DataStatusFree);
    EXPECT_EQ(iniInt(source, "DATASTS", "STATUS"), DataStatusFree);
    const int pasted = rowOf(*box, "X:/zeverivurev/sv0003");
    ASSERT_GE(pasted, 0);
    EXPECT_EQ(box->List.Grid.Cell(pasted, SvColName), MakeCopyName(name));
    EXPECT_EQ(texts("SELECT ENTTEXT FROM SERVERDATALIST WHERE DRIVELETTER='X' AND PASNAME='X:/zeverivurev/sv0003'"),
              std::vector<std::string>{MakeCopyName(name)});
}

TEST_F(TServerSentakuBoxTest, F4AddsALowerCaseAreaAndF5DeletesAnAreaAfterTheAgreement)
{
    TServerSentakuBox* box = openShared();
    seam_->inputAnswers.push_back(std::string("  SV0009/ "));
    box->F4Click();
    ASSERT_EQ(seam_->inputs.size(), 1u);
    EXPECT_TRUE(fs::is_directory(area('X', "sv0009")));
    const int added = rowOf(*box, "X:/zeverivurev/sv0009");
    ASSERT_GE(added, 0);
    EXPECT_EQ(box->List.Grid.CurrentRow, added);
    EXPECT_EQ(box->List.Grid.Cell(added, SvColName), NewAreaName);

    seam_->inputAnswers.push_back(std::string("sv0009"));
    seam_->messages.clear();
    box->F4Click();
    EXPECT_NE(lastMessage().find("は既に作成されています。"), std::string::npos);

    // A delete needs the agreement; cancelled, the area stays.
    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0009"));
    seam_->messageAnswers.push_back(platform::ResultCancel);
    box->F5Click();
    EXPECT_NE(lastMessage().find("データの削除に同意します"), std::string::npos);
    EXPECT_TRUE(fs::exists(area('X', "sv0009")));
    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0009"));
    seam_->messageAnswers.push_back(platform::ResultOk);
    box->F5Click();
    EXPECT_FALSE(fs::exists(area('X', "sv0009")));
    EXPECT_LT(rowOf(*box, "X:/zeverivurev/sv0009"), 0);
}

TEST_F(TServerSentakuBoxTest, TheSelectionScreenBindsABlankRowToTheAreaChosenHere)
{
    SystemDef.ZenkaiDrive = "X";
    TDataSentakuBox* selection = open();
    const int blank = firstBlankRow(*selection);
    ASSERT_GE(blank, 0);
    const std::int32_t rec = selection->List.GetRowRecord(blank)->REC;
    selection->SelectRow(blank);

    bool chosen = false;
    test::whenModal([&chosen](QWidget* modal) {
        auto* shared = qobject_cast<TServerSentakuBox*>(modal);
        if (shared == nullptr) {
            modal->close();
            return;
        }
        shared->SelectRow(shared->List.RowOfFolder("X:/zeverivurev/sv0001"));
        shared->F12Click();
        chosen = true;
    });
    selection->btnKyoyuDataDownClick();
    ASSERT_TRUE(chosen) << lastMessage();

    const auto rows = texts("SELECT PASNAME || '|' || NETDRIVE FROM DATALIST WHERE REC=" + std::to_string(rec));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "X:/zeverivurev/sv0001|1");
    char slot[8];
    std::snprintf(slot, sizeof slot, "%.4d", rec);
    EXPECT_TRUE(fs::exists(fs::path(SystemDef.SysDir) / slot / "vqacc.fdb")) << lastMessage();
    EXPECT_EQ(iniInt(area('X', "sv0001"), "DATASTS", "SHARE_STATUS"), ShareStatusTaken);
    EXPECT_EQ(SystemDef.ZenkaiDrive, "X");
    EXPECT_TRUE(selection->isVisible());
}

TEST_F(TServerSentakuBoxTest, StartedByNameItShowsTheDriveOfItsLineAndChoosesAnArea)
{
    RegisterServerSentakuBox();
    std::string drive;
    test::whenModal([&drive](QWidget* modal) {
        auto* box = qobject_cast<TServerSentakuBox*>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        drive = box->DriveLetter;
        box->SelectRow(box->List.RowOfFolder("Y:/zeverivurev/sv0001"));
        box->F12Click();
    });
    EXPECT_EQ(ui::StartRegisteredProcess("TServerSentakuBox", 1, "DriveLetter=Y"), 1);
    EXPECT_EQ(drive, "Y");
}

TEST_F(TServerSentakuBoxTest, APastedConsolidatedDataSetBringsItsChildrenToTheTarget)
{
    const fs::path source = area('X', "sv0001");
    ASSERT_TRUE(WriteGassanSetting(source.string(), GassanConsolidated, 2));
    TDataInfomation().WriteIniValue(source.string(), "DATAINFO", "GASSANKBN", "1", false);
    copyDataSet(area('X', "sv0002"), source / "001");
    copyDataSet(area('X', "sv0002"), source / "002");
    TServerSentakuBox* box = openShared();
    box->RebuildList();
    ASSERT_EQ(box->List.Grid.RowCount(), 5); // the consolidated area, its two children, sv0002, sv0003
    EXPECT_EQ(box->KeyCaption(KeyF2), "F2:コピー");
    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0001/001"));
    EXPECT_EQ(box->KeyCaption(KeyF2), "F2:"); // a child is never copied on its own

    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0001"));
    box->F2Click();
    ASSERT_TRUE(box->PastePending()) << lastMessage();
    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0003"));
    box->F2Click();
    const fs::path target = area('X', "sv0003");
    ASSERT_TRUE(fs::exists(target / "002" / "vqacc.fdb")) << lastMessage();
    EXPECT_EQ(texts("SELECT PASNAME FROM CHILD_SERVERDATALIST WHERE DRIVELETTER='X' AND PASNAME STARTING WITH "
                    "'X:/zeverivurev/sv0003' ORDER BY ROWNO"),
              (std::vector<std::string>{"X:/zeverivurev/sv0003/001", "X:/zeverivurev/sv0003/002"}));
    EXPECT_GE(rowOf(*box, "X:/zeverivurev/sv0003/002"), 0);
    // The source keeps its own children.
    EXPECT_GE(rowOf(*box, "X:/zeverivurev/sv0001/002"), 0);
}

TEST_F(TServerSentakuBoxTest, TheDetailButtonOpensTheDetailDialogOnTheAreaWithoutEditing)
{
    TServerSentakuBox* box = openShared();
    box->SelectRow(rowOf(*box, "X:/zeverivurev/sv0002"));
    bool fromShared = false, editAllowed = true;
    std::string folder;
    test::whenModal([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<TDataSyosaiInfoBox*>(modal)) {
            fromShared = dialog->FromSharedList;
            editAllowed = dialog->EditAllowed;
            folder = dialog->DataFolder;
        }
        modal->close();
    });
    box->btnDataInfoClick();
    EXPECT_TRUE(fromShared);
    EXPECT_FALSE(editAllowed);
    EXPECT_EQ(folder, area('X', "sv0002").string());
}
