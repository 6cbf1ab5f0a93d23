#include "dbupdate/steps/z5SystemDbUpdate305.h"

#include "dbupdate/UpdateStep.h"
#include "dbupdate/steps/OldSystemStep.h"

namespace vq::z5SystemDbUpdate305 {

void SetUpdateRec(TDbUpdateListRec& rec)
{
    rec.Major = 3;
    rec.Minor1 = 0;
    rec.Minor2 = 5;
    rec.UpdateProc = DoUpdate;
    rec.BackupFlag = 0;
    rec.Title = "データ合算機能の追加";
    rec.Description = "データの合算処理が可能になります。";
}

TUpdateScheme Scheme()
{
    return OldSystemScheme(3, 0, 5, false, "system_3_0_5");
}

std::int32_t DoUpdate()
{
    return RunUpdateStep(Scheme());
}

} // namespace vq::z5SystemDbUpdate305
