// The grid rows of the data selection screen written from a loaded list:
// children below their parent, the hidden value columns, the colours of
// broken rows and rows with update steps pending, refilling one parent,
// finding rows again and the search by code.
#include <gtest/gtest.h>

#include "datasets/DataSentakuList.h"
#include "foundation/app/SystemDef.h"
#include "foundation/data/DataModule.h"

using namespace vq;

namespace {

TDataSentakuRec parent(int rec, const std::string& code, const std::string& name, int gassan = 0)
{
    TDataSentakuRec r;
    r.REC = rec;
    r.DATACODE = code;
    r.ENTTEXT = r.DISP_NAME = name;
    r.PASNAME = "/office/DATA/" + std::string(rec < 10 ? "000" : "00") + std::to_string(rec);
    r.NENDO = 6;
    r.KIKAN_TEXT = "2024/01/01 ～ 2024/12/31";
    r.VER_MAJOR = 14;
    r.VER_TEXT = "22版";
    r.GASSAN = static_cast<std::uint8_t>(gassan);
    return r;
}

TDataListRec child(int rec, int rowNo, const std::string& name)
{
    TDataListRec c;
    c.REC = rec;
    c.ROWNO = rowNo;
    c.ENTTEXT = name;
    c.DATACODE = "C" + std::to_string(rowNo);
    c.PASNAME = "/office/DATA/0001/00" + std::to_string(rowNo);
    c.GASSAN = GassanDistributedChild;
    c.VER_MAJOR = 14;
    return c;
}

class DataSentakuListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SystemDef;
        SystemDef.SysDir = "/office/DATA";
        list_ = std::make_unique<TDataSentakuList>();
        auto consolidated = parent(1, "0100", "合算商事", GassanConsolidated);
        consolidated.Children = {child(1, 1, "本店"), child(1, 2, "支店")};
        consolidated.ChildCount = 2;
        auto old = parent(2, "0200", "旧データ");
        old.VER_MAJOR = 12;
        old.UPDATE_LOCK = 1;
        auto current = parent(3, "0110", "最新データ");
        current.UPDATE_LOCK = 1;
        auto shared = parent(4, "0300", "共有商店");
        shared.NETDRIVE = 1;
        shared.PASNAME = "X:/zeverivurev/sv0001";
        auto broken = parent(5, "0400", "破損データ");
        broken.DATA_STATUS = 1;
        TDataSentakuRec blank;
        blank.REC = 6;
        blank.PASNAME = "/office/DATA/0006";
        list_->Rows = {consolidated, old, current, shared, broken, blank};
        list_->DispIndex = {0, 1, 2, 3, 4, 5};
        list_->SetupColumns();
        list_->FillGrid(-1);
    }
    void TearDown() override { SystemDef = saved_; }

    const TDataSentakuGrid& grid() const { return list_->Grid; }

    TDM dm_;   // the store needs a data module; nothing is connected
    std::unique_ptr<TDataSentakuList> list_;
    TSystemDef saved_;
};

} // namespace

TEST_F(DataSentakuListTest, ChildrenFollowTheirParentWithTheirIndices)
{
    ASSERT_EQ(grid().RowCount(), 8);
    EXPECT_EQ(grid().Cell(0, ColNo), "1");
    EXPECT_EQ(grid().Cell(1, ColNo), "");
    EXPECT_EQ(grid().Cell(1, ColName), "01 本店");
    EXPECT_EQ(grid().Cell(2, ColName), "02 支店");
    EXPECT_EQ(grid().CellInt(2, ColParentIndex), 0);
    EXPECT_EQ(grid().CellInt(2, ColChildIndex), 1);
    EXPECT_EQ(grid().CellInt(2, ColGassan), GassanDistributedChild);
    EXPECT_EQ(list_->GetRowRecord(2)->ENTTEXT, "支店");
    EXPECT_EQ(list_->FindParentRow(2), 0);
    EXPECT_EQ(list_->DisplayIndexOf(2), 0);
    EXPECT_EQ(list_->DisplayIndexOf(3), 1);
    EXPECT_EQ(grid().Cell(0, ColNendo), "6 期");
    EXPECT_EQ(grid().Cell(0, ColFolder), "~/0001");
    EXPECT_EQ(grid().Cell(0, ColVersionNumbers), "14.0.0");
    EXPECT_EQ(grid().Cell(7, ColKikan), "～");
    EXPECT_EQ(grid().Cell(7, ColNendo), "");
    EXPECT_EQ(grid().CurrentRow, 0);

    // One child fewer: the parent is refilled in place.
    list_->Rows[0].Children.pop_back();
    list_->Rows[0].ChildCount = 1;
    list_->FillRow = 0;
    list_->FillGrid(0);
    ASSERT_EQ(grid().RowCount(), 7);
    EXPECT_EQ(grid().Cell(1, ColName), "01 本店");
    EXPECT_EQ(grid().Cell(2, ColCode), "0200");
}

