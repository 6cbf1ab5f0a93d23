// The data-place dialog on a real system database: the list it shows, a new
// place and a new name asked through the seam and saved at once, a place
// that holds data kept, and the list the selection screen reads from it.
#include <gtest/gtest.h>

#include "../DataListFixture.h"
#include "datasets/forms/TDataPlaceBox.h"
#include "ui/forms/TxPlButton.h"
#include "ui/forms/TxSpreadGrid.h"

#include <filesystem>

using namespace vq;
namespace fs = std::filesystem;

namespace {

std::string cell(const TDataPlaceBox& box, int row, int col)
{
    const QTableWidgetItem* item = box.PerfectGrid1->item(row, col);
    return item != nullptr ? item->text().toStdString() : std::string();
}

std::string caption(const ui::TxPlButton* b) { return b->CaptionA().Caption.toStdString(); }

} // namespace

class DataPlaceBoxTest : public test::DataListFixture {
protected:
    void SetUp() override
    {
        DataListFixture::SetUp();
        // Folders of the places are looked up and made on this computer.
        ConnectMode = ConnectStandAlone;
    }
};

TEST_F(DataPlaceBoxTest, ShowsEveryPlaceWithTheButtonsOfItsRow)
{
    TDataPlaceBox box;
    EXPECT_EQ(box.windowTitle().toStdString(), "データの場所の設定");
    box.PrepareShow(3);
    EXPECT_EQ(box.Flag(), 3);
    ASSERT_EQ(box.PerfectGrid1->rowCount(), 100);
    EXPECT_EQ(cell(box, 0, 0), "1");
    EXPECT_EQ(cell(box, 0, 1), root());
    EXPECT_EQ(cell(box, 0, 2), root());
    EXPECT_EQ(cell(box, 99, 0), "100");
    EXPECT_EQ(cell(box, 99, 2), root() + "99");

    // The standard place: a new name and moves down, no deletion, no creation.
    EXPECT_EQ(box.PerfectGrid1->currentRow(), 0);
    EXPECT_EQ(caption(box.F2), "F2:");
    EXPECT_EQ(caption(box.F3), "F3:名称変更");
    EXPECT_EQ(caption(box.F5), "F5:");
    EXPECT_FALSE(box.F6->isEnabled());
    EXPECT_TRUE(box.F7->isEnabled());

    // A free place can only be created; the last row cannot go down.
    box.PerfectGrid1->setCurrentCell(99, 1);
    EXPECT_EQ(caption(box.F2), "F2:新規作成");
    EXPECT_EQ(caption(box.F3), "F3:");
    EXPECT_EQ(caption(box.F5), "F5:");
    EXPECT_TRUE(box.F6->isEnabled());
    EXPECT_FALSE(box.F7->isEnabled());

    // A bare button does nothing: no question is asked.
    box.F3Click();
    box.F5Click();
    EXPECT_TRUE(seam_->inputs.empty());
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataPlaceBoxTest, CreatesAndRenamesThroughTheDialog)
{
    TDataPlaceBox box;
    box.PrepareShow(0);
    box.PerfectGrid1->setCurrentCell(5, 1);

    // A cancelled question and a blank name change nothing.
    seam_->inputAnswers.push_back(std::nullopt);
    box.F2Click();
    seam_->inputAnswers.push_back("　 ");
    box.F2Click();
    ASSERT_EQ(seam_->inputs.size(), 2u);
    EXPECT_EQ(seam_->inputs[0], "新しく作成するデータ管理フォルダの名称を入力して下さい。");
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "名称が入力されていません。");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=5"), 0);

    seam_->inputAnswers.push_back("第２事務所");
    box.F2Click();
    EXPECT_TRUE(fs::is_directory(root() + "05"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATAPLACEMAN WHERE REC=5 AND NAME='第２事務所'"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=5"), 120);
    EXPECT_EQ(cell(box, 5, 1), "第２事務所");
    EXPECT_EQ(box.PerfectGrid1->currentRow(), 5);
    EXPECT_EQ(caption(box.F3), "F3:名称変更");
    EXPECT_EQ(caption(box.F5), "F5:削除");

    // The current name is offered; an overlong answer is cut to what fits.
    seam_->inputAnswers.push_back("本店経理部の会計データを置いておくためのフォルダです");
    box.F3Click();
    ASSERT_EQ(seam_->inputs.size(), 4u);
    EXPECT_EQ(seam_->inputs[3], "データ管理フォルダの名称を入力して下さい。");
    const std::string cut = QString::fromStdString("本店経理部の会計データを置いておくためのフォルダです").left(20).toStdString();
    EXPECT_EQ(texts("SELECT NAME FROM DATAPLACEMAN WHERE REC=5"), std::vector<std::string>{cut});
    EXPECT_EQ(cell(box, 5, 1), cut);

    // Moving it up renumbers the order and keeps it selected.
    box.F6Click();
    EXPECT_EQ(box.PerfectGrid1->currentRow(), 4);
    EXPECT_EQ(cell(box, 4, 1), cut);
    EXPECT_EQ(scalar("SELECT ORDERKBN FROM DATAPLACEMAN WHERE REC=5"), 5);

    // The selection screen reads the named places in display order.
    std::string names;
    box.GetPlaceNames(names);
    EXPECT_EQ(names, root() + "\r" + cut + "\r");
    EXPECT_EQ(box.GetPlaceRec(1), 5);
    EXPECT_EQ(box.GetPlaceRec(2), -1);
    std::string path;
    box.GetPlacePath(1, path);
    EXPECT_EQ(path, root() + "05");
    box.GetPlacePath(-1, path);
    EXPECT_EQ(path, "");

    // An action after that reading still acts on the row shown.
    box.F6Click();
    EXPECT_EQ(box.PerfectGrid1->currentRow(), 3);
    EXPECT_EQ(cell(box, 3, 1), cut);
}

TEST_F(DataPlaceBoxTest, APlaceHoldingDataIsNotDeleted)
{
    TDataPlaceBox box;
    box.PrepareShow(0);
    box.PerfectGrid1->setCurrentCell(7, 1);
    seam_->inputAnswers.push_back("支店");
    box.F2Click();
    ASSERT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=7"), 120);

    const auto slot = texts("SELECT PASNAME FROM DATALIST_EX WHERE DATAPLACEREC=7 AND REC=3");
    ASSERT_EQ(slot.size(), 1u);
    fs::create_directories(slot[0]);
    box.F5Click();
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text,
              "このフォルダ配下には会計データが存在しているため削除することが出来ません。\r"
              "どうしても削除を行いたい場合は、配下の会計データをすべて削除してから処理して下さい。");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=7"), 120);
    EXPECT_EQ(cell(box, 7, 1), "支店");

    // Once empty it goes after the confirmation; the folder stays.
    fs::remove_all(slot[0]);
    seam_->messageAnswers.push_back(platform::ResultOk);
    box.F5Click();
    ASSERT_EQ(seam_->messages.size(), 2u);
    EXPECT_EQ(seam_->messages[1].text, "[支店]を削除します。よろしいですか？");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=7"), 0);
    EXPECT_EQ(cell(box, 7, 1), "");
    EXPECT_EQ(caption(box.F2), "F2:新規作成");
    EXPECT_TRUE(fs::is_directory(root() + "07"));
}
