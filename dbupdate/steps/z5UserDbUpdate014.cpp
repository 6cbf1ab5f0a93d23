#include "dbupdate/steps/z5UserDbUpdate014.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate014 {

using old_data_step::AddColumnTest;
using old_data_step::ColumnTest;

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 1;
    rec.Minor2 = 4;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "キャッシュ・フロー計算書を追加";
    rec.Description = "キャッシュ・フロー計算書用のテーブルを作成します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(4, [](TUpdateScript& script) {
        script.AddSqlText(StepSql("data_0_1_4"));
        AddColumnTest(script, ColumnTest::KessanKikan);
    });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate014