TEST_F(DataSentakuListTest, OnlyRowsUnderAnUpdateLockAreTestedAndGreyWhenStepsArePending)
{
    // Version 12 under the lock: steps pending, grey.
    EXPECT_EQ(grid().CellInt(3, ColUpdatePending), 1);
    EXPECT_EQ(grid().Row(3).ForeColor, kUpdatePendingColor);
    EXPECT_TRUE(list_->CheckDbUpdateNeeded(3, false));
    // Version 14 under the lock: nothing pending, the answer replaces the lock.
    EXPECT_EQ(grid().CellInt(4, ColUpdatePending), 0);
    EXPECT_EQ(grid().Row(4).ForeColor, grid().ForeColor);
    // Version 12 without the lock is neither tested nor grey.
    list_->Rows[1].UPDATE_LOCK = 0;
    list_->FillGrid(-1);
    EXPECT_EQ(grid().Row(3).ForeColor, grid().ForeColor);
    EXPECT_FALSE(list_->CheckDbUpdateNeeded(3, true));
}

TEST_F(DataSentakuListTest, ColoursSharedStateAndFolders)
{
    EXPECT_EQ(grid().Row(0).BackColor, kListBackColor);
    EXPECT_EQ(grid().Row(1).BackColor, kListOddRowColor);
    EXPECT_EQ(grid().Row(6).BackColor, kBrokenRowColor);
    // Kept on the share: the shared picture; its working copy is the slot's folder.
    EXPECT_EQ(grid().CellInt(5, ColShared), 0);
    EXPECT_EQ(grid().Picture(5, ColSharePicture), PicShared);
    EXPECT_EQ(list_->GetKyoyuState(0, 5), KyoyuKept);
    EXPECT_EQ(list_->GetDataPath(5), "/office/DATA/0004");
    EXPECT_EQ(list_->GetDataPath(2), "/office/DATA/0001/002");
    EXPECT_EQ(TDataSentakuList::FolderColumnText("/OFFICE/data/0001"), "~/0001");

    // Focus colouring: the focus colour, grey when pending.
    list_->CellGotFocus(0);
    EXPECT_EQ(grid().Row(0).ForeColor, grid().FocusBorderColor);
    EXPECT_TRUE(grid().Row(0).FocusFont);
    list_->CellGotFocus(3);
    EXPECT_EQ(grid().Row(3).ForeColor, kUpdatePendingColor);
    list_->CellLostFocus(0);
    EXPECT_EQ(grid().Row(0).ForeColor, grid().ForeColor);
}

TEST_F(DataSentakuListTest, FindsCodesFromTheRowAfterTheCurrentOneAndRowsByFolder)
{
    // "01" matches 0100 (row 0) and 0110 (row 4): from row 0 the next is row 4.
    EXPECT_EQ(list_->FindCode("01"), 4);
    list_->Grid.SetCurrentCell(4, 0);
    EXPECT_EQ(list_->FindCode("01"), 0);
    EXPECT_EQ(list_->FindCode("c2"), 2);
    EXPECT_EQ(list_->FindCode("9"), -1);

    list_->CellGotFocus(4);
    EXPECT_EQ(list_->ScrollToFolder("/OFFICE/DATA/0005"), 6);
    EXPECT_EQ(grid().CurrentRow, 6);
    EXPECT_EQ(grid().TopRow, 0);
    EXPECT_FALSE(grid().Row(4).FocusFont) << "the row left looks chosen no more";
    EXPECT_EQ(grid().Row(4).ForeColor, grid().ForeColor);
    EXPECT_EQ(list_->ScrollToFolder("/office/DATA/0009"), -1);
}
