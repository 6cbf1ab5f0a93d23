// The place dialogs of the data-set save and restore: the history of eight
// places, most recent first, a place offered once; [履歴削除]; a history place
// that is gone reported and never made; the file and folder modes; and the
// second dialog's default place, which leaves the history alone.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "datasets/PlaceHistory.h"
#include "datasets/forms/TFileOperationBox.h"
#include "datasets/forms/TFileOperationBoxEx1.h"
#include "platform/IniFile.h"
#include "platform/ScriptedInteraction.h"
#include "ui/ModalResult.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxRadioButton.h"

#include <QLabel>

#include <filesystem>
#include <string>
#include <vector>

using namespace vq;
namespace fs = std::filesystem;

namespace {

class FileOperationBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        defaultPlace_ = folder("documents");
        for (int i = 1; i <= 9; ++i)
            places_.push_back(folder("medium" + std::to_string(i)));
    }

    std::string folder(const std::string& name)
    {
        const fs::path p = root_.path() / "places" / name;
        fs::create_directories(p);
        return p.string();
    }

    fs::path historyFile() const { return root_.path() / "ini" / PlaceHistoryFileName; }

    void writeHistory(const std::vector<std::string>& places)
    {
        platform::IniFile ini(historyFile());
        for (std::size_t i = 0; i < places.size(); ++i)
            ini.writeString(DataBackHistorySection, "HIST" + std::to_string(i + 1), places[i]);
    }

    std::vector<std::string> history() const
    {
        const platform::IniFile ini(historyFile());
        std::vector<std::string> out;
        for (const std::string& key : ini.keys(DataBackHistorySection))
            out.push_back(key + "=" + ini.readString(DataBackHistorySection, key));
        return out;
    }

    static std::vector<std::string> numbered(const std::vector<std::string>& places)
    {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < places.size(); ++i)
            out.push_back("HIST" + std::to_string(i + 1) + "=" + places[i]);
        return out;
    }

    // The settings of the save, with the history in this test's folder.
    void setUp(TFileOperationBox& box, std::int32_t mode)
    {
        box.Mode = mode;
        box.UseHistory = true;
        box.HistoryFolder = (root_.path() / "ini").string();
        box.HistoryFileName = PlaceHistoryFileName;
        box.HistorySection = DataBackHistorySection;
        box.TitleText = "データの保存";
        box.MainText = "選択中のデータを保存します。";
        box.PlaceLabel = "保存先の場所:";
        box.DefaultPlace = defaultPlace_;
        box.setResult(ui::mrNone);
        box.PrepareShow(true);
        box.show();
    }

    static void choose(TFileOperationBox& box, const std::string& place)
    {
        box.cmbFileSelect->setCurrentIndex(box.cmbFileSelect->findText(QString::fromStdString(place)));
        ASSERT_EQ(box.ShownPlace(), place);
    }

    test::ScopedRoot root_;
    platform::ScopedScriptedInteraction seam_;
    std::string defaultPlace_;
    std::vector<std::string> places_;
};

TEST_F(FileOperationBoxTest, FirstUseOffersOnlyTheDefaultPlaceAndOkKeepsItAsHist1)
{
    TFileOperationBox box;
    setUp(box, TFileOperationBox::ModeWriteFolder);
    EXPECT_EQ(box.windowTitle().toStdString(), "データの保存");
    EXPECT_EQ(box.PlaceItems(), std::vector<std::string>{defaultPlace_});
    // A folder mode has no file-name row, and the result no file name.
    EXPECT_FALSE(box.txtFileName->isVisible());
    EXPECT_TRUE(box.btnHistDelete->isVisible());
    box.btnOKClick();
    EXPECT_EQ(box.result(), ui::mrOk);
    EXPECT_EQ(box.ResultPath, defaultPlace_ + "/");
    EXPECT_EQ(history(), numbered({defaultPlace_}));
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(FileOperationBoxTest, TheHistoryKeepsEightPlacesMostRecentFirstEachOnce)
{
    const std::vector<std::string>& p = places_;
    writeHistory({p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]});
    struct Case {
        const char* what;
        std::string chosen;        // from the list, or browsed when not in it
        std::vector<std::string> after;
    };
    const std::vector<Case> cases = {
        {"the third moves to the head", p[2], {p[2], p[0], p[1], p[3], p[4], p[5], p[6], p[7]}},
        {"the head stays where it is", p[2], {p[2], p[0], p[1], p[3], p[4], p[5], p[6], p[7]}},
        {"a browsed place enters, the eighth leaves", p[8], {p[8], p[2], p[0], p[1], p[3], p[4], p[5], p[6]}},
        {"the default place enters like any other", defaultPlace_,
         {defaultPlace_, p[8], p[2], p[0], p[1], p[3], p[4], p[5]}},
    };
    TFileOperationBox box;
    for (const Case& c : cases) {
        setUp(box, TFileOperationBox::ModeWriteFolder);
        if (box.cmbFileSelect->findText(QString::fromStdString(c.chosen)) < 0) {
            seam_->fileAnswers.push_back(c.chosen);
            box.btnSansyoClick();
            ASSERT_EQ(seam_->fileDialogs.back().title, "フォルダの選択");
            EXPECT_EQ(box.PlaceItems().front(), c.chosen) << c.what;
        } else {
            choose(box, c.chosen);
        }
        box.btnOKClick();
        EXPECT_EQ(box.result(), ui::mrOk) << c.what;
        EXPECT_EQ(history(), numbered(c.after)) << c.what;
    }
    // The list offers the history in its order, the default place once.
    setUp(box, TFileOperationBox::ModeWriteFolder);
    EXPECT_EQ(box.PlaceItems(), cases.back().after);
    EXPECT_EQ(box.ShownPlace(), defaultPlace_);
}

