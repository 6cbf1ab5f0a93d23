#include "dbupdate/steps/z5UserDbUpdate011.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate011 {

using old_data_step::AddColumnTest;
using old_data_step::ColumnTest;

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 1;
    rec.Minor2 = 1;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "減価償却処理を追加　他";
    rec.Description = "1)減価償却処理用のテーブルを作成します。\r2)３期比較経営分析用のプロシジャーを作成します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(1, [](TUpdateScript& script) {
        script.AddSqlText(StepSql("data_0_1_1"));
        AddColumnTest(script, ColumnTest::SdaiHasuu3);
        AddColumnTest(script, ColumnTest::KessanKikan);
    });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate011
