#include "dbupdate/steps/z5UserDbUpdate020.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldDataStep.h"

namespace vq::z5UserDbUpdate020 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 0;
    rec.Minor1 = 2;
    rec.Minor2 = 0;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 0;
    rec.Title = "ヴォルレン財務０９評価版 Ver0.2.0";
    rec.Description = "ヴォルレン財務０９評価版 Ver0.2.0データへ更新します。";
}

TUpdateScheme Scheme()
{
    return old_data_step::Scheme(0, 2, 0, nullptr);
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5UserDbUpdate020