TEST_F(FileOperationBoxTest, HistoryDeleteKeepsOnlyThePlaceShown)
{
    writeHistory({places_[0], places_[1], places_[2]});
    TFileOperationBox box;
    setUp(box, TFileOperationBox::ModeWriteFolder);
    choose(box, places_[1]);
    seam_->messageAnswers.push_back(platform::ResultCancel);
    box.btnHistDeleteClick();
    EXPECT_EQ(seam_->messages.back().text, "履歴を削除します。よろしいですか？");
    EXPECT_EQ(box.PlaceItems().size(), 4u);
    EXPECT_EQ(history().size(), 3u);

    seam_->messageAnswers.push_back(platform::ResultOk);
    box.btnHistDeleteClick();
    EXPECT_EQ(box.PlaceItems(), std::vector<std::string>{places_[1]});
    EXPECT_EQ(history(), numbered({places_[1]}));
}

TEST_F(FileOperationBoxTest, AHistoryPlaceThatIsGoneIsReportedAndNeverMade)
{
    const std::string medium = (root_.path() / "media" / "USB" / "backup").string();
    writeHistory({medium, places_[0]});
    TFileOperationBox box;
    setUp(box, TFileOperationBox::ModeWriteFolder);
    ASSERT_EQ(box.ShownPlace(), medium);
    box.btnOKClick();
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_EQ(seam_->messages.back().text, PlaceUnreachableText);
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.result(), ui::mrNone);
    EXPECT_FALSE(fs::exists(root_.path() / "media"));
    EXPECT_EQ(history(), numbered({medium, places_[0]}));
    // Another place of the list still goes through.
    choose(box, places_[0]);
    box.btnOKClick();
    EXPECT_EQ(box.result(), ui::mrOk);
    EXPECT_EQ(history(), numbered({places_[0], medium}));
}

TEST_F(FileOperationBoxTest, FileModesNeedANameAndGiveFolderAndName)
{
    TFileOperationBox box;
    box.DefaultExt = "FBK";
    box.FilterName = "バックアップ";
    box.FileName = "　 ";
    setUp(box, TFileOperationBox::ModeSaveFile);
    EXPECT_TRUE(box.txtFileName->isVisible());
    box.btnOKClick();
    ASSERT_FALSE(seam_->messages.empty());
    EXPECT_EQ(seam_->messages.back().text, "ファイル名を入力または[参照]ボタンより選択して下さい。\r");
    EXPECT_EQ(box.result(), ui::mrNone);

    // [参照] puts the chosen file's folder into the list and its name into the field.
    seam_->fileAnswers.push_back((fs::path(places_[3]) / "vqacc").string());
    box.btnSansyoClick();
    const platform::FileDialogRequest& dialog = seam_->fileDialogs.back();
    EXPECT_EQ(dialog.mode, platform::FileDialogRequest::Mode::Save);
    EXPECT_EQ(dialog.title, "ファイルの選択");
    EXPECT_EQ(dialog.filters, (std::vector<std::string>{"バックアップ (*.fbk *.FBK)", "すべてのﾌｧｲﾙ(*.*)"}));
    EXPECT_EQ(box.ShownPlace(), places_[3]);
    EXPECT_EQ(box.txtFileName->text().toStdString(), "vqacc.FBK");
    box.txtFileName->setText(QStringLiteral("　vqacc.fbk "));
    box.btnOKClick();
    EXPECT_EQ(box.result(), ui::mrOk);
    EXPECT_EQ(box.ResultPath, (fs::path(places_[3]) / "vqacc.fbk").string());
}

TEST_F(FileOperationBoxTest, TheDefaultPlaceOfTheSecondDialogClosesAtOnceAndLeavesTheHistory)
{
    writeHistory({places_[0]});
    TFileOperationBoxEx1 box;
    setUp(box, TFileOperationBox::ModeReadFolder);
    EXPECT_TRUE(box.btnSelect1->isChecked());
    EXPECT_TRUE(box.cmbFileSelect->isEnabled());
    // Without the file-name row the second button takes its place.
    EXPECT_EQ(box.btnSelect2->y(), box.lblFileName->y());

    box.SetSelectMode(2);
    EXPECT_FALSE(box.cmbFileSelect->isEnabled());
    EXPECT_FALSE(box.btnSansyo->isEnabled());
    box.btnOKClick();
    EXPECT_EQ(box.result(), ui::mrOk);
    EXPECT_EQ(box.SourceKind, 2);
    EXPECT_EQ(history(), numbered({places_[0]}));

    // The list place goes through the checks and writes the history.
    setUp(box, TFileOperationBox::ModeReadFolder);
    box.SetSelectMode(1);
    EXPECT_TRUE(box.cmbFileSelect->isEnabled());
    choose(box, defaultPlace_);
    box.btnOKClick();
    EXPECT_EQ(box.result(), ui::mrOk);
    EXPECT_EQ(box.SourceKind, 1);
    EXPECT_EQ(box.ResultPath, defaultPlace_ + "/");
    EXPECT_EQ(history(), numbered({defaultPlace_, places_[0]}));
}

} // namespace
