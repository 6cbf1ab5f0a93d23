#include "dbupdate/steps/z5UserDbUpdate100.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"
#include "dbupdate/steps/StepSql.h"

namespace vq::z5UserDbUpdate100 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 1;
    rec.Minor1 = 0;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 1;
    rec.Title = "ヴォルレン財務０９ Ver1.0.0";
    rec.Description = "ヴォルレン財務０９ Ver1.0.0データへ更新します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(1, 0, 0, [](TUpdateScript& script) { script.AddSqlText(StepSql("data_1_0_0")); });
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate100
