#include "dbupdate/steps/z5UserDbUpdate103.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate103 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 1;
    rec.Minor1 = 0;
    rec.Minor2 = 3;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "本・支店管理データの予算または過年度残高を調整 他";
    rec.Description = "１）本・支店管理データの予算または過年度残高を調整します。\r２）定形試算表の共通部門集計を適正に処理出来るように修正します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(1, 0, 3, [](TUpdateScript& script) { old_data_step::AddStepSql(script, "data_1_0_3"); });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate103
