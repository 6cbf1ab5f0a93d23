#include "dbupdate/steps/z5UserDbUpdate101.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate101 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 1;
    rec.Minor1 = 0;
    rec.Minor2 = 1;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "財務分析で期中開始データが適正に集計されない不具合を修正 他";
    rec.Description = "１）財務分析で期中開始データが適正に集計されるように修正します。\r２）比較経営分析の科目内訳表示範囲を修正します。（経営ハルブリン）";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(1, 0, 1, [](TUpdateScript& script) { old_data_step::AddStepSql(script, "data_1_0_1"); });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate101
