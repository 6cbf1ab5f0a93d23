#include "dbupdate/steps/z5UserDbUpdate021.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate021 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 2;
    rec.Minor2 = 1;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "過年度残高の修復 ";
    rec.Description = "過年度残高を修復します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(0, 2, 1, [](TUpdateScript& script) { script.AddSqlText(StepSql("data_0_2_1")); });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate021
