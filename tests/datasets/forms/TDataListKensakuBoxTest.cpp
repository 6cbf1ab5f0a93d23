// The search-conditions dialog: its lists on first use, the record shown
// and written back by OK.
#include <gtest/gtest.h>

#include "../DataListFixture.h"
#include "datasets/forms/TDataListKensakuBox.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxComboBox.h"
#include "ui/forms/TxEdit.h"

using namespace vq;

class DataListKensakuBoxTest : public test::DataListFixture {};

TEST_F(DataListKensakuBoxTest, FirstUseShowsNothingChosen)
{
    TDataListKensakuBox box;
    EXPECT_EQ(box.windowTitle().toStdString(), "検索条件の設定");
    ASSERT_TRUE(box.SelectRecord(box.Cond));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM KENSAKUJYOKEN"), 1);
    box.PrepareShow(true);
    EXPECT_EQ(box.cmbDataKbn->currentText().toStdString(), "選択なし");
    EXPECT_EQ(box.cmbTanto->currentText().toStdString(), "選択なし");
    EXPECT_EQ(box.cmbDataVer->currentText().toStdString(), "選択なし");
    EXPECT_FALSE(box.cboxYukou->isChecked());
    EXPECT_EQ(box.cmbDataKbn->count(), 7);
}

TEST_F(DataListKensakuBoxTest, ShowsARecordAndWritesBackWhatTheDialogOffers)
{
    TDataListKensakuBox box;
    box.Cond.DATATYPE = 1;
    box.Cond.CODETYPE = 2;          // a corporation shows as such whatever its code kind
    box.Cond.DATACODE = "01";
    box.Cond.DATANAME = "商事";
    box.Cond.DATAVER = "14.0";
    box.Cond.SEIHINNAME = "もう無い版";   // no longer in the version list
    box.Cond.JYOKENUSE = 1;
    box.Cond.SORTCOL = 4;
    box.PrepareShow(true);
    EXPECT_EQ(box.cmbDataKbn->currentText().toStdString(), "法人");
    EXPECT_EQ(box.txtCode->text().toStdString(), "01");
    EXPECT_EQ(box.cmbDataVer->currentIndex(), 0);
    EXPECT_TRUE(box.cboxYukou->isChecked());

    box.cboxYukou->setChecked(false);
    box.btnOKClick();
    EXPECT_EQ(box.result(), 1);
    EXPECT_EQ(box.Cond.DATATYPE, 1);
    EXPECT_EQ(box.Cond.CODETYPE, 1);
    EXPECT_EQ(box.Cond.DATANAME, "商事");
    EXPECT_EQ(box.Cond.DATAVER, "");
    EXPECT_EQ(box.Cond.SEIHINNAME, "選択なし");
    EXPECT_EQ(box.Cond.JYOKENUSE, 0);
    EXPECT_EQ(box.Cond.SORTCOL, 4);   // the sort is not the dialog's
}
