// The update dialog: the rows and texts it shows for the version test's
// state, the agreement box, the keys, and a run of test steps shown in the
// status column.
#include "../DbUpdateRunFixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTextEdit>
#include <QTreeWidget>

#include "dbupdate/forms/TDbUpdateBox.h"
#include "ui/ModalResult.h"
#include "ui/forms/FormModalResult.h"
#include "ui/forms/TxCheckBox.h"
#include "ui/forms/TxPlButton.h"

using namespace vq;
using namespace vq::test;

namespace {

QStringList column(QTreeWidget* list, int col)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(col);
    return texts;
}

void keyUp(QWidget* w, int key)
{
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

class TDbUpdateBoxTest : public DbUpdateRunFixture {};

} // namespace

TEST_F(TDbUpdateBoxTest, RowsTextsAndTheAgreementOfEachMode)
{
    TDbUpdateBox box;
    box.SetupUpdateList(1, "9.0.5");
    EXPECT_TRUE(box.FNeedUpdate());
    EXPECT_EQ(column(box.ListView1, 0),
              (QStringList{"10.0.0", "10.0.1", "10.0.3", "10.0.4", "10.0.5", "11.0.0", "11.0.1", "11.1.0", "12.0.0",
                           "13.0.0", "13.0.3", "14.0.0"}));
    EXPECT_EQ(column(box.ListView1, 2), QStringList(12, QString()));
    EXPECT_EQ(box.lblTitle1->text(), "会計データの更新を行います。");
    EXPECT_FALSE(box.cboxAgree->isHidden());
    EXPECT_FALSE(box.btnOk->isEnabled());
    keyUp(&box, Qt::Key_F12);   // OK is disabled: nothing runs
    EXPECT_TRUE(box.Run().FRowStatus.empty());
    box.cboxAgree->click();
    EXPECT_TRUE(box.btnOk->isEnabled());

    box.State.FDataList[28].Description = "１）変換します。\r２）高速化します。";
    box.SetupUpdateList(1, "3.0.7");
    EXPECT_EQ(box.ListView1->topLevelItem(0)->text(0), "4.0.0");
    EXPECT_EQ(box.RichEdit1->toPlainText(), "１）変換します。\n２）高速化します。");
    EXPECT_TRUE(box.btnOk->isEnabled());   // the agreement is kept

    // Nothing pending: the rows of the call before stay.
    box.SetupUpdateList(1, "14.0.0");
    EXPECT_FALSE(box.FNeedUpdate());
    EXPECT_EQ(box.ListView1->topLevelItem(0)->text(0), "4.0.0");

    box.SetupUpdateList(0, "11.0.1");
    EXPECT_EQ(column(box.ListView1, 0), QStringList{"12.0.0"});
    EXPECT_EQ(box.lblTitle1->text(), "システムデータの更新を行います。");
    EXPECT_TRUE(box.cboxAgree->isHidden());
    EXPECT_TRUE(box.btnCancel->isHidden());
    EXPECT_TRUE(box.btnOk->isEnabled());
}

TEST_F(TDbUpdateBoxTest, ARunShowsEachStepsStatus)
{
    TDbUpdateBox box;
    box.State.FDataList = steps(0, [] { return std::int32_t{UpdateFileMissing}; });
    box.SetupUpdateList(1, "14.0.0");
    box.cboxAgree->click();
    box.btnOkClick();
    EXPECT_EQ(ui::modalResult(&box), ui::mrRetry);
    EXPECT_EQ(column(box.ListView1, 2), (QStringList{"完了", "ﾌｧｲﾙ不足", ""}));
    EXPECT_EQ(version(), "14.0.1");
    EXPECT_TRUE(box.pnlProgress->isHidden());

    box.State.FDataList = steps(0, runs(scheme(2, {})));
    box.SetupUpdateList(1, "14.0.1");
    box.btnOkClick();
    EXPECT_EQ(ui::modalResult(&box), ui::mrOk);
    EXPECT_EQ(column(box.ListView1, 2), (QStringList{"完了", "完了"}));
    EXPECT_EQ(version(), "14.0.3");
}
