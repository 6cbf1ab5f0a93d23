#include "dbupdate/steps/z5UserDbUpdate015.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate015 {

using old_data_step::AddColumnTest;
using old_data_step::ColumnTest;

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 1;
    rec.Minor2 = 5;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "ページ辞書機能の仕様変更 他";
    rec.Description = "1)補助または部門を削除したときに、削除対象の補助または部門がページ辞書仕訳に使用されていた場合に削除されないように仕様を変更しました。\r2)決算書の注記表「タイトルと会計期間を印刷する」のフィールドを追加しました。\r3)青色申告書用テーブルを作成します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(5, [](TUpdateScript& script) {
        script.AddSqlText(StepSql("data_0_1_5"));
        AddColumnTest(script, ColumnTest::ChukiTitlePrint);
        script.AddSqlText(StepSql("data_0_1_5_ao"));
    });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate015
